// Drawing the client grid on the Qt platform: a full refresh of a 255-slot café (255 UPDATE
// replies through the dispatcher into the grid model, the table adapter's ranged dataChanged and
// the events the dispatcher yields to), then the table view repainted, with the main window
// shown offscreen. A refresh must fit well inside one 60 Hz frame (16 ms).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "console/kestova_main.h"
#include "dispatch/dispatcher.h"
#include "program/kestova_code.h"
#include "qt/platform/services.h"
#include "qt/views/form_views.h"

namespace {

constexpr int kSlots = 255;
// The supervision is kept from ticking while a benchmark runs: on the way to a server that is
// not there it would cut the table back to two rows.
constexpr int kQuietSupervisionMs = 24 * 60 * 60 * 1000;

// One refresh as a busy café sends it: an UPDATE reply per slot, in several modes, with the
// time texts moved on by `round` so that every refresh changes every row.
std::vector<std::string> CafeRefresh(int round) {
    static constexpr std::array<const char*, 4> kModes = {"Logged in", "Paused", "Ready",
                                                          "Self Timer Mode"};
    std::vector<std::string> replies;
    for (int slot = 1; slot <= kSlots; ++slot) {
        const std::string n = std::to_string(slot);
        const std::string seconds = std::to_string((slot * 7 + round) % 60);
        replies.push_back("||UPDATE||" + std::to_string(kSlots) + "==" + n + "==" + n +
                          ".==STATION-" + n + "==ticket" + n + "==01:" + seconds +
                          "==" + kModes[slot % kModes.size()] + "==Connected.==127.0.1." + n +
                          "==10:" + seconds + "==" + std::to_string(1000 + slot) +
                          "==48000==50000==" + std::to_string(slot % 90) + ".5==7.25||");
    }
    return replies;
}

// The console's main window loaded and shown offscreen on the Qt platform, its configuration in
// a folder of its own that names only 127.0.0.1.
class ShownConsole {
public:
    ShownConsole() {
        QFile machine(configDir_.filePath("machine.ini"));
        machine.open(QIODevice::WriteOnly);
        machine.write("[HKEY_USERS\\.default\\Software\\Zarnevo]\nServerIP=127.0.0.1\n");
        machine.close();
        qputenv("KESTOVA_CONFIG_DIR", configDir_.path().toUtf8());
        platform::installServices(&services_);
        views_ = std::make_unique<qtplatform::FormViews>();
        views_->attach(kestova::Main());
        if (qEnvironmentVariableIsEmpty("HIDDEN"))
            kestova::Main().Show();
        else {
            kestova::Main().EnsureLoaded();
            views_->window(kestova::Main());
        }
        kestova::Main().ListenTimer.SetInterval(kQuietSupervisionMs);
        view_ = views_->window(kestova::Main()).findChild<QTableView*>("ConList");
        QApplication::processEvents();
    }
    ~ShownConsole() {
        views_.reset();
        kestova::ReleaseProgram();
        platform::installServices(nullptr);
        qunsetenv("KESTOVA_CONFIG_DIR");
    }
    kestova::KestovaMain& main() { return kestova::Main(); }
    QTableView& view() { return *view_; }

    // Dispatches a refresh and draws the table at once, as the next frame would.
    void refreshAndPaint(const std::vector<std::string>& replies) {
        for (const std::string& reply : replies) {
            kestova::DispatchMessage(main(), reply);
        }
        benchmark::DoNotOptimize(view_->viewport()->grab());
    }

private:
    QTemporaryDir configDir_;
    qtplatform::QtServices services_;
    std::unique_ptr<qtplatform::FormViews> views_;
    QTableView* view_ = nullptr;
};

// The steady state: every slot is shown already and each refresh rewrites its cells.
void BM_QtGridFullRefresh(benchmark::State& state) {
    ShownConsole console;
    const std::vector<std::string> refreshes[2] = {CafeRefresh(0), CafeRefresh(1)};
    console.refreshAndPaint(refreshes[1]);
    int round = 0;
    for (auto _ : state) {
        console.refreshAndPaint(refreshes[round]);
        round ^= 1;
    }
    if (console.main().ConList.TextMatrix(kSlots, 1) != "STATION-255") {
        state.SkipWithError("the grid did not take the refresh");
    }
    state.counters["replies"] = kSlots;
}
BENCHMARK(BM_QtGridFullRefresh)->Unit(benchmark::kMillisecond);

// The first refresh after a (re)connection: the table starts from its two empty rows, so the
// view takes the new shape and every row's height as well.
void BM_QtGridFirstFillAfterConnect(benchmark::State& state) {
    ShownConsole console;
    const std::vector<std::string> refresh = CafeRefresh(0);
    for (auto _ : state) {
        state.PauseTiming();
        console.main().ConList.SetRows(2);
        benchmark::DoNotOptimize(console.view().viewport()->grab());
        state.ResumeTiming();
        console.refreshAndPaint(refresh);
    }
    if (console.view().model()->rowCount() != kSlots) {
        state.SkipWithError("the view did not take the new shape");
    }
}
BENCHMARK(BM_QtGridFirstFillAfterConnect)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
