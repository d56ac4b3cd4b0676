#pragma once

#include <string>
#include <string_view>

#include "reports/sales_report.h"

// The report as the report window shows and prints it: an indented heading with a rule, one
// section per staff member with a line per kind of ticket and the staff member's totals, then
// the grand totals and the time the report was made. Lines end with CR LF.
namespace kestova::report {

// "     Ticket and Cost Summary for 5 MAR, 2004", a line break and the rule.
std::string HeadText(std::string_view title, std::string_view day, std::string_view month,
                     std::string_view year);

// What follows the head: the staff sections and the totals; `madeAt` is the time of day and
// date the report was made ("hh:mmAMPM dd-mmm-yy").
std::string BodyText(const SalesReport& report, std::string_view madeAt);

// The point-of-sale summary of one staff member, as the operations window shows and prints it:
// "     POS Sales Summary for Today", then (SummaryBodyText) the rule, a line per kind of ticket,
// the rule and an empty line, the staff member, the totals and the time it was made.
std::string SummaryHeadText(std::string_view period);
std::string SummaryBodyText(const SalesReport& summary, std::string_view staff,
                            std::string_view madeAt);

}  // namespace kestova::report
