#include "connection/port_rotation.h"

#include <algorithm>
#include <limits>

#include "connection/server_protocol.h"
#include "core/convert.h"
#include "core/settings.h"

namespace kestova {
namespace {

constexpr int kMaxOffset = std::numeric_limits<std::int16_t>::max();
constexpr int kHighestPort = 65535;
constexpr int kProbeEvery = 5;

}  // namespace

bool IsUsablePortOffset(long long offset) {
    const long long port = protocol::kConsolePortBase + offset;
    return offset >= std::numeric_limits<std::int16_t>::min() && offset <= kMaxOffset &&
           port >= 1 && port <= kHighestPort;
}

PortRotation ReadPortRotation() {
    PortRotation rotation;
    const auto usePort = ToWholeNumber(ReadSetting(settings::UsePort));
    rotation.fixedPort = usePort.has_value() && *usePort != 0;
    const auto portNo = ToWholeNumber(ReadSetting(settings::PortNo));
    if (portNo.has_value() && IsUsablePortOffset(*portNo)) {
        rotation.fixedOffset = static_cast<std::int16_t>(*portNo);
    }
    const auto loop = ToWholeNumber(ReadSetting(settings::Loop));
    rotation.loop = loop.has_value() ? static_cast<int>(std::clamp<long long>(
                                           static_cast<long long>(*loop), -1, kLargestUsableLoop))
                                     : 3;
    return rotation;
}

ConnectAttempt NextConnectAttempt(std::int16_t offset, const PortRotation& rotation) {
    int next = rotation.fixedPort ? rotation.fixedOffset : offset + 1;
    ConnectAttempt attempt;
    attempt.port = IsUsablePortOffset(next) ? protocol::kConsolePortBase + next : 0;
    // The loop is capped below the largest offset (kLargestUsableLoop), so the rotation never
    // overflows.
    if (next > rotation.loop) {
        next = 0;
    }
    attempt.nextOffset = static_cast<std::int16_t>(next);
    attempt.probeDiscovery = next % kProbeEvery == 0;
    return attempt;
}

}  // namespace kestova
