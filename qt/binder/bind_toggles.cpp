#include <QCheckBox>
#include <QRadioButton>

#include "qt/binder/appearance.h"
#include "qt/binder/kinds.h"
#include "qt/binder/widget_basics.h"
#include "qt/platform/text.h"

namespace qtplatform {

void bindCheckBox(ui::CheckBox& box, ControlBinding& binding) {
    auto& widget = expectWidget<QCheckBox>(binding, "QCheckBox");
    bindWidgetBasics(binding, widget);
    binding.mirror({"Caption"}, [&] { widget.setText(toQt(box.Caption)); });
    binding.mirror({"Value"}, [&] {
        if (box.Value == 2) {
            widget.setTristate(true);
        }
        widget.setCheckState(box.Value == 2   ? Qt::PartiallyChecked
                             : box.Value == 1 ? Qt::Checked
                                              : Qt::Unchecked);
    });
    QObject::connect(&widget, &QCheckBox::clicked, &binding, [&box, &widget] {
        const Qt::CheckState state = widget.checkState();
        box.Value.setFromView(state == Qt::PartiallyChecked ? 2 : state == Qt::Checked ? 1 : 0);
        ui::Raise(box.Click);
    });
}

void bindOptionButton(ui::OptionButton& option, ControlBinding& binding) {
    auto& widget = expectWidget<QRadioButton>(binding, "QRadioButton");
    bindWidgetBasics(binding, widget);
    binding.mirror({"Caption"}, [&] { widget.setText(toQt(option.Caption)); });
    binding.mirror({"ForeColor"},
                   [&] { applyColor(widget, QPalette::WindowText, option.ForeColor); });
    binding.mirror({"Value"}, [&] { widget.setChecked(option.Value); });
    // Checking one option unchecks its siblings inside Qt: every change flows back, not only
    // the clicked one.
    QObject::connect(&widget, &QRadioButton::toggled, &binding, [&option, &binding](bool on) {
        if (!binding.applying()) {
            option.Value.setFromView(on);
        }
    });
    QObject::connect(&widget, &QRadioButton::clicked, &binding,
                     [&option] { ui::Raise(option.Click); });
}

}  // namespace qtplatform
