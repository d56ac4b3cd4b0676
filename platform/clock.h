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
    // How far the local time (the café's clock, summer time included) is ahead of UTC at that
    // moment, for showing a time stamp kept in UTC.
    virtual std::chrono::seconds utcOffset(std::chrono::system_clock::time_point at) const = 0;
};

}  // namespace platform
