#include "qt/binder/widget_basics.h"

#include <QWidget>

#include "qt/platform/text.h"

namespace qtplatform {

void failBinding(const ui::Control& control, const std::string& problem) {
    throw BindError("form " + control.ParentForm().Name() + ": " + control.Kind() + " " +
                    control.Name() + " " + problem);
}

void bindWidgetBasics(ControlBinding& binding, QWidget& widget) {
    ui::Control& control = binding.control();
    binding.mirror({"Visible"}, [&] { widget.setVisible(control.Visible); });
    binding.mirror({"Enabled"}, [&] { widget.setEnabled(control.Enabled); });
    binding.mirror({"ToolTipText"}, [&] {
        if (!control.ToolTipText.get().empty()) {
            widget.setToolTip(toQt(control.ToolTipText));
        }
    });
    binding.onEvent(widget, QEvent::FocusIn, [&control](QEvent&) {
        ui::Raise(control.GotFocus);
        return false;
    });
    binding.onEvent(widget, QEvent::FocusOut, [&control](QEvent&) {
        ui::Raise(control.LostFocus);
        return false;
    });
}

}  // namespace qtplatform
