// Ticket look-up, activation and deactivation of single tickets, groups and ranges.
#include "tests/server/pos_fixture.h"

namespace zarnevo::testing {
namespace {

class Activation : public PosTest {};

TEST_F(Activation, LookUpByUserNameOrGroupAndNumberAnswersTheElevenPieceRecord) {
    const auto sold = sell(1, "60|2|100|False|1|0|JOHN");
    ASSERT_EQ(sold.size(), 2u);
    const std::string expected = "||TICKET1||" + sold[1].user + "|3600|" + sold[1].group +
                                 "|True|100.00|True|False|5|2026-03-10|JOHN|002||";
    EXPECT_EQ(ask(1, "||F-TICKET1||" + sold[1].user + "||"), std::vector<std::string>{expected});
    EXPECT_EQ(ask(1, "||F-TICKET2||" + sold[1].group + "-002||"),
              std::vector<std::string>{expected});
    std::string lower = sold[1].user;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(ask(1, "||F-TICKET1||" + lower + "||"), std::vector<std::string>{expected});
}

TEST_F(Activation, AnUnknownTicketIsAnsweredNoTicket) {
    const std::vector<std::string> none = {"||NOTICKET1||||"};
    EXPECT_EQ(ask(1, "||F-TICKET1||NOSUCHONE||"), none);
    EXPECT_EQ(ask(1, "||F-TICKET2||000000000012-007||"), none);
    EXPECT_EQ(ask(1, "||F-TICKET2||12-007||"), none);
}

TEST_F(Activation, AnInactiveTicketLooksUpWithoutActivatorOrExpiryDate) {
    const TicketBatch batch = prePrinted(1);
    EXPECT_EQ(ask(1, "||F-TICKET1||" + batch.tickets[0].user + "||"),
              std::vector<std::string>{"||TICKET1||" + batch.tickets[0].user + "|3600|" +
                                       batch.group + "|False|100.00|True|False|5|0||001||"});
}

TEST_F(Activation, ASingleTicketIsActivatedOnceAndASecondTryIsRefused) {
    const TicketBatch batch = prePrinted(3);
    const std::string user = batch.tickets[0].user;
    EXPECT_EQ(ask(1, "||ACTIVATE1||" + user + "-JOHN||"),
              std::vector<std::string>{"||ACTIVATED||1|1|100.00||"});
    const auto ticket = store.findTicket(user);
    EXPECT_TRUE(ticket->activated);
    EXPECT_EQ(ticket->activatedBy, "JOHN");

    EXPECT_EQ(ask(1, "||ACTIVATE1||" + user + "-JOHN||"),
              (std::vector<std::string>{"||ACTMESSAGE||Ticket [" + user + "] already active!||",
                                        "||ACTIVATED||1|0|100.00||"}));
    EXPECT_EQ(ask(1, "||ACTIVATE2||" + batch.group + "-002-JOHN||"),
              std::vector<std::string>{"||ACTIVATED||2|1|200.00||"});
}

TEST_F(Activation, DeactivationRefundsTheSellerAndRefusesInactiveOrUsedTickets) {
    const TicketBatch batch = prePrinted(3);
    ask(1, "||ACTIVATE1||" + batch.tickets[0].user + "-JOHN||");
    ask(1, "||ACTIVATE1||" + batch.tickets[1].user + "-JOHN||");
    EXPECT_EQ(ask(1, "||DEACTIVATE2||" + batch.group + "-001-JOHN||"),
              std::vector<std::string>{"||DEACTIVATED||1|100.00||"});
    EXPECT_FALSE(store.findTicket(batch.tickets[0].user)->activated);

    EXPECT_EQ(ask(1, "||DEACTIVATE1||" + batch.tickets[2].user + "-JOHN||"),
              (std::vector<std::string>{
                  "||ACTMESSAGE||Ticket [" + batch.tickets[2].user + "] not active!||",
                  "||DEACTIVATED||1|100.00||"}));

    ASSERT_TRUE(engine.clientLogin(1, batch.tickets[1].user, batch.tickets[1].password, now));
    EXPECT_EQ(ask(1, "||DEACTIVATE1||" + batch.tickets[1].user + "-JOHN||")[0],
              "||ACTMESSAGE||Ticket [" + batch.tickets[1].user + "] used; can't be deactivated!||");
    EXPECT_TRUE(store.findTicket(batch.tickets[1].user)->activated);
}

TEST_F(Activation, AWholeGroupReportsProgressListsThenItsFigures) {
    const TicketBatch batch = prePrinted(30);
    const auto answer = ask(1, "||MACTIVATE1||" + batch.group + "-JOHN||");
    ASSERT_EQ(answer.size(), 3u);
    std::string first = "||MLIST||" + batch.group + "-30";
    for (int n = 1; n <= 25; ++n)
        first += "-" + TicketNumberText(n);
    EXPECT_EQ(answer[0], first + "||");
    EXPECT_EQ(answer[1], "||MLIST||" + batch.group + "-30-026-027-028-029-030||");
    EXPECT_EQ(answer[2], "||MACTIVATED||30|30|3000.00||");

    EXPECT_EQ(
        ask(1, "||MACTIVATE1||" + batch.group + "-JOHN||"),
        (std::vector<std::string>{"||ACTMESSAGE||TicketGrp[" + batch.group + "] already active!||",
                                  "||MACTIVATED||30|0|3000.00||"}));
    // The group deactivation carries the cost before the number.
    const auto undone = ask(1, "||MDEACTIVATE1||" + batch.group + "-JOHN||");
    EXPECT_EQ(undone.back(), "||MDEACTIVATED||0|0.00|30||");
}

TEST_F(Activation, ARangeOfAGroupTouchesOnlyItsNumbers) {
    const TicketBatch batch = prePrinted(10);
    EXPECT_EQ(ask(1, "||MACTIVATE2||" + batch.group + "-003-005-JOHN||"),
              (std::vector<std::string>{"||MLIST||" + batch.group + "-3-003-004-005||",
                                        "||MACTIVATED||3|3|300.00||"}));
    EXPECT_TRUE(store.findTicketByNumber(batch.group, 4)->activated);
    EXPECT_FALSE(store.findTicketByNumber(batch.group, 6)->activated);
    EXPECT_EQ(ask(1, "||MDEACTIVATE2||" + batch.group + "-004-999-JOHN||").back(),
              "||MDEACTIVATED||1|100.00|2||");
    EXPECT_EQ(ask(1, "||MACTIVATE2||" + batch.group + "-011-999-JOHN||"),
              (std::vector<std::string>{"||ACTMESSAGE||Ticket(s) 011 to 999 in TicketGrp[" +
                                            batch.group + "] not found!||",
                                        "||MACTIVATED||1|0|100.00||"}));
}

TEST_F(Activation, UnknownGroupsAndOtherStaffAreRefusedWithAMessageAndTheFigures) {
    const TicketBatch batch = prePrinted(2);
    EXPECT_EQ(ask(1, "||MACTIVATE1||000000000012-JOHN||"),
              (std::vector<std::string>{"||ACTMESSAGE||TicketGrp[000000000012] not found!||",
                                        "||MACTIVATED||0|0|0.00||"}));
    EXPECT_EQ(ask(1, "||ACTIVATE1||" + batch.tickets[0].user + "-MARY||"),
              (std::vector<std::string>{"||ACTMESSAGE||Staff [MARY] is not signed in here!||",
                                        "||ACTIVATED||0|0|0.00||"}));
    EXPECT_FALSE(store.findTicket(batch.tickets[0].user)->activated);
}

TEST_F(Activation, MalformedOrUnsignedRequestsAreIgnored) {
    const TicketBatch batch = prePrinted(2);
    for (const std::string& request :
         {"||ACTIVATE2||" + batch.group + "-JOHN||", std::string("||ACTIVATE2||12345-001-JOHN||"),
          "||MACTIVATE2||" + batch.group + "-001-JOHN||",
          "||ACTIVATE1||" + batch.tickets[0].user + "||"}) {
        EXPECT_TRUE(ask(1, request).empty()) << request;
    }
    connect(3);
    EXPECT_TRUE(ask(3, "||ACTIVATE1||" + batch.tickets[0].user + "-JOHN||").empty());
    EXPECT_FALSE(store.findTicket(batch.tickets[0].user)->activated);
}

}  // namespace
}  // namespace zarnevo::testing
