#pragma once

#include <string>
#include <string_view>

// The start-with-the-system entry of the program, kept by the desktop's own mechanism
// (platform::Autostart) under the program's file name.
namespace kestova {

// FileNameOfPath of the path without a final ".exe" (any case) when it has one:
// "C:\Zarnevo\Kestova.exe" gives "Kestova", "/opt/kestova/bin/kestova" gives "kestova".
std::string AutostartEntryName(std::string_view executablePath);

// Creates or replaces the entry that starts the executable with the system.
void AddAutostartEntry(std::string_view executablePath);
// Removes that entry; a missing entry is no error.
void RemoveAutostartEntry(std::string_view executablePath);

}  // namespace kestova
