#include "program/kestova_code.h"

namespace kestova {

ProgramState& KestovaCode() {
    static ProgramState state;
    return state;
}

}  // namespace kestova
