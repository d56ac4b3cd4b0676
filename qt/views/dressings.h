#pragma once

#include <QWidget>
#include <map>
#include <string_view>

#include "ui/form.h"

namespace qtplatform {

// What a window's view draws beyond its layout and the binder, done once the window is bound.
using Dressing = void (*)(ui::Form& form, QWidget& window);

// The windows that draw more than their layout, by form name.
const std::map<std::string_view, Dressing>& dressings();

}  // namespace qtplatform
