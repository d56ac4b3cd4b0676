#include "dispatch/dispatcher.h"

#include <algorithm>
#include <array>

#include "console/kestova_main.h"
#include "core/wire/framing.h"
#include "core/wire/replies.h"
#include "dispatch/client_table.h"
#include "dispatch/main_window_replies.h"
#include "dispatch/message_replies.h"
#include "dispatch/pos_replies.h"
#include "dispatch/window_replies.h"

namespace kestova {
namespace {

namespace reply = wire::reply;

constexpr std::array<KeywordRoute, 33> kKeywordTable{{
    {reply::CMessage, HandleClientMessage},
    {reply::IMessage, HandleAddedMessage},
    {reply::Message, HandleServerMessage},
    {reply::DownBill, HandleDownBill},
    {reply::StillConnected, HandleStillConnected},
    {reply::AddPause, HandleAddPause},
    {reply::AddTime, HandleAddTime},
    {reply::CMess, HandleClientMessagesSwitch},
    {reply::PosType, HandlePosType},
    {reply::DisLog, HandleDisableLogging},
    {reply::ShutRest, HandleShutdownAllowed},
    {reply::Prints, HandlePrintControl},
    {reply::UpdateX, HandleUpdateRequest},
    {reply::Type, HandleRightsLevel},
    {reply::Search, HandleTicketSearchAnswer},
    {reply::KestovaUpdate, HandleStaffFigures},
    {reply::Login, HandleLoginAnswer},
    {reply::PrintPos, HandleTicketBatch},
    {reply::PosLog, HandlePosSignIn},
    {reply::NoTicket1, HandleNoTicket},
    {reply::Ticket1, HandleTicketRecord},
    {reply::Activated, HandleTicketActivated},
    {reply::Deactivated, HandleTicketDeactivated},
    {reply::ActMessage, HandleActivationMessage},
    {reply::MActivated, HandleGroupActivated},
    {reply::MDeactivated, HandleGroupDeactivated},
    {reply::MList, HandleGroupList},
    {reply::PosSummary, HandleSalesSummary},
    {reply::ReportSummary, HandleReportSummary},
    {reply::NoReportSummary, HandleNoReportSummary},
    {reply::NoPosSummary, HandleNoSalesSummary},
    {reply::Update, HandleClientUpdate},
    {reply::QuickType, HandleQuickTicketTypes},
}};

}  // namespace

std::span<const KeywordRoute> KeywordTable() {
    return kKeywordTable;
}

ReplyHandler FindReplyHandler(std::string_view keyword) {
    const auto route =
        std::find_if(kKeywordTable.begin(), kKeywordTable.end(),
                     [keyword](const KeywordRoute& r) { return r.keyword == keyword; });
    return route == kKeywordTable.end() ? nullptr : route->handler;
}

void DispatchElements(KestovaMain& main, const std::vector<std::string>& elements) {
    const auto first = wire::FirstPairIndex(elements);
    if (!first.has_value()) {
        return;
    }
    // The step is always two elements, whatever number of values a reply carries: the values
    // beyond the first are examined as keywords too, and pass over unless one equals a keyword.
    for (std::size_t cursor = *first; cursor < elements.size(); cursor += 2) {
        if (const ReplyHandler handler = FindReplyHandler(wire::UpperAscii(elements[cursor]))) {
            handler(main, Reply(elements, cursor));
        }
    }
}

void DispatchMessage(KestovaMain& main, std::string_view plainMessage) {
    DispatchElements(main, wire::SplitElements(plainMessage));
}

void ListenDataArrival(KestovaMain& main) {
    main.Receiver().DataArrived();
}

}  // namespace kestova
