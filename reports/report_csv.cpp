#include "reports/report_csv.h"

#include <string>

#include "core/convert.h"

namespace kestova::report {
namespace {

CsvField Amount(std::int64_t cents) {
    return CsvField::Number(CentsFormat(cents, false));
}

CsvField Count(std::int64_t count) {
    return CsvField::Number(std::to_string(count));
}

}  // namespace

std::vector<CsvRow> CsvRows(const SalesReport& report, std::string_view date) {
    std::vector<CsvRow> rows;
    rows.push_back({CsvField::Text("Date"), CsvField::Text("Staff"), CsvField::Text("Minutes"),
                    CsvField::Text("Price"), CsvField::Text("Tickets"), CsvField::Text("Cost")});
    for (const StaffSales& staff : report.staff) {
        for (const SalesLine& line : staff.lines) {
            // Minutes come as the server sent them; only a number is written as one.
            const CsvField minutes = IsNumeric(line.minutes) ? CsvField::Number(line.minutes)
                                                             : CsvField::Text(line.minutes);
            rows.push_back({CsvField::Text(std::string(date)), CsvField::Text(staff.staff), minutes,
                            Amount(line.priceCents), Count(line.tickets), Amount(line.costCents)});
        }
    }
    rows.push_back({CsvField::Text("Total"), CsvField::Text(""), CsvField::Text(""),
                    CsvField::Text(""), Count(report.tickets), Amount(report.costCents)});
    return rows;
}

}  // namespace kestova::report
