#include "core/kestova_code.h"

namespace kestova {

ProgramState& KestovaCode() {
    static ProgramState state;
    return state;
}

std::string VersionNumber() {
    return std::to_string(KESTOVA_VERSION_MAJOR) + "." + std::to_string(KESTOVA_VERSION_MINOR) +
           "." + std::to_string(KESTOVA_VERSION_PATCH);
}

}  // namespace kestova
