// The Audit Trail window: the log newest first in the café's local time, its filters, the
// verification line and the CSV export.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "audit/audit_trail.h"
#include "connection/login_rights.h"
#include "core/audit/chain.h"
#include "core/audit/csv.h"
#include "tests/app/connection_test_support.h"
#include "tests/sim/sim_user.h"

namespace kestova {
namespace {

using ::testing::ElementsAre;

std::string LogOf(const std::vector<audit::Entry>& entries) {
    std::string log;
    audit::Tail tail;
    for (const audit::Entry& entry : entries) {
        audit::Appending appending = audit::Append(tail, entry);
        log += appending.bytes;
        tail = appending.tail;
    }
    return log;
}

// Two days of a café one hour ahead of UTC; entry 3, at 23:30 UTC, falls on the next local day.
const std::vector<audit::Entry> kEntries = {
    {0,
     "2026-12-07T08:59:00Z",
     "ADMINISTRATOR",
     "Operator log-in",
     "",
     {},
     "",
     "||F-LOGIN||...",
     ""},
    {0, "2026-12-07T09:10:00Z", "ADMINISTRATOR", "Allocate 30 min", "PC4", 3, "",
     "||F-ALLOCATE||1800||FALSE||3||", ""},
    {0, "2026-12-07T23:30:00Z", "CLERK", "Pause or resume", "pc5", 4, "", "||F-PAUSE||4||", ""},
    {0,
     "2026-12-08T10:00:00Z",
     "JOHN",
     "Delete ticket batch",
     "",
     {},
     "GRP000000001",
     "||POSTICKET||FALSE||GRP000000001||",
     ""},
    {0, "2026-12-08T11:00:00Z", "CLERK", "Message \"a, b\"", "PC7", 6, "",
     "||KESTOVA||6||MESSAGE|a, b||||", ""},
};

class AuditTrailTest : public testing::ConsoleSimTest {
protected:
    AuditTrailTest() {
        clock().setUtcOffset(std::chrono::hours(1));
        auditLog().put(LogOf(kEntries));
        ApplyMenuRights(console(), "ADMINISTRATOR");
        console().m_auditTrail.DoClick();
    }

    // The entry numbers the table lists, top to bottom.
    std::vector<std::string> listed() const {
        std::vector<std::string> numbers;
        for (int row = 1; row < window.grdEntries.Rows(); ++row) {
            numbers.push_back(window.grdEntries.TextMatrix(row, 0));
        }
        return numbers;
    }
    std::vector<std::string> cells(int row) const {
        std::vector<std::string> texts;
        for (int col = 0; col < window.grdEntries.Cols(); ++col) {
            texts.push_back(window.grdEntries.TextMatrix(row, col));
        }
        return texts;
    }

