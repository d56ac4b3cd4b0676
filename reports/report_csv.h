#pragma once

#include <string_view>
#include <vector>

#include "pos/csv.h"
#include "reports/sales_report.h"

namespace kestova::report {

// The report as spreadsheet rows: a header, one row per staff member and kind of ticket (date,
// staff, minutes, price, tickets, cost), and the grand total last. Amounts are plain numbers
// with two decimals ("1250.00") so that a spreadsheet can sum them.
std::vector<CsvRow> CsvRows(const SalesReport& report, std::string_view date);

}  // namespace kestova::report
