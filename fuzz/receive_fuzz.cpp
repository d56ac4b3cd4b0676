// The console's receive path on arbitrary bytes: reads of any length and content at any pace go
// through the assembler, the decoder, the message separator and the pair splitter.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "core/wire/codec.h"
#include "core/wire/framing.h"
#include "core/wire/receive.h"
#include "fuzz/fuzz_check.h"

namespace {

// The messages are a partition of the decoded text: back in chunk order they join to it.
void CheckSeparation(const std::string& decoded) {
    const auto messages = wire::SplitDecodedChunk(decoded);
    std::string joined;
    for (auto it = messages.rbegin(); it != messages.rend(); ++it) {
        FUZZ_CHECK(!it->empty());
        joined += *it;
        for (const wire::Pair& pair : wire::SplitPairs(*it)) {
            FUZZ_CHECK(pair.hasValue || pair.value.empty());
        }
    }
    FUZZ_CHECK(joined == decoded);
}

void Drain(wire::ReceiveAssembler& assembler, std::int64_t now) {
    const auto chunk = assembler.takeChunk(now);
    if (!chunk) {
        return;
    }
    FUZZ_CHECK(chunk->size() % 3 == 0 && !chunk->empty());
    FUZZ_CHECK(assembler.pendingBytes() < 3);
    CheckSeparation(wire::DecodeText(*chunk));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    wire::ReceiveOptions options;
    options.capBytes = input.ConsumeIntegralInRange<std::size_t>(1, 1 << 16);
    options.settleMs = input.ConsumeIntegralInRange<std::int64_t>(0, 40);
    wire::ReceiveAssembler assembler(options, [](const std::string&) {});
    std::int64_t now = 0;
    while (input.remaining_bytes() > 0) {
        switch (input.ConsumeIntegralInRange<int>(0, 3)) {
            case 0:
            case 1: {
                const std::string read = input.ConsumeRandomLengthString(1 << 14);
                const std::size_t before = assembler.pendingBytes();
                const std::size_t dropped = assembler.feed(read, now);
                FUZZ_CHECK(dropped <= read.size());
                FUZZ_CHECK(assembler.pendingBytes() <= before + read.size());
                FUZZ_CHECK(assembler.pendingBytes() <= std::max<std::size_t>(options.capBytes, 3));
                break;
            }
            case 2:
                now += input.ConsumeIntegralInRange<std::int64_t>(0, 60);
                Drain(assembler, now);
                break;
            default:
                CheckSeparation(input.ConsumeRandomLengthString(1 << 12));
                break;
        }
    }
    Drain(assembler, now + options.settleMs);
    return 0;
}
