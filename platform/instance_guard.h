#pragma once

#include <string>

namespace platform {

// The single-instance checks of start-up.
class InstanceGuard {
public:
    virtual ~InstanceGuard() = default;
    // True when another copy of this same program already runs (and keeps the guard otherwise).
    virtual bool previousInstanceRunning() = 0;
    // How many top-level windows, of any program of the desktop, carry this title (compared
    // without regard to case).
    virtual int windowsTitled(const std::string& title) = 0;
};

}  // namespace platform
