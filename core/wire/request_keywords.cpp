#include "core/wire/request_keywords.h"

#include <array>

namespace wire::request {
namespace {

constexpr std::array<std::string_view, 40> kKeywords = {
    Authenticating,
    YesConnect,
    Update,
    Login,
    Allocate,
    Deallocate,
    Pause,
    LogOff,
    Disconnect,
    AllowPrint,
    PreventPrint,
    UpdateClient,
    ClientInformation,
    Kestova,
    PauseAll,
    UnpauseAll,
    Reset,
    DisLog,
    AllowPause,
    AllowTime,
    DisMess,
    Broadcast,
    SMessage,
    PosLog,
    UpdatePos,
    PosTicket,
    Ticket1,
    Ticket2,
    Activate1,
    Activate2,
    MActivate1,
    MActivate2,
    Deactivate1,
    Deactivate2,
    MDeactivate1,
    MDeactivate2,
    PosSummary,
    Search,
    ReportSummary,
    ReportSummary2,
};

}  // namespace

std::span<const std::string_view> Keywords() {
    return kKeywords;
}

}  // namespace wire::request
