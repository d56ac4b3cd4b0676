#include "reports/sales_chart.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <tuple>

#include "core/convert.h"

namespace kestova::report {
namespace {

constexpr std::size_t kMostBars = 8;

// What one bar adds up. No sum can overflow: each is part of the report's own totals.
struct Sales {
    std::string label;
    std::int64_t tickets = 0;
    std::int64_t costCents = 0;

    void Add(std::int64_t moreTickets, std::int64_t moreCents) {
        tickets += moreTickets;
        costCents += moreCents;
    }
};

// Sales added up by a key, in the order the keys first came.
template <typename Key>
class Tally {
public:
    // The sales of the key, none yet when it is new.
    Sales& Of(const Key& key, const std::string& label) {
        const auto [at, isNew] = index_.try_emplace(key, sums_.size());
        if (isNew) {
            sums_.push_back(Sales{label});
        }
        return sums_[at->second];
    }
    std::vector<Sales> Sums() && { return std::move(sums_); }

private:
    std::map<Key, std::size_t> index_;
    std::vector<Sales> sums_;
};

std::string TicketsText(std::int64_t tickets) {
    return std::to_string(tickets) + (tickets == 1 ? " ticket" : " tickets");
}

platform::BarChart ChartOf(std::string title, std::vector<Sales> sums) {
    std::stable_sort(sums.begin(), sums.end(),
                     [](const Sales& a, const Sales& b) { return a.costCents > b.costCents; });
    if (sums.size() > kMostBars) {
        Sales rest{std::to_string(sums.size() - kMostBars + 1) + " others"};
        for (std::size_t i = kMostBars - 1; i < sums.size(); ++i) {
            rest.Add(sums[i].tickets, sums[i].costCents);
        }
        sums.resize(kMostBars - 1);
        sums.push_back(std::move(rest));
    }
    platform::BarChart chart{std::move(title), {}};
    for (const Sales& sales : sums) {
        chart.bars.push_back(
            {sales.label, static_cast<double>(sales.costCents) / 100,
             "#" + CentsFormat(sales.costCents) + " (" + TicketsText(sales.tickets) + ")"});
    }
    return chart;
}

}  // namespace

platform::BarChart StaffChart(const SalesReport& report) {
    Tally<std::string> tally;
    for (const StaffSales& staff : report.staff) {
        // A staff member whose records all failed to read still has a bar, of nothing.
        Sales& sales = tally.Of(staff.staff, staff.staff);
        for (const SalesLine& line : staff.lines) {
            sales.Add(line.tickets, line.costCents);
        }
    }
    return ChartOf("Sales by Staff Member", std::move(tally).Sums());
}

platform::BarChart TicketTypeChart(const SalesReport& report) {
    Tally<std::tuple<std::string, std::int64_t>> tally;
    for (const StaffSales& staff : report.staff) {
        for (const SalesLine& line : staff.lines) {
            tally
                .Of({line.minutes, line.priceCents},
                    line.minutes + "min(s) at #" + CentsFormat(line.priceCents))
                .Add(line.tickets, line.costCents);
        }
    }
    return ChartOf("Sales by Ticket Type", std::move(tally).Sums());
}

}  // namespace kestova::report
