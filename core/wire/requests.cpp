#include "core/wire/requests.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "core/wire/framing.h"
#include "core/wire/request_keywords.h"

namespace wire::request {
namespace {

constexpr std::array<std::string_view, 19> kAnswered = {
    Update,       Login,      PosLog,     UpdatePos,     PosTicket,      Ticket1,     Ticket2,
    Activate1,    Activate2,  MActivate1, MActivate2,    Deactivate1,    Deactivate2, MDeactivate1,
    MDeactivate2, PosSummary, Search,     ReportSummary, ReportSummary2,
};

}  // namespace

bool IsAnswered(std::string_view plainMessage) {
    const std::vector<std::string> elements = SplitElements(plainMessage);
    const auto first = FirstPairIndex(elements);
    if (!first.has_value()) {
        return false;
    }
    const std::string& keyword = elements[*first];
    if (std::find(kAnswered.begin(), kAnswered.end(), keyword) == kAnswered.end()) {
        return false;
    }
    const bool givesBatchBack = keyword == PosTicket && *first + 1 < elements.size() &&
                                UpperAscii(elements[*first + 1]) == BatchGivenBack;
    return !givesBatchBack;
}

}  // namespace wire::request
