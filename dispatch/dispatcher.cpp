#include "dispatch/dispatcher.h"

#include <algorithm>
#include <array>

#include "console/kestova_main.h"
#include "core/wire/framing.h"
#include "dispatch/client_table.h"
#include "dispatch/main_window_replies.h"
#include "dispatch/message_replies.h"
#include "dispatch/pos_replies.h"
#include "dispatch/window_replies.h"

namespace kestova {
namespace {

constexpr std::array<KeywordRoute, 33> kKeywordTable{{
    {"CMESSAGE", HandleClientMessage},
    {"IMESSAGE", HandleAddedMessage},
    {"MESSAGE", HandleServerMessage},
    {"DOWNBILL", HandleDownBill},
    {"STILL CONNECTED", HandleStillConnected},
    {"ADDPAUSE", HandleAddPause},
    {"ADDTIME", HandleAddTime},
    {"CMESS", HandleClientMessagesSwitch},
    {"POSTYPE", HandlePosType},
    {"DISLOG", HandleDisableLogging},
    {"SHUTREST", HandleShutdownAllowed},
    {"PRINTS", HandlePrintControl},
    {"UPDATEX", HandleUpdateRequest},
    {"TYPE", HandleRightsLevel},
    {"F-SEARCH", HandleTicketSearchAnswer},
    {"KESTOVAUPDATE", HandleStaffFigures},
    {"F-LOGIN", HandleLoginAnswer},
    {"PRINTPOS", HandleTicketBatch},
    {"F-POSLOG", HandlePosSignIn},
    {"NOTICKET1", HandleNoTicket},
    {"TICKET1", HandleTicketRecord},
    {"ACTIVATED", HandleTicketActivated},
    {"DEACTIVATED", HandleTicketDeactivated},
    {"ACTMESSAGE", HandleActivationMessage},
    {"MACTIVATED", HandleGroupActivated},
    {"MDEACTIVATED", HandleGroupDeactivated},
    {"MLIST", HandleGroupList},
    {"POSSUMMARY", HandleSalesSummary},
    {"REPORTSUMMARY", HandleReportSummary},
    {"NOREPORTSUMMARY", HandleNoReportSummary},
    {"NOPOSSUMMARY", HandleNoSalesSummary},
    {"UPDATE", HandleClientUpdate},
    {"QUICKTYPE", HandleQuickTicketTypes},
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
    main.Receiver.DataArrived();
}

}  // namespace kestova
