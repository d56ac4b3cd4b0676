#include "core/local_time.h"

#include "platform/services.h"

namespace kestova {

DateTime LocalNow() {
    const platform::Clock& clock = platform::services().clock();
    const auto now = clock.now();
    return ToDateTime(now + clock.utcOffset(now));
}

std::string LogTimeNow() {
    return FormatDateTime("hh:mmAMPM dd-mmm-yy", LocalNow());
}

}  // namespace kestova
