#include "pos/ticket_batch.h"

#include "core/convert.h"
#include "core/display_text.h"
#include "core/wire/framing.h"

namespace kestova {
namespace {

constexpr std::size_t kFieldsPerTicket = 9;
constexpr std::size_t kGroupLength = 12;

enum Field { User, Password, Minutes, Cost, Expiry, Group, Number, TimeTicket, Once };

std::string ExpiryText(const std::string& field) {
    if (const auto date = ParseDateTime(field)) {
        return FormatDateTime("dd/mmm/yy", *date);
    }
    return field + "day(s)";
}

}  // namespace

std::vector<BatchTicket> ParseTicketBatch(std::string_view batchText) {
    const std::vector<std::string> fields = wire::SplitOn(batchText, "|");
    std::vector<BatchTicket> tickets;
    for (std::size_t first = 0; first + kFieldsPerTicket <= fields.size();
         first += kFieldsPerTicket) {
        const auto field = [&](Field f) -> const std::string& { return fields[first + f]; };
        tickets.push_back(BatchTicket{
            .user = field(User),
            .password = field(Password),
            .minutes = SingleText(static_cast<float>(Val(field(Minutes)))),
            .cost = field(Cost),
            .expiry = ExpiryText(field(Expiry)),
            .groupAndNumber = fields[Group] + "-" + field(Number),
            .timeTicket = ToTruth(field(TimeTicket)).value_or(false),
            .once = ToTruth(field(Once)).value_or(false),
        });
    }
    return tickets;
}

std::string BatchGroup(const std::vector<BatchTicket>& tickets) {
    // Characters, not bytes: a group named in letters beyond ASCII is never cut inside one.
    return tickets.empty() ? std::string()
                           : CutForDisplay(tickets.front().groupAndNumber, kGroupLength, "");
}

}  // namespace kestova
