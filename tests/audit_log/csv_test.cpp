// The audit trail's CSV export as a spreadsheet reads it: encoding mark, row ends, quoting, and
// texts that must not run as formulas.
#include <gtest/gtest.h>

#include "core/audit/csv.h"

namespace audit {
namespace {

const std::string kMark = "\xEF\xBB\xBF";

TEST(AuditCsv, FieldsAreQuotedOnlyWhenTheyMustBe) {
    const struct {
        std::string field;
        std::string written;
    } cases[] = {
        {"PC4", "PC4"},
        {"", ""},
        {"Café ☕", "Café ☕"},
        {"3, 4", "\"3, 4\""},
        {"Message \"closing\"", "\"Message \"\"closing\"\"\""},
        {"two\r\nlines", "\"two\r\nlines\""},
        {"line\nbreak", "\"line\nbreak\""},
        {"||F-PAUSE||3||", "||F-PAUSE||3||"},
        {"=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},
        {"+1", "'+1"},
        {"-1", "'-1"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"\tindented", "'\tindented"},
        {"a=b", "a=b"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToCsv({{c.field}}), kMark + c.written + "\r\n") << c.field;
    }
}

TEST(AuditCsv, RowsEndWithCrLfAfterOneByteOrderMark) {
    EXPECT_EQ(ToCsv({{"No.", "Client"}, {"1", "PC4"}, {"2", ""}}),
              kMark + "No.,Client\r\n1,PC4\r\n2,\r\n");
    EXPECT_EQ(ToCsv({}), kMark);
}

}  // namespace
}  // namespace audit
