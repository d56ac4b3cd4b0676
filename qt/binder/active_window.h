#pragma once

#include <QWidget>

namespace qtplatform {

// The window a box or a newly opened window belongs to: the innermost modal window, else the
// active window, else the form window that was active last. Under a window manager the active
// window is briefly none while the focus moves (a box has just closed, a window is being mapped),
// so the last one is kept. Never `except` itself; nullptr when no window is shown.
QWidget* OwnerWindow(const QWidget* except = nullptr);

// Called by a form's window each time it becomes the active one.
void NoteWindowActivated(QWidget& window);

}  // namespace qtplatform
