#include <memory>

#include "connection/login_window.h"
#include "console/kestova_main.h"
#include "pos/ticket_info.h"
#include "program/kestova_code.h"
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

TicketInfo& TicketInfoWindow() {
    return CreatedOnFirstUse(TicketInfoInstance());
}

RSummary& RSummaryWindow() {
    return CreatedOnFirstUse(RSummaryInstance());
}

void ReleaseProgram() {
    // The windows opened from the main window, and the splash, may refer to it while they go, so
    // they go first.
    TicketInfoInstance().reset();
    RSummaryInstance().reset();
    SplashInstance().reset();
    MainInstance().reset();
    KestovaCode() = ProgramState{};
}

}  // namespace kestova
