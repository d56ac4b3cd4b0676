#include "server/engine/reports.h"

#include <map>
#include <tuple>

#include "server/engine/texts.h"
#include "server/engine/tickets.h"

namespace zarnevo {
namespace {

using Kind = std::pair<int, Cents>;  // minutes, price of one ticket

std::string KindRecord(const Kind& kind, std::int64_t count) {
    return std::to_string(kind.first) + "-" + ShortMoneyText(kind.second) + "-" +
           std::to_string(count);
}

// Net counts per staff member and kind, leaving out kinds that came to nothing.
using Tally = std::map<std::string, std::map<Kind, std::int64_t>>;

std::vector<std::string> TallyRecords(const Tally& tally, bool withStaff) {
    std::vector<std::string> records;
    for (const auto& [staff, kinds] : tally) {
        for (const auto& [kind, count] : kinds) {
            if (count == 0)
                continue;
            records.push_back(KindRecord(kind, count) + (withStaff ? "-" + staff : ""));
        }
    }
    return records;
}

Tally SalesTally(const Store& store, std::int64_t dayStartMs) {
    Tally tally;
    for (const Sale& sale : store.salesBetween(dayStartMs, NextLocalDayStart(dayStartMs))) {
        tally[sale.staff][{sale.minutes, sale.unitCost}] += sale.tickets;
    }
    return tally;
}

}  // namespace

StaffFigures FiguresOfDay(const Store& store, std::string_view staff, std::int64_t dayMs) {
    const std::int64_t start = LocalDayStartOf(dayMs);
    StaffFigures figures;
    for (const Sale& sale : store.salesBetween(start, NextLocalDayStart(start))) {
        if (sale.staff != staff)
            continue;
        figures.tickets += sale.tickets;
        figures.cost += sale.unitCost * sale.tickets;
    }
    return figures;
}

std::string SalesSummaryText(const Store& store, std::string_view staff, std::int64_t dayMs) {
    const Tally all = SalesTally(store, LocalDayStartOf(dayMs));
    const auto mine = all.find(std::string(staff));
    if (mine == all.end())
        return {};
    return Join(TallyRecords(Tally{*mine}, false), "-");
}

std::string DayReportText(const Store& store, std::int64_t dayStartMs) {
    return Join(TallyRecords(SalesTally(store, dayStartMs), true), "-");
}

std::optional<std::int64_t> ParseReportDate(std::string_view text) {
    const std::vector<std::string> parts = SplitOn(text, "-");
    if (parts.size() != 3)
        return std::nullopt;
    const auto day = ParseCount(parts[0], 31);
    const auto month = ParseCount(parts[1], 12);
    const auto year = ParseCount(parts[2], 9999);
    if (!day || !month || !year)
        return std::nullopt;
    return LocalDayStart(static_cast<int>(*year), static_cast<int>(*month), static_cast<int>(*day));
}

std::string TicketInformationText(const Ticket& ticket, std::string_view inUseOn,
                                  std::int64_t nowMs) {
    std::string type = "Normal Ticket";
    if (ticket.timeTicket)
        type = ticket.once ? "Time Once" : "Time Ticket";
    if (ticket.vip)
        type += " (VIP)";
    const auto expiry = ExpiryMs(ticket);
    std::string expires = "Never";
    if (expiry) {
        expires = IsoDateText(*expiry);
    } else if (ticket.validDays > 0) {
        expires = std::to_string(ticket.validDays) + " day(s) after activation";
    }
    std::string status = "Not activated";
    if (ticket.activated) {
        status = "Activated by " + ticket.activatedBy + " at " + LogTimeText(ticket.activatedAtMs);
    }
    if (IsExpired(ticket, nowMs))
        status += " (expired)";
    const std::vector<std::string> lines = {
        "Username: " + ticket.user,
        "Ticket Group/No.: " + ticket.group + "/" + TicketNumberText(ticket.number),
        "Time on Ticket: " + std::to_string(ticket.seconds / 60) + " min(s)",
        "Time Left: " + DurationText(ticket.secondsLeft),
        "Cost: " + MoneyText(ticket.cost),
        "Type: " + type,
        "Expires: " + expires,
        "Status: " + status,
        "In Use on: " + (inUseOn.empty() ? std::string("-") : std::string(inUseOn))};
    std::string text;
    for (const std::string& line : lines) {
        if (!text.empty())
            text += "\r\n";
        text += line;
    }
    return text;
}

}  // namespace zarnevo
