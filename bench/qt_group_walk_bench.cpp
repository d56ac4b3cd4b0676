// The group command bar walking all 255 slots of a café on the Qt platform, the main window
// shown offscreen: the walk paces its messages 50 ms apart, and the window must never look
// frozen meanwhile. The window asks to be repainted every 10 ms throughout (as the window system
// does while another window moves over it). Reported: the walk's time against the paced minimum
// (255 x 50 ms) and the longest gap between two repaints of the main window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <vector>

#include "bench/shown_console.h"
#include "core/program_state.h"
#include "dispatch/dispatcher.h"

namespace {

constexpr int kSlots = 255;
constexpr int kPaceMs = 50;

// The operator answers Yes to the walk's question.
class YesToEverything : public platform::Dialogs {
public:
    int MsgBox(const std::string&, int, const std::string&) override {
        return platform::msgbox::Yes;
    }
    std::string InputBox(const std::string&, const std::string&, const std::string&) override {
        return "y";
    }
    std::string SaveFileName(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
};

// Records when any widget of the window paints.
class PaintClock : public QObject {
public:
    PaintClock(QWidget& window) : window_(window) {
        clock_.start();
        qApp->installEventFilter(this);
    }
    ~PaintClock() override { qApp->removeEventFilter(this); }
    double longestGapMs() const {
        double longest = 0;
        for (std::size_t i = 1; i < paints_.size(); ++i) {
            longest = std::max(longest, static_cast<double>(paints_[i] - paints_[i - 1]) / 1e6);
        }
        return longest;
    }
    std::size_t paints() const { return paints_.size(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget != nullptr && widget->window() == &window_) {
                paints_.push_back(clock_.nsecsElapsed());
            }
        }
        return false;
    }

private:
    QWidget& window_;
    QElapsedTimer clock_;
    std::vector<qint64> paints_;
};

void BM_GroupBarWalksAllSlots(benchmark::State& state) {
    YesToEverything yes;
    bench::ShownConsole console(&yes);
    kestova::KestovaMain& main = console.main();
    for (const std::string& record : bench::CafeRefresh(kSlots, 0)) {
        kestova::DispatchMessage(main, record);
    }
    kestova::KestovaCode().RightsLevel = "ADMINISTRATOR";
    QApplication::processEvents();
    double longestGap = 0;
    double walkMs = 0;
    for (auto _ : state) {
        main.Combo1.Clear();
        main.Combo1_GotFocus();
        main.Combo1.Text = "Log Off";
        main.Option1.Value = true;
        main.Option1_Click();
        PaintClock paints(console.window());
        QTimer exposure;
        QObject::connect(&exposure, &QTimer::timeout, [&console] { console.window().update(); });
        exposure.start(10);
        QElapsedTimer walk;
        walk.start();
        main.Command1_Click();
        walkMs = static_cast<double>(walk.nsecsElapsed()) / 1e6;
        longestGap = paints.longestGapMs();
        state.counters["paints"] = static_cast<double>(paints.paints());
    }
    state.counters["walk_ms"] = walkMs;
    state.counters["paced_minimum_ms"] = kSlots * kPaceMs;
    state.counters["longest_repaint_gap_ms"] = longestGap;
}
BENCHMARK(BM_GroupBarWalksAllSlots)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
