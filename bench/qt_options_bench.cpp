// Opening the options dialog on the Qt platform, shown offscreen over the console: its loop list
// holds every port offset from 4 up to the stored "Loop". The first opening builds the window;
// from the second on the window is bound already and takes the lists as the dialog fills them.
// An opening at Loop 20000 must stay under 100 ms.
#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QTimer>
#include <string>

#include "bench/shown_console.h"
#include "console/kestova_opt.h"
#include "core/settings.h"
#include "core/settings_table.h"
#include "program/kestova_code.h"

namespace {

// Shows the dialog modally; it closes itself once the window is drawn.
void OpenAndClose(bench::ShownConsole& console) {
    kestova::KestovaOpt& options = kestova::Options();
    QTimer::singleShot(0, [&console, &options] {
        benchmark::DoNotOptimize(console.views().window(options).grab());
        options.Unload();
    });
    options.Show(true);
}

void BM_QtOptionsOpening(benchmark::State& state) {
    bench::ShownConsole console;
    console.views().attach(kestova::Options());
    kestova::WriteSetting(kestova::settings::Loop, std::to_string(state.range(0)));
    OpenAndClose(console);
    for (auto _ : state) {
        OpenAndClose(console);
    }
    const auto* loop = console.views().window(kestova::Options()).findChild<QComboBox*>("Combo1");
    if (loop == nullptr || loop->count() != state.range(0) - 3) {
        state.SkipWithError("the loop list did not reach the window");
    }
}
BENCHMARK(BM_QtOptionsOpening)->Arg(100)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace
