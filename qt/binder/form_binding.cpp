#include "qt/binder/form_binding.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QWindowStateChangeEvent>

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

// Positions and sizes in twips; a zero leaves the layout's own.
void FormBinding::applyGeometry() {
    QWidget& window = *window_;
    if (form_.Width > 0 && form_.Height > 0) {
        window.resize(form_.Width / kTwipsPerPixel, form_.Height / kTwipsPerPixel);
    }
    if (form_.Left != 0 || form_.Top != 0) {
        window.move(form_.Left / kTwipsPerPixel, form_.Top / kTwipsPerPixel);
    }
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
