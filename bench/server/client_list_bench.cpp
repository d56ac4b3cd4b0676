// How long the server takes to answer a console's client-list request: the request's digits
// separated and decoded, the engine's one UPDATE per slot, each reply encoded for the wire.

#include <benchmark/benchmark.h>

#include "core/wire/codec.h"
#include "core/wire/request_keywords.h"
#include "server/engine/demo_seed.h"
#include "server/engine/engine.h"
#include "server/engine/memory_store.h"
#include "server/engine/message_assembler.h"

namespace {

// Encodes every message as the host does before writing it.
class EncodingOutbox final : public zarnevo::Outbox {
public:
    void send(zarnevo::ConsoleId, const std::string& plainMessage) override {
        bytes += wire::EncodeText(plainMessage).size();
        ++messages;
    }
    void disconnect(zarnevo::ConsoleId) override {}
    std::size_t bytes = 0;
    std::size_t messages = 0;
};

void ClientListRequest(benchmark::State& state) {
    const int slots = static_cast<int>(state.range(0));
    zarnevo::MemoryStore store;
    EncodingOutbox outbox;
    const std::int64_t now = 1'800'000'000'000;
    zarnevo::SeedDemo(store, 7, now);
    zarnevo::Engine engine(store, outbox, zarnevo::EngineOptions{slots, true, 7, 1.0},
                           [](const std::string&) {});
    engine.consoleConnected(1, "127.0.0.1", now);
    engine.receive(1, "AUTHENTICATING||FALSE||LOCALHOSTNAME||Kestova[bench]||", now);
    engine.tick(now + 60'000);  // the demo café fills some slots
    zarnevo::MessageAssembler assembler(wire::request::Keywords());
    const std::string request = wire::EncodeText("||UPDATE||||");

    for (auto _ : state) {
        outbox.messages = 0;
        for (const auto& message : assembler.feed(request, now).messages) {
            engine.receive(1, message, now + 60'000);
        }
        benchmark::DoNotOptimize(outbox.bytes);
    }
    state.counters["replies"] = static_cast<double>(outbox.messages);
}
BENCHMARK(ClientListRequest)->Arg(20)->Arg(255)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
