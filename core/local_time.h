#pragma once

#include <string>

#include "core/convert.h"

namespace kestova {

// The date and time of the machine's clock in its own zone: what logs, reports, print-outs and
// questions show as "now", and the day a café means by "today".
DateTime LocalNow();

// Now as logs and reports stamp their lines ("09:05PM 07-Dec-26").
std::string LogTimeNow();

}  // namespace kestova
