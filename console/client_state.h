#pragma once

#include <optional>
#include <string_view>

#include "ui/grid.h"

// What a client computer is doing, read from the texts of its row the way an operator reads
// them: one state per row, for anything that draws clients (the grid, a floor plan).
namespace kestova {

enum class ClientState {
    Ready,          // on and free
    InUse,          // a user's time is running (or the client times itself)
    EndingSoon,     // in use with less time left than the alert threshold
    Paused,         // a session on hold
    Disabled,       // locked, or hidden from its users ("Invisible Mode")
    Administrator,  // serviced by staff
};

// The "Time" text read as hours:minutes left, as the server writes it for running time
// ("01:20" is 80); no value for anything else, such as the "*****" the console writes while a
// change of time is on its way.
std::optional<int> MinutesLeft(std::string_view timeText);

// The client is in use on time that runs down: its "Information" starts with "Logged in" (the
// same test as the in-use count of the status bar).
bool TimeRunsDown(std::string_view information);

// The texts of a client row that tell its state.
struct ClientTexts {
    std::string_view user;
    std::string_view time;
    std::string_view information;
};

// The state of a client. It is ending soon when its time runs down and fewer than
// `alertMinutes` minutes are left (never when `alertMinutes` is 0). A mode the console does not
// know counts as in use while a user is shown, else as ready.
ClientState ClassifyClient(const ClientTexts& texts, int alertMinutes);

// The state of the client in a grid row; no value for the header and for a row without a
// client.
std::optional<ClientState> ClientStateOfRow(const ui::Grid& grid, int row, int alertMinutes);

}  // namespace kestova
