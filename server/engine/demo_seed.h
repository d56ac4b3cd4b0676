#pragma once

#include <cstdint>

#include "server/engine/store.h"

namespace zarnevo {

// Fills a store for the demo café: the operators ADMINISTRATOR (admin), CLERK (clerk, rights USER)
// and GUEST (guest, VIEWER), the POS staff JOHN (john) and MARY (mary), quick-ticket types and
// sales by both staff members on each of the few days before nowMs and today, so every report
// has data. Seeding an already seeded store adds nothing twice. The passwords are hashed at cost.
void SeedDemo(Store& store, std::uint64_t seed, std::int64_t nowMs,
              PasswordCost cost = PasswordCost::Interactive);

}  // namespace zarnevo
