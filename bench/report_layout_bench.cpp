// Laying out the ticket and cost report: the server's text of N records (50 staff members, five
// kinds of ticket each, the records of one staff member together) read, summed in cents and laid
// out as the report window shows it, and the same report turned into its two charts. The time
// must grow linearly with N: 100,000 records may take at most 12 times as long as 10,000.
#include <benchmark/benchmark.h>

#include <string>

#include "reports/report_text.h"
#include "reports/sales_chart.h"
#include "reports/sales_report.h"

namespace {

constexpr int kStaff = 50;

std::string ReportText(int records) {
    std::string text;
    const int perStaff = (records + kStaff - 1) / kStaff;
    for (int i = 0; i < records; ++i) {
        if (i > 0) {
            text += '-';
        }
        const int kind = i % 5;
        text += std::to_string(30 * (kind + 1)) + "-" + std::to_string(2 + kind) + ".25-" +
                std::to_string(1 + i % 7) + "-STAFF" + std::to_string(i / perStaff);
    }
    return text;
}

void BM_LayOutReport(benchmark::State& state) {
    const std::string text = ReportText(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const kestova::report::SalesReport report = kestova::report::ReadSalesReport(text);
        std::string laidOut = kestova::report::BodyText(report, "09:00AM 07-Dec-26");
        benchmark::DoNotOptimize(laidOut);
    }
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LayOutReport)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_ChartReport(benchmark::State& state) {
    const kestova::report::SalesReport report =
        kestova::report::ReadSalesReport(ReportText(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        platform::BarChart staff = kestova::report::StaffChart(report);
        platform::BarChart types = kestova::report::TicketTypeChart(report);
        benchmark::DoNotOptimize(staff);
        benchmark::DoNotOptimize(types);
    }
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ChartReport)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace

BENCHMARK_MAIN();
