#include <gtest/gtest.h>

#include <memory>

#include "server/db/sqlite_store.h"
#include "server/engine/memory_store.h"

// The engine runs on either store, so both must keep the same promises. Every case here runs on
// the in-memory store and on SQLite.
namespace zarnevo {
namespace {

Ticket MakeTicket(const std::string& group, int number, const std::string& user) {
    Ticket ticket;
    ticket.group = group;
    ticket.number = number;
    ticket.user = user;
    ticket.password = "pw" + user;
    ticket.seconds = 3600;
    ticket.secondsLeft = 3600;
    ticket.cost = 250;
    ticket.validDays = 7;
    return ticket;
}

TicketBatch MakeBatch(const std::string& group, std::int64_t createdAtMs,
                      std::initializer_list<std::string> users) {
    TicketBatch batch{group, "JOHN", createdAtMs, {}};
    int number = 1;
    for (const auto& user : users) {
        batch.tickets.push_back(MakeTicket(group, number++, user));
    }
    return batch;
}

Sale SaleOf(const TicketBatch& batch, std::int64_t atMs) {
    return Sale{batch.staff, atMs, batch.group, 60, 250, static_cast<int>(batch.tickets.size())};
}

template <typename T>
std::unique_ptr<Store> MakeStore();
template <>
std::unique_ptr<Store> MakeStore<MemoryStore>() {
    return std::make_unique<MemoryStore>();
}
template <>
std::unique_ptr<Store> MakeStore<SqliteStore>() {
    return std::make_unique<SqliteStore>(":memory:");
}

template <typename T>
class StoreContract : public ::testing::Test {
protected:
    std::unique_ptr<Store> store = MakeStore<T>();
};

using StoreKinds = ::testing::Types<MemoryStore, SqliteStore>;
TYPED_TEST_SUITE(StoreContract, StoreKinds);

TYPED_TEST(StoreContract, AccountsAreFoundByExactNameAndReplacedByName) {
    Store& store = *this->store;
    store.putOperator(Operator{"ADMINISTRATOR", "ADMINISTRATOR", {"aa", "bb"}});
    store.putStaff(StaffMember{"JOHN", {"cc", "dd"}});
    EXPECT_FALSE(store.findOperator("administrator"));
    EXPECT_FALSE(store.findStaff("MARY"));

    store.putOperator(Operator{"ADMINISTRATOR", "USER", {"ee", "ff"}});
    const auto account = store.findOperator("ADMINISTRATOR");
    ASSERT_TRUE(account);
    EXPECT_EQ(account->rights, "USER");
    EXPECT_EQ(account->password, (PasswordHash{"ee", "ff"}));
    ASSERT_TRUE(store.findStaff("JOHN"));
    EXPECT_EQ(store.findStaff("JOHN")->password, (PasswordHash{"cc", "dd"}));
}

TYPED_TEST(StoreContract, BatchRoundTripsWithEveryTicketField) {
    Store& store = *this->store;
    auto batch = MakeBatch("000000000001", 1000, {"U1", "U2"});
    Ticket& special = batch.tickets[1];
    special.vip = true;
    special.timeTicket = true;
    special.once = true;
    special.expiresAtMs = 99'000'000'000;
    special.activated = true;
    special.activatedBy = "MARY";
    special.activatedAtMs = 1234;
    special.firstUsedAtMs = 5678;
    special.secondsLeft = 17;
    special.password = "Ünïcode ' quote";

    ASSERT_TRUE(store.addBatch(batch, SaleOf(batch, 1000)));
    EXPECT_TRUE(store.groupExists("000000000001"));
    EXPECT_EQ(store.findBatch("000000000001"), batch);
    EXPECT_EQ(store.findTicket("U2"), special);
    EXPECT_EQ(store.findTicketByNumber("000000000001", 2), special);
    EXPECT_FALSE(store.findTicketByNumber("000000000001", 3));
    EXPECT_FALSE(store.findTicket("U3"));
}

TYPED_TEST(StoreContract, TakenGroupOrUserNameStoresNothingOfTheBatch) {
    Store& store = *this->store;
    const auto first = MakeBatch("G1", 1000, {"U1"});
    ASSERT_TRUE(store.addBatch(first, SaleOf(first, 1000)));

    const auto sameGroup = MakeBatch("G1", 2000, {"U9"});
    EXPECT_FALSE(store.addBatch(sameGroup, SaleOf(sameGroup, 2000)));
    // The second ticket clashes with a stored one: the first ticket and the sale must not stay.
    const auto clash = MakeBatch("G2", 3000, {"U5", "U1"});
    EXPECT_FALSE(store.addBatch(clash, SaleOf(clash, 3000)));
    const auto twiceInBatch = MakeBatch("G3", 4000, {"U7", "U7"});
    EXPECT_FALSE(store.addBatch(twiceInBatch, SaleOf(twiceInBatch, 4000)));

    EXPECT_FALSE(store.findTicket("U9"));
    EXPECT_FALSE(store.findTicket("U5"));
    EXPECT_FALSE(store.findTicket("U7"));
    EXPECT_FALSE(store.groupExists("G2"));
    EXPECT_FALSE(store.groupExists("G3"));
    EXPECT_EQ(store.salesBetween(0, 10'000), std::vector<Sale>{SaleOf(first, 1000)});
    EXPECT_EQ(store.allTickets().size(), 1u);
}

TYPED_TEST(StoreContract, DeletingABatchTakesItsTicketsAndSales) {
    Store& store = *this->store;
    const auto keep = MakeBatch("G1", 1000, {"U1"});
    const auto drop = MakeBatch("G2", 2000, {"U2", "U3"});
    ASSERT_TRUE(store.addBatch(keep, SaleOf(keep, 1000)));
    ASSERT_TRUE(store.addBatch(drop, SaleOf(drop, 2000)));

    EXPECT_TRUE(store.deleteBatch("G2"));
    EXPECT_FALSE(store.deleteBatch("G2"));
    EXPECT_FALSE(store.findTicket("U2"));
    EXPECT_FALSE(store.findBatch("G2"));
    EXPECT_EQ(store.salesBetween(0, 10'000), std::vector<Sale>{SaleOf(keep, 1000)});
    // The freed user names can be sold again.
    EXPECT_TRUE(store.addBatch(MakeBatch("G3", 3000, {"U2"}), std::nullopt));
}

TYPED_TEST(StoreContract, TicketsComeInGroupThenNumberOrder) {
    Store& store = *this->store;
    ASSERT_TRUE(store.addBatch(MakeBatch("G2", 3000, {"B1", "A2"}), std::nullopt));
    ASSERT_TRUE(store.addBatch(MakeBatch("G1", 5000, {"Z1"}), std::nullopt));
    ASSERT_TRUE(store.addBatch(MakeBatch("G3", 1000, {"C1"}), std::nullopt));

    std::vector<std::pair<std::string, int>> order;
    for (const auto& ticket : store.allTickets()) {
        order.emplace_back(ticket.group, ticket.number);
    }
    EXPECT_EQ(order, (std::vector<std::pair<std::string, int>>{
                         {"G1", 1}, {"G2", 1}, {"G2", 2}, {"G3", 1}}));
}

TYPED_TEST(StoreContract, UpdatingTicketsIsAllOrNothing) {
    Store& store = *this->store;
    const auto batch = MakeBatch("G1", 1000, {"U1", "U2"});
    ASSERT_TRUE(store.addBatch(batch, std::nullopt));

    Ticket activated = batch.tickets[0];
    activated.activated = true;
    activated.activatedBy = "JOHN";
    Ticket missing = MakeTicket("G1", 3, "NOBODY");
    const Sale refund{"JOHN", 2000, "G1", 60, 250, -1};
    EXPECT_FALSE(store.updateTickets({activated, missing}, {refund}));
    EXPECT_FALSE(store.findTicket("U1")->activated);
    EXPECT_TRUE(store.salesBetween(0, 10'000).empty());

    EXPECT_TRUE(store.updateTickets({activated}, {refund}));
    EXPECT_EQ(store.findTicket("U1"), activated);
    EXPECT_EQ(store.salesBetween(0, 10'000), std::vector<Sale>{refund});
}

TYPED_TEST(StoreContract, SalesAreSelectedByHalfOpenPeriodOldestFirst) {
    Store& store = *this->store;
    const Sale late{"MARY", 3000, "G2", 30, 100, 2};
    const Sale early{"JOHN", 1000, "G1", 60, 250, 1};
    const Sale edge{"JOHN", 4000, "G3", 60, 250, 1};
    ASSERT_TRUE(store.addBatch(MakeBatch("G2", 3000, {"U2"}), late));
    ASSERT_TRUE(store.addBatch(MakeBatch("G1", 1000, {"U1"}), early));
    ASSERT_TRUE(store.addBatch(MakeBatch("G3", 4000, {"U3"}), edge));
    EXPECT_EQ(store.salesBetween(1000, 4000), (std::vector<Sale>{early, late}));
    EXPECT_TRUE(store.salesBetween(1001, 3000).empty());
}

TYPED_TEST(StoreContract, SettingsAndQuickTypesAreReplacedWhole) {
    Store& store = *this->store;
    EXPECT_FALSE(store.setting("POSType"));
    store.putSetting("POSType", "True");
    store.putSetting("POSType", "False");
    EXPECT_EQ(store.setting("POSType"), "False");

    const std::vector<QuickTicketType> three{{60, 250, false, false, false},
                                             {30, 150, true, false, true},
                                             {120, 400, false, true, false}};
    store.putQuickTicketTypes(three);
    EXPECT_EQ(store.quickTicketTypes(), three);
    store.putQuickTicketTypes({three[2]});
    EXPECT_EQ(store.quickTicketTypes(), std::vector<QuickTicketType>{three[2]});
}

}  // namespace
}  // namespace zarnevo
