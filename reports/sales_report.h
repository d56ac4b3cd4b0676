#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The server's ticket and cost report read into staff sections, with sums in whole cents so
// that the totals of any number of sales come out exact.
namespace kestova::report {

// One record: `count` tickets of `minutes` minutes at `priceCents` each.
struct SalesLine {
    std::string minutes;  // as received
    std::string count;    // as received
    std::int64_t tickets = 0;
    std::int64_t priceCents = 0;
    std::int64_t costCents = 0;  // tickets × price
};

struct StaffSales {
    std::string staff;
    std::vector<SalesLine> lines;
    std::int64_t tickets = 0;
    std::int64_t costCents = 0;
};

struct SalesReport {
    std::vector<StaffSales> staff;  // in the order the records came
    std::int64_t tickets = 0;
    std::int64_t costCents = 0;
    // Records that count for nothing: a price or count that is not a number (or not a whole
    // count, or out of range), and a last record cut short (fewer than four fields, in a text
    // of three fields or more).
    int recordsLeftOut = 0;
};

// Reads the report text: records of four fields (minutes, price of one ticket, number of
// tickets, staff name) joined with "-". A record whose price or count does not read still opens
// its staff member's section but adds no line and nothing to the sums.
SalesReport ReadSalesReport(std::string_view text);

// Reads a point-of-sale summary of one staff member: records of three fields (minutes, price of
// one ticket, number sold) joined with "-", all in one section of `staff`. Unreadable and cut
// records count as in ReadSalesReport.
SalesReport ReadStaffSummary(std::string_view text, std::string_view staff);

}  // namespace kestova::report
