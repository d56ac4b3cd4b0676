#pragma once

#include <string>
#include <string_view>

// The commands of kestova-audit as pure functions of the log's text, so that main() only deals
// with arguments, files and output.
namespace kestovaaudit {

// What a command prints and how the program ends.
struct Result {
    std::string output;  // for standard output
    int exitCode = 0;
};

inline constexpr int kIntact = 0;
inline constexpr int kBroken = 1;
inline constexpr int kUsageError = 2;

// The chain checked from the first entry: whether it is intact and, when not, the first broken
// entry and why. `noted`, when not empty, is a seal the owner wrote down that the log must hold.
Result Verify(std::string_view log, std::string_view noted);

// The entries as a table, oldest first, and the lines that hold no entry. Control characters in
// the texts are shown as \xHH so that each entry keeps to its line.
Result Print(std::string_view log);

// A seal as `verify --expect` takes it: 16 to 64 hexadecimal digits.
bool IsSeal(std::string_view text);

}  // namespace kestovaaudit
