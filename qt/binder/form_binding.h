#pragma once

#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <map>

#include "ui/form.h"

namespace qtplatform {

class ControlBinding;

// The view of one form: mirrors the form's own properties into its top-level widget and turns
// the window's close box into the form's close request. Lives as a child of the window.
class FormBinding : public QObject, public ui::FormView {
    Q_OBJECT

public:
    FormBinding(ui::Form& form, QWidget& window);
    ~FormBinding() override;

    ui::Form& form() const { return form_; }
    QWidget* window() const { return window_; }
    // Called by bind() for each control, then applyAll() once every control is bound.
    void addControl(ui::Control& control, ControlBinding& binding);
    void applyAll();

    void formPropertyChanged(ui::Form& form, std::string_view property) override;
    void focusControl(ui::Control& control) override;
    void flash() override;
    void popupMenu(ui::Control& menu) override;

signals:
    // The form hid its window (hidden or unloaded): a modal run of the form ends.
    void windowHidden();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void apply(std::string_view property);
    void applyStaysOnTop();
    void applyGeometry();
    QSize formSize() const;
    void placeCentred();
    void claimFocusKeptWhileHidden();
    QRect availableArea() const;
    // The window manager's frame around the window: its own once shown, else the last one seen.
    QMargins frameMargins() const;
    QRect frameRect() const;
    void placeOnScreen(QPoint frameTopLeft, QSize size);
    void placeAgainWhileSettling(bool drawn);
    void reapplyGeometry();
    void confirmGeometry();
    bool atLastAsked() const;

    ui::Form& form_;
    QPointer<QWidget> window_;
    std::map<const ui::Control*, ControlBinding*> controls_;
    bool applying_ = false;
    bool placed_ = false;
    QMargins placedWith_;    // the frame the window was last placed for
    bool settling_ = false;  // shown, not yet drawn
    // The last positions and sizes asked of the window manager, oldest first.
    std::deque<QPoint> askedPositions_;
    std::deque<QSize> askedSizes_;
    // Looks, once the window manager has had time to answer, whether the window ended where the
    // form has it; a few more asks at most, for a window manager that keeps its own idea.
    QTimer confirmation_;
    int confirmationsLeft_ = 0;
    bool confirming_ = false;
    bool answerDue_ = false;  // the last geometry asked is not yet reported
};

}  // namespace qtplatform
