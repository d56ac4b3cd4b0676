// Ticket batches: made on request, answered in the nine-field layout, deleted on request.
#include <set>

#include "tests/server/pos_fixture.h"

namespace zarnevo::testing {
namespace {

class TicketBatches : public PosTest {};

bool IsDigits(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

TEST_F(TicketBatches, ARequestIsAnsweredWithNineFieldsPerTicketAndTheGroup) {
    const auto answer = ask(1, "||POSTICKET||60|3|100|False|1|0|JOHN||");
    ASSERT_EQ(answer.size(), 1u);
    const std::vector<std::string> elements = SplitOn(answer[0], "||");
    ASSERT_EQ(elements.size(), 5u);  // "", PRINTPOS, batch, group, ""
    EXPECT_EQ(elements[1], "PRINTPOS");
    const std::vector<std::string> fields = SplitOn(elements[2], "|");
    ASSERT_EQ(fields.size(), 27u);

    const auto tickets = PrintedTickets(elements[2]);
    const std::string group = elements[3];
    EXPECT_EQ(group.size(), 12u);
    EXPECT_TRUE(IsDigits(group));
    for (std::size_t i = 0; i < tickets.size(); ++i) {
        const PrintedTicket& t = tickets[i];
        EXPECT_EQ(t.minutes, "60");
        EXPECT_EQ(t.cost, "100.00");
        EXPECT_EQ(t.expiry, "5");
        EXPECT_EQ(t.group, group);
        EXPECT_EQ(t.number, "00" + std::to_string(i + 1));
        EXPECT_EQ(t.timeTicket, "True");
        EXPECT_EQ(t.once, "False");
        EXPECT_EQ(t.user.size(), 8u);
        EXPECT_EQ(t.password.size(), 8u);
    }
}

TEST_F(TicketBatches, CredentialsAndGroupsAreUniqueAcrossBatches) {
    std::set<std::string> users, passwords, groups;
    std::size_t tickets = 0;
    for (int batch = 0; batch < 10; ++batch) {
        for (const PrintedTicket& t : sell(1, "30|20|50|False|0|0|JOHN")) {
            users.insert(t.user);
            passwords.insert(t.password);
            groups.insert(t.group);
            ++tickets;
        }
    }
    EXPECT_EQ(tickets, 200u);
    EXPECT_EQ(users.size(), 200u);
    EXPECT_EQ(passwords.size(), 200u);
    EXPECT_EQ(groups.size(), 10u);
}

TEST_F(TicketBatches, TheOperatingSystemsRandomSourceServesByDefault) {
    RecordingOutbox own;
    Engine engine(store, own, WithCheapHashes(EngineOptions{}), nullptr);
    engine.consoleConnected(9, "127.0.0.9", now);
    engine.receive(9, kGreeting, now);
    engine.receive(9, "||F-POSLOG||Username = 'JOHN' and Password = 'john'||", now);
    engine.receive(9, "||POSTICKET||30|2|50|True|0|0|john||", now);
    const auto answer = own.to(9, "PRINTPOS");
    ASSERT_EQ(answer.size(), 1u);
    const auto tickets = PrintedTickets(ValueOf(answer[0]));
    ASSERT_EQ(tickets.size(), 2u);
    EXPECT_NE(tickets[0].user, tickets[1].user);
    EXPECT_EQ(store.findTicket(tickets[0].user)->vip, true);
}

TEST_F(TicketBatches, TheBatchIsStoredSoldWithItsSale) {
    const auto tickets = sell(1, "60|3|2.5|False|1|1|JOHN");
    ASSERT_EQ(tickets.size(), 3u);
    const auto batch = store.findBatch(tickets[0].group);
    ASSERT_TRUE(batch);
    EXPECT_EQ(batch->staff, "JOHN");
    EXPECT_EQ(batch->tickets.size(), 3u);
    const Ticket& first = batch->tickets[0];
    EXPECT_EQ(first.password, tickets[0].password);
    EXPECT_EQ(first.seconds, 3600);
    EXPECT_EQ(first.cost, 250);
    EXPECT_TRUE(first.activated && first.timeTicket && first.once);
    EXPECT_EQ(first.activatedBy, "JOHN");
    EXPECT_EQ(store.salesBetween(0, now + 1),
              (std::vector<Sale>{Sale{"JOHN", now, tickets[0].group, 60, 250, 3}}));
}

TEST_F(TicketBatches, RequestsOutOfRangeOrForAnotherStaffMemberAreRefused) {
    for (const char* order :
         {"60|3|100|False|1|0|MARY", "0|3|100|False|1|0|JOHN", "60|0|100|False|1|0|JOHN",
          "60|1000|100|False|1|0|JOHN", "60|3|-5|False|1|0|JOHN", "60|3|100|Maybe|1|0|JOHN",
          "60|3|100|False|1|0", "60|3|100|False|1|0|JOHN|extra"}) {
        EXPECT_TRUE(ask(1, std::string("||POSTICKET||") + order + "||").empty()) << order;
    }
    EXPECT_TRUE(store.allTickets().empty());
    connect(3);  // nobody signed in there
    EXPECT_TRUE(ask(3, "||POSTICKET||60|3|100|False|1|0|JOHN||").empty());
}

TEST_F(TicketBatches, FalseWithTheGroupDeletesTheBatchAndItsSale) {
    const auto tickets = sell(1, "60|3|100|False|1|0|JOHN");
    ASSERT_FALSE(tickets.empty());
    EXPECT_TRUE(ask(1, "||POSTICKET||FALSE||" + tickets[0].group + "||").empty());
    EXPECT_FALSE(store.findBatch(tickets[0].group));
    EXPECT_FALSE(store.findTicket(tickets[0].user));
    EXPECT_TRUE(store.salesBetween(0, now + 1).empty());
}

TEST_F(TicketBatches, OnlyTheSellerMayDeleteAnUnusedBatch) {
    const auto tickets = sell(1, "60|3|100|False|1|0|JOHN");
    ask(2, "||POSTICKET||FALSE||" + tickets[0].group + "||");  // MARY
    EXPECT_TRUE(store.findBatch(tickets[0].group));

    ASSERT_TRUE(engine.clientLogin(1, tickets[0].user, tickets[0].password, now));
    ask(1, "||POSTICKET||FALSE||" + tickets[0].group + "||");
    EXPECT_TRUE(store.findBatch(tickets[0].group)) << "a ticket of it is in use";

    ask(1, "||POSTICKET||FALSE||||");  // a cancelled request names no group
    EXPECT_EQ(store.allTickets().size(), 3u);
}

}  // namespace
}  // namespace zarnevo::testing
