#pragma once

#include <QLockFile>
#include <memory>

#include "platform/instance_guard.h"

namespace qtplatform {

// One console per user: a QLockFile held for the life of the program. A copy that crashed leaves
// a lock whose process is gone, which QLockFile takes over (so the stale time is 0: never by age).
class QtInstanceGuard : public platform::InstanceGuard {
public:
    bool previousInstanceRunning() override;
    // Counts this program's own top-level windows with the title. Other copies are not asked:
    // the lock above already stops a second copy before any title is looked at.
    int windowsTitled(const std::string& title) override;

private:
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace qtplatform
