#pragma once

#include <cstddef>
#include <istream>
#include <ostream>
#include <string_view>

// The commands of kestova-audit over a stream of the log, read a block at a time so that a log
// of any size (or endless input) takes little memory; main() only deals with arguments and files.
namespace kestovaaudit {

inline constexpr int kIntact = 0;
inline constexpr int kBroken = 1;
inline constexpr int kUsageError = 2;

// A long log is printed as tables of at most this many rows (entries, or lines without one).
inline constexpr std::size_t kRowsPerTable = 50'000;

// The chain checked from the first entry: whether it is intact and, when not, the first broken
// entry and why. `noted`, when not empty, is a seal the owner wrote down that the log must hold.
// Returns the exit code.
int Verify(std::istream& log, std::string_view noted, std::ostream& out);

// The entries as a table, oldest first, and after it the lines that hold no entry. Control
// characters in the texts are shown as \xHH so that each entry keeps to its line.
int Print(std::istream& log, std::ostream& out);

// A seal as `verify --expect` takes it: 16 to 64 hexadecimal digits.
bool IsSeal(std::string_view text);

}  // namespace kestovaaudit
