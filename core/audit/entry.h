#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The audit log is a text file of JSON Lines: one entry per line, each the record of a command
// the console sent, sealed to the entry before it by that entry's SHA-256 (core/audit/chain.h).
namespace audit {

struct Entry {
    std::int64_t seq = 0;     // 1 for the first entry of the log, one more for each after it
    std::string time;         // when it was sent, UTC, ISO 8601: "2026-12-08T14:05:00Z"
    std::string who;          // the operator, or the staff member the message names
    std::string what;         // what the command does, in words
    std::string client;       // the client's name, when the command addresses one client
    std::optional<int> port;  // that client's port
    std::string group;        // the ticket group, for ticket batches and activations
    std::string wire;         // the text as sent, every password masked
    std::string prev;         // SHA-256 (hex) of the line before, or kGenesis for the first
    bool operator==(const Entry&) const = default;
};

// The entry as a line of the log, without the line break: a JSON object whose keys stand in the
// order of the fields above, strings escaped as RFC 8259 says. Bytes that are not UTF-8 are
// written as U+FFFD, so the line is always valid JSON.
std::string FormatLine(const Entry& entry);

// The entry a line holds; nothing when the line is not such an object: every key present, in
// that order, with a value of its type (a whole number of at least 1 for seq, a number or null
// for port, 64 hexadecimal digits for prev, text for the rest).
std::optional<Entry> ParseLine(std::string_view line);

// Whether the line is the beginning of an entry's line and no more, as a write cut off leaves
// it: an object whose keys and values, as far as they go, are an entry's.
bool IsCutOffEntry(std::string_view line);

namespace detail {
// The two readers behind ParseLine, apart so that checks can hold them to the same result. The
// first reads only the form FormatLine gives an entry whose texts are printable ASCII without
// quotes or backslashes, in a fraction of the JSON parser's time; on any other line it gives
// nothing, and the second, a JSON parser, decides.
std::optional<Entry> ParseWrittenForm(std::string_view line);
std::optional<Entry> ParseAnyJson(std::string_view line);
}  // namespace detail

// The entries' time stamps, to the second: "2026-12-08T14:05:00Z".
std::string FormatUtcTime(std::chrono::system_clock::time_point when);
// The moment a time stamp of that form names; nothing for any other text.
std::optional<std::chrono::sys_seconds> ParseUtcTime(std::string_view text);

}  // namespace audit
