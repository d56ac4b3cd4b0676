// Speed of the wire codec both ways, in digits per second, from a small message to a flood.

#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "core/wire/codec.h"

namespace {

// Text like the server's: mostly ASCII records with separators, now and then an accented letter.
std::string SampleText(std::size_t characters) {
    static const char* const kPieces[] = {"||UPDATE||",
                                          "20==3==3.==PC3==john==",
                                          "01:20==",
                                          "Logged in==Connected.==",
                                          "10.0.0.13==10:15==",
                                          "caf\u00e9 ",
                                          "1003==0==0==0==0",
                                          "\u20ac5 "};
    std::mt19937 random(42);
    std::string text;
    while (text.size() < characters) {
        text += kPieces[random() % 8];
    }
    // Cut on a character boundary (the multi-byte letters are never cut in half).
    std::size_t end = characters;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        --end;
    }
    text.resize(end);
    return text;
}

void BM_EncodeText(benchmark::State& state) {
    const std::string text = SampleText(static_cast<std::size_t>(state.range(0)) / 3);
    std::size_t digits = 0;
    for (auto _ : state) {
        std::string encoded = wire::EncodeText(text);
        digits = encoded.size();
        benchmark::DoNotOptimize(encoded.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * digits));
}

void BM_DecodeText(benchmark::State& state) {
    const std::string digits =
        wire::EncodeText(SampleText(static_cast<std::size_t>(state.range(0)) / 3));
    for (auto _ : state) {
        std::string decoded = wire::DecodeText(digits);
        benchmark::DoNotOptimize(decoded.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * digits.size()));
}

// Sizes in digits on the wire: 1 KiB, 64 KiB, 1 MiB and 16 MiB.
BENCHMARK(BM_EncodeText)->Arg(1 << 10)->Arg(64 << 10)->Arg(1 << 20)->Arg(16 << 20);
BENCHMARK(BM_DecodeText)->Arg(1 << 10)->Arg(64 << 10)->Arg(1 << 20)->Arg(16 << 20);

}  // namespace

BENCHMARK_MAIN();
