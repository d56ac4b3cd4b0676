#include "server/engine/tickets.h"

#include <cctype>
#include <set>

#include "core/wire/framing.h"
#include "server/engine/texts.h"

namespace zarnevo {
namespace {

// Letters and digits that cannot be mistaken for each other on a receipt (no 0/O, 1/I/L).
constexpr std::string_view kCredentialAlphabet = "ABCDEFGHJKMNPQRSTUVWXYZ23456789";
constexpr std::size_t kUserLength = 8;
constexpr std::size_t kPasswordLength = 8;
constexpr std::int64_t kDayMs = 24LL * 3600 * 1000;
constexpr int kAttempts = 20;

bool ConstantTimeEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    unsigned char difference = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    }
    return difference == 0;
}

}  // namespace

std::optional<BatchOrder> ParseBatchOrder(std::string_view text) {
    const std::vector<std::string> fields = SplitOn(text, "|");
    if (fields.size() != 7)
        return std::nullopt;
    const auto minutes = ParseCount(fields[0], 599'940);
    const auto count = ParseCount(fields[1], kMaxTicketsPerBatch);
    const auto cost = ParseMoney(fields[2]);
    const auto vip = ParseTruth(fields[3]);
    const auto timeTicket = ParseTruth(fields[4]);
    const auto once = ParseTruth(fields[5]);
    const std::string staff = wire::UpperAscii(Trim(fields[6]));
    if (!minutes || *minutes < 1 || !count || *count < 1 || !cost || !vip || !timeTicket || !once ||
        staff.empty()) {
        return std::nullopt;
    }
    return BatchOrder{static_cast<int>(*minutes),
                      static_cast<int>(*count),
                      *cost,
                      *vip,
                      *timeTicket,
                      *once,
                      staff};
}

std::optional<TicketBatch> DrawBatch(const Store& store, RandomSource& random,
                                     const BatchOrder& order, int validDays, std::int64_t nowMs) {
    TicketBatch batch;
    for (int attempt = 0; attempt < kAttempts && batch.group.empty(); ++attempt) {
        const std::string group = random.text("0123456789", kGroupLength);
        if (!store.groupExists(group))
            batch.group = group;
    }
    if (batch.group.empty())
        return std::nullopt;
    batch.staff = order.staff;
    batch.createdAtMs = nowMs;
    std::set<std::string> users;
    for (int number = 1; number <= order.count; ++number) {
        std::string user;
        for (int attempt = 0; attempt < kAttempts && user.empty(); ++attempt) {
            std::string candidate = random.text(kCredentialAlphabet, kUserLength);
            if (!users.contains(candidate) && !store.findTicket(candidate))
                user = candidate;
        }
        if (user.empty())
            return std::nullopt;
        users.insert(user);
        Ticket ticket;
        ticket.group = batch.group;
        ticket.number = number;
        ticket.user = user;
        ticket.password = random.text(kCredentialAlphabet, kPasswordLength);
        ticket.seconds = static_cast<std::int64_t>(order.minutes) * 60;
        ticket.secondsLeft = ticket.seconds;
        ticket.cost = order.cost;
        ticket.vip = order.vip;
        ticket.timeTicket = order.timeTicket;
        ticket.once = order.once;
        ticket.validDays = validDays;
        ticket.activated = true;
        ticket.activatedBy = order.staff;
        ticket.activatedAtMs = nowMs;
        batch.tickets.push_back(ticket);
    }
    return batch;
}

std::optional<TicketBatch> MakeBatch(Store& store, RandomSource& random, const BatchOrder& order,
                                     int validDays, std::int64_t nowMs) {
    // A second draw covers the unlikely case that another request took a name meanwhile.
    for (int attempt = 0; attempt < 2; ++attempt) {
        auto batch = DrawBatch(store, random, order, validDays, nowMs);
        if (!batch)
            return std::nullopt;
        const Sale sale{order.staff, nowMs, batch->group, order.minutes, order.cost, order.count};
        if (store.addBatch(*batch, sale))
            return batch;
    }
    return std::nullopt;
}

std::string TicketNumberText(int number) {
    std::string text = std::to_string(number);
    while (text.size() < 3)
        text.insert(text.begin(), '0');
    return text;
}

std::string BatchText(const TicketBatch& batch) {
    std::string text;
    for (const Ticket& ticket : batch.tickets) {
        const auto expiry = ExpiryMs(ticket);
        const std::string expiryText = ticket.validDays > 0 ? std::to_string(ticket.validDays)
                                       : expiry             ? IsoDateText(*expiry)
                                                            : "0";
        const std::vector<std::string> fields = {ticket.user,
                                                 ticket.password,
                                                 std::to_string(ticket.seconds / 60),
                                                 MoneyText(ticket.cost),
                                                 expiryText,
                                                 ticket.group,
                                                 TicketNumberText(ticket.number),
                                                 TruthText(ticket.timeTicket),
                                                 TruthText(ticket.once)};
        for (const std::string& field : fields) {
            if (!text.empty())
                text += "|";
            text += field;
        }
    }
    return text;
}

std::string TicketRecord(const Ticket& ticket) {
    const auto expiry = ExpiryMs(ticket);
    const std::vector<std::string> pieces = {ticket.user,
                                             std::to_string(ticket.secondsLeft),
                                             ticket.group,
                                             TruthText(ticket.activated),
                                             MoneyText(ticket.cost),
                                             TruthText(ticket.timeTicket),
                                             TruthText(ticket.once),
                                             std::to_string(ticket.validDays),
                                             expiry ? IsoDateText(*expiry) : "0",
                                             ticket.activatedBy,
                                             TicketNumberText(ticket.number)};
    std::string record;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            record += "|";
        record += pieces[i];
    }
    return record;
}

std::optional<std::int64_t> ExpiryMs(const Ticket& ticket) {
    if (ticket.validDays > 0) {
        if (!ticket.activated)
            return std::nullopt;
        return ticket.activatedAtMs + ticket.validDays * kDayMs;
    }
    if (ticket.expiresAtMs > 0)
        return ticket.expiresAtMs;
    return std::nullopt;
}

bool IsExpired(const Ticket& ticket, std::int64_t nowMs) {
    const auto expiry = ExpiryMs(ticket);
    return expiry && nowMs >= *expiry;
}

std::optional<std::string> TicketLoginRefusal(const std::optional<Ticket>& ticket,
                                              std::string_view password, std::int64_t nowMs) {
    if (!ticket || !ConstantTimeEqual(ticket->password, password)) {
        return "Username/Password Incorrect!";
    }
    if (!ticket->activated)
        return "Ticket not activated!";
    if (IsExpired(*ticket, nowMs))
        return "Ticket expired!";
    if (ticket->secondsLeft <= 0)
        return "Ticket has no time left!";
    return std::nullopt;
}

bool IsGroupText(std::string_view text) {
    if (text.size() != kGroupLength)
        return false;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    }
    return true;
}

}  // namespace zarnevo
