#include "qt/platform/clock.h"

#include <QDateTime>

namespace qtplatform {

std::chrono::system_clock::time_point QtClock::now() const {
    return std::chrono::system_clock::time_point(
        std::chrono::milliseconds(QDateTime::currentMSecsSinceEpoch()));
}

std::chrono::seconds QtClock::utcOffset() const {
    return std::chrono::seconds(QDateTime::currentDateTime().offsetFromUtc());
}

}  // namespace qtplatform
