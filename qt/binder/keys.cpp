#include "qt/binder/keys.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace qtplatform {

int keyAsciiOf(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return 0;  // moves the focus on; a box never sees it as a typed character
        default:
            break;
    }
    const QString text = event.text();
    if (text.isEmpty()) {
        return 0;
    }
    return static_cast<int>(text.toUcs4().value(0));
}

bool offerKeyPress(QObject& widget, const QKeyEvent& event,
                   const std::function<void(int&)>& handler) {
    // A key we type ourselves as a replacement is not offered again.
    static bool typingReplacement = false;
    const int original = keyAsciiOf(event);
    if (!handler || original == 0 || typingReplacement) {
        return false;
    }
    int code = original;
    handler(code);
    if (code == original) {
        return false;
    }
    if (code != 0) {
        const int key = code == 13 ? Qt::Key_Return : code == 8 ? Qt::Key_Backspace : 0;
        const char32_t character = static_cast<char32_t>(code);
        QKeyEvent replacement(QEvent::KeyPress, key, Qt::NoModifier,
                              QString::fromUcs4(&character, 1));
        typingReplacement = true;
        QCoreApplication::sendEvent(&widget, &replacement);
        typingReplacement = false;
    }
    return true;
}

int keyCodeOf(const QKeyEvent& event) {
    const int key = event.key();
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
        return key;  // the same codes in both worlds
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return 112 + (key - Qt::Key_F1);
    }
    switch (key) {
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Tab:
            return 9;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Space:
            return 32;
        case Qt::Key_PageUp:
            return 33;
        case Qt::Key_PageDown:
            return 34;
        case Qt::Key_End:
            return 35;
        case Qt::Key_Home:
            return 36;
        case Qt::Key_Left:
            return 37;
        case Qt::Key_Up:
            return 38;
        case Qt::Key_Right:
            return 39;
        case Qt::Key_Down:
            return 40;
        case Qt::Key_Insert:
            return 45;
        case Qt::Key_Delete:
            return 46;
        default:
            return 0;
    }
}

int shiftStateOf(Qt::KeyboardModifiers modifiers) {
    return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) |
           (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) |
           (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

}  // namespace qtplatform
