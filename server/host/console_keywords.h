#pragma once

#include <string_view>

namespace zarnevo {

// True for a keyword (upper case) that a console message can begin with: the console's requests
// and commands. Values and the client keywords inside a KESTOVA command are not among them.
bool StartsConsoleMessage(std::string_view upperKeyword);

// True when another such keyword ends with this one ("UPDATE" in "F-UPDATE", "ACTIVATE1" in
// "MACTIVATE1"): seen from its end, the keyword may still be the tail of the longer one.
bool EndsALongerConsoleKeyword(std::string_view upperKeyword);

}  // namespace zarnevo
