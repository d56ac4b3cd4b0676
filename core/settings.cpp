#include "core/settings.h"

#include "core/settings_io.h"

namespace kestova {

std::string ReadSetting(std::string_view section, std::string_view key,
                        std::string_view defaultText) {
    const std::string* value = SettingsDocument(kSettingsFileName).findValue(section, key);
    return value != nullptr ? *value : std::string(defaultText);
}

std::string ReadSetting(std::string_view section, std::string_view key, int defaultNumber) {
    return ReadSetting(section, key, std::string_view(std::to_string(defaultNumber)));
}

void WriteSetting(std::string_view section, std::string_view key, std::string_view value) {
    // The store never fails to its caller; a failed write leaves the previous file in place.
    UpdateSettingsFile(kSettingsFileName,
                       [&](IniDocument& document) { document.setValue(section, key, value); });
}

std::string ReadSetting(const settings::Setting& setting) {
    return ReadSetting(setting.section, setting.key, setting.defaultText);
}

std::string ReadSetting(const settings::Setting& setting, std::string_view callerDefault) {
    return ReadSetting(setting.section, setting.key, callerDefault);
}

void WriteSetting(const settings::Setting& setting, std::string_view value) {
    WriteSetting(setting.section, setting.key, value);
}

}  // namespace kestova
