#include <memory>

#include "audit/audit_trail.h"
#include "audit/command_audit.h"
#include "connection/login_window.h"
#include "connection/server_link.h"
#include "console/console_replies.h"
#include "console/help_window.h"
#include "console/kestova_main.h"
#include "console/kestova_opt.h"
#include "core/messages.h"
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

std::unique_ptr<KestovaMain>& MainInstance() {
    static std::unique_ptr<KestovaMain> instance;
    return instance;
}

std::unique_ptr<FrmSplash>& SplashInstance() {
    static std::unique_ptr<FrmSplash> instance;
    return instance;
}

std::unique_ptr<TicketInfo>& TicketInfoInstance() {
    static std::unique_ptr<TicketInfo> instance;
    return instance;
}

std::unique_ptr<RSummary>& RSummaryInstance() {
    static std::unique_ptr<RSummary> instance;
    return instance;
}

std::unique_ptr<KestovaOpt>& OptionsInstance() {
    static std::unique_ptr<KestovaOpt> instance;
    return instance;
}

std::unique_ptr<Passwords>& PasswordsInstance() {
    static std::unique_ptr<Passwords> instance;
    return instance;
}

std::unique_ptr<FrmPOS>& GenerationInstance() {
    static std::unique_ptr<FrmPOS> instance;
    return instance;
}

std::unique_ptr<OfrmPOS>& OperationsInstance() {
    static std::unique_ptr<OfrmPOS> instance;
    return instance;
}

std::unique_ptr<AuditTrail>& AuditTrailInstance() {
    static std::unique_ptr<AuditTrail> instance;
    return instance;
}

std::unique_ptr<FrmHelp>& HelpInstance() {
    static std::unique_ptr<FrmHelp> instance;
    return instance;
}

template <typename Window>
Window& CreatedOnFirstUse(std::unique_ptr<Window>& instance) {
    if (!instance) {
        instance = std::make_unique<Window>();
    }
    return *instance;
}

}  // namespace

void RegisterReplyHandlers() {
    RegisterConsoleReplies();
    RegisterPosReplies();
    RegisterReportReplies();
}

KestovaMain& Main() {
    std::unique_ptr<KestovaMain>& instance = MainInstance();
    if (!instance) {
        // The main window's receive path dispatches to every window's handlers.
        RegisterReplyHandlers();
        instance = std::make_unique<KestovaMain>();
    }
    return *instance;
}

FrmSplash& Splash() {
    return CreatedOnFirstUse(SplashInstance());
}

TicketInfo& TicketInfoWindow() {
    return CreatedOnFirstUse(TicketInfoInstance());
}

RSummary& RSummaryWindow() {
    return CreatedOnFirstUse(RSummaryInstance());
}

KestovaOpt& Options() {
    return CreatedOnFirstUse(OptionsInstance());
}

Passwords& PosPasswords() {
    return CreatedOnFirstUse(PasswordsInstance());
}

FrmPOS& PosGeneration() {
    return CreatedOnFirstUse(GenerationInstance());
}

OfrmPOS& PosOperations() {
    return CreatedOnFirstUse(OperationsInstance());
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
    return CreatedOnFirstUse(AuditTrailInstance());
}

FrmHelp& HelpWindow() {
    return CreatedOnFirstUse(HelpInstance());
}

void ReleaseProgram() {
    // The windows opened from the main window go before it; the splash may refer to the main
    // window while it goes.
    AuditTrailInstance().reset();
    HelpInstance().reset();
    TicketInfoInstance().reset();
    RSummaryInstance().reset();
    GenerationInstance().reset();
    OperationsInstance().reset();
    PasswordsInstance().reset();
    OptionsInstance().reset();
    SplashInstance().reset();
    MainInstance().reset();
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
