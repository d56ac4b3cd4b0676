#pragma once

#include <string>
#include <vector>

#include "platform/notifier.h"
#include "tests/sim/sim_loop.h"

namespace sim {

// The desktop's notifications and sounds: records what the program asked for, and when.
class SimNotifier : public platform::Notifier {
public:
    struct Notification {
        Ms atMs = 0;
        std::string title;
        std::string text;
    };

    explicit SimNotifier(const SimLoop& loop) : loop_(loop) {}

    void notify(const std::string& title, const std::string& text) override {
        notifications_.push_back({loop_.now(), title, text});
    }
    void playAlertSound() override { ++sounds_; }

    const std::vector<Notification>& notifications() const { return notifications_; }
    int soundsPlayed() const { return sounds_; }

private:
    const SimLoop& loop_;
    std::vector<Notification> notifications_;
    int sounds_ = 0;
};

}  // namespace sim
