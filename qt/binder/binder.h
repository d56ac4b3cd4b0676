#pragma once

#include "qt/binder/form_binding.h"
#include "qt/binder/widget_basics.h"

class QWidget;

namespace qtplatform {

// Connects every control of the form with the widget, QAction or QMenu of the same objectName in
// the window, and the form itself with the window, both ways: model changes show in the widgets,
// user actions reach the models and their handlers. Throws BindError naming the form and the
// control when a control has no widget of its name or one of a class it cannot drive.
// The returned binding is a child of the window; destroy the window before the form.
FormBinding& bind(ui::Form& form, QWidget& window);

}  // namespace qtplatform
