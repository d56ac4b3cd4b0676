#include <memory>

#include "audit/audit_trail.h"
#include "audit/command_audit.h"
#include "connection/login_window.h"
#include "console/kestova_main.h"
#include "program/kestova_code.h"

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

std::unique_ptr<AuditTrail>& AuditTrailInstance() {
    static std::unique_ptr<AuditTrail> instance;
    return instance;
}

std::unique_ptr<CommandAudit>& AuditInstance() {
    static std::unique_ptr<CommandAudit> instance;
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

KestovaMain& Main() {
    return CreatedOnFirstUse(MainInstance());
}

FrmSplash& Splash() {
    return CreatedOnFirstUse(SplashInstance());
}

CommandAudit& Audit() {
    return CreatedOnFirstUse(AuditInstance());
}

AuditTrail& AuditTrailWindow() {
    return CreatedOnFirstUse(AuditTrailInstance());
}

void ReleaseProgram() {
    AuditTrailInstance().reset();
    AuditInstance().reset();
    // The splash may refer to the main window while it goes, so it goes first.
    SplashInstance().reset();
    MainInstance().reset();
    KestovaCode() = ProgramState{};
}

}  // namespace kestova
