#pragma once

#include <chrono>
#include <cstdint>

namespace platform {

// Wall-clock time for dates on screens and print-outs, and a monotonic count for time-outs.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::chrono::system_clock::time_point now() const = 0;
    virtual std::int64_t monotonicMs() const = 0;
    // How far the machine's local time is ahead of UTC at this moment (its zone and summer time).
    virtual std::chrono::seconds utcOffset() const { return std::chrono::seconds(0); }
};

}  // namespace platform
