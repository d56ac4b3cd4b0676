// The audit log's reader, two ways. On hostile text (a log damaged or forged): verification never
// fails, an intact log's tail is where its verification ends, and an entry appended there keeps
// it intact, one entry longer. On an intact chain written entry by entry and then damaged once
// (a line altered, removed, swapped with the next, cut off or a junk line put in): verification
// finds the damage on the line where it was done, and reads the same for it each time; a line put
// in is passed over only when it is what a write cut off leaves. Raw text
// alone can never hold a chain of two entries, since each carries the SHA-256 of the line before.
// Both ways, a line the quick reader of the written form takes reads the same to the JSON parser.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/audit/chain.h"
#include "core/audit/entry.h"
#include "core/audit/log_lines.h"
#include "core/audit/verify.h"
#include "fuzz/fuzz_check.h"

namespace {

// Any bytes, or as often text as most entries hold: printable ASCII without quotes or
// backslashes, which the log has a plain form for.
std::string SomeText(FuzzedDataProvider& input, std::size_t maxBytes) {
    std::string text = input.ConsumeRandomLengthString(maxBytes);
    if (input.ConsumeBool()) {
        for (char& c : text) {
            c = static_cast<char>(' ' + static_cast<unsigned char>(c) % 95);
            c = c == '"' ? '\'' : c == '\\' ? '/' : c;
        }
    }
    return text;
}

audit::Entry SomeEntry(FuzzedDataProvider& input, std::size_t whoBytes, std::size_t whatBytes) {
    audit::Entry entry;
    entry.time = "2026-12-08T14:05:00Z";
    entry.who = SomeText(input, whoBytes);
    entry.what = SomeText(input, whatBytes);
    return entry;
}

// Where the reader of the written form takes a line, the JSON parser reads the same entry in it.
void CheckReadersAgree(std::string_view line) {
    if (const auto written = audit::detail::ParseWrittenForm(line)) {
        FUZZ_CHECK(audit::detail::ParseAnyJson(line) == written);
    }
}

// What holds for any log: verification ends where the tail is, and appending there extends the
// chain by one.
void CheckAppending(const std::string& log, const audit::Verification& verification,
                    const audit::Entry& next) {
    if (!verification.intact()) {
        return;
    }
    const audit::Tail tail = audit::TailOf(log);
    FUZZ_CHECK(tail.head == verification.head);
    const std::string longer = log + audit::Append(tail, next).bytes;
    const audit::Verification after = audit::Verify(longer);
    FUZZ_CHECK(after.intact());
    FUZZ_CHECK(after.entries == verification.entries + 1);
    FUZZ_CHECK(!after.unfinishedTail.has_value());
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string log;
    for (const std::string& line : lines) {
        log += line + "\n";
    }
    return log;
}

// Writes a chain of entries and damages it once, as the input says.
void CheckDamagedChain(FuzzedDataProvider& input) {
    std::vector<std::string> lines;
    audit::Tail tail;
    for (int count = input.ConsumeIntegralInRange<int>(1, 8); count > 0; --count) {
        const audit::Appending appending = audit::Append(tail, SomeEntry(input, 8, 16));
        lines.push_back(appending.bytes.substr(0, appending.bytes.size() - 1));
        tail = appending.tail;
    }
    const auto entries = static_cast<std::int64_t>(lines.size());
    const std::string lastSeal = tail.head.hash;
    // The line the damage is done on, from 1.
    const std::size_t at = input.ConsumeIntegralInRange<std::size_t>(1, lines.size());
    const auto line = static_cast<std::int64_t>(at);
    std::string log;
    audit::Verification verification;
    switch (input.ConsumeIntegralInRange<int>(0, 5)) {
        case 0: {  // intact; any entry's seal is found
            log = Joined(lines);
            verification = audit::Verify(log);
            FUZZ_CHECK(verification.intact() && verification.entries == entries);
            FUZZ_CHECK(audit::Verify(log, audit::Sha256Hex(lines[at - 1])).intact());
            break;
        }
        case 1: {  // a byte of a line altered (never into a line break)
            std::string& text = lines[at - 1];
            const std::size_t offset =
                input.ConsumeIntegralInRange<std::size_t>(0, text.size() - 1);
            const auto altered = static_cast<char>(
                text[offset] ^ static_cast<char>(input.ConsumeIntegralInRange<int>(1, 255)));
            text[offset] = altered == '\n' ? '\0' : altered;
            CheckReadersAgree(text);
            log = Joined(lines);
            verification = audit::Verify(log, lastSeal);
            FUZZ_CHECK(!verification.intact());
            const audit::Break& broken = *verification.firstBreak;
            if (broken.line == 0) {
                // Only the last entry's change escapes the chain; the seal noted shows it.
                FUZZ_CHECK(line == entries);
            } else {
                // A changed link shows as a change of the entry before, which it no longer matches.
                FUZZ_CHECK(broken.line == line || broken.line == line - 1);
                FUZZ_CHECK(verification.entries == broken.line - 1);
            }
            break;
        }
        case 2: {  // a line removed
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at - 1));
            log = Joined(lines);
            verification = audit::Verify(log, lastSeal);
            FUZZ_CHECK(!verification.intact());
            FUZZ_CHECK(verification.firstBreak->kind == audit::Break::Kind::Removed);
            FUZZ_CHECK(verification.firstBreak->line == (line == entries ? 0 : line));
            FUZZ_CHECK(verification.entries == line - 1);
            break;
        }
        case 3: {  // a line swapped with the next
            if (at == lines.size()) {
                return;
            }
            std::swap(lines[at - 1], lines[at]);
            log = Joined(lines);
            verification = audit::Verify(log);
            FUZZ_CHECK(!verification.intact());
            FUZZ_CHECK(verification.firstBreak->kind == audit::Break::Kind::Reordered);
            FUZZ_CHECK(verification.firstBreak->line == line);
            FUZZ_CHECK(verification.entries == line - 1);
            break;
        }
        case 4: {  // the log cut off inside a line: the entries before it stay intact
            const std::size_t length = lines[at - 1].size();
            const std::size_t kept = input.ConsumeIntegralInRange<std::size_t>(0, length);
            const std::string cut = lines[at - 1].substr(0, kept);
            CheckReadersAgree(cut);
            FUZZ_CHECK(audit::IsCutOffEntry(cut) == (kept > 0 && kept < length));
            lines.resize(at - 1);
            log = Joined(lines) + cut;
            verification = audit::Verify(log);
            FUZZ_CHECK(verification.intact());
            FUZZ_CHECK(verification.entries == (kept == length ? line : line - 1));
            FUZZ_CHECK(verification.unfinishedTail ==
                       (kept > 0 && kept < length ? std::optional(line) : std::nullopt));
            break;
        }
        default: {  // a junk line put in before the line, or after the last
            const std::string junk = input.ConsumeRandomLengthString(64);
            if (junk.find('\n') != std::string::npos || audit::ParseLine(junk)) {
                return;
            }
            const std::size_t before = input.ConsumeBool() ? at - 1 : lines.size();
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(before), junk);
            log = Joined(lines);
            verification = audit::Verify(log);
            const auto junkLine = static_cast<std::int64_t>(before) + 1;
            if (!audit::IsCutOffEntry(junk)) {
                // Only what a write cut off leaves is passed over; anything else breaks there.
                FUZZ_CHECK(!verification.intact());
                FUZZ_CHECK(verification.firstBreak->line == junkLine);
                FUZZ_CHECK(verification.entries == static_cast<std::int64_t>(before));
                break;
            }
            FUZZ_CHECK(verification.intact() && verification.entries == entries);
            if (before == lines.size() - 1) {
                FUZZ_CHECK(verification.unfinishedTail == junkLine);
            } else {
                FUZZ_CHECK(verification.skippedLines == std::vector<std::int64_t>{junkLine});
            }
            break;
        }
    }
    CheckAppending(log, verification, SomeEntry(input, 8, 16));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    if (input.ConsumeBool()) {
        CheckDamagedChain(input);
        return 0;
    }
    const audit::Entry next = SomeEntry(input, 32, 64);
    const std::string log = input.ConsumeRemainingBytesAsString();
    for (const audit::LogLine& line : audit::SplitLog(log)) {
        CheckReadersAgree(line.text);
    }
    const audit::Verification verification = audit::Verify(log);
    FUZZ_CHECK(static_cast<std::int64_t>(audit::EntriesOf(log).size()) >= verification.entries);
    CheckAppending(log, verification, next);
    return 0;
}
