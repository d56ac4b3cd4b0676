#pragma once

#include <string_view>

#include "core/settings_file.h"

// Loading and saving one settings file of the platform's file store. Both stores read the file at
// every use rather than keeping a copy, so a store swapped underneath (a test) or a file written
// by another copy of the program is always seen as it is.
namespace kestova {

// The file's document; an empty one when the file does not exist yet.
IniDocument LoadSettingsFile(std::string_view fileName);
// Replaces the file atomically; false when the store could not write it (the old file stays).
bool SaveSettingsFile(std::string_view fileName, const IniDocument& document);

}  // namespace kestova
