#include "reports/sales_report.h"

#include <optional>

#include "core/convert.h"

namespace kestova::report {
namespace {

std::vector<std::string_view> SplitFields(std::string_view text) {
    std::vector<std::string_view> fields;
    while (true) {
        const std::size_t end = text.find('-');
        fields.push_back(text.substr(0, end));
        if (end == std::string_view::npos) {
            return fields;
        }
        text.remove_prefix(end + 1);
    }
}

// The line of a record whose price and count read as money and a whole count, with its cost.
std::optional<SalesLine> ReadLine(std::string_view minutes, std::string_view price,
                                  std::string_view count) {
    const auto priceCents = ToCents(price);
    const auto number = ToNumber(count);
    const auto tickets = number ? ToWholeNumber(*number) : std::nullopt;
    if (!priceCents || !tickets || *tickets != *number) {
        return std::nullopt;
    }
    SalesLine line{std::string(minutes), std::string(count), *tickets, *priceCents, 0};
    if (__builtin_mul_overflow(line.tickets, line.priceCents, &line.costCents)) {
        return std::nullopt;
    }
    return line;
}

bool AddTo(std::int64_t& sum, std::int64_t amount) {
    return !__builtin_add_overflow(sum, amount, &sum);
}

// Reads records of `fieldsPerRecord` fields: minutes, price, count, and the staff member's name
// as the fourth field, or `staff` for every record when the records have three.
SalesReport ReadRecords(std::string_view text, std::size_t fieldsPerRecord,
                        std::string_view staff) {
    SalesReport report;
    const std::vector<std::string_view> fields = SplitFields(text);
    // Fewer than three fields hold no record at all; from three on, a record was meant.
    if (fields.size() < 3) {
        return report;
    }
    const std::size_t whole = fields.size() / fieldsPerRecord * fieldsPerRecord;
    if (whole != fields.size()) {
        ++report.recordsLeftOut;
    }
    for (std::size_t k = 0; k < whole; k += fieldsPerRecord) {
        const std::string_view seller = fieldsPerRecord > 3 ? fields[k + 3] : staff;
        if (report.staff.empty() || report.staff.back().staff != seller) {
            report.staff.push_back(StaffSales{std::string(seller), {}, 0, 0});
        }
        StaffSales& section = report.staff.back();
        std::optional<SalesLine> line = ReadLine(fields[k], fields[k + 1], fields[k + 2]);
        // Sums that would overflow leave the record out like an unreadable one, never wrap.
        std::int64_t staffTickets = section.tickets;
        std::int64_t staffCost = section.costCents;
        std::int64_t allTickets = report.tickets;
        std::int64_t allCost = report.costCents;
        if (!line || !AddTo(staffTickets, line->tickets) || !AddTo(staffCost, line->costCents) ||
            !AddTo(allTickets, line->tickets) || !AddTo(allCost, line->costCents)) {
            ++report.recordsLeftOut;
            continue;
        }
        section.tickets = staffTickets;
        section.costCents = staffCost;
        report.tickets = allTickets;
        report.costCents = allCost;
        section.lines.push_back(std::move(*line));
    }
    return report;
}

}  // namespace

SalesReport ReadSalesReport(std::string_view text) {
    return ReadRecords(text, 4, {});
}

SalesReport ReadStaffSummary(std::string_view text, std::string_view staff) {
    return ReadRecords(text, 3, staff);
}

}  // namespace kestova::report
