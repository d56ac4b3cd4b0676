#include "ui/control.h"

#include "ui/form.h"

namespace ui {

Control::Control(Form& form, std::string name) : form_(form), name_(std::move(name)) {
    form_.registerControl(this);
}

void Control::SetFocus() {
    form_.focus(*this);
}

}  // namespace ui
