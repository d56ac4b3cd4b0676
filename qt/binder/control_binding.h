#pragma once

#include <QEvent>
#include <QObject>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "ui/control.h"

namespace qtplatform {

// The link between one control model and the widget (or action) of the same name. The kind
// binders fill it with mirrors (model to view) and connect the widget's signals (view to model).
class ControlBinding : public QObject, public ui::ControlObserver {
public:
    ControlBinding(ui::Control& control, QObject& target, QObject* parent);
    ~ControlBinding() override;

    ui::Control& control() const { return control_; }
    QObject& target() const { return target_; }

    // Calls apply now and again whenever one of the properties changes in the model.
    void mirror(std::initializer_list<std::string_view> properties, std::function<void()> apply);
    // Calls apply whenever one of the properties changes in the model (not now): for changes
    // that are events rather than state, like text added to a log.
    void onChange(std::initializer_list<std::string_view> properties, std::function<void()> apply);
    // True while a mirror writes into the widget: signals the widget emits then are echoes of the
    // model's own change, not the user's doing, and must not flow back.
    bool applying() const { return applying_; }
    // Runs the handler for events of the type reaching `watched`; returning true swallows it.
    void onEvent(QObject& watched, QEvent::Type type, std::function<bool(QEvent&)> handler);

    void propertyChanged(ui::Control& control, std::string_view property) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Mirror {
        std::vector<std::string> properties;
        std::function<void()> apply;
    };
    struct EventHandler {
        QObject* watched;
        QEvent::Type type;
        std::function<bool(QEvent&)> handle;
    };
    void run(const Mirror& mirror);

    ui::Control& control_;
    QObject& target_;
    std::vector<Mirror> mirrors_;
    std::vector<EventHandler> eventHandlers_;
    bool applying_ = false;
};

}  // namespace qtplatform
