#pragma once

#include <optional>

namespace kestova {

class KestovaMain;

// While a window opened from the console shows (the login, an input box, the options, a
// point-of-sale or report window): the supervision timer is stopped, the client grid greyed,
// and, where the window asks, the console busy flag set and the supervision's interval while
// connected lengthened. All of it is undone when this goes (white grid, timer running again,
// busy flag cleared), however the window was left.
class ConsoleDimmed {
public:
    struct Options {
        bool busy = false;
        std::optional<int> intervalWhileConnectedMs;
    };

    ConsoleDimmed(KestovaMain& main, Options options);
    ~ConsoleDimmed();
    ConsoleDimmed(const ConsoleDimmed&) = delete;
    ConsoleDimmed& operator=(const ConsoleDimmed&) = delete;

private:
    KestovaMain& main_;
    bool busy_;
};

}  // namespace kestova
