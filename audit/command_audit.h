#pragma once

#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "audit/audited_command.h"
#include "core/audit/chain.h"
#include "core/audit/entry.h"

namespace kestova {

// The audit trail's writer: every message that changes anything (AuditedCommandOf) becomes an
// entry of the audit log, written and flushed to the disk before the message is sent. The entry
// names the operator or staff member, what the command does, the client (its name looked up in
// the grid as the command leaves) or the ticket group, and the text sent.
//
// When the log cannot be written (a full or read-only disk), the command is sent all the same:
// a counter that stops taking commands whenever its disk fails would cost the café its trade.
// The operator is told at the first failure, and the entry is kept and written, before any
// later one, as soon as the log takes writes again, so that the log misses nothing of what was
// sent unless the program ends first.
class CommandAudit {
public:
    void BeforeSend(std::string_view plainMessage);
    // Entries kept because the log could not be written.
    std::size_t Unwritten() const { return unwritten_.size(); }

private:
    audit::Entry EntryFor(const AuditedCommand& command);
    void Write(audit::Entry entry);
    void TellFailureOnce();

    // Where the next entry goes: read from the log before the first write, and again after a
    // write failed (which may have left a part of it).
    std::optional<audit::Tail> tail_;
    std::deque<audit::Entry> unwritten_;
    std::string staffAtPos_;
    bool failureTold_ = false;
};

}  // namespace kestova
