#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "audit/audited_command.h"
#include "core/audit/chain.h"
#include "core/audit/entry.h"

namespace kestova {

// How the audit log records a message.
enum class AuditAs {
    Command,  // what an operator or a staff member gave: an entry each time
    // The console deleting a ticket batch that nobody asked for, which a server can provoke
    // without end: the first is an entry, the repeats within kRepeatWindow of it one more entry
    // with their count, written before the next entry or when the program ends.
    UnrequestedBatchDeletion,
};
inline constexpr std::chrono::seconds kRepeatWindow{60};
inline constexpr std::string_view kUnrequestedDeletion = "Delete an unrequested ticket batch";

// The audit trail's writer: every message that changes anything (AuditedCommandOf) becomes an
// entry of the audit log, written and flushed to the disk before the message is sent. The entry
// names the operator or staff member, what the command does, the client (by the name the command
// that sends it gives) or the ticket group, and the text sent.
//
// When the log cannot be written (a full or read-only disk), the command is sent all the same:
// a counter that stops taking commands whenever its disk fails would cost the café its trade.
// The operator is told at the first failure, and the entry is kept and written, before any
// later one, as soon as the log takes writes again, so that the log misses nothing of what was
// sent unless the program ends first.
class CommandAudit {
public:
    // `client` names the client a message for one is addressed to, as the operator sees it.
    void BeforeSend(std::string_view plainMessage, AuditAs as = AuditAs::Command,
                    std::string_view client = {});
    // Writes the count of repeated deletions not written yet; the program calls it as it ends.
    void WriteRepeats();
    // Entries kept because the log could not be written.
    std::size_t Unwritten() const { return unwritten_.size(); }

private:
    struct Repeats {
        std::chrono::system_clock::time_point firstAt;
        std::int64_t count = 0;
        audit::Entry last;
    };

    audit::Entry EntryFor(const AuditedCommand& command, std::string_view client);
    void Repeat(audit::Entry entry);
    void Write(audit::Entry entry);
    void TellFailureOnce();

    // The unrequested deletions since the last one written.
    std::optional<Repeats> repeats_;

    // Where the next entry goes: read from the log before the first write, and again after a
    // write failed (which may have left a part of it).
    std::optional<audit::Tail> tail_;
    std::deque<audit::Entry> unwritten_;
    std::string staffAtPos_;
    bool failureTold_ = false;
};

// The audit trail every message to the server passes before it is sent; made on first use.
CommandAudit& Audit();
// Writes the repeats it still counts and destroys it, at the end of a run of the program or of
// a test; the next Audit() makes a new one.
void ReleaseAudit();

}  // namespace kestova
