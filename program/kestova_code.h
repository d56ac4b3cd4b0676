#pragma once

#include <string>

namespace ui {
class Form;
}

// The program module: the one instance of each window that is reached from everywhere (created
// on first use, like the windows of a classic desktop program; touching one does not load it).
// The values every window shares are core/program_state.h's, the server connection is
// connection/server_link.h's Server(), the audit trail audit/command_audit.h's Audit().
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
// The window that lists the audit log.
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
