#pragma once

#include <string>
#include <vector>

namespace kestova {

// The few values every window shares for the run of the program: who is logged in with which
// right, and what the point of sale keeps between its windows.
struct ProgramState {
    // "ADMINISTRATOR", "USER" or "VIEWER" (compared in upper case); set by the server's TYPE
    // reply and by EnterViewerState.
    std::string RightsLevel;
    // The user name of the last successful operator login.
    std::string OperatorName;
    // False at launch, True once the first EnterViewerState has run: the login window tells its
    // start-up display from later ones by it.
    bool StartUpDone = false;
    // Tickets the signed-in staff member sold today, as the server counts them and the
    // point-of-sale window advances them.
    float SalesToday = 0;
    // The ticket types of the quick-ticket list, as the server last sent them; every generation
    // window opened afterwards offers them.
    std::vector<std::string> QuickTicketTypes;
};

ProgramState& KestovaCode();

}  // namespace kestova
