#pragma once

#include "platform/bar_chart.h"
#include "reports/sales_report.h"

// The report's sales as charts: one bar per staff member and one per type of ticket (its length
// and price), each as long as the amount sold and labelled with the amount and the tickets. The
// largest amounts come first; beyond eight bars the smallest are added up in the last one, so a
// chart stays readable whatever the size of the café.
namespace kestova::report {

// "Sales by Staff Member": a staff member's sections counted together wherever they come.
platform::BarChart StaffChart(const SalesReport& report);

// "Sales by Ticket Type": "60min(s) at #100.00", every staff member's sales of it together.
platform::BarChart TicketTypeChart(const SalesReport& report);

}  // namespace kestova::report
