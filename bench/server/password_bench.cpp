// What one log-in costs the server's worker thread: checking a password against its stored hash,
// Argon2id at the interactive level against the stretched SHA-256 of older databases.

#include <benchmark/benchmark.h>

#include "server/engine/password_hash.h"

namespace {

void CheckArgon2idInteractive(benchmark::State& state) {
    const zarnevo::PasswordHash stored = zarnevo::HashPassword("admin");
    for (auto _ : state)
        benchmark::DoNotOptimize(zarnevo::VerifyPassword("wrong", stored));
}
BENCHMARK(CheckArgon2idInteractive)->Unit(benchmark::kMillisecond);

void HashArgon2idInteractive(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(zarnevo::HashPassword("admin"));
}
BENCHMARK(HashArgon2idInteractive)->Unit(benchmark::kMillisecond);

void CheckOlderSha256(benchmark::State& state) {
    const zarnevo::PasswordHash stored =
        zarnevo::LegacyPasswordHash("admin", "00112233445566778899aabbccddeeff");
    for (auto _ : state)
        benchmark::DoNotOptimize(zarnevo::VerifyPassword("wrong", stored));
}
BENCHMARK(CheckOlderSha256)->Unit(benchmark::kMillisecond);

}  // namespace
