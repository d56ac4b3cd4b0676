// Staff figures, the sales summary, the ticket search and the day reports, from stored data.
#include <algorithm>
#include <functional>
#include <map>

#include "server/engine/demo_seed.h"
#include "server/engine/reports.h"
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
    connectAs(4, "GUEST", "guest");
    for (const ConsoleId viewerOrNobody : {1, 4}) {
        EXPECT_EQ(ask(viewerOrNobody, "||F-SEARCH||" + sold[0].user + "||"),
                  std::vector<std::string>{"||F-SEARCH||||Ticket not found!||"})
            << "a refusal tells nothing of the ticket, and the console stops waiting";
    }
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

TEST_F(SalesReports, BothDayReportsListTheSalesByStaffMemberAndNotTicketsWaitingToBeSold) {
    sellTheDay();
    const auto preprinted = prePrinted(4, 120, 20000);
    connectAs(3, "ADMINISTRATOR", "admin");
    const std::vector<std::string> sold = {
        "||REPORTSUMMARY||30-50-2-JOHN-60-100-3-JOHN-60-150-1-MARY||"};
    EXPECT_EQ(ask(3, "||F-REPORTSUMMARY||5-3-2026||"), sold);
    EXPECT_EQ(ask(3, "||F-REPORTSUMMARY2||5-3-2026||"), sold);
    ask(1, "||ACTIVATE1||" + preprinted.tickets[0].user + "-JOHN||");
    for (const char* keyword : {"F-REPORTSUMMARY", "F-REPORTSUMMARY2"}) {
        EXPECT_EQ(ask(3, "||" + std::string(keyword) + "||5-3-2026||"),
                  std::vector<std::string>{"||REPORTSUMMARY||30-50-2-JOHN-60-100-3-JOHN-120-200-1-"
                                           "JOHN-60-150-1-MARY||"})
            << keyword;
    }
}

TEST_F(SalesReports, ADayWithoutDataOrAMalformedDateHasNoReport) {
    sellTheDay();
    connectAs(3, "ADMINISTRATOR", "admin");
    const std::vector<std::string> none = {"||NOREPORTSUMMARY||||"};
    EXPECT_EQ(ask(3, "||F-REPORTSUMMARY||4-3-2026||"), none);
    EXPECT_EQ(ask(3, "||F-REPORTSUMMARY2||31-2-2026||"), none);
    EXPECT_EQ(ask(3, "||F-REPORTSUMMARY||5-MAR-2026||"), none);
}

TEST_F(SalesReports, ReportsAreForAdministratorsOnlyAndOthersAreAnsweredThatThereIsNone) {
    sellTheDay();
    connectAs(3, "CLERK", "clerk");
    for (const ConsoleId clerkOrNobody : {3, 1}) {
        for (const char* keyword : {"F-REPORTSUMMARY", "F-REPORTSUMMARY2"}) {
            EXPECT_EQ(ask(clerkOrNobody, "||" + std::string(keyword) + "||5-3-2026||"),
                      std::vector<std::string>{"||NOREPORTSUMMARY||||"})
                << keyword;
        }
    }
}

// Tickets and money per staff member, read from report or summary records.
using Totals = std::map<std::string, std::pair<std::int64_t, Cents>>;
Totals TotalsOf(const std::string& records, std::size_t fieldsPerRecord, const std::string& staff) {
    Totals totals;
    const std::vector<std::string> fields = SplitOn(records, "-");
    for (std::size_t i = 0; records.size() > 0 && i + fieldsPerRecord <= fields.size();
         i += fieldsPerRecord) {
        const std::int64_t count = std::stoll(fields[i + 2]);
        auto& [tickets, cost] = totals[fieldsPerRecord == 4 ? fields[i + 3] : staff];
        tickets += count;
        cost += count * *ParseMoney(fields[i + 1]);
    }
    return totals;
}

class DemoCafeReports : public PosTest {
protected:
    DemoCafeReports() { SeedDemo(store, 3, now, PasswordCost::Minimal); }

    // Both day reports, and for today and yesterday each staff member's summary (and today's
    // figures), agree on every day the demo café has sales.
    void expectEveryDayAddsUp() {
        for (int daysAgo = 0; daysAgo <= 3; ++daysAgo) {
            const std::string date = std::to_string(5 - daysAgo) + "-3-2026";
            const std::string tickets = ValueOf(ask(3, "||F-REPORTSUMMARY||" + date + "||")[0]);
            EXPECT_EQ(ValueOf(ask(3, "||F-REPORTSUMMARY2||" + date + "||")[0]), tickets) << date;
            const Totals report = TotalsOf(tickets, 4, "");
            EXPECT_EQ(report.size(), 2u) << date;
            if (daysAgo > 1)
                continue;
            for (const auto& [staff, console] : {std::pair{"JOHN", 1}, std::pair{"MARY", 2}}) {
                const std::string request = std::string(staff) + "-" + std::to_string(daysAgo);
                const Totals summary = TotalsOf(
                    ValueOf(ask(console, "||F-POSSUMMARY||" + request + "||")[0]), 3, staff);
                EXPECT_EQ(summary.at(staff), report.at(staff)) << request;
                if (daysAgo == 0) {
                    const StaffFigures figures = FiguresOfDay(store, staff, now);
                    EXPECT_EQ(std::pair(figures.tickets, figures.cost), report.at(staff)) << staff;
                }
            }
        }
    }
};

TEST_F(DemoCafeReports, BothReportsAndEveryStaffSummaryOfADayAddUpAlsoAfterActivationAndRefund) {
    connectAs(3, "ADMINISTRATOR", "admin");
    expectEveryDayAddsUp();

    const std::vector<Ticket> tickets = store.allTickets();
    const auto waiting = std::ranges::find_if(tickets, std::not_fn(&Ticket::activated));
    ASSERT_NE(waiting, tickets.end());
    EXPECT_EQ(ask(1, "||ACTIVATE1||" + waiting->user + "-JOHN||").back().substr(0, 13),
              "||ACTIVATED||");
    const std::vector<Sale> today = store.salesBetween(LocalDayStartOf(now), now + 1);
    const auto marys = std::ranges::find(today, std::string("MARY"), &Sale::staff);
    ASSERT_NE(marys, today.end());
    const std::string refunded = store.findBatch(marys->group)->tickets[0].user;
    EXPECT_EQ(ask(2, "||DEACTIVATE1||" + refunded + "-MARY||").back().substr(0, 15),
              "||DEACTIVATED||");
    expectEveryDayAddsUp();
}

}  // namespace
}  // namespace zarnevo::testing
