#include "qt/platform/clock.h"

#include <QDateTime>

namespace qtplatform {

std::chrono::system_clock::time_point QtClock::now() const {
    return std::chrono::system_clock::time_point(
        std::chrono::milliseconds(QDateTime::currentMSecsSinceEpoch()));
}

std::chrono::seconds QtClock::utcOffset(std::chrono::system_clock::time_point at) const {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(at.time_since_epoch());
    return std::chrono::seconds(QDateTime::fromMSecsSinceEpoch(ms.count()).offsetFromUtc());
}

}  // namespace qtplatform
