#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/audit/entry.h"

// How the entries are chained: each carries the SHA-256 of the line before it, so an entry that
// is altered, removed or moved no longer matches the link its successor carries.
namespace audit {

// The link of the first entry: 64 zeros.
inline constexpr std::string_view kGenesis =
    "0000000000000000000000000000000000000000000000000000000000000000";

// SHA-256 of the bytes, in lower-case hexadecimal.
std::string Sha256Hex(std::string_view bytes);

// Where the next entry joins the chain: after the entry numbered `seq` whose line hashes to
// `hash`; before the first entry, number 0 and the genesis link.
struct ChainHead {
    std::int64_t seq = 0;
    std::string hash{kGenesis};
    bool operator==(const ChainHead&) const = default;
};

// Where the next entry of a log goes: after the head, and on a line of its own even when the
// log ends inside a line (a write cut off), which is then ended first and passed over.
struct Tail {
    ChainHead head;
    bool cutOff = false;  // the log's text does not end with a line break
    bool operator==(const Tail&) const = default;
};

// The tail of a log's text: its head is the last line that holds an entry. Lines after it that
// hold none (a write cut off, a damaged line) are passed over, so no entry chains onto them.
Tail TailOf(std::string_view log);

// The bytes that append the entry at the tail, numbered and linked to its head, and the tail
// after them: a line break first when the log was cut off, the entry's line and a line break.
struct Appending {
    std::string bytes;
    Tail tail;
};
Appending Append(const Tail& tail, Entry entry);

}  // namespace audit
