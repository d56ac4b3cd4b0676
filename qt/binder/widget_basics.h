#pragma once

#include <QObject>
#include <stdexcept>
#include <string>

#include "qt/binder/control_binding.h"
#include "ui/form.h"

class QWidget;

namespace qtplatform {

// Raised when a window's layout and its control models do not fit together: a missing widget, or
// a widget of a class the control cannot drive. The message names the form and the control.
class BindError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

[[noreturn]] void failBinding(const ui::Control& control, const std::string& problem);

// The binding's target as the widget class the kind needs, or a BindError.
template <typename Widget>
Widget& expectWidget(ControlBinding& binding, const char* expected) {
    if (auto* widget = qobject_cast<Widget*>(&binding.target())) {
        return *widget;
    }
    failBinding(binding.control(), std::string("is a ") +
                                       binding.target().metaObject()->className() + ", expected " +
                                       expected);
}

// What every control widget shares: Visible, Enabled, ToolTipText, and the GotFocus and LostFocus
// events.
void bindWidgetBasics(ControlBinding& binding, QWidget& widget);

}  // namespace qtplatform
