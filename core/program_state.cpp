#include "core/program_state.h"

namespace kestova {

ProgramState& KestovaCode() {
    static ProgramState state;
    return state;
}

}  // namespace kestova
