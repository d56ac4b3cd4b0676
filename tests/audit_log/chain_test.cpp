// The chain of a log: where the next entry goes, the first broken entry of a log that was
// altered, shortened, reordered or copied, entries cut from the end against a noted seal, and a
// write cut off at any byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "core/audit/log_lines.h"
#include "core/audit/verify.h"
#include "tests/audit_log/log_builder.h"

namespace audit {
namespace {

using testing::Joined;
using testing::Sample;
using testing::SampleLines;
using Lines = std::vector<std::string>;

// The next entry never chains onto a line that holds none, and starts a line of its own.
TEST(AuditChain, TheTailIsAfterTheLastLineThatHoldsAnEntry) {
    const Lines lines = SampleLines(2);
    const ChainHead second{2, Sha256Hex(lines[1])};
    const std::string log = Joined(lines);
    const std::string cut = lines[0].substr(0, 20);
    const struct {
        std::string log;
        Tail tail;
    } cases[] = {
        {"", Tail{}},
        {log, {second, false}},
        {log + cut, {second, true}},
        {log + cut + "\n", {second, false}},
        {log.substr(0, log.size() - 1), {second, true}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TailOf(c.log), c.tail) << c.log;
    }
    const Appending next = Append(TailOf(log + cut), Sample(3));
    EXPECT_EQ(next.bytes, "\n" + SampleLines(3)[2] + "\n");
}

TEST(AuditChain, TheFirstBrokenEntryOfATamperedLogAndWhy) {
    using Kind = Break::Kind;
    const struct {
        const char* tampering;
        std::function<void(Lines&)> edit;
        Kind kind;
        std::int64_t line;
        std::int64_t entry;
        const char* reason;
    } cases[] = {
        {"an entry altered", [](Lines& l) { l[2].replace(l[2].find("PC3"), 3, "PC9"); },
         Kind::Altered, 3, 3,
         "entry 3 was altered after it was written (entry 4 was sealed over a different text)"},
        {"a number altered", [](Lines& l) { l[2].replace(0, 9, "{\"seq\":9,"); }, Kind::Altered, 3,
         3, "the entry on line 3 carries number 9 where 3 was due: its number was altered"},
        {"a line damaged", [](Lines& l) { l[2] = "#$%"; }, Kind::Altered, 3, 3,
         "line 3 holds no entry, nor the beginning of one: the log was altered or damaged there"},
        {"a line put in", [](Lines& l) { l.insert(l.begin() + 2, "{\"seq\":3}"); }, Kind::Altered,
         3, 3,
         "line 3 holds no entry, nor the beginning of one: the log was altered or damaged there"},
        {"a line longer than any entry put in",
         [](Lines& l) { l.insert(l.begin() + 2, l[2] + std::string(kMaxLineBytes, ' ')); },
         Kind::Altered, 3, 3,
         "line 3 is longer than any entry: the log was altered or damaged there"},
        {"a line cut short", [](Lines& l) { l[2].resize(30); }, Kind::Altered, 3, 3,
         "line 3 holds no whole entry and the chain does not continue across it: entry 3 was "
         "altered or damaged"},
        {"an entry removed", [](Lines& l) { l.erase(l.begin() + 2); }, Kind::Removed, 3, 3,
         "entry 3 is missing: removed from the log"},
        {"the first entries removed", [](Lines& l) { l.erase(l.begin(), l.begin() + 3); },
         Kind::Removed, 1, 1, "entries 1 to 3 are missing: removed from the log"},
        {"two entries swapped", [](Lines& l) { std::swap(l[2], l[3]); }, Kind::Reordered, 3, 4,
         "entry 4 stands where entry 3 was due, and entry 3 comes later: entries were reordered"},
        {"an entry copied", [](Lines& l) { l.insert(l.begin() + 3, l[2]); }, Kind::Reordered, 4, 3,
         "entry 3 comes again after entry 3: entries were reordered or copied"},
    };
    for (const auto& c : cases) {
        Lines lines = SampleLines(6);
        c.edit(lines);
        const Verification verification = Verify(Joined(lines));
        ASSERT_TRUE(verification.firstBreak.has_value()) << c.tampering;
        EXPECT_EQ(verification.firstBreak->kind, c.kind) << c.tampering;
        EXPECT_EQ(verification.firstBreak->line, c.line) << c.tampering;
        EXPECT_EQ(verification.firstBreak->entry, c.entry) << c.tampering;
        EXPECT_EQ(verification.firstBreak->reason, c.reason) << c.tampering;
    }
}

// A chain cut at an entry is still a chain: only a seal noted earlier shows the cut, or an
// alteration of the last entry, which no successor seals.
TEST(AuditChain, ANotedSealShowsEntriesCutFromTheEnd) {
    const Lines lines = SampleLines(6);
    const std::string fifth = Sha256Hex(lines[4]).substr(0, kShortSealDigits);
    std::string upper = fifth;
    std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
    EXPECT_TRUE(Verify(Joined(lines), upper).intact());
    const Lines cut(lines.begin(), lines.begin() + 4);
    EXPECT_TRUE(Verify(Joined(cut)).intact());
    const Verification verification = Verify(Joined(cut), fifth);
    ASSERT_FALSE(verification.intact());
    EXPECT_EQ(verification.firstBreak->kind, Break::Kind::Removed);
    EXPECT_EQ(verification.firstBreak->entry, 5);
    Lines lastAltered = lines;
    lastAltered[5].replace(lastAltered[5].find("PC6"), 3, "PC9");
    EXPECT_FALSE(Verify(Joined(lastAltered), Sha256Hex(lines[5])).intact());
}

// A write cut off at any byte (the program killed, the power gone) leaves a log that verifies up
// to its last whole entry, and the next start chains on from there, also when that write is cut
// off in turn.
TEST(AuditChain, AWriteCutOffAtAnyByteLeavesTheWholeEntriesVerifiable) {
    const Lines lines = SampleLines(3);
    const std::string before = Joined(Lines(lines.begin(), lines.begin() + 2));
    const std::string write = lines[2] + "\n";
    for (std::size_t cut = 0; cut <= write.size(); ++cut) {
        const std::string log = before + write.substr(0, cut);
        const Verification verification = Verify(log);
        ASSERT_TRUE(verification.intact()) << cut << ": " << Describe(verification);
        EXPECT_EQ(verification.entries, cut >= lines[2].size() ? 3 : 2) << cut;
        EXPECT_EQ(verification.unfinishedTail.has_value(), cut > 0 && cut < lines[2].size());

        const Appending next = Append(TailOf(log), Sample(4));
        for (std::size_t again = 0; again <= next.bytes.size(); again += 7) {
            const std::string later = log + next.bytes.substr(0, again);
            ASSERT_TRUE(Verify(later).intact()) << cut << " and " << again;
        }
        const Verification whole = Verify(log + next.bytes);
        EXPECT_EQ(whole.entries, verification.entries + 1);
        EXPECT_EQ(whole.skippedLines.size(), verification.unfinishedTail ? 1u : 0u);
    }
}

// Read a piece at a time, a log gives the lines it gives read whole, and a line too long for any
// entry is handed over as soon as it is, with no more of it kept.
TEST(AuditLines, ALogReadInPiecesGivesTheLinesOfTheWholeText) {
    const std::string tooLong(kMaxLineBytes + 10, '{');
    const std::string log = Joined(SampleLines(3)) + tooLong + "\n\n" + tooLong + "\nlast";
    for (const std::size_t piece : {std::size_t{1}, std::size_t{7}, std::size_t{65'536}}) {
        std::vector<LogLine> read;
        std::vector<std::string> texts;
        LineReader reader([&](const LogLine& line) {
            read.push_back(line);
            texts.emplace_back(line.text);
            return true;
        });
        for (std::size_t at = 0; at < log.size(); at += piece)
            ASSERT_TRUE(reader.feed(std::string_view(log).substr(at, piece)));
        reader.finish();
        const std::vector<LogLine> whole = SplitLog(log);
        ASSERT_EQ(read.size(), whole.size()) << piece;
        for (std::size_t i = 0; i < whole.size(); ++i) {
            EXPECT_EQ(read[i].number, whole[i].number) << piece;
            EXPECT_EQ(read[i].tooLong, whole[i].tooLong) << piece << " line " << i + 1;
            EXPECT_EQ(texts[i], whole[i].text.substr(0, kMaxLineBytes)) << piece;
            EXPECT_EQ(read[i].ended, whole[i].ended && !whole[i].tooLong) << piece;
        }
    }
    std::size_t taken = 0;
    LineReader reader([&](const LogLine&) { return ++taken < 2; });
    EXPECT_FALSE(reader.feed(log)) << "it stops when no more lines are wanted";
    EXPECT_EQ(taken, 2u);
}

}  // namespace
}  // namespace audit
