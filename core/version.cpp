#include "core/version.h"

namespace kestova {

std::string VersionTitle() {
    return "Zarnevo Kestova v" + VersionNumber();
}

std::string VersionNumber() {
    return std::to_string(KESTOVA_VERSION_MAJOR) + "." + std::to_string(KESTOVA_VERSION_MINOR) +
           "." + std::to_string(KESTOVA_VERSION_PATCH);
}

}  // namespace kestova
