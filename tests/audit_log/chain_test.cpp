// How entries are numbered and chained, and where the next one goes in a log that a cut-off
// write left unfinished.
#include <gtest/gtest.h>

#include "core/audit/chain.h"
#include "tests/audit_log/log_builder.h"

namespace audit {
namespace {

using testing::Joined;
using testing::Sample;
using testing::SampleLines;

TEST(AuditChain, Sha256IsTheStandardDigestInLowerCaseHex) {
    EXPECT_EQ(Sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(Sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
}

TEST(AuditChain, TheFirstEntryIsNumberOneLinkedToGenesisAndEachNextToTheLineBefore) {
    const std::vector<std::string> lines = SampleLines(3);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto entry = ParseLine(lines[i]);
        ASSERT_TRUE(entry.has_value());
        EXPECT_EQ(entry->seq, static_cast<std::int64_t>(i) + 1);
        EXPECT_EQ(entry->prev, i == 0 ? std::string(kGenesis) : Sha256Hex(lines[i - 1]));
    }
}

TEST(AuditChain, AppendingWritesOneLineAndMovesTheTail) {
    const Appending first = Append(Tail{}, Sample(1));
    EXPECT_EQ(first.bytes, SampleLines(1)[0] + "\n");
    EXPECT_EQ(first.tail, (Tail{{1, Sha256Hex(SampleLines(1)[0])}, false}));
}

TEST(AuditChain, TheTailIsAfterTheLastLineThatHoldsAnEntry) {
    const std::vector<std::string> lines = SampleLines(3);
    const ChainHead third{3, Sha256Hex(lines[2])};
    const std::string log = Joined(lines);
    const std::string cutOffLine = lines[0].substr(0, 20);
    const struct {
        const char* what;
        std::string log;
        Tail tail;
    } cases[] = {
        {"an empty log", "", Tail{}},
        {"whole lines", log, {third, false}},
        {"a write cut off", log + cutOffLine, {third, true}},
        {"a cut-off write ended by a later start", log + cutOffLine + "\n", {third, false}},
        {"the last line without its line break", log.substr(0, log.size() - 1), {third, true}},
        {"only a cut-off write", cutOffLine, {ChainHead{}, true}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TailOf(c.log), c.tail) << c.what;
    }
}

TEST(AuditChain, AfterACutOffWriteTheNextEntryStartsAFreshLine) {
    const std::string log = Joined(SampleLines(2)) + "{\"seq\":3,\"ti";
    const Appending next = Append(TailOf(log), Sample(3));
    ASSERT_EQ(next.bytes.front(), '\n');
    const auto entry = ParseLine(next.bytes.substr(1, next.bytes.size() - 2));
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->seq, 3);
    EXPECT_EQ(entry->prev, Sha256Hex(SampleLines(2)[1]));
}

}  // namespace
}  // namespace audit
