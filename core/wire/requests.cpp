#include "core/wire/requests.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "core/wire/framing.h"

namespace wire::request {
namespace {

// A ticket request, or with the value "FALSE" a batch given back.
constexpr std::string_view kTicketRequest = "POSTICKET";
constexpr std::string_view kBatchGivenBack = "FALSE";

constexpr std::array<std::string_view, 19> kAnswered = {
    "UPDATE",       "F-LOGIN",     "F-POSLOG",        "F-UPDATEPOS",      kTicketRequest,
    "F-TICKET1",    "F-TICKET2",   "ACTIVATE1",       "ACTIVATE2",        "MACTIVATE1",
    "MACTIVATE2",   "DEACTIVATE1", "DEACTIVATE2",     "MDEACTIVATE1",     "MDEACTIVATE2",
    "F-POSSUMMARY", "F-SEARCH",    "F-REPORTSUMMARY", "F-REPORTSUMMARY2",
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
    const bool givesBatchBack = keyword == kTicketRequest && *first + 1 < elements.size() &&
                                UpperAscii(elements[*first + 1]) == kBatchGivenBack;
    return !givesBatchBack;
}

}  // namespace wire::request
