// A full refresh of the client table: the server's 255 UPDATE replies for a café of 255 slots,
// decoded, dispatched and laid into the grid model. The console must take them well inside one
// 60 Hz frame (16 ms).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "console/kestova_main.h"
#include "core/machine_store.h"
#include "core/settings_table.h"
#include "core/wire/codec.h"
#include "core/wire/receive.h"
#include "dispatch/dispatcher.h"
#include "program/kestova_code.h"
#include "tests/sim/sim_services.h"

namespace {

constexpr int kSlots = 255;

// One refresh: an UPDATE reply per slot, each its own message; `round` varies the texts so that
// every refresh really changes every row.
std::vector<std::string> RefreshMessages(int round) {
    std::vector<std::string> messages;
    for (int slot = 1; slot <= kSlots; ++slot) {
        const std::string n = std::to_string(slot);
        const std::string minutes = std::to_string((slot + round) % 60);
        messages.push_back("||UPDATE||" + std::to_string(kSlots) + "==" + n + "==" + n + ".==PC-" +
                           n + "==guest" + n + "==00:" + minutes +
                           "==Logged in==Connected.==" + "127.0.1." + n + "==09:" + minutes +
                           "==" + std::to_string(1000 + slot) + "==500==1000==12.5==3.2||");
    }
    return messages;
}

// The console's main window, loaded on the simulated platform (nothing touches a network).
class LoadedConsole {
public:
    LoadedConsole() {
        kestova::CreateRegistryKey(kestova::settings::ServerIp.keyPath);
        kestova::WriteRegistryString(kestova::settings::ServerIp.keyPath,
                                     kestova::settings::ServerIp.valueName, "127.0.0.1");
        kestova::Main().EnsureLoaded();
    }
    ~LoadedConsole() { kestova::ReleaseProgram(); }
    kestova::KestovaMain& main() { return kestova::Main(); }

private:
    sim::SimServices services_;
    sim::InstalledServices installed_{services_};
};

// The whole refresh arrived in one read: split into its messages in send order and dispatched.
void BM_FullRefreshInOneBurst(benchmark::State& state) {
    LoadedConsole console;
    std::string bursts[2];
    for (int round = 0; round < 2; ++round) {
        for (const std::string& message : RefreshMessages(round)) {
            bursts[round] += wire::EncodeText(message);
        }
    }
    wire::ReplyReader reader;
    int round = 0;
    std::int64_t now = 0;
    for (auto _ : state) {
        reader.feed(bursts[round], now);
        now += 1000;
        for (const std::string& message : reader.take(now)) {
            kestova::DispatchMessage(console.main(), message);
        }
        round ^= 1;
    }
    benchmark::DoNotOptimize(console.main().ConList.TextMatrix(kSlots, 3));
    state.counters["replies"] = kSlots;
}
BENCHMARK(BM_FullRefreshInOneBurst)->Unit(benchmark::kMillisecond);

// The refresh arrived as 255 reads, one reply each.
void BM_FullRefreshOneReplyPerRead(benchmark::State& state) {
    LoadedConsole console;
    std::vector<std::string> reads[2];
    for (int round = 0; round < 2; ++round) {
        for (const std::string& message : RefreshMessages(round)) {
            reads[round].push_back(wire::EncodeText(message));
        }
    }
    wire::ReplyReader reader;
    int round = 0;
    std::int64_t now = 0;
    for (auto _ : state) {
        for (const std::string& read : reads[round]) {
            reader.feed(read, now);
            for (const std::string& message : reader.take(now)) {
                kestova::DispatchMessage(console.main(), message);
            }
        }
        now += 1000;
        for (const std::string& message : reader.take(now)) {
            kestova::DispatchMessage(console.main(), message);
        }
        round ^= 1;
    }
    benchmark::DoNotOptimize(console.main().ConList.TextMatrix(kSlots, 3));
}
BENCHMARK(BM_FullRefreshOneReplyPerRead)->Unit(benchmark::kMillisecond);

// Dispatching 255 messages that are already decoded: the dispatcher and the grid model alone.
void BM_DispatchDecodedRefresh(benchmark::State& state) {
    LoadedConsole console;
    std::vector<std::string> messages[2] = {RefreshMessages(0), RefreshMessages(1)};
    int round = 0;
    for (auto _ : state) {
        for (const std::string& message : messages[round]) {
            kestova::DispatchMessage(console.main(), message);
        }
        round ^= 1;
    }
}
BENCHMARK(BM_DispatchDecodedRefresh)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
