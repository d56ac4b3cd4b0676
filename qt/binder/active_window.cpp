#include "qt/binder/active_window.h"

#include <QApplication>
#include <QPointer>

namespace qtplatform {
namespace {

QPointer<QWidget>& LastActive() {
    static QPointer<QWidget> window;
    return window;
}

bool Usable(const QWidget* window, const QWidget* except) {
    return window != nullptr && window != except && window->isVisible();
}

}  // namespace

QWidget* OwnerWindow(const QWidget* except) {
    for (QWidget* candidate :
         {QApplication::activeModalWidget(), QApplication::activeWindow(), LastActive().data()}) {
        if (Usable(candidate, except)) {
            return candidate->window();
        }
    }
    return nullptr;
}

void NoteWindowActivated(QWidget& window) {
    LastActive() = &window;
}

}  // namespace qtplatform
