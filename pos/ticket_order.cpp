#include "pos/ticket_order.h"

#include "core/settings.h"
#include "core/settings_table.h"

namespace kestova::ticket_order {

std::optional<QuickTicket> ParseQuickTicket(std::string_view entry) {
    constexpr std::string_view kMinutesEnd = "min(s) - ";
    constexpr std::string_view kKindStart = " [";
    const std::size_t minutesEnd = entry.find(kMinutesEnd);
    const std::string_view minutes = entry.substr(0, minutesEnd);
    if (!IsNumeric(minutes)) {
        return std::nullopt;
    }
    QuickTicket ticket;
    ticket.minutes = Val(minutes);
    const std::string_view rest = minutesEnd == std::string_view::npos
                                      ? std::string_view()
                                      : entry.substr(minutesEnd + kMinutesEnd.size());
    const std::size_t kindStart = rest.find(kKindStart);
    ticket.costText = std::string(rest.substr(0, kindStart));
    ticket.cost = TrailingNumber(ticket.costText);
    const std::string kind = kindStart == std::string_view::npos
                                 ? std::string()
                                 : "[" + std::string(rest.substr(kindStart + kKindStart.size()));
    ticket.vip = kind.find(" - VIP") != std::string::npos;
    ticket.timeTicket = kind == "[Time Ticket]" || kind == "[Time Once]";
    ticket.once = kind == "[Time Once]";
    return ticket;
}

double TrailingNumber(std::string_view text) {
    for (std::size_t start = 0; start < text.size(); ++start) {
        if (IsNumeric(text.substr(start))) {
            return Val(text.substr(start));
        }
    }
    return 0;
}

std::string ExpiryText(const DateTime& today) {
    if (ReadSetting(settings::ExType) == "1") {
        const int days = ToWholeNumber(ReadSetting(settings::Expire)).value_or(0);
        return FormatDateTime("dd, mmm yyyy", AddDays(today, days));
    }
    return ReadSetting(settings::ExLog) + " days";
}

}  // namespace kestova::ticket_order
