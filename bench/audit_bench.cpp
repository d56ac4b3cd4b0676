// What the audit trail costs: one audited send (the message classified, its entry chained and
// appended with fsync to a real file), the same without the disk, and verifying and listing a
// long log as the Audit Trail window does when it opens.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "audit/audited_command.h"
#include "audit/trail_rows.h"
#include "core/audit/chain.h"
#include "core/audit/verify.h"
#include "platform/append_only_file.h"
#include "platform/clock.h"

namespace {

constexpr std::string_view kCommand = "||F-ALLOCATE||1800||FALSE||3||";

audit::Entry EntryOf(std::string_view message) {
    const auto command = kestova::AuditedCommandOf(message);
    audit::Entry entry;
    entry.time = "2026-12-08T14:05:00Z";
    entry.who = "ADMINISTRATOR";
    entry.what = command->what;
    entry.client = "PC4";
    entry.port = command->port;
    entry.wire = command->wire;
    return entry;
}

std::string LogOf(int entries) {
    std::string log;
    audit::Tail tail;
    for (int i = 0; i < entries; ++i) {
        audit::Appending appending = audit::Append(tail, EntryOf(kCommand));
        log += appending.bytes;
        tail = appending.tail;
    }
    return log;
}

// The folder is on the disk the console's data folder is on (/tmp is no tmpfs here; set TMPDIR
// to measure another disk).
void BM_AuditedSendWithFsync(benchmark::State& state) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "kestova-bench-XXXXXX").string();
    const std::filesystem::path folder = ::mkdtemp(pattern.data());
    platform::AppendOnlyFile file(folder / "audit.jsonl");
    audit::Tail tail;
    for (auto _ : state) {
        audit::Appending appending = audit::Append(tail, EntryOf(kCommand));
        if (!file.append(appending.bytes)) {
            state.SkipWithError("the log could not be written");
            break;
        }
        tail = appending.tail;
    }
    state.SetItemsProcessed(state.iterations());
    std::filesystem::remove_all(folder);
}

void BM_AuditedSendWithoutDisk(benchmark::State& state) {
    audit::Tail tail;
    for (auto _ : state) {
        audit::Appending appending = audit::Append(tail, EntryOf(kCommand));
        benchmark::DoNotOptimize(appending.bytes.data());
        tail = appending.tail;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_VerifyLog(benchmark::State& state) {
    const std::string log = LogOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const audit::Verification verification = audit::Verify(log);
        benchmark::DoNotOptimize(verification.entries);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(log.size()));
}

class UtcClock : public platform::Clock {
public:
    std::chrono::system_clock::time_point now() const override { return {}; }
    std::int64_t monotonicMs() const override { return 0; }
    std::chrono::seconds utcOffset(std::chrono::system_clock::time_point) const override {
        return std::chrono::hours(1);
    }
};

void BM_ListLog(benchmark::State& state) {
    const std::string log = LogOf(static_cast<int>(state.range(0)));
    const UtcClock clock;
    for (auto _ : state) {
        const std::vector<kestova::TrailRow> rows = kestova::TrailRowsOf(log, clock);
        benchmark::DoNotOptimize(rows.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_AuditedSendWithFsync)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AuditedSendWithoutDisk)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_VerifyLog)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListLog)->Arg(10'000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
