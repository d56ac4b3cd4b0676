// The CSV export as a spreadsheet reads it: encoding mark, row ends, quoting, and texts that must
// not run as formulas.
#include <gtest/gtest.h>

#include "core/audit/csv.h"

namespace audit {
namespace {

TEST(AuditCsv, AByteOrderMarkCrLfRowsAndQuotesOnlyWhereNeeded) {
    EXPECT_EQ(ToCsv({{"No.", "Client"}, {"1", ""}}), "\xEF\xBB\xBFNo.,Client\r\n1,\r\n");
    const struct {
        std::string field;
        std::string written;
    } cases[] = {
        {"Café ☕", "Café ☕"},
        {"||F-PAUSE||3||", "||F-PAUSE||3||"},
        {"3, 4", "\"3, 4\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\r\nlines", "\"two\r\nlines\""},
        {"=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},
        {"+1", "'+1"},
        {"-1", "'-1"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"a=b", "a=b"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToCsv({{c.field}}), "\xEF\xBB\xBF" + c.written + "\r\n") << c.field;
    }
}

}  // namespace
}  // namespace audit
