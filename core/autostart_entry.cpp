#include "core/autostart_entry.h"

#include "core/machine_store.h"
#include "core/settings_file.h"
#include "platform/services.h"

namespace kestova {

std::string AutostartEntryName(std::string_view executablePath) {
    std::string name = FileNameOfPath(executablePath);
    constexpr std::string_view kExe = ".exe";
    if (name.size() > kExe.size() &&
        EqualsIgnoringCase(std::string_view(name).substr(name.size() - kExe.size()), kExe)) {
        name.resize(name.size() - kExe.size());
    }
    return name;
}

void AddAutostartEntry(std::string_view executablePath) {
    platform::services().autostart().add(AutostartEntryName(executablePath),
                                         std::string(executablePath));
}

void RemoveAutostartEntry(std::string_view executablePath) {
    platform::services().autostart().remove(AutostartEntryName(executablePath));
}

}  // namespace kestova
