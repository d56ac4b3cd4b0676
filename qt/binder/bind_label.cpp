#include <QLabel>
#include <QMouseEvent>

#include "qt/binder/appearance.h"
#include "qt/binder/kinds.h"
#include "qt/binder/widget_basics.h"
#include "qt/platform/text.h"

namespace qtplatform {

void bindLabel(ui::Label& label, ControlBinding& binding) {
    auto& widget = expectWidget<QLabel>(binding, "QLabel");
    bindWidgetBasics(binding, widget);
    // Captions often carry server texts: never interpret them as markup.
    widget.setTextFormat(Qt::PlainText);
    binding.mirror({"Caption"}, [&] {
        widget.setText(withoutAccessKeys(label.Caption.get()).replace("\r\n", "\n"));
    });
    binding.mirror({"ForeColor"},
                   [&] { applyColor(widget, QPalette::WindowText, label.ForeColor); });
    binding.mirror({"BackColor"}, [&] { applyColor(widget, QPalette::Window, label.BackColor); });
    binding.mirror({"FontBold", "FontSize"}, [&, designed = widget.font()] {
        applyFont(widget, designed, label.FontBold, label.FontSize);
    });
    binding.onEvent(widget, QEvent::MouseButtonRelease, [&label](QEvent& event) {
        if (static_cast<QMouseEvent&>(event).button() == Qt::LeftButton) {
            ui::Raise(label.Click);
        }
        return false;
    });
}

}  // namespace qtplatform
