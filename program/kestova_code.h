#pragma once

#include <string>

#include "core/version.h"

// The program-wide module: the few values every window shares, and the one instance of each
// window that is reached from everywhere (created on first use, like the windows of a classic
// desktop program; touching one does not load it).
namespace kestova {

class KestovaMain;
class FrmSplash;
class AuditTrail;
class CommandAudit;

struct ProgramState {
    // "ADMINISTRATOR", "USER" or "VIEWER" (compared in upper case); set by the server's TYPE
    // reply and by EnterViewerState.
    std::string RightsLevel;
    // The user name of the last successful operator login.
    std::string OperatorName;
    // False at launch, True once the first EnterViewerState has run: the login window tells its
    // start-up display from later ones by it.
    bool StartUpDone = false;
};

ProgramState& KestovaCode();

// The main window and the login window (which doubles as the start-up splash).
KestovaMain& Main();
FrmSplash& Splash();
// The audit trail: the writer every message to the server passes before it is sent, and the
// window that lists the log.
CommandAudit& Audit();
AuditTrail& AuditTrailWindow();

// Destroys the windows made by the accessors and resets the program-wide state: the end of a
// run of the program or of a test.
void ReleaseProgram();

}  // namespace kestova
