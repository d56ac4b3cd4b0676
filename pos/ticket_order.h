#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/convert.h"

// Reading what the staff member chose in the generation window.
namespace kestova::ticket_order {

// An entry of the quick-ticket list, as the server names it: minutes, "min(s) - ", the cost
// text, " [", the kind and "]", and " - VIP" after a VIP kind: "30min(s) - N50 [Time Once]".
struct QuickTicket {
    double minutes = 0;
    std::string costText;  // "N50"
    double cost = 0;       // 50
    bool vip = false;
    bool timeTicket = false;
    bool once = false;
};

// Nothing when the minutes are not a number.
std::optional<QuickTicket> ParseQuickTicket(std::string_view entry);

// The number the text ends with, read from the longest tail that is numeric: "N100.00" is 100;
// 0 when there is none.
double TrailingNumber(std::string_view text);

// How the confirmation names the expiry: with "ExType" "1" the date "Expire" days after today
// ("26, Dec 2026"), otherwise "ExLog" and " days".
std::string ExpiryText(const DateTime& today);

}  // namespace kestova::ticket_order
