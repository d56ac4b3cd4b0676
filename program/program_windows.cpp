#include "audit/audit_trail.h"
#include "audit/command_audit.h"
#include "connection/login_window.h"
#include "connection/server_link.h"
#include "console/console_replies.h"
#include "console/help_window.h"
#include "console/kestova_main.h"
#include "console/kestova_opt.h"
#include "core/messages.h"
#include "core/one_instance.h"
#include "core/program_state.h"
#include "pos/frm_pos.h"
#include "pos/ofrm_pos.h"
#include "pos/passwords.h"
#include "pos/pos_replies.h"
#include "pos/ticket_info.h"
#include "program/kestova_code.h"
#include "reports/report_replies.h"
#include "reports/rsummary.h"

// The one instance of each window reached through the program-wide module.
namespace kestova {
namespace {

OneInstance<KestovaMain>& MainInstance() {
    static OneInstance<KestovaMain> instance;
    return instance;
}

OneInstance<FrmSplash>& SplashInstance() {
    static OneInstance<FrmSplash> instance;
    return instance;
}

OneInstance<TicketInfo>& TicketInfoInstance() {
    static OneInstance<TicketInfo> instance;
    return instance;
}

OneInstance<RSummary>& RSummaryInstance() {
    static OneInstance<RSummary> instance;
    return instance;
}

OneInstance<KestovaOpt>& OptionsInstance() {
    static OneInstance<KestovaOpt> instance;
    return instance;
}

OneInstance<Passwords>& PasswordsInstance() {
    static OneInstance<Passwords> instance;
    return instance;
}

OneInstance<FrmPOS>& GenerationInstance() {
    static OneInstance<FrmPOS> instance;
    return instance;
}

OneInstance<OfrmPOS>& OperationsInstance() {
    static OneInstance<OfrmPOS> instance;
    return instance;
}

OneInstance<AuditTrail>& AuditTrailInstance() {
    static OneInstance<AuditTrail> instance;
    return instance;
}

OneInstance<FrmHelp>& HelpInstance() {
    static OneInstance<FrmHelp> instance;
    return instance;
}

}  // namespace

void RegisterReplyHandlers() {
    RegisterConsoleReplies();
    RegisterPosReplies();
    RegisterReportReplies();
}

KestovaMain& Main() {
    OneInstance<KestovaMain>& instance = MainInstance();
    if (instance.made() == nullptr) {
        // The main window's receive path dispatches to every window's handlers.
        RegisterReplyHandlers();
    }
    return instance.get();
}

FrmSplash& Splash() {
    return SplashInstance().get();
}

TicketInfo& TicketInfoWindow() {
    return TicketInfoInstance().get();
}

RSummary& RSummaryWindow() {
    return RSummaryInstance().get();
}

KestovaOpt& Options() {
    return OptionsInstance().get();
}

Passwords& PosPasswords() {
    return PasswordsInstance().get();
}

FrmPOS& PosGeneration() {
    return GenerationInstance().get();
}

OfrmPOS& PosOperations() {
    return OperationsInstance().get();
}

namespace {

template <typename Window>
ui::Form& LoadedFor(Window& window, const std::string& staffName) {
    window.EnsureLoaded();
    window.Label10.Caption = staffName;
    return window;
}

}  // namespace

ui::Form& PosStaffWindow(bool generation, const std::string& staffName) {
    return generation ? LoadedFor(PosGeneration(), staffName)
                      : LoadedFor(PosOperations(), staffName);
}

AuditTrail& AuditTrailWindow() {
    return AuditTrailInstance().get();
}

FrmHelp& HelpWindow() {
    return HelpInstance().get();
}

void ReleaseProgram() {
    // The windows opened from the main window go before it; the splash may refer to the main
    // window while it goes.
    AuditTrailInstance().release();
    HelpInstance().release();
    TicketInfoInstance().release();
    RSummaryInstance().release();
    GenerationInstance().release();
    OperationsInstance().release();
    PasswordsInstance().release();
    OptionsInstance().release();
    SplashInstance().release();
    MainInstance().release();
    // Its socket's events were the main window's.
    ReleaseServer();
    // Last: a window that goes may still send, and what it sends passes the audit, which then
    // writes the repeats it still counts.
    ReleaseAudit();
    // The audit may still have a notice to show as it goes.
    ReleaseMessagesWindow();
    KestovaCode() = ProgramState{};
}

}  // namespace kestova
