#pragma once

#include <span>
#include <string_view>

namespace zarnevo {

// The keywords a console message can begin with: the console's requests and commands. Values and
// the client keywords inside a KESTOVA command are not among them.
std::span<const std::string_view> ConsoleMessageKeywords();

}  // namespace zarnevo
