#include "qt/binder/form_binding.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDialog>
#include <QMenu>
#include <QScreen>
#include <QWindow>
#include <QWindowStateChangeEvent>
#include <algorithm>

#include "qt/binder/active_window.h"
#include "qt/binder/appearance.h"
#include "qt/binder/control_binding.h"
#include "qt/platform/text.h"

namespace qtplatform {
namespace {
constexpr int kTwipsPerPixel = 15;
// Geometries asked of the window manager that are kept: more than a roll-down's steps.
constexpr std::size_t kMostAsked = 64;
// How long the window manager may take to answer a geometry before it is asked again, and how
// many times.
constexpr int kConfirmAfterMs = 300;
constexpr int kMostConfirmations = 3;

// What the window manager puts around a window (title bar and borders), as last seen on one of
// the program's windows: a window about to show has no frame yet, but it will get the same.
QMargins& LastSeenFrame() {
    static QMargins frame;
    return frame;
}

// The window manager answers every geometry the program asks for, late: while the program moves
// and sizes the window step by step, it still reports the steps before, may report one of them
// again after the last, and may mix an older step's width with a newer one's height. A report of
// the last position or size asked for tells the form nothing new; an older one, or any report
// while the last is still unanswered, would undo the steps since. Any other report is the
// operator's or the window manager's own doing.
enum class Report { NotAsked, Latest, Older };

template <typename Value>
Report Answered(const std::deque<Value>& asked, const Value& reported, bool answerDue) {
    if (!asked.empty() && asked.back() == reported) {
        return Report::Latest;
    }
    const bool older = std::find(asked.begin(), asked.end(), reported) != asked.end();
    return older || answerDue ? Report::Older : Report::NotAsked;
}

template <typename Value>
void Ask(std::deque<Value>& asked, const Value& value) {
    asked.push_back(value);
    if (asked.size() > kMostAsked) {
        asked.pop_front();
    }
}

}  // namespace

FormBinding::FormBinding(ui::Form& form, QWidget& window)
    : QObject(&window), form_(form), window_(&window) {
    form_.setView(this);
    window.installEventFilter(this);
    confirmation_.setSingleShot(true);
    confirmation_.setInterval(kConfirmAfterMs);
    QObject::connect(&confirmation_, &QTimer::timeout, this, &FormBinding::confirmGeometry);
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
    if (property == ui::Form::kLoaded) {
        placed_ = false;  // a window loaded anew opens centred again
        return;
    }
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
        applyStaysOnTop();
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
            if (!window.isVisible()) {
                window.setWindowModality(form_.IsModal() ? Qt::ApplicationModal : Qt::NonModal);
                settling_ = true;
            }
            const bool inBackground = form_.ShowsInBackground();
            window.setAttribute(Qt::WA_ShowWithoutActivating, inBackground);
            window.show();
            if (!inBackground) {
                window.raise();
                window.activateWindow();
                claimFocusKeptWhileHidden();
            }
        } else if (window.isVisible()) {
            window.hide();
            emit windowHidden();
        }
    }
    applying_ = wasApplying;
}

// A window shown again right after it was hidden may still be Qt's focus window (the focus-out
// that hiding caused has not been acted on yet): the window manager's focus-in for it then changes
// nothing, and Qt would leave the window inactive, its keyboard going nowhere. It is made the
// active window here.
void FormBinding::claimFocusKeptWhileHidden() {
    QWidget& window = *window_;
    if (QGuiApplication::focusWindow() == window.windowHandle() &&
        QApplication::activeWindow() != &window) {
        QT_WARNING_PUSH
        QT_WARNING_DISABLE_DEPRECATED
        QApplication::setActiveWindow(&window);
        QT_WARNING_POP
    }
}

// A window on the screen is told to stay on top (or no longer) as it is: setting a widget's flags
// takes its window off the screen and maps it anew, which a window manager may place elsewhere or
// not show again.
void FormBinding::applyStaysOnTop() {
    QWidget& window = *window_;
    const Qt::WindowFlags flags =
        window.windowFlags().setFlag(Qt::WindowStaysOnTopHint, form_.TopMost);
    if (flags == window.windowFlags()) {
        return;
    }
    if (QWindow* handle = window.windowHandle(); handle != nullptr && window.isVisible()) {
        window.overrideWindowFlags(flags);
        handle->setFlags(flags);
    } else {
        window.setWindowFlags(flags);
    }
}

// Positions and sizes in twips: the position is the frame's, the size the inside's; a zero leaves
// the layout's own. Wherever the form moves it, the window stays wholly on its screen.
void FormBinding::applyGeometry() {
    const bool moved = form_.Left != 0 || form_.Top != 0;
    placeOnScreen(moved ? QPoint(form_.Left / kTwipsPerPixel, form_.Top / kTwipsPerPixel)
                        : frameRect().topLeft(),
                  formSize());
}

// The size the form gives itself (at least a pixel high: a window rolled up to nothing would be
// taken off the screen), else the window's own.
QSize FormBinding::formSize() const {
    if (form_.Width <= 0) {
        return window_->size();
    }
    return QSize(std::max(1, form_.Width / kTwipsPerPixel),
                 std::max(1, form_.Height / kTwipsPerPixel));
}

