#include "qt/binder/form_binding.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDialog>
#include <QMenu>
#include <QScreen>
#include <QWindowStateChangeEvent>
#include <algorithm>

#include "qt/binder/appearance.h"
#include "qt/binder/control_binding.h"
#include "qt/platform/text.h"

namespace qtplatform {
namespace {
constexpr int kTwipsPerPixel = 15;
}

FormBinding::FormBinding(ui::Form& form, QWidget& window)
    : QObject(&window), form_(form), window_(&window) {
    form_.setView(this);
    window.installEventFilter(this);
    // A dialog that closes itself (Escape on a QDialog) asks the form like the close box does.
    if (auto* dialog = qobject_cast<QDialog*>(&window)) {
        QObject::connect(dialog, &QDialog::finished, this, [this] {
            if (!applying_ && form_.Visible && !form_.CloseRequested()) {
                window_->show();
            }
        });
    }
}

FormBinding::~FormBinding() {
    if (form_.view() == this) {
        form_.setView(nullptr);
    }
}

void FormBinding::addControl(ui::Control& control, ControlBinding& binding) {
    controls_[&control] = &binding;
}

void FormBinding::applyAll() {
    for (const char* property :
         {"Caption", "Enabled", "TopMost", "BackColor", "Left", "WindowState", "Visible"}) {
        apply(property);
    }
}

void FormBinding::formPropertyChanged(ui::Form&, std::string_view property) {
    apply(property);
}

void FormBinding::apply(std::string_view property) {
    if (window_ == nullptr) {
        return;
    }
    const bool wasApplying = std::exchange(applying_, true);
    QWidget& window = *window_;
    if (property == "Caption") {
        window.setWindowTitle(toQt(form_.Caption));
    } else if (property == "Enabled") {
        window.setEnabled(form_.Enabled);
    } else if (property == "TopMost") {
        const bool shown = window.isVisible();
        window.setWindowFlag(Qt::WindowStaysOnTopHint, form_.TopMost);
        if (shown) {
            window.show();  // changing window flags hides the window
        }
    } else if (property == "BackColor") {
        applyColor(window, QPalette::Window, form_.BackColor);
    } else if (property == "Left" || property == "Top" || property == "Width" ||
               property == "Height") {
        applyGeometry();
    } else if (property == "WindowState") {
        window.setWindowState(form_.WindowState == 1   ? Qt::WindowMinimized
                              : form_.WindowState == 2 ? Qt::WindowMaximized
                                                       : Qt::WindowNoState);
    } else if (property == "Visible") {
        if (form_.Visible) {
            if (!placed_) {
                placeCentred();
            }
            window.show();
            window.raise();
            window.activateWindow();
        } else if (window.isVisible()) {
            window.hide();
            emit windowHidden();
        }
    }
    applying_ = wasApplying;
}

// Positions and sizes in twips; a zero leaves the layout's own. Wherever the form moves it, the
// window stays wholly on its screen.
void FormBinding::applyGeometry() {
    QWidget& window = *window_;
    if (form_.Width > 0 && form_.Height > 0) {
        window.resize(form_.Width / kTwipsPerPixel, form_.Height / kTwipsPerPixel);
    }
    if (form_.Left != 0 || form_.Top != 0) {
        window.move(form_.Left / kTwipsPerPixel, form_.Top / kTwipsPerPixel);
    }
    keepOnScreen();
}

// The first time the window shows it opens centred on the window it is opened from (the active
// one), or on the screen when there is none.
void FormBinding::placeCentred() {
    placed_ = true;
    QWidget& window = *window_;
    const QWidget* owner = QApplication::activeWindow();
    const QRect area = owner != nullptr && owner != &window && owner->isVisible()
                           ? owner->frameGeometry()
                           : availableArea();
    // A form that sizes itself is centred at its own size, also when it opens rolled up to be
    // unrolled about its centre; others at their layout's.
    const QSize size = form_.Width > 0
                           ? QSize(form_.Width / kTwipsPerPixel, form_.Height / kTwipsPerPixel)
                           : window.size();
    QRect placed(QPoint(), size);
    placed.moveCenter(area.center());
    window.move(placed.topLeft());
    keepOnScreen();
}

QRect FormBinding::availableArea() const {
    const QScreen* screen =
        window_->screen() != nullptr ? window_->screen() : QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

// Moves the window (and shrinks it, when it is larger than the screen) so that it lies wholly
// on the screen, and tells the form where it ended up.
void FormBinding::keepOnScreen() {
    QWidget& window = *window_;
    const QRect area = availableArea();
    QRect frame(window.pos(), window.size());
    frame.setSize(frame.size().boundedTo(area.size()));
    frame.moveLeft(std::clamp(frame.left(), area.left(), area.right() + 1 - frame.width()));
    frame.moveTop(std::clamp(frame.top(), area.top(), area.bottom() + 1 - frame.height()));
    if (frame.size() != window.size()) {
        window.resize(frame.size());
    }
    if (frame.topLeft() != window.pos()) {
        window.move(frame.topLeft());
    }
    form_.Left.setFromView(frame.left() * kTwipsPerPixel);
    form_.Top.setFromView(frame.top() * kTwipsPerPixel);
}

void FormBinding::focusControl(ui::Control& control) {
    const auto it = controls_.find(&control);
    if (it != controls_.end()) {
        if (auto* widget = qobject_cast<QWidget*>(&it->second->target())) {
            widget->setFocus(Qt::OtherFocusReason);
        }
    }
}

void FormBinding::flash() {
    if (window_ != nullptr) {
        QApplication::alert(window_);
    }
}

// A context menu is a QMenu of the layout that the menu bar does not show; its items are bound
// like every other menu's.
void FormBinding::popupMenu(ui::Control& menu) {
    if (window_ == nullptr) {
        return;
    }
    if (auto* widget = window_->findChild<QMenu*>(QString::fromStdString(menu.Name()))) {
        widget->exec(QCursor::pos());
    }
}

bool FormBinding::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_) {
        return QObject::eventFilter(watched, event);
    }
    switch (event->type()) {
        case QEvent::Close:
            // The form decides: when it unloads, its Visible turns false and the window hides.
            event->ignore();
            form_.CloseRequested();
            return true;
        case QEvent::Resize:
            if (!applying_) {
                form_.Width.setFromView(window_->width() * kTwipsPerPixel);
                form_.Height.setFromView(window_->height() * kTwipsPerPixel);
                ui::Raise(form_.OnResize);
            }
            break;
        case QEvent::Move:
            if (!applying_) {
                form_.Left.setFromView(window_->x() * kTwipsPerPixel);
                form_.Top.setFromView(window_->y() * kTwipsPerPixel);
            }
            break;
        case QEvent::WindowStateChange:
            if (!applying_) {
                const Qt::WindowStates state = window_->windowState();
                form_.WindowState.setFromView(state.testFlag(Qt::WindowMinimized)   ? 1
                                              : state.testFlag(Qt::WindowMaximized) ? 2
                                                                                    : 0);
            }
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace qtplatform
