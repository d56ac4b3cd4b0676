#include "audit/command_audit.h"

#include "core/messages.h"
#include "core/one_instance.h"
#include "core/program_state.h"
#include "platform/services.h"

namespace kestova {

void CommandAudit::BeforeSend(std::string_view plainMessage, AuditAs as, std::string_view client) {
    const auto command = AuditedCommandOf(plainMessage);
    if (!command) {
        return;
    }
    if (as == AuditAs::UnrequestedBatchDeletion) {
        Repeat(EntryFor(*command, client));
        return;
    }
    WriteRepeats();
    Write(EntryFor(*command, client));
}

void CommandAudit::Repeat(audit::Entry entry) {
    entry.what = kUnrequestedDeletion;
    const auto now = platform::services().clock().now();
    if (repeats_ && now - repeats_->firstAt < kRepeatWindow) {
        ++repeats_->count;
        repeats_->last = std::move(entry);
        return;
    }
    WriteRepeats();
    Write(std::move(entry));
    repeats_ = Repeats{now, 0, {}};
}

void CommandAudit::WriteRepeats() {
    const std::optional<Repeats> repeats = std::exchange(repeats_, std::nullopt);
    if (!repeats || repeats->count == 0) {
        return;
    }
    audit::Entry entry = repeats->last;
    entry.what = std::string(kUnrequestedDeletion) + " (" + std::to_string(repeats->count) +
                 " more within " + std::to_string(kRepeatWindow.count()) + " s of the first)";
    Write(std::move(entry));
}

audit::Entry CommandAudit::EntryFor(const AuditedCommand& command, std::string_view client) {
    audit::Entry entry;
    entry.time = audit::FormatUtcTime(platform::services().clock().now());
    switch (command.sender) {
        case Sender::Operator:
            entry.who = KestovaCode().OperatorName;
            break;
        case Sender::OperatorLogIn:
            entry.who = command.name;
            break;
        case Sender::Staff:
            staffAtPos_ = command.name;
            entry.who = command.name;
            break;
        case Sender::StaffAtPos:
            entry.who = staffAtPos_;
            break;
    }
    entry.what = command.what;
    if (command.port) {
        entry.client = std::string(client);
        entry.port = command.port;
    }
    entry.group = command.group;
    entry.wire = command.wire;
    return entry;
}

void CommandAudit::Write(audit::Entry entry) {
    platform::AppendLog& log = platform::services().auditLog();
    unwritten_.push_back(std::move(entry));
    if (!tail_) {
        const std::optional<std::string> text = log.read();
        if (!text) {
            TellFailureOnce();
            return;
        }
        tail_ = audit::TailOf(*text);
    }
    while (!unwritten_.empty()) {
        audit::Appending appending = audit::Append(*tail_, unwritten_.front());
        if (!log.append(appending.bytes)) {
            tail_.reset();
            TellFailureOnce();
            return;
        }
        tail_ = std::move(appending.tail);
        unwritten_.pop_front();
    }
    failureTold_ = false;
}

void CommandAudit::TellFailureOnce() {
    if (failureTold_) {
        return;
    }
    failureTold_ = true;
    ShowNotice("The audit log " + platform::services().auditLog().location() +
                   " cannot be written. Commands are still sent; what they were is kept and "
                   "written to the log as soon as it can be.",
               kKestovaServerMessagesTitle);
}

namespace {

OneInstance<CommandAudit>& AuditInstance() {
    static OneInstance<CommandAudit> instance;
    return instance;
}

}  // namespace

CommandAudit& Audit() {
    return AuditInstance().get();
}

void ReleaseAudit() {
    if (CommandAudit* audit = AuditInstance().made()) {
        audit->WriteRepeats();
    }
    AuditInstance().release();
}

}  // namespace kestova
