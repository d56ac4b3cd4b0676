#pragma once

#include <concepts>
#include <string>
#include <string_view>

#include "core/convert.h"
#include "core/settings_table.h"

// The per-user settings store: text values addressed by section and key, kept in the file
// kestova.ini of the platform's file store (one file per user, so the program's title that
// addresses the values on other systems is implied). Sections and keys are compared without regard
// to case. Every read goes to the file, so a store swapped by a test or a value written by
// another copy of the program is seen at once; every write replaces the file atomically.
namespace kestova {

inline constexpr std::string_view kSettingsFileName = "kestova.ini";

// The stored text, or the default when the section or key is absent. A whole-number default is
// given as its decimal text, a truth value as "True" or "False".
std::string ReadSetting(std::string_view section, std::string_view key,
                        std::string_view defaultText);
std::string ReadSetting(std::string_view section, std::string_view key, int defaultNumber);
// A template so that a text literal never binds to the truth-value form.
template <std::same_as<bool> Truth>
std::string ReadSetting(std::string_view section, std::string_view key, Truth defaultTruth) {
    return ReadSetting(section, key, std::string_view(BoolText(defaultTruth)));
}

// Stores the text, creating the section and key as needed. An existing key keeps the spelling
// it was first written with. A store that cannot be written leaves the old file as it was.
void WriteSetting(std::string_view section, std::string_view key, std::string_view value);

// The same through the settings table: the entry's default, or the caller's for the column
// widths whose default is the column's current width.
std::string ReadSetting(const settings::Setting& setting);
std::string ReadSetting(const settings::Setting& setting, std::string_view callerDefault);
void WriteSetting(const settings::Setting& setting, std::string_view value);

}  // namespace kestova