// Each time the window opens it is centred on the window it is opened from, or on the screen when
// there is none. A form that opens rolled up to be unrolled about its centre is centred at that
// size.
void FormBinding::placeCentred() {
    placed_ = true;
    const QWidget* owner = OwnerWindow(window_);
    const QRect area = owner != nullptr ? owner->frameGeometry() : availableArea();
    const QSize size = formSize();
    QRect frame(QPoint(), size.grownBy(frameMargins()));
    frame.moveCenter(area.center());
    placeOnScreen(frame.topLeft(), size);
}

QRect FormBinding::availableArea() const {
    const QScreen* screen =
        window_->screen() != nullptr ? window_->screen() : QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

QMargins FormBinding::frameMargins() const {
    const QWindow* handle = window_->windowHandle();
    const QMargins margins =
        handle != nullptr && window_->isVisible() ? handle->frameMargins() : QMargins();
    if (!margins.isNull()) {
        LastSeenFrame() = margins;
        return margins;
    }
    return LastSeenFrame();
}

QRect FormBinding::frameRect() const {
    return window_->geometry().marginsAdded(frameMargins());
}

// Puts the frame at the point, moved (and the inside shrunk, when the frame is larger than the
// screen) so that it lies wholly on the screen, and tells the form where it ended up. The window
// manager is given the inside's position, which it keeps whether or not it knows the frame yet.
void FormBinding::placeOnScreen(QPoint frameTopLeft, QSize size) {
    QWidget& window = *window_;
    const QRect area = availableArea();
    placedWith_ = frameMargins();
    size = size.boundedTo(area.size().shrunkBy(placedWith_));
    QRect frame(frameTopLeft, size.grownBy(placedWith_));
    frame.moveLeft(std::clamp(frame.left(), area.left(), area.right() + 1 - frame.width()));
    frame.moveTop(std::clamp(frame.top(), area.top(), area.bottom() + 1 - frame.height()));
    const QRect inside = frame.marginsRemoved(placedWith_);
    if (inside != window.geometry()) {
        window.setGeometry(inside);
        // As the widget asked it (within its least size).
        Ask(askedPositions_, window.geometry().topLeft());
        Ask(askedSizes_, window.size());
        answerDue_ = true;
        if (!confirming_) {
            confirmationsLeft_ = kMostConfirmations;
        }
        confirmation_.start();
    }
    form_.Left.setFromView(frame.left() * kTwipsPerPixel);
    form_.Top.setFromView(frame.top() * kTwipsPerPixel);
}

// Until a window that opens is first drawn, the window manager is still mapping and framing
// it, and may report it anywhere meanwhile (at the screen's corner, at the place it had before it
// was hidden): the window is put where the form has it. So it is too when the window manager
// framed it after it was placed (it knew no frame yet, or another one).
void FormBinding::placeAgainWhileSettling(bool drawn) {
    if (!applying_ && (settling_ || frameMargins() != placedWith_)) {
        reapplyGeometry();
    }
    settling_ = settling_ && !drawn;
}

// Asks the window manager again for the form's geometry (as the form's own change would).
void FormBinding::reapplyGeometry() {
    const bool wasApplying = std::exchange(applying_, true);
    applyGeometry();
    applying_ = wasApplying;
}

// Once the window manager has had time to answer the last geometry asked: a window that did not
// end there (its bottom cut off, or above where it belongs, at a step the form has long left) is
// asked again, a few times at most; after that the window manager's word stands.
void FormBinding::confirmGeometry() {
    if (window_ == nullptr || !window_->isVisible()) {
        return;
    }
    if (!atLastAsked() && confirmationsLeft_-- > 0) {
        const bool wasConfirming = std::exchange(confirming_, true);
        reapplyGeometry();
        confirming_ = wasConfirming;
        return;
    }
    answerDue_ = false;
}

bool FormBinding::atLastAsked() const {
    return !askedSizes_.empty() && window_->geometry().topLeft() == askedPositions_.back() &&
           window_->size() == askedSizes_.back();
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
                const Report report = Answered(askedSizes_, window_->size(), answerDue_);
                if (report == Report::NotAsked) {
                    form_.Width.setFromView(window_->width() * kTwipsPerPixel);
                    form_.Height.setFromView(window_->height() * kTwipsPerPixel);
                    ui::Raise(form_.OnResize);
                }
                answerDue_ = answerDue_ && !atLastAsked();
                // A late report leaves the widget believing the window is where an older step
                // put it, and it would not ask for a later geometry it believes it has.
                if (report == Report::Older) {
                    reapplyGeometry();
                }
            }
            break;
        case QEvent::Move:
            placeAgainWhileSettling(false);
            if (!applying_) {
                const Report report =
                    Answered(askedPositions_, window_->geometry().topLeft(), answerDue_);
                if (report == Report::NotAsked) {
                    const QPoint frame = frameRect().topLeft();
                    form_.Left.setFromView(frame.x() * kTwipsPerPixel);
                    form_.Top.setFromView(frame.y() * kTwipsPerPixel);
                }
                answerDue_ = answerDue_ && !atLastAsked();
                // A late report leaves the widget believing the window is where an older step
                // put it, and it would not ask for a later geometry it believes it has.
                if (report == Report::Older) {
                    reapplyGeometry();
                }
            }
            break;
        case QEvent::Paint:
            placeAgainWhileSettling(true);
            break;
        case QEvent::WindowActivate:
            NoteWindowActivated(*window_);
            placeAgainWhileSettling(true);
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
