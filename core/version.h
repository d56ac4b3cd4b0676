#pragma once

#include <string>

namespace kestova {

// "Zarnevo Kestova v" and the program's major.minor.revision: the title of the program's message
// and input boxes and the version line of the About box.
std::string VersionTitle();

// "1.0.0": major, minor and revision of the program's version.
std::string VersionNumber();

}  // namespace kestova
