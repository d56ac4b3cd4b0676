#include "core/local_time.h"

#include "platform/services.h"

namespace kestova {

DateTime LocalNow() {
    const platform::Clock& clock = platform::services().clock();
    return ToDateTime(clock.now() + clock.utcOffset(clock.now()));
}

}  // namespace kestova
