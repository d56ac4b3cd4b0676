#pragma once

#include <QElapsedTimer>

#include "platform/clock.h"

namespace qtplatform {

class QtClock : public platform::Clock {
public:
    QtClock() { monotonic_.start(); }
    std::chrono::system_clock::time_point now() const override;
    std::int64_t monotonicMs() const override { return monotonic_.elapsed(); }
    std::chrono::seconds utcOffset(std::chrono::system_clock::time_point at) const override;

private:
    QElapsedTimer monotonic_;
};

}  // namespace qtplatform
