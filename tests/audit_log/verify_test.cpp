// Verifying a log: an intact chain, the first broken entry of a log that was altered, shortened,
// reordered or copied, entries removed from the end against a noted seal, and a write cut off at
// any byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "core/audit/verify.h"
#include "tests/audit_log/log_builder.h"

namespace audit {
namespace {

using testing::Joined;
using testing::Sample;
using testing::SampleLines;
using Lines = std::vector<std::string>;

TEST(AuditVerify, AnIntactLogEndsAtItsLastEntry) {
    const Lines lines = SampleLines(6);
    const Verification verification = Verify(Joined(lines));
    EXPECT_TRUE(verification.intact());
    EXPECT_EQ(verification.entries, 6);
    EXPECT_EQ(verification.head, (ChainHead{6, Sha256Hex(lines[5])}));
    EXPECT_FALSE(verification.unfinishedTail.has_value());
    EXPECT_TRUE(verification.skippedLines.empty());
}

TEST(AuditVerify, AnEmptyLogIsIntact) {
    const Verification verification = Verify("");
    EXPECT_TRUE(verification.intact());
    EXPECT_EQ(verification.entries, 0);
    EXPECT_EQ(Describe(verification), "Intact: no entries yet.");
}

TEST(AuditVerify, TheFirstBrokenEntryOfATamperedLogAndWhy) {
    using Kind = Break::Kind;
    const auto altered = [](std::string line) {
        line.replace(line.find("Pause or resume"), 15, "Allocate 5 min!");
        return line;
    };
    const struct {
        const char* tampering;
        std::function<void(Lines&)> edit;
        Kind kind;
        std::int64_t line;
        std::int64_t entry;
        const char* reason;
    } cases[] = {
        {"an entry in the middle altered", [&](Lines& l) { l[2] = altered(l[2]); }, Kind::Altered,
         3, 3,
         "entry 3 was altered after it was written (entry 4 was sealed over a different text)"},
        {"the first entry altered", [&](Lines& l) { l[0] = altered(l[0]); }, Kind::Altered, 1, 1,
         "entry 1 was altered after it was written (entry 2 was sealed over a different text)"},
        {"an entry's number altered", [](Lines& l) { l[2].replace(0, 9, "{\"seq\":9,"); },
         Kind::Altered, 3, 3,
         "the entry on line 3 carries number 9 where 3 was due: its number was altered"},
        {"an entry damaged beyond reading", [](Lines& l) { l[2] = "#$%"; }, Kind::Altered, 3, 3,
         "line 3 holds no whole entry and the chain does not continue across it: entry 3 was "
         "altered or damaged"},
        {"two entries joined on one line",
         [](Lines& l) {
             l[2] += l[3];
             l.erase(l.begin() + 3);
         },
         Kind::Altered, 3, 3,
         "line 3 holds no whole entry and the chain does not continue across it: entry 3 was "
         "altered or damaged"},
        {"an entry removed", [](Lines& l) { l.erase(l.begin() + 2); }, Kind::Removed, 3, 3,
         "entry 3 is missing: removed from the log"},
        {"entries removed", [](Lines& l) { l.erase(l.begin() + 1, l.begin() + 4); }, Kind::Removed,
         2, 2, "entries 2 to 4 are missing: removed from the log"},
        {"the first entry removed", [](Lines& l) { l.erase(l.begin()); }, Kind::Removed, 1, 1,
         "entry 1 is missing: removed from the log"},
        {"two entries swapped", [](Lines& l) { std::swap(l[2], l[3]); }, Kind::Reordered, 3, 4,
         "entry 4 stands where entry 3 was due, and entry 3 comes later: entries were reordered"},
        {"an entry moved to the end",
         [](Lines& l) { std::rotate(l.begin() + 1, l.begin() + 2, l.end()); }, Kind::Reordered, 2,
         3,
         "entry 3 stands where entry 2 was due, and entry 2 comes later: entries were reordered"},
        {"an entry copied", [](Lines& l) { l.insert(l.begin() + 3, l[2]); }, Kind::Reordered, 4, 3,
         "entry 3 comes again after entry 3: entries were reordered or copied"},
    };
    for (const auto& c : cases) {
        Lines lines = SampleLines(6);
        c.edit(lines);
        const Verification verification = Verify(Joined(lines));
        ASSERT_TRUE(verification.firstBreak.has_value()) << c.tampering;
        const Break& broken = *verification.firstBreak;
        EXPECT_EQ(broken.kind, c.kind) << c.tampering;
        EXPECT_EQ(broken.line, c.line) << c.tampering;
        EXPECT_EQ(broken.entry, c.entry) << c.tampering;
        EXPECT_EQ(broken.reason, c.reason) << c.tampering;
    }
}

TEST(AuditVerify, TheFirstEntryWithoutItsPredecessorsIsReportedAsRemovedEntries) {
    Lines lines = SampleLines(6);
    lines.erase(lines.begin(), lines.begin() + 2);
    const Verification verification = Verify(Joined(lines));
    ASSERT_FALSE(verification.intact());
    EXPECT_EQ(verification.firstBreak->reason, "entries 1 to 2 are missing: removed from the log");
    EXPECT_EQ(Describe(verification),
              "Broken at line 1: entries 1 to 2 are missing: removed from the log.");
}

TEST(AuditVerify, ANotedSealShowsEntriesRemovedFromTheEndOrTheLastOneAltered) {
    const Lines lines = SampleLines(6);
    const std::string fifthSeal = Sha256Hex(lines[4]);
    const std::string sixthSeal = Sha256Hex(lines[5]);
    EXPECT_TRUE(Verify(Joined(lines), fifthSeal.substr(0, kShortSealDigits)).intact());
    EXPECT_TRUE(Verify(Joined(lines), sixthSeal).intact());
    std::string upper = sixthSeal;
    std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
    EXPECT_TRUE(Verify(Joined(lines), upper).intact()) << "the case of the digits does not matter";

    const Lines shortened(lines.begin(), lines.begin() + 4);
    EXPECT_TRUE(Verify(Joined(shortened)).intact()) << "without a seal nothing shows the cut";
    const Verification cut = Verify(Joined(shortened), fifthSeal.substr(0, kShortSealDigits));
    ASSERT_FALSE(cut.intact());
    EXPECT_EQ(cut.firstBreak->kind, Break::Kind::Removed);
    EXPECT_EQ(cut.firstBreak->line, 0);
    EXPECT_EQ(cut.firstBreak->entry, 5);
    EXPECT_EQ(Describe(cut), "Broken: no entry is sealed " + fifthSeal.substr(0, kShortSealDigits) +
                                 ": the entry noted earlier is gone (entries were removed from "
                                 "the end, or the log was replaced). The 4 entries before it are "
                                 "intact.");

    Lines lastAltered = lines;
    lastAltered[5].replace(lastAltered[5].find("PC6"), 3, "PC9");
    EXPECT_TRUE(Verify(Joined(lastAltered)).intact()) << "no successor shows the last entry";
    EXPECT_FALSE(Verify(Joined(lastAltered), sixthSeal).intact());
}

// A write cut off at any byte (the program killed, the power gone) leaves a log that verifies up
// to its last whole entry, and the next start chains on from there, also when that write is cut
// off in turn.
TEST(AuditVerify, AWriteCutOffAtAnyByteLeavesTheWholeEntriesVerifiable) {
    const Lines lines = SampleLines(3);
    const std::string before = Joined(Lines(lines.begin(), lines.begin() + 2));
    const std::string write = lines[2] + "\n";
    for (std::size_t cut = 0; cut <= write.size(); ++cut) {
        const std::string log = before + write.substr(0, cut);
        const bool wholeLine = cut >= lines[2].size();
        const Verification verification = Verify(log);
        ASSERT_TRUE(verification.intact()) << "cut after " << cut << ": " << Describe(verification);
        EXPECT_EQ(verification.entries, wholeLine ? 3 : 2) << "cut after " << cut;
        EXPECT_EQ(verification.unfinishedTail.has_value(), cut > 0 && !wholeLine)
            << "cut after " << cut;

        const Appending next = Append(TailOf(log), Sample(4));
        // The write after the cut is cut off in its turn, at every 7th byte and at its end.
        for (std::size_t secondCut = 0; secondCut <= next.bytes.size();
             secondCut = secondCut == next.bytes.size()
                             ? secondCut + 1
                             : std::min(secondCut + 7, next.bytes.size())) {
            const std::string later = log + next.bytes.substr(0, secondCut);
            const Verification again = Verify(later);
            ASSERT_TRUE(again.intact())
                << "cut after " << cut << " and " << secondCut << ": " << Describe(again);
            if (secondCut == next.bytes.size()) {
                EXPECT_EQ(again.entries, verification.entries + 1);
                EXPECT_EQ(again.head, next.tail.head);
                EXPECT_FALSE(again.unfinishedTail.has_value());
                EXPECT_EQ(again.skippedLines.size(), verification.unfinishedTail ? 1u : 0u);
            }
        }
    }
}

TEST(AuditVerify, TheResultInWords) {
    const Lines lines = SampleLines(2);
    const std::string seal = Sha256Hex(lines[1]).substr(0, kShortSealDigits);
    const std::string cutOff = lines[0].substr(0, 30);
    const Lines one = SampleLines(1);
    const struct {
        std::string log;
        std::string words;
    } cases[] = {
        {Joined(one),
         "Intact: 1 entry, the last sealed " + Sha256Hex(one[0]).substr(0, kShortSealDigits) + "."},
        {Joined(lines), "Intact: 2 entries, the last sealed " + seal + "."},
        {Joined(lines) + cutOff, "Intact: 2 entries, the last sealed " + seal +
                                     ". Line 3 holds no whole entry: the last write was cut off."},
        {lines[0] + "\n" + cutOff + "\n" + lines[1] + "\n",
         "Intact: 2 entries, the last sealed " + seal +
             ". Line 2 holds no whole entry (a write cut off); the chain continues across it."},
        {lines[1] + "\n", "Broken at line 1: entry 1 is missing: removed from the log."},
        {lines[0] + "\n" + lines[0] + "\n",
         "Broken at line 2: entry 1 comes again after entry 1: entries were reordered or copied. "
         "The 1 entry before it is intact."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Describe(Verify(c.log)), c.words);
    }
}

}  // namespace
}  // namespace audit
