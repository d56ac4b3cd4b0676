#include "core/audit/verify.h"

#include <algorithm>
#include <cctype>

#include "core/audit/log_lines.h"

namespace audit {
namespace {

std::string Number(std::int64_t n) {
    return std::to_string(n);
}

std::string LowerCase(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// What went wrong where `entry`, on `line`, does not follow the chain's head, when the lines
// after it cannot tell more: see MissingEntries for the case where they can.
Break Diagnose(const Entry& entry, std::int64_t line, const ChainHead& head, std::int64_t headLine,
               const std::vector<std::int64_t>& linesWithoutEntry) {
    const std::int64_t due = head.seq + 1;
    if (!linesWithoutEntry.empty()) {
        const std::int64_t damaged = linesWithoutEntry.front();
        return {Break::Kind::Altered, damaged, due,
                "line " + Number(damaged) +
                    " holds no whole entry and the chain does not continue across it: entry " +
                    Number(due) + " was altered or damaged"};
    }
    if (entry.prev == head.hash) {
        return {Break::Kind::Altered, line, due,
                "the entry on line " + Number(line) + " carries number " + Number(entry.seq) +
                    " where " + Number(due) + " was due: its number was altered"};
    }
    if (entry.seq == due) {
        if (due == 1) {
            return {Break::Kind::Removed, line, 1,
                    "the first entry does not start the chain: entries before it were removed"};
        }
        return {Break::Kind::Altered, headLine, head.seq,
                "entry " + Number(head.seq) + " was altered after it was written (entry " +
                    Number(due) + " was sealed over a different text)"};
    }
    return {Break::Kind::Reordered, line, entry.seq,
            "entry " + Number(entry.seq) + " comes again after entry " + Number(head.seq) +
                ": entries were reordered or copied"};
}

// An entry numbered beyond the one due: the entries between are missing, unless the one due
// comes later (ChainCheck then makes it a reordering).
Break MissingEntries(const Entry& entry, std::int64_t line, std::int64_t due) {
    const std::string missing = entry.seq == due + 1 ? "entry " + Number(due) + " is missing"
                                                     : "entries " + Number(due) + " to " +
                                                           Number(entry.seq - 1) + " are missing";
    return {Break::Kind::Removed, line, due, missing + ": removed from the log"};
}

Break Reordered(const Break& missing, std::int64_t seq) {
    return {Break::Kind::Reordered, missing.line, seq,
            "entry " + Number(seq) + " stands where entry " + Number(missing.entry) +
                " was due, and entry " + Number(missing.entry) +
                " comes later: entries were reordered"};
}

Break NoEntry(const LogLine& line, std::int64_t due) {
    const std::string what =
        line.tooLong ? " is longer than any entry" : " holds no entry, nor the beginning of one";
    return {Break::Kind::Altered, line.number, due,
            "line " + Number(line.number) + what + ": the log was altered or damaged there"};
}

std::string LineList(const std::vector<std::int64_t>& lines) {
    std::string text;
    for (const std::int64_t line : lines) {
        text += (text.empty() ? "" : ", ") + Number(line);
    }
    return text;
}

}  // namespace

ChainCheck::ChainCheck(std::string_view noted)
    : notedSeal_(LowerCase(noted)), notedFound_(notedSeal_.empty()) {}

bool ChainCheck::take(const LogLine& line) {
    if (settled_) {
        return false;
    }
    const auto entry = line.tooLong ? std::nullopt : ParseLine(line.text);
    if (awaitingReorder_) {
        if (entry && entry->seq == result_.firstBreak->entry) {
            result_.firstBreak = Reordered(*result_.firstBreak, awaitingReorder_->seq);
            settled_ = true;
        }
        return !settled_;
    }
    if (!entry) {
        // Only a write cut off is passed over; the chain must then continue across it.
        if (!line.tooLong && IsCutOffEntry(line.text)) {
            linesWithoutEntry_.push_back(line.number);
            return true;
        }
        result_.firstBreak = NoEntry(line, result_.head.seq + 1);
        settled_ = true;
        return false;
    }
    if (entry->seq != result_.head.seq + 1 || entry->prev != result_.head.hash) {
        if (linesWithoutEntry_.empty() && entry->prev != result_.head.hash &&
            entry->seq > result_.head.seq + 1) {
            result_.firstBreak = MissingEntries(*entry, line.number, result_.head.seq + 1);
            awaitingReorder_ = entry;
            return true;
        }
        result_.firstBreak =
            Diagnose(*entry, line.number, result_.head, headLine_, linesWithoutEntry_);
        if (result_.firstBreak->line == headLine_) {
            result_.entries -= 1;  // the entry last taken for intact was the altered one
        }
        settled_ = true;
        return false;
    }
    result_.skippedLines.insert(result_.skippedLines.end(), linesWithoutEntry_.begin(),
                                linesWithoutEntry_.end());
    linesWithoutEntry_.clear();
    result_.head = {entry->seq, Sha256Hex(line.text)};
    result_.entries += 1;
    headLine_ = line.number;
    notedFound_ = notedFound_ || result_.head.hash.starts_with(notedSeal_);
    return true;
}

Verification ChainCheck::finish() const {
    Verification result = result_;
    if (result.firstBreak) {
        return result;
    }
    if (!linesWithoutEntry_.empty()) {
        result.unfinishedTail = linesWithoutEntry_.front();
    }
    if (!notedFound_) {
        result.firstBreak = Break{Break::Kind::Removed, 0, result.head.seq + 1,
                                  "no entry is sealed " + notedSeal_ +
                                      ": the entry noted earlier is gone (entries were removed "
                                      "from the end, or the log was replaced)"};
    }
    return result;
}

Verification Verify(std::string_view log, std::string_view noted) {
    ChainCheck check(noted);
    for (const LogLine& line : SplitLog(log)) {
        if (!check.take(line)) {
            break;
        }
    }
    return check.finish();
}

std::string Describe(const Verification& verification) {
    std::string text;
    if (const auto& broken = verification.firstBreak) {
        text = "Broken";
        if (broken->line > 0) {
            text += " at line " + Number(broken->line);
        }
        text += ": " + broken->reason + ".";
        if (verification.entries == 1) {
            text += " The 1 entry before it is intact.";
        } else if (verification.entries > 1) {
            text += " The " + Number(verification.entries) + " entries before it are intact.";
        }
        return text;
    }
    if (verification.entries == 0) {
        text = "Intact: no entries yet.";
    } else {
        text = "Intact: " + Number(verification.entries) +
               (verification.entries == 1 ? " entry" : " entries") + ", the last sealed " +
               verification.head.hash.substr(0, kShortSealDigits) + ".";
    }
    if (!verification.skippedLines.empty()) {
        const bool one = verification.skippedLines.size() == 1;
        text += (one ? " Line " : " Lines ") + LineList(verification.skippedLines) +
                (one ? " holds" : " hold") +
                " no whole entry (a write cut off); the chain continues across it.";
    }
    if (verification.unfinishedTail) {
        text += " Line " + Number(*verification.unfinishedTail) +
                " holds no whole entry: the last write was cut off.";
    }
    return text;
}

}  // namespace audit
