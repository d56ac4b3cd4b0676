#pragma once

#include <string>
#include <vector>

#include "core/version.h"

namespace ui {
class Form;
}

// The program-wide module: the few values every window shares, and the one instance of each
// window that is reached from everywhere (created on first use, like the windows of a classic
// desktop program; touching one does not load it).
namespace kestova {

class KestovaMain;
class FrmSplash;
class TicketInfo;
class RSummary;
class KestovaOpt;
class Passwords;
class FrmPOS;
class OfrmPOS;
class AuditTrail;
class FrmHelp;
class CommandAudit;
class ServerLink;

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

// The connection to the management server, through which every window and command sends.
ServerLink& Server();

// The main window and the login window (which doubles as the start-up splash). Making the main
// window registers every window's reply handlers first (RegisterReplyHandlers).
KestovaMain& Main();
FrmSplash& Splash();
// The ticket information window and the report window.
TicketInfo& TicketInfoWindow();
RSummary& RSummaryWindow();
// The options dialog `KestovaOpt`.
KestovaOpt& Options();
// The point of sale: the staff sign-in `Passwords`, the ticket generation window `frmPOS` and
// the ticket operations window `OfrmPOS`.
Passwords& PosPasswords();
FrmPOS& PosGeneration();
OfrmPOS& PosOperations();

// The window a staff member works in once signed in, as "POS"/"POSType" chooses: the generation
// window (true) or the operations window `OfrmPOS` (false), loaded and showing the staff
// member's name, ready to be shown.
ui::Form& PosStaffWindow(bool generation, const std::string& staffName);
// The audit trail: the writer every message to the server passes before it is sent, and the
// window that lists the log.
CommandAudit& Audit();
AuditTrail& AuditTrailWindow();
// The help page in a window of the console's own (Help > Zarnevo Help without a desktop viewer).
FrmHelp& HelpWindow();

// Fills the dispatcher's keyword table with the reply handlers of the windows' folders
// (console/, pos/, reports/); registering them again changes nothing.
void RegisterReplyHandlers();

// Destroys the windows made by the accessors and resets the program-wide state: the end of a
// run of the program or of a test.
void ReleaseProgram();

}  // namespace kestova
