#include "qt/binder/binder.h"

#include <QWidget>
#include <map>
#include <string_view>

#include "qt/binder/kinds.h"
#include "qt/platform/text.h"

namespace qtplatform {
namespace {

using KindBinder = void (*)(ui::Control&, ControlBinding&);

template <typename Model, void (*Bind)(Model&, ControlBinding&)>
void bindAs(ui::Control& control, ControlBinding& binding) {
    Bind(static_cast<Model&>(control), binding);
}

// The binder of each control kind, by the kind's name.
const std::map<std::string_view, KindBinder>& kindBinders() {
    static const std::map<std::string_view, KindBinder> binders = {
        {"Button", &bindAs<ui::Button, bindButton>},
        {"Label", &bindAs<ui::Label, bindLabel>},
        {"TextBox", &bindAs<ui::TextBox, bindTextBox>},
        {"CheckBox", &bindAs<ui::CheckBox, bindCheckBox>},
        {"OptionButton", &bindAs<ui::OptionButton, bindOptionButton>},
        {"ComboBox", &bindAs<ui::ComboBox, bindComboBox>},
        {"ListBox", &bindAs<ui::ListBox, bindListBox>},
        {"Frame", &bindAs<ui::Frame, bindFrame>},
        {"PictureBox", &bindAs<ui::PictureBox, bindPictureBox>},
        {"Browser", &bindAs<ui::Browser, bindBrowser>},
        {"Chart", &bindAs<ui::Chart, bindChart>},
        {"ProgressBar", &bindAs<ui::ProgressBar, bindProgressBar>},
        {"MenuItem", &bindAs<ui::MenuItem, bindMenuItem>},
        {"StatusBar", &bindAs<ui::StatusBar, bindStatusBar>},
        {"Toolbar", &bindAs<ui::Toolbar, bindToolbar>},
        {"TabStrip", &bindAs<ui::TabStrip, bindTabStrip>},
        {"Grid", &bindAs<ui::Grid, bindGrid>},
        {"TileBoard", &bindAs<ui::TileBoard, bindTileBoard>},
    };
    return binders;
}

// Timers run on the event loop and have nothing on screen.
bool hasNoView(const ui::Control& control) {
    return std::string_view(control.Kind()) == "Timer";
}

}  // namespace

FormBinding& bind(ui::Form& form, QWidget& window) {
    auto* formBinding = new FormBinding(form, window);
    try {
        for (ui::Control* control : form.Controls()) {
            if (hasNoView(*control)) {
                continue;
            }
            const auto binder = kindBinders().find(control->Kind());
            if (binder == kindBinders().end()) {
                failBinding(*control, "is of a kind the binder does not know");
            }
            QObject* target = window.findChild<QObject*>(toQt(control->Name()));
            if (target == nullptr) {
                failBinding(*control, "has no widget of that name in the layout");
            }
            auto* binding = new ControlBinding(*control, *target, formBinding);
            formBinding->addControl(*control, *binding);
            binder->second(*control, *binding);
        }
    } catch (...) {
        delete formBinding;
        throw;
    }
    formBinding->applyAll();
    return *formBinding;
}

}  // namespace qtplatform
