#pragma once

#include <Qt>
#include <functional>

class QKeyEvent;
class QObject;

namespace qtplatform {

// The character code a typed key gives its KeyPress handler (13 for Enter, 8 for Backspace, 27
// for Escape, the character's code otherwise); 0 for a key that types nothing.
int keyAsciiOf(const QKeyEvent& event);

// Offers a typed character to a KeyPress handler. The handler may drop it (code 0): the event is
// swallowed; or replace it: the replacement is typed into the widget instead. Returns true when
// the original event must be swallowed.
bool offerKeyPress(QObject& widget, const QKeyEvent& event,
                   const std::function<void(int&)>& handler);

// The classic key code (letters and digits as their upper-case codes, F1 = 112, arrows 37-40 …)
// and the shift state (1 Shift, 2 Ctrl, 4 Alt) of a key event, for KeyDown handlers.
int keyCodeOf(const QKeyEvent& event);
int shiftStateOf(Qt::KeyboardModifiers modifiers);

}  // namespace qtplatform
