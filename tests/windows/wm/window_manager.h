#pragma once

#include <QMargins>
#include <QProcess>
#include <QString>
#include <QWidget>
#include <vector>

namespace kestova::wm {

// openbox on the X display the test runs on, from construction until destruction.
class WindowManager {
public:
    WindowManager();
    ~WindowManager();
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    // True once openbox manages the screen.
    bool running() const { return running_; }
    // What openbox said, for failure messages.
    QString log();

private:
    QProcess openbox_;
    bool running_ = false;
};

// What the window manager tells every program about the screen (read with xprop): the window it
// made active, the windows it manages from the bottom of the stack to the top, and the frame it
// draws around a window (none for a window it does not manage).
WId ActiveWindow();
std::vector<WId> StackingOrder();
QMargins FrameExtents(WId window);

}  // namespace kestova::wm
