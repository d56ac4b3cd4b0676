// Staff figures, the sales summary, the ticket search and the day reports, from stored data.
#include "tests/server/pos_fixture.h"

namespace zarnevo::testing {
namespace {

class SalesReports : public PosTest {
protected:
    // JOHN sells 3 × 60 min at 100 and 2 × 30 min at 50 today; MARY 1 × 60 min at 150.
    void sellTheDay() {
        sell(1, "60|3|100|False|1|0|JOHN");
        sell(1, "30|2|50|False|1|1|JOHN");
        sell(2, "60|1|150|False|0|0|MARY");
    }
};

TEST_F(SalesReports, StaffFiguresCarryTodaysSalesTheSignInTimeAndThePosSettings) {
    sellTheDay();
    EXPECT_EQ(ask(1, "||F-UPDATEPOS||JOHN||"),
              std::vector<std::string>{
                  "||KESTOVAUPDATE||5||02:30PM 05-Mar-26||400.00||1||1||1||0||1||0||1||0||"});
    store.putSetting("QuickTicket", "1");
    store.putSetting("POSspeed", "2");
    EXPECT_EQ(ask(2, "||F-UPDATEPOS||mary||"),
              std::vector<std::string>{
                  "||KESTOVAUPDATE||1||02:30PM 05-Mar-26||150.00||1||1||1||0||1||0||2||1||"});
    EXPECT_TRUE(ask(1, "||F-UPDATEPOS||MARY||").empty()) << "only one's own figures";
}

TEST_F(SalesReports, TheSummaryListsEachKindSoldOnTheDay) {
    sellTheDay();
    EXPECT_EQ(ask(1, "||F-POSSUMMARY||JOHN-0||"),
              std::vector<std::string>{"||POSSUMMARY||30-50-2-60-100-3||"});
    EXPECT_EQ(ask(1, "||F-POSSUMMARY||JOHN-1||"), std::vector<std::string>{"||NOPOSSUMMARY||||"});
    now += kDayMs;
    EXPECT_EQ(ask(1, "||F-POSSUMMARY||JOHN-1||"),
              std::vector<std::string>{"||POSSUMMARY||30-50-2-60-100-3||"});
    EXPECT_EQ(ask(1, "||F-POSSUMMARY||MARY-0||"), std::vector<std::string>{"||NOPOSSUMMARY||||"});
}

TEST_F(SalesReports, ADeletedBatchOrARefundLeavesTheFigures) {
    const auto sold = sell(1, "60|3|100|False|1|0|JOHN");
    ask(1, "||POSTICKET||FALSE||" + sold[0].group + "||");
    EXPECT_EQ(ask(1, "||F-POSSUMMARY||JOHN-0||"), std::vector<std::string>{"||NOPOSSUMMARY||||"});

    const auto kept = sell(1, "60|2|100|False|1|0|JOHN");
    ask(1, "||DEACTIVATE1||" + kept[0].user + "-JOHN||");
    EXPECT_EQ(ask(1, "||F-POSSUMMARY||JOHN-0||"),
              std::vector<std::string>{"||POSSUMMARY||60-100-1||"});
}

TEST_F(SalesReports, TheTicketSearchAnswersTheInformationAndAStatus) {
    const auto sold = sell(1, "60|1|100|False|1|0|JOHN");
    connectAs(3, "CLERK", "clerk");
    const auto answer = ask(3, "||F-SEARCH||" + sold[0].user + "||");
    ASSERT_EQ(answer.size(), 1u);
    const std::vector<std::string> elements = SplitOn(answer[0], "||");
    ASSERT_EQ(elements.size(), 5u);
    EXPECT_EQ(elements[1], "F-SEARCH");
    EXPECT_EQ(elements[2],
              "Username: " + sold[0].user + "\r\nTicket Group/No.: " + sold[0].group +
                  "/001\r\nTime on Ticket: 60 min(s)\r\nTime Left: 01:00\r\nCost: 100.00\r\n"
                  "Type: Time Ticket\r\nExpires: 2026-03-10\r\nStatus: Activated by JOHN at "
                  "02:30PM 05-Mar-26\r\nIn Use on: -");
    EXPECT_EQ(elements[3], "Ticket found.");
    EXPECT_EQ(elements[2].find(sold[0].password), std::string::npos);

    EXPECT_EQ(ask(3, "||F-SEARCH||NOSUCHONE||"),
              std::vector<std::string>{"||F-SEARCH||||Ticket not found!||"});
    EXPECT_TRUE(ask(1, "||F-SEARCH||" + sold[0].user + "||").empty()) << "no operator there";
}

TEST_F(SalesReports, TheSearchShowsWhereATicketIsInUseAndItsLiveTime) {
    const auto sold = sell(1, "60|1|100|False|1|0|JOHN");
    connectAs(3, "CLERK", "clerk");
    ASSERT_TRUE(engine.clientLogin(2, sold[0].user, sold[0].password, now));
    engine.tick(now);
    engine.receive(3, "||YESCONNECT||||", now + 30 * kMinuteMs);
    engine.tick(now + 30 * kMinuteMs);
    now += 30 * kMinuteMs;
    const std::string text = ValueOf(ask(3, "||F-SEARCH||" + sold[0].user + "||")[0]);
    EXPECT_NE(text.find("Time Left: 00:30"), std::string::npos) << text;
    EXPECT_NE(text.find("In Use on: PC02"), std::string::npos) << text;
}

TEST_F(SalesReports, TheDayReportsGroupRecordsByStaffMember) {
    sellTheDay();
    const auto preprinted = prePrinted(4, 120, 20000);
    connectAs(3, "ADMINISTRATOR", "admin");
    // Tickets made: MARY's pre-printed batch counts, though none of it is sold.
    EXPECT_EQ(ask(3, "||F-REPORTSUMMARY||5-3-2026||"),
              std::vector<std::string>{
                  "||REPORTSUMMARY||30-50-2-JOHN-60-100-3-JOHN-60-150-1-MARY-120-200-4-MARY||"});
    ask(1, "||ACTIVATE1||" + preprinted.tickets[0].user + "-JOHN||");
    EXPECT_EQ(ask(3, "||F-REPORTSUMMARY2||5-3-2026||"),
              std::vector<std::string>{
                  "||REPORTSUMMARY||30-50-2-JOHN-60-100-3-JOHN-120-200-1-JOHN-60-150-1-MARY||"});
}

TEST_F(SalesReports, ADayWithoutDataOrAMalformedDateHasNoReport) {
    sellTheDay();
    connectAs(3, "ADMINISTRATOR", "admin");
    const std::vector<std::string> none = {"||NOREPORTSUMMARY||||"};
    EXPECT_EQ(ask(3, "||F-REPORTSUMMARY||4-3-2026||"), none);
    EXPECT_EQ(ask(3, "||F-REPORTSUMMARY2||31-2-2026||"), none);
    EXPECT_EQ(ask(3, "||F-REPORTSUMMARY||5-MAR-2026||"), none);
}

TEST_F(SalesReports, ReportsAreForAdministratorsOnly) {
    sellTheDay();
    connectAs(3, "CLERK", "clerk");
    EXPECT_TRUE(ask(3, "||F-REPORTSUMMARY||5-3-2026||").empty());
}

}  // namespace
}  // namespace zarnevo::testing
