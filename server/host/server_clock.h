#pragma once

#include <chrono>
#include <cstdint>

namespace zarnevo {

// Milliseconds since the Unix epoch that never go backwards: the wall clock is read once at
// start and then advanced by the monotonic clock, so a clock adjustment neither stalls the
// simulated café nor dates a sale wrongly by more than the adjustment.
class ServerClock {
public:
    ServerClock()
        : startWallMs_(std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::system_clock::now().time_since_epoch())
                           .count()),
          start_(std::chrono::steady_clock::now()) {}

    std::int64_t nowMs() const {
        return startWallMs_ + std::chrono::duration_cast<std::chrono::milliseconds>(
                                  std::chrono::steady_clock::now() - start_)
                                  .count();
    }

private:
    std::int64_t startWallMs_;
    std::chrono::steady_clock::time_point start_;
};

}  // namespace zarnevo
