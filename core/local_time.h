#pragma once

#include "core/convert.h"

namespace kestova {

// The date and time of the machine's clock in its own zone: what print-outs and questions show
// as "now".
DateTime LocalNow();

}  // namespace kestova
