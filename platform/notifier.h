#pragma once

#include <string>

namespace platform {

// Reaches the operator outside the program's windows, for what must not wait until they look at
// the console again. Neither call waits for the desktop, and neither fails to its caller: a
// desktop that cannot show or play something simply does not.
class Notifier {
public:
    virtual ~Notifier() = default;
    // A desktop notification: a title and a line of text.
    virtual void notify(const std::string& title, const std::string& text) = 0;
    // A short sound that calls for attention.
    virtual void playAlertSound() = 0;
};

}  // namespace platform