    AuditTrail& window = AuditTrailWindow();
};

TEST_F(AuditTrailTest, ListsTheLogNewestFirstInTheCafesLocalTime) {
    ASSERT_TRUE(window.Visible);
    EXPECT_THAT(cells(0), ElementsAre("No.", "Time", "Operator", "Command", "Client", "Port",
                                      "Ticket Group", "Wire Text"));
    EXPECT_THAT(listed(), ElementsAre("5", "4", "3", "2", "1"));
    EXPECT_THAT(cells(1), ElementsAre("5", "2026-12-08 12:00:00", "CLERK", "Message \"a, b\"",
                                      "PC7", "6", "", "||KESTOVA||6||MESSAGE|a, b||||"));
    EXPECT_THAT(cells(2), ElementsAre("4", "2026-12-08 11:00:00", "JOHN", "Delete ticket batch", "",
                                      "", "GRP000000001", "||POSTICKET||FALSE||GRP000000001||"));
    EXPECT_THAT(window.cboOperator.Items(),
                ElementsAre(AuditTrail::kEveryone, "ADMINISTRATOR", "CLERK", "JOHN"));
    EXPECT_THAT(window.cboDay.Items(),
                ElementsAre(AuditTrail::kEveryDay, "2026-12-08", "2026-12-07"));
}

TEST_F(AuditTrailTest, FiltersByOperatorClientAndDay) {
    const struct {
        const char* who;
        const char* client;
        const char* day;
        std::vector<std::string> listed;
        const char* count;
    } cases[] = {
        {"CLERK", "", AuditTrail::kEveryDay, {"5", "3"}, "2 of 5 entries."},
        {AuditTrail::kEveryone, "", "2026-12-08", {"5", "4", "3"}, "3 of 5 entries."},
        {AuditTrail::kEveryone, "pc", AuditTrail::kEveryDay, {"5", "3", "2"}, "3 of 5 entries."},
        {AuditTrail::kEveryone, " 4 ", AuditTrail::kEveryDay, {"3", "2"}, "2 of 5 entries."},
        {AuditTrail::kEveryone, "grp0000", AuditTrail::kEveryDay, {"4"}, "1 of 5 entries."},
        {"CLERK", "", "2026-12-08", {"5", "3"}, "2 of 5 entries."},
        {"CLERK", "PC4", AuditTrail::kEveryDay, {}, "0 of 5 entries."},
        {AuditTrail::kEveryone, "", AuditTrail::kEveryDay, {"5", "4", "3", "2", "1"}, "5 entries."},
    };
    for (const auto& c : cases) {
        sim::Choose(window.cboOperator, c.who);
        window.txtClient.Text = c.client;
        sim::Choose(window.cboDay, c.day);
        EXPECT_EQ(listed(), c.listed) << c.who << " / " << c.client << " / " << c.day;
        EXPECT_EQ(window.lblCount.Caption.get(), c.count);
    }

    // The log read again (Refresh, or the window opened again) keeps the filter chosen.
    std::vector<audit::Entry> more = kEntries;
    more.push_back(more[2]);
    sim::Choose(window.cboOperator, "CLERK");
    auditLog().put(LogOf(more));
    window.cmdRefresh.DoClick();
    EXPECT_THAT(listed(), ElementsAre("6", "5", "3"));
}

TEST_F(AuditTrailTest, ExportsTheListedEntriesAsCsv) {
    sim::Choose(window.cboOperator, "CLERK");
    exportFiles().answerNextSave("/home/operator/clerk.csv");
    window.cmdExport.DoClick();
    EXPECT_THAT(exportFiles().offeredNames(), ElementsAre("audit-trail-2026-12-07.csv"));
    EXPECT_EQ(exportFiles().written().at("/home/operator/clerk.csv"),
              audit::ToCsv({{"No.", "Time", "Time (UTC)", "Operator", "Command", "Client", "Port",
                             "Ticket Group", "Wire Text"},
                            {"5", "2026-12-08 12:00:00", "2026-12-08T11:00:00Z", "CLERK",
                             "Message \"a, b\"", "PC7", "6", "", "||KESTOVA||6||MESSAGE|a, b||||"},
                            {"3", "2026-12-08 00:30:00", "2026-12-07T23:30:00Z", "CLERK",
                             "Pause or resume", "pc5", "4", "", "||F-PAUSE||4||"}}));

    exportFiles().answerNextSave("");
    window.cmdExport.DoClick();
    exportFiles().failWrites();
    exportFiles().answerNextSave("/media/full/audit.csv");
    dialogs().expectMsgBox("The audit trail could not be saved to /media/full/audit.csv.");
    window.cmdExport.DoClick();
    EXPECT_EQ(exportFiles().written().size(), 1u);
}

TEST_F(AuditTrailTest, TheVerifyLineSaysWhetherTheChainIsIntact) {
    EXPECT_EQ(window.lblVerify.Caption.get(),
              "Intact: 5 entries, the last sealed " +
                  audit::TailOf(LogOf(kEntries)).head.hash.substr(0, 16) + ".");
    EXPECT_EQ(window.lblVerify.ForeColor.get(), ui::colors::DarkGreen);

    std::string altered = LogOf(kEntries);
    altered.replace(altered.find("Allocate 30 min"), 15, "Allocate 90 min");
    auditLog().put(altered);
    window.cmdRefresh.DoClick();
    EXPECT_EQ(window.lblVerify.Caption.get(),
              "Broken at line 2: entry 2 was altered after it was written (entry 3 was sealed "
              "over a different text). The 1 entry before it is intact.");
    EXPECT_EQ(window.lblVerify.ForeColor.get(), ui::colors::Red);
    EXPECT_EQ(listed().size(), 5u) << "a broken log is still listed";
}

TEST_F(AuditTrailTest, ALongLogListsItsNewestEntries) {
    auditLog().put(LogOf(std::vector<audit::Entry>(kMostEntriesListed + 3, kEntries[1])));
    window.cmdRefresh.DoClick();
    EXPECT_EQ(window.grdEntries.Rows(), static_cast<int>(kMostEntriesListed) + 1);
    EXPECT_EQ(window.grdEntries.TextMatrix(1, 0), std::to_string(kMostEntriesListed + 3));
    EXPECT_EQ(window.lblCount.Caption.get(),
              "The newest 5000 of 5003 entries are listed; Export CSV writes them all.");
}

}  // namespace
}  // namespace kestova
