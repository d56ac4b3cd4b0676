#pragma once

#include <cstdint>

namespace kestova {

// How the supervision picks the console port for each connection attempt, from the "Option"
// settings "UsePort", "PortNo" and "Loop".
struct PortRotation {
    bool fixedPort = false;         // "UsePort" non-zero: always the offset "PortNo"
    std::int16_t fixedOffset = 10;  // "PortNo"; 10 when it is not a usable number
    int loop = 100;                 // "Loop": the highest offset tried; 3 when not numeric
};

// One connection attempt: the port to connect to (0: none, the offset gives no valid port), the
// offset kept for the next attempt, and whether this attempt also probes the discovery port.
struct ConnectAttempt {
    int port = 0;
    std::int16_t nextOffset = 0;
    bool probeDiscovery = false;
};

// The highest "Loop" the rotation can use: the next offset after it must still fit the
// supervision's 16-bit counter. A larger stored value counts as this one.
inline constexpr int kLargestUsableLoop = INT16_MAX - 1;

PortRotation ReadPortRotation();

// True when 999 + offset is a TCP port and the offset fits the supervision's 16-bit counter.
bool IsUsablePortOffset(long long offset);

// With the defaults the attempts go to 1000, 1001, ... 1100 and start again at 1000; every
// offset that is a multiple of 5 (and the wrap to 0) probes the discovery port.
ConnectAttempt NextConnectAttempt(std::int16_t offset, const PortRotation& rotation);

}  // namespace kestova
