#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/audit/chain.h"
#include "core/audit/log_lines.h"

// Checking a log against its chain: the first place where it is no longer the log that was
// written, and why.
namespace audit {

struct Break {
    enum class Kind {
        Altered,    // an entry's text changed after it was written
        Removed,    // entries are missing
        Reordered,  // an entry stands where another one was due
    };
    Kind kind = Kind::Altered;
    std::int64_t line = 0;   // the line where it shows; 0 when no line shows it
    std::int64_t entry = 0;  // the number of the broken entry
    std::string reason;
};

struct Verification {
    std::int64_t entries = 0;  // the entries before the first broken one
    ChainHead head;            // the last of them
    std::optional<Break> firstBreak;
    // The first of the lines at the end that hold no entry: a write cut off (a power cut, the
    // program killed). The entries before it are intact.
    std::optional<std::int64_t> unfinishedTail;
    // Lines inside the log that hold no entry but that the chain continues across: writes that
    // were cut off, after which the program chained its next entry to the last whole one.
    std::vector<std::int64_t> skippedLines;
    bool intact() const { return !firstBreak.has_value(); }
};

// The shortest part of a seal that the owner may note down and check for later.
inline constexpr std::size_t kShortSealDigits = 16;

// Walks the chain line by line as a log is read, so that a log of any size is checked in little
// memory: a line that holds no entry is passed over only when it is a write cut off (the console
// chains its next entry to the last whole one), and any other such line breaks the chain there.
// `noted` is as for Verify.
class ChainCheck {
public:
    explicit ChainCheck(std::string_view noted = {});
    // Takes the log's next line; false once the outcome is settled and later lines change nothing.
    bool take(const LogLine& line);
    // The outcome once every line was taken, or take() wanted no more.
    Verification finish() const;

private:
    Verification result_;
    std::string notedSeal_;
    bool notedFound_;
    std::int64_t headLine_ = 0;
    std::vector<std::int64_t> linesWithoutEntry_;  // cut-off writes since the last entry
    // The entry that stands where an earlier one was due: missing entries, unless the one due
    // comes later.
    std::optional<Entry> awaitingReorder_;
    bool settled_ = false;
};

// Walks the chain from the first entry to the last. `noted`, when not empty, is an entry's seal
// (at least kShortSealDigits leading hexadecimal digits of its line's SHA-256) that the owner
// wrote down earlier: the log must still hold that entry. Only that shows entries removed from
// the end of a log, since a shorter chain is still a chain.
Verification Verify(std::string_view log, std::string_view noted = {});

// The result in a sentence or three, for the operator and the command line.
std::string Describe(const Verification& verification);

}  // namespace audit
