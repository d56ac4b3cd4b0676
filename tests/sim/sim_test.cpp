#include "tests/sim/sim_test.h"

#include <cstdlib>
#include <ctime>

namespace sim {

SimTest::SimTest() {
    // Local times on screens and print-outs then read the same on every machine.
    ::setenv("TZ", "UTC0", 1);
    ::tzset();
}

void SimTest::TearDown() {
    dialogs().verifyAllConsumed();
    exportFiles().verifyAllAnswersUsed();
}

}  // namespace sim
