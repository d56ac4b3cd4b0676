#pragma once

#include <functional>
#include <string_view>

#include "core/settings_file.h"

// The settings files of the platform's file store, kept in memory. A file is read again only
// when it changed on disk (written by another copy of the program or by a technician, or a store
// swapped underneath by a test), and written only when a change makes a difference, so the
// supervision's reads at every tick cost a file status, not a parse, and no write waits on the
// disk for nothing.
namespace kestova {

// The file's document as it is now; an empty one when the file does not exist. The reference
// holds until the next call for the same file.
const IniDocument& SettingsDocument(std::string_view fileName);

// Applies the change to the file's document and replaces the file atomically when the document
// is different afterwards. False when the store could not write it (the old file stays); the
// operator is told of that with a notice at the first such failure.
bool UpdateSettingsFile(std::string_view fileName,
                        const std::function<void(IniDocument& document)>& change);

}  // namespace kestova
