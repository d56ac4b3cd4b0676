// One line of the audit log: its exact JSON, what reads back from it, the lines that hold no
// entry, and the time stamps.
#include <gtest/gtest.h>

#include <string>

#include "core/audit/entry.h"

namespace audit {
namespace {

const std::string kSeal(64, 'a');

Entry Message() {
    Entry entry;
    entry.seq = 7;
    entry.time = "2026-12-08T14:05:00Z";
    entry.who = "CLERK";
    entry.what = "Message \"closing\"";
    entry.client = "Café 1";
    entry.port = 3;
    entry.wire = "||KESTOVA||3||MESSAGE|a\\b\tc\x01||||";
    entry.prev = kSeal;
    return entry;
}

TEST(AuditLine, KeysStandInTheirOrderAndTextIsEscapedAsJson) {
    EXPECT_EQ(
        FormatLine(Message()),
        R"({"seq":7,"time":"2026-12-08T14:05:00Z","who":"CLERK","what":"Message \"closing\"",)"
        R"("client":"Café 1","port":3,"group":"","wire":"||KESTOVA||3||MESSAGE|a\\b\tc\u0001||||",)"
        R"("prev":")" +
            kSeal + R"("})");
}

TEST(AuditLine, NoPortIsNullAndBytesThatAreNotUtf8BecomeTheReplacementCharacter) {
    Entry entry = Message();
    entry.port.reset();
    entry.client = "PC\xff";
    const std::string line = FormatLine(entry);
    EXPECT_NE(line.find(R"("port":null)"), std::string::npos) << line;
    EXPECT_NE(line.find("\"client\":\"PC\xEF\xBF\xBD\""), std::string::npos) << line;
}

TEST(AuditLine, EveryEntryReadsBackAsWritten) {
    Entry empty;
    empty.seq = 1;
    empty.prev = kSeal;
    Entry lineBreaks = Message();
    lineBreaks.what = "Message \"two\r\nlines\"";
    lineBreaks.group = "GRP-0001-XYZ";
    Entry large = Message();
    large.seq = 9'007'199'254'740'993;  // beyond a double's exact range
    large.port = 254;
    for (const Entry& entry : {empty, Message(), lineBreaks, large}) {
        const auto read = ParseLine(FormatLine(entry));
        ASSERT_TRUE(read.has_value()) << FormatLine(entry);
        EXPECT_EQ(*read, entry);
    }
}

TEST(AuditLine, LinesThatAreNotExactlyAnEntryHoldNone) {
    const std::string line = FormatLine(Message());
    auto with = [&line](const std::string& from, const std::string& to) {
        std::string changed = line;
        changed.replace(changed.find(from), from.size(), to);
        return changed;
    };
    const struct {
        const char* why;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"not an object", "[1,2]"},
        {"an empty object", "{}"},
        {"not JSON", "seq=7"},
        {"a key missing", with(R"("group":"",)", "")},
        {"a key too many", with(R"("group":"",)", R"("group":"","extra":1,)")},
        {"keys out of order", with(R"("who":"CLERK","what":"Message \"closing\"",)",
                                   R"("what":"Message \"closing\"","who":"CLERK",)")},
        {"number 0", with(R"("seq":7)", R"("seq":0)")},
        {"a negative number", with(R"("seq":7)", R"("seq":-7)")},
        {"a fraction for a number", with(R"("seq":7)", R"("seq":7.5)")},
        {"a text for the number", with(R"("seq":7)", R"("seq":"7")")},
        {"a text for the port", with(R"("port":3)", R"("port":"3")")},
        {"a negative port", with(R"("port":3)", R"("port":-3)")},
        {"a number for a name", with(R"("who":"CLERK")", R"("who":42)")},
        {"a short seal", with(kSeal, kSeal.substr(1))},
        {"an upper-case seal", with(kSeal, std::string(64, 'A'))},
        {"a seal that is not hexadecimal", with(kSeal, std::string(64, 'g'))},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(ParseLine(c.text).has_value()) << c.why << ": " << c.text;
    }
}

TEST(AuditLine, NoPartOfALineHoldsAnEntry) {
    const std::string line = FormatLine(Message());
    for (std::size_t size = 0; size < line.size(); ++size) {
        EXPECT_FALSE(ParseLine(line.substr(0, size)).has_value()) << "cut after " << size;
    }
}

TEST(AuditTime, StampsAreUtcToTheSecondAndReadBack) {
    using namespace std::chrono;
    const sys_seconds moment = sys_days(2026y / December / 8) + 14h + 5min + 9s;
    EXPECT_EQ(FormatUtcTime(moment + 750ms), "2026-12-08T14:05:09Z");
    EXPECT_EQ(ParseUtcTime("2026-12-08T14:05:09Z"), moment);
    EXPECT_EQ(FormatUtcTime(sys_days(2024y / February / 29)), "2024-02-29T00:00:00Z");
}

TEST(AuditTime, OtherTextsAreNoTimeStamp) {
    for (const char* text :
         {"", "2026-12-08 14:05:09Z", "2026-12-08T14:05:09", "2026-12-08T14:05:09+01:00",
          "2026-13-08T14:05:09Z", "2026-02-30T14:05:09Z", "2026-12-08T24:00:00Z",
          "2026-12-08T14:60:00Z", "20x6-12-08T14:05:09Z"}) {
        EXPECT_FALSE(ParseUtcTime(text).has_value()) << text;
    }
}

}  // namespace
}  // namespace audit
