// The message window on the Qt platform, shown offscreen: adding a message to a log that a
// console left running for days holds costs no more than adding one to a short log, and a
// message far too long to show costs no more than one at the limit of what is shown.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <string>

#include "core/display_text.h"
#include "core/messages.h"
#include "qt/platform/services.h"
#include "qt/views/form_views.h"

namespace {

std::string ClientMessage(long number) {
    return "PC" + std::to_string(number % 255 + 1) + ": the printer next to me is out of paper, " +
           "could somebody come over please (" + std::to_string(number) + ")";
}

// Appends message number `already` + 1 onwards, each drawn before the next, after `already`
// messages were added untimed.
void BM_AddClientMessage(benchmark::State& state) {
    qtplatform::QtServices services;
    platform::installServices(&services);
    {
        kestova::Messages window;
        qtplatform::FormViews views;
        views.attach(window);
        long added = 0;
        for (; added < state.range(0); ++added) {
            window.AddClientMessage(ClientMessage(added));
        }
        QApplication::processEvents();
        for (auto _ : state) {
            window.AddClientMessage(ClientMessage(++added));
            QApplication::processEvents();
        }
        window.Unload();
    }
    platform::installServices(nullptr);
}
BENCHMARK(BM_AddClientMessage)
    ->Arg(100)
    ->Arg(10000)
    ->Iterations(200)
    ->Unit(benchmark::kMicrosecond);

// A message without a single space, at the limit of what is shown and a hundred times beyond it.
void BM_AddMessageWithoutSpaces(benchmark::State& state) {
    qtplatform::QtServices services;
    platform::installServices(&services);
    {
        kestova::Messages window;
        qtplatform::FormViews views;
        views.attach(window);
        const std::string text(static_cast<std::size_t>(state.range(0)), 'x');
        for (auto _ : state) {
            window.AddClientMessage(text);
            QApplication::processEvents();
            state.PauseTiming();
            window.Unload();
            QApplication::processEvents();
            state.ResumeTiming();
        }
    }
    platform::installServices(nullptr);
}
BENCHMARK(BM_AddMessageWithoutSpaces)
    ->Arg(kestova::kLongestMessageShown)
    ->Arg(100 * kestova::kLongestMessageShown)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
