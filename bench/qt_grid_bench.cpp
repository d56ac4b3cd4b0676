// Drawing the client grid on the Qt platform: a full refresh of a 255-slot café (255 UPDATE
// replies through the dispatcher into the grid model, the table adapter's ranged dataChanged and
// the events the dispatcher yields to), then the table view repainted, with the main window
// shown offscreen. A refresh must fit well inside one 60 Hz frame (16 ms).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <string>
#include <vector>

#include "bench/shown_console.h"
#include "console/client_grid.h"
#include "dispatch/dispatcher.h"
#include "qt/binder/grid_order_proxy.h"
#include "qt/binder/tile_board_view.h"

namespace {

constexpr int kSlots = 255;

// Dispatches a refresh and draws the table at once, as the next frame would.
void RefreshAndPaint(bench::ShownConsole& console, const std::vector<std::string>& replies) {
    for (const std::string& reply : replies) {
        kestova::DispatchMessage(console.main(), reply);
    }
    benchmark::DoNotOptimize(console.view().viewport()->grab());
}

// The steady state: every slot is shown already and each refresh rewrites its cells.
void BM_QtGridFullRefresh(benchmark::State& state) {
    bench::ShownConsole console;
    const std::vector<std::string> refreshes[2] = {bench::CafeRefresh(kSlots, 0),
                                                   bench::CafeRefresh(kSlots, 1)};
    RefreshAndPaint(console, refreshes[1]);
    int round = 0;
    for (auto _ : state) {
        RefreshAndPaint(console, refreshes[round]);
        round ^= 1;
    }
    if (console.main().ConList.TextMatrix(kSlots, 1) != "STATION-255") {
        state.SkipWithError("the grid did not take the refresh");
    }
    state.counters["replies"] = kSlots;
}
BENCHMARK(BM_QtGridFullRefresh)->Unit(benchmark::kMillisecond);

// The same refresh with the states drawn at their busiest: a third of the rows marked, and every
// other client in use with only minutes left (each refresh a minute less, then the same again),
// so the ending-soon colour, font and icon are drawn beside the others.
std::vector<std::string> WithSessionsEnding(std::vector<std::string> replies, int round) {
    constexpr std::size_t kEveryOtherInUse = 8;  // a slot divisible by 4 is in use
    for (std::size_t i = kEveryOtherInUse - 1; i < replies.size(); i += kEveryOtherInUse) {
        const std::size_t time = replies[i].find("==01:") + 2;
        const std::size_t end = replies[i].find("==", time);
        replies[i].replace(time, end - time, "00:0" + std::to_string(3 - round));
    }
    return replies;
}

void BM_QtGridFullRefreshMarkedAndEnding(benchmark::State& state) {
    bench::ShownConsole console;
    const std::vector<std::string> refreshes[2] = {
        WithSessionsEnding(bench::CafeRefresh(kSlots, 0), 0),
        WithSessionsEnding(bench::CafeRefresh(kSlots, 1), 1)};
    RefreshAndPaint(console, refreshes[1]);
    kestova::KestovaMain& main = console.main();
    for (int row = 1; row <= kSlots; row += 3) {
        kestova::client_grid::SetMarked(main.ConList, row, true, main.BackColor);
    }
    int round = 0;
    for (auto _ : state) {
        RefreshAndPaint(console, refreshes[round]);
        round ^= 1;
    }
    if (main.ConList.TextMatrix(kSlots - 7, kestova::client_grid::kTime).substr(0, 4) != "00:0" ||
        main.lblMarked.Caption.get() != "85 Marked") {
        state.SkipWithError("the refresh did not carry the ending sessions and marks");
    }
}
BENCHMARK(BM_QtGridFullRefreshMarkedAndEnding)->Unit(benchmark::kMillisecond);

// The view shows its rows in the grid's ascending order.
bool ShownInOrder(bench::ShownConsole& console) {
    const auto& order = dynamic_cast<const qtplatform::GridOrderProxy&>(*console.view().model());
    const ui::Grid& grid = console.main().ConList;
    for (int row = 1; row < order.rowCount(); ++row) {
        if (!grid.RowLess(grid.SortColumn(), order.gridRow(row - 1), order.gridRow(row))) {
            return false;
        }
    }
    return true;
}

// A refresh, the new order of the rows it moved (the view puts them in place once the event loop
// runs out of work) and the table drawn in the new order, as the next frame draws it. False when
// the view did not come into order within a second.
bool RefreshReorderAndPaint(bench::ShownConsole& console, const std::vector<std::string>& replies) {
    for (const std::string& reply : replies) {
        kestova::DispatchMessage(console.main(), reply);
    }
    const QDeadlineTimer deadline(1000);
    QTimer wake;  // so that a view that never comes into order cannot keep the loop asleep
    wake.start(100);
    while (!ShownInOrder(console)) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    QCoreApplication::processEvents();
    return true;
}

// The same with the operator's view on: sorted by the time column, which every refresh changes
// in every row (each record moves its row), a filter that every client passes (each record is
// filtered again, and nothing is left out to spare the view), and every fourth row marked.
void BM_QtGridFullRefreshSortedAndFiltered(benchmark::State& state) {
    bench::ShownConsole console;
    kestova::KestovaMain& main = console.main();
    const std::vector<std::string> refreshes[2] = {bench::CafeRefresh(kSlots, 0),
                                                   bench::CafeRefresh(kSlots, 1)};
    RefreshAndPaint(console, refreshes[1]);
    for (int row = 1; row <= kSlots; row += 4) {
        kestova::client_grid::SetMarked(main.ConList, row, true, main.BackColor);
    }
    main.ConList_HeaderClick(kestova::client_grid::kTime);
    main.txtFilter.Text = "station";
    int round = 0;
    for (auto _ : state) {
        if (!RefreshReorderAndPaint(console, refreshes[round])) {
            state.SkipWithError("the view never showed the new order");
            break;
        }
        round ^= 1;
    }
    if (console.view().model()->rowCount() != kSlots || main.ConList.SortColumn() < 0) {
        state.SkipWithError("the view is not sorted and filtered as set up");
    }
    state.counters["replies"] = kSlots;
}
BENCHMARK(BM_QtGridFullRefreshSortedAndFiltered)->Unit(benchmark::kMillisecond);

// The first refresh after a (re)connection: the table starts from its two empty rows, so the
// view takes the new shape and every row's height as well.
void BM_QtGridFirstFillAfterConnect(benchmark::State& state) {
    bench::ShownConsole console;
    const std::vector<std::string> refresh = bench::CafeRefresh(kSlots, 0);
    for (auto _ : state) {
        state.PauseTiming();
        console.main().ConList.SetRows(2);
        benchmark::DoNotOptimize(console.view().viewport()->grab());
        state.ResumeTiming();
        RefreshAndPaint(console, refresh);
    }
    if (console.view().model()->rowCount() != kSlots) {
        state.SkipWithError("the view did not take the new shape");
    }
}
BENCHMARK(BM_QtGridFirstFillAfterConnect)->Unit(benchmark::kMillisecond);

// The floor map in place of the table, on a 1366x768 screen, at its busiest as above: every
// refresh moves the clock of every tile, a third of them marked and every other client ending.
void BM_QtFloorMapFullRefreshMarkedAndEnding(benchmark::State& state) {
    bench::ShownConsole console;
    kestova::KestovaMain& main = console.main();
    constexpr int kTwipsPerPixel = 15;
    main.Width = 1366 * kTwipsPerPixel;
    main.Height = 740 * kTwipsPerPixel;
    main.ShowFloorMap(true);
    auto* floor = console.window().findChild<qtplatform::TileBoardView*>("Floor");
    const std::vector<std::string> refreshes[2] = {
        WithSessionsEnding(bench::CafeRefresh(kSlots, 0), 0),
        WithSessionsEnding(bench::CafeRefresh(kSlots, 1), 1)};
    for (const std::string& reply : refreshes[1]) {
        kestova::DispatchMessage(main, reply);
    }
    for (int row = 1; row <= kSlots; row += 3) {
        kestova::client_grid::SetMarked(main.ConList, row, true, main.BackColor);
    }
    QCoreApplication::processEvents();
    int round = 0;
    for (auto _ : state) {
        for (const std::string& reply : refreshes[round]) {
            kestova::DispatchMessage(main, reply);
        }
        benchmark::DoNotOptimize(floor->grab());
        round ^= 1;
    }
    if (floor->tileRect(kSlots).isEmpty() ||
        !floor->rect().contains(floor->tileRect(kSlots).toRect())) {
        state.SkipWithError("the floor map does not show the whole café");
    }
    state.counters["tile_width_px"] = floor->tileRect(kSlots).width();
}
BENCHMARK(BM_QtFloorMapFullRefreshMarkedAndEnding)->Unit(benchmark::kMillisecond);

// The floor map's drawing alone: the whole café painted again, nothing changed.
void BM_QtFloorMapRepaint(benchmark::State& state) {
    bench::ShownConsole console;
    kestova::KestovaMain& main = console.main();
    main.ShowFloorMap(true);
    for (const std::string& reply : WithSessionsEnding(bench::CafeRefresh(kSlots, 0), 0)) {
        kestova::DispatchMessage(main, reply);
    }
    auto* floor = console.window().findChild<qtplatform::TileBoardView*>("Floor");
    QCoreApplication::processEvents();
    for (auto _ : state) {
        benchmark::DoNotOptimize(floor->grab());
    }
}
BENCHMARK(BM_QtFloorMapRepaint)->Unit(benchmark::kMillisecond);

}  // namespace
