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

bool HoldsEntryNumbered(const std::vector<LogLine>& lines, std::size_t from, std::int64_t seq) {
    return std::any_of(lines.begin() + static_cast<std::ptrdiff_t>(from), lines.end(),
                       [seq](const LogLine& line) {
                           const auto entry = ParseLine(line.text);
                           return entry && entry->seq == seq;
                       });
}

// What went wrong where `entry`, on lines[index], does not follow the chain's head.
Break Diagnose(const Entry& entry, const std::vector<LogLine>& lines, std::size_t index,
               const ChainHead& head, std::int64_t headLine,
               const std::vector<std::int64_t>& linesWithoutEntry) {
    const std::int64_t line = lines[index].number;
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
    if (entry.seq > due) {
        if (HoldsEntryNumbered(lines, index + 1, due)) {
            return {Break::Kind::Reordered, line, entry.seq,
                    "entry " + Number(entry.seq) + " stands where entry " + Number(due) +
                        " was due, and entry " + Number(due) +
                        " comes later: entries were reordered"};
        }
        const std::string missing =
            entry.seq == due + 1
                ? "entry " + Number(due) + " is missing"
                : "entries " + Number(due) + " to " + Number(entry.seq - 1) + " are missing";
        return {Break::Kind::Removed, line, due, missing + ": removed from the log"};
    }
    return {Break::Kind::Reordered, line, entry.seq,
            "entry " + Number(entry.seq) + " comes again after entry " + Number(head.seq) +
                ": entries were reordered or copied"};
}

std::string LineList(const std::vector<std::int64_t>& lines) {
    std::string text;
    for (const std::int64_t line : lines) {
        text += (text.empty() ? "" : ", ") + Number(line);
    }
    return text;
}

}  // namespace

Verification Verify(std::string_view log, std::string_view noted) {
    Verification result;
    const std::vector<LogLine> lines = SplitLog(log);
    const std::string notedSeal = LowerCase(noted);
    bool notedFound = notedSeal.empty();
    std::int64_t headLine = 0;
    std::vector<std::int64_t> linesWithoutEntry;  // since the last entry
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const LogLine& line = lines[index];
        const auto entry = ParseLine(line.text);
        if (!entry) {
            linesWithoutEntry.push_back(line.number);
            continue;
        }
        if (entry->seq != result.head.seq + 1 || entry->prev != result.head.hash) {
            result.firstBreak =
                Diagnose(*entry, lines, index, result.head, headLine, linesWithoutEntry);
            if (result.firstBreak->line == headLine) {
                result.entries -= 1;  // the entry last taken for intact was the altered one
            }
            return result;
        }
        result.skippedLines.insert(result.skippedLines.end(), linesWithoutEntry.begin(),
                                   linesWithoutEntry.end());
        linesWithoutEntry.clear();
        result.head = {entry->seq, Sha256Hex(line.text)};
        result.entries += 1;
        headLine = line.number;
        notedFound = notedFound || result.head.hash.starts_with(notedSeal);
    }
    if (!linesWithoutEntry.empty()) {
        result.unfinishedTail = linesWithoutEntry.front();
    }
    if (!notedFound) {
        result.firstBreak = Break{Break::Kind::Removed, 0, result.head.seq + 1,
                                  "no entry is sealed " + notedSeal +
                                      ": the entry noted earlier is gone (entries were removed "
                                      "from the end, or the log was replaced)"};
    }
    return result;
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
