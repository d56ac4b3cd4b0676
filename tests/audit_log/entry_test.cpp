// One line of the audit log: its exact JSON, what reads back, the lines that hold no entry, and
// the time stamps.
#include <gtest/gtest.h>

#include "core/audit/entry.h"

namespace audit {
namespace {

const std::string kSeal(64, 'a');

Entry Message() {
    return {7,        "2026-12-08T14:05:00Z",
            "CLERK",  "Message \"closing\"",
            "Café 1", 3,
            "",       "||KESTOVA||3||MESSAGE|a\\b\tc\x01||||",
            kSeal};
}

// The line with its first `from` made `to`.
std::string Changed(std::string line, const std::string& from, const std::string& to) {
    return line.replace(line.find(from), from.size(), to);
}

TEST(AuditLine, IsJsonWithItsKeysInOrderAndReadsBackAsWritten) {
    const std::string line = FormatLine(Message());
    EXPECT_EQ(
        line,
        R"({"seq":7,"time":"2026-12-08T14:05:00Z","who":"CLERK","what":"Message \"closing\"",)"
        R"("client":"Café 1","port":3,"group":"","wire":"||KESTOVA||3||MESSAGE|a\\b\tc\u0001||||",)"
        R"("prev":")" +
            kSeal + R"("})");
    EXPECT_EQ(ParseLine(line), Message());
    EXPECT_EQ(ParseLine(" \t" + line + " "), Message()) << "white space around JSON";
    Entry noPort = Message();
    noPort.port.reset();
    noPort.seq = 9'007'199'254'740'993;  // beyond a double's exact range
    EXPECT_EQ(ParseLine(FormatLine(noPort)), noPort);
    noPort.client = "PC\xff";
    EXPECT_NE(FormatLine(noPort).find("\"port\":null,\"group\""), std::string::npos);
    EXPECT_EQ(ParseLine(FormatLine(noPort))->client, "PC\xEF\xBF\xBD")
        << "U+FFFD for a non-UTF-8 byte";
}

TEST(AuditLine, ALineThatIsNotExactlyAnEntryHoldsNone) {
    const std::string line = FormatLine(Message());
    auto with = [&line](const std::string& from, const std::string& to) {
        return Changed(line, from, to);
    };
    for (const std::string& text :
         {std::string("[1]"), std::string("{}"), with(R"("group":"",)", ""),
          with(R"("group":"",)", R"("group":"","x":1,)"),
          with(R"("who":"CLERK","what":"Message \"closing\"",)",
               R"("what":"Message \"closing\"","who":"CLERK",)"),
          with(R"("time":)", R"("seq":7,"time":)"), with(R"("seq":7)", R"("seq":0)"),
          with(R"("seq":7)", R"("seq":"7")"), with(R"("port":3)", R"("port":-3)"),
          with(R"("who":"CLERK")", R"("who":4)"), with(kSeal, kSeal.substr(1)),
          with(kSeal, std::string(64, 'A'))}) {
        EXPECT_FALSE(ParseLine(text).has_value()) << text;
        EXPECT_FALSE(IsCutOffEntry(text)) << "nor the beginning of one: " << text;
    }
    // A write cut off anywhere leaves no entry, only the beginning of one.
    for (std::size_t size = 0; size < line.size(); ++size) {
        EXPECT_FALSE(ParseLine(line.substr(0, size)).has_value()) << "cut after " << size;
        EXPECT_EQ(IsCutOffEntry(line.substr(0, size)), size > 0) << "cut after " << size;
    }
    for (const std::string& text : {line, std::string(), std::string(" "), line + "}",
                                    line.substr(0, 20) + "\x01", std::string("{\"seq\":1}")}) {
        EXPECT_FALSE(IsCutOffEntry(text)) << text;
    }
}

TEST(AuditLine, ThePlainWrittenFormReadsWithoutTheJsonParserAndEveryOtherLineAsItReads) {
    Entry plain = Message();
    plain.what = "Message";
    plain.client = "PC 1";
    plain.wire = "||KESTOVA||3||MESSAGE|hi||||";
    const std::string line = FormatLine(plain);
    EXPECT_EQ(detail::ParseWrittenForm(line), plain);
    auto with = [&line](const std::string& from, const std::string& to) {
        return Changed(line, from, to);
    };
    // Lines just off the written form: the JSON parser decides, whether it finds an entry or not.
    for (const std::string& text :
         {with(R"("seq":7)", R"("seq":07)"), with(R"("seq":7)", R"("seq":1234567890123456789)"),
          with(R"("port":3)", R"("port":2147483648)"), with(R"("port":3)", R"("port":03)"),
          with(R"("port":3)", R"("port":null)"), with(R"("who":"CLERK")", R"("who":"CL\u0045RK")"),
          with(R"("who":"CLERK")", "\"CL\x7fRK\""), with(R"("who":"CLERK")", "\"CL\tRK\""),
          with(R"("who":)", R"("who" :)"), line + " ", with(kSeal, std::string(63, 'a') + "g")}) {
        EXPECT_EQ(ParseLine(text), detail::ParseAnyJson(text)) << text;
    }
}

TEST(AuditTime, StampsAreUtcToTheSecond) {
    using namespace std::chrono;
    const sys_seconds moment = sys_days(2024y / February / 29) + 14h + 5min + 9s;
    EXPECT_EQ(FormatUtcTime(moment + 750ms), "2024-02-29T14:05:09Z");
    EXPECT_EQ(ParseUtcTime("2024-02-29T14:05:09Z"), moment);
    for (const char* text : {"2024-02-29 14:05:09Z", "2024-02-29T14:05:09+01:00",
                             "2026-02-29T14:05:09Z", "2026-12-08T24:00:00Z"}) {
        EXPECT_FALSE(ParseUtcTime(text).has_value()) << text;
    }
}

}  // namespace
}  // namespace audit
