#pragma once

#include <QWidget>
#include <map>
#include <memory>
#include <string_view>

namespace qtplatform {

// Builds a window from its Designer layout (qt/forms/<FormName>.ui).
using LayoutFactory = std::unique_ptr<QWidget> (*)();

// Every window layout of the program, by form name.
const std::map<std::string_view, LayoutFactory>& layouts();

}  // namespace qtplatform
