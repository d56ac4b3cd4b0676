#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "server/db/schema.h"
#include "server/db/sqlite_store.h"
#include "server/engine/engine.h"

namespace zarnevo {
namespace {

// A database file in a fresh temporary folder, removed with its log files afterwards.
class TempDatabase : public ::testing::Test {
protected:
    TempDatabase() {
        std::random_device random;
        folder_ = std::filesystem::temp_directory_path() /
                  ("zarnevo-store-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(folder_);
        path = (folder_ / "zarnevo.db").string();
    }
    ~TempDatabase() override { std::filesystem::remove_all(folder_); }

    // Runs fixed SQL on the file through a separate raw connection, as another program would.
    void rawExecute(const char* sql) {
        SqliteDatabase raw(path);
        raw.execute(sql);
    }

    std::string path;

private:
    std::filesystem::path folder_;
};

TEST(SqliteStoreInMemory, StartsAtTheLatestSchemaWithoutALog) {
    SqliteStore store(":memory:");
    EXPECT_GE(LatestSchemaVersion(), 1);
    EXPECT_EQ(store.schemaVersion(), LatestSchemaVersion());
    EXPECT_EQ(store.journalMode(), "memory");
}

TEST(SqliteStoreInMemory, DataNeverTurnsIntoSql) {
    SqliteStore store(":memory:");
    const std::string hostile = "x'); DROP TABLE settings; --";
    store.putSetting(hostile, hostile);
    store.putStaff(StaffMember{hostile, {"s", "h"}});
    EXPECT_EQ(store.setting(hostile), hostile);
    ASSERT_TRUE(store.findStaff(hostile));
    store.putSetting("after", "still here");
    EXPECT_EQ(store.setting("after"), "still here");
}

TEST_F(TempDatabase, FileDatabaseUsesWriteAheadLogging) {
    SqliteStore store(path);
    EXPECT_EQ(store.journalMode(), "wal");
    EXPECT_EQ(store.schemaVersion(), LatestSchemaVersion());
}

TEST_F(TempDatabase, ReopeningKeepsEverything) {
    const Sale sale{"JOHN", 5000, "G1", 60, 250, 1};
    Ticket ticket;
    ticket.group = "G1";
    ticket.number = 1;
    ticket.user = "U1";
    ticket.password = "secret";
    {
        SqliteStore store(path);
        store.putOperator(Operator{"CLERK", "USER", {"salt", "hash"}});
        store.putSetting("PRINTS", "True");
        ASSERT_TRUE(store.addBatch(TicketBatch{"G1", "JOHN", 5000, {ticket}}, sale));
    }
    SqliteStore reopened(path);
    EXPECT_EQ(reopened.schemaVersion(), LatestSchemaVersion());
    ASSERT_TRUE(reopened.findOperator("CLERK"));
    EXPECT_EQ(reopened.findOperator("CLERK")->rights, "USER");
    EXPECT_EQ(reopened.setting("PRINTS"), "True");
    EXPECT_EQ(reopened.findTicket("U1"), ticket);
    EXPECT_EQ(reopened.salesBetween(0, 10'000), std::vector<Sale>{sale});
}

TEST_F(TempDatabase, ARefusedBatchLeavesNoSaleOnDisk) {
    Ticket ticket;
    ticket.group = "G1";
    ticket.number = 1;
    ticket.user = "U1";
    {
        SqliteStore store(path);
        ASSERT_TRUE(store.addBatch(TicketBatch{"G1", "JOHN", 1000, {ticket}}, std::nullopt));
        Ticket clash = ticket;
        clash.group = "G2";
        EXPECT_FALSE(store.addBatch(TicketBatch{"G2", "JOHN", 2000, {clash}},
                                    Sale{"JOHN", 2000, "G2", 60, 250, 1}));
    }
    SqliteStore reopened(path);
    EXPECT_TRUE(reopened.salesBetween(0, 10'000).empty());
    EXPECT_FALSE(reopened.groupExists("G2"));
}

TEST_F(TempDatabase, ANewerDatabaseIsRefusedUntouched) {
    rawExecute("PRAGMA user_version = 999");
    EXPECT_THROW(SqliteStore{path}, SqliteError);
    SqliteDatabase raw(path);
    EXPECT_EQ(raw.queryInteger("PRAGMA user_version"), 999);
    EXPECT_EQ(raw.queryInteger("SELECT count(*) FROM sqlite_schema"), 0);
}

TEST_F(TempDatabase, AFailedMigrationLeavesNoTrace) {
    // A stray table of the same name makes the first migration fail half-way.
    rawExecute("CREATE TABLE sales (x INTEGER)");
    EXPECT_THROW(SqliteStore{path}, SqliteError);
    SqliteDatabase raw(path);
    EXPECT_EQ(raw.queryInteger("PRAGMA user_version"), 0);
    EXPECT_EQ(raw.queryInteger("SELECT count(*) FROM sqlite_schema WHERE name = 'operators'"), 0);
}

class Replies final : public Outbox {
public:
    void send(ConsoleId, const std::string& plainMessage) override { sent.push_back(plainMessage); }
    void disconnect(ConsoleId) override {}
    std::vector<std::string> sent;
};

TEST_F(TempDatabase, OlderPasswordHashesLogInAndAreReplacedByArgon2idForGood) {
    SqliteStore{path};  // the schema an earlier version wrote, and its hashes: salted SHA-256
    rawExecute(
        "INSERT INTO operators VALUES ('ADMINISTRATOR', 'ADMINISTRATOR', "
        "'00112233445566778899aabbccddeeff', "
        "'d2d34c291d773cbde0a53e271d62af20655361243fe6e20e4f3ad86ac1a34bc2');"
        "INSERT INTO staff VALUES ('JOHN', 'ffeeddccbbaa99887766554433221100', "
        "'4704e541dfcec7941fb79cfd693388e74aeffbcba60d6877c84da73545dd5122');");
    const auto logIn = [&](const std::string& request) {
        SqliteStore store(path);
        Replies replies;
        Engine engine(store, replies, EngineOptions{.passwordCost = PasswordCost::Minimal},
                      nullptr);
        engine.consoleConnected(1, "127.0.0.1", 0);
        engine.receive(1, "AUTHENTICATING||FALSE||LOCALHOSTNAME||Kestova[db]||", 0);
        engine.receive(1, request, 0);
        return replies.sent.back();
    };
    const std::string admin = "||F-LOGIN||Username = 'ADMINISTRATOR' and Password = '";
    EXPECT_EQ(logIn(admin + "wrong'||"), "||F-LOGIN||FALSE||");
    EXPECT_EQ(SqliteStore(path).findOperator("ADMINISTRATOR")->password.salt.size(), 32u);
    EXPECT_EQ(logIn(admin + "admin'||"), "||F-LOGIN||TRUE||");
    EXPECT_EQ(logIn("||F-POSLOG||Username = 'JOHN' and Password = 'john'||"), "||F-POSLOG||TRUE||");
    const std::string renewed = SqliteStore(path).findOperator("ADMINISTRATOR")->password.hash;
    EXPECT_TRUE(renewed.starts_with("$argon2id$")) << renewed;
    EXPECT_TRUE(SqliteStore(path).findStaff("JOHN")->password.hash.starts_with("$argon2id$"));
    EXPECT_EQ(logIn(admin + "admin'||"), "||F-LOGIN||TRUE||");
    EXPECT_EQ(logIn(admin + "wrong'||"), "||F-LOGIN||FALSE||");
    EXPECT_EQ(SqliteStore(path).findOperator("ADMINISTRATOR")->password.hash, renewed)
        << "renewed once, then kept";
}

TEST_F(TempDatabase, AnUnreadablePathSaysWhy) {
    try {
        SqliteStore store(path + "/missing-folder/zarnevo.db");
        FAIL() << "opening a database in a missing folder succeeded";
    } catch (const SqliteError& error) {
        EXPECT_NE(std::string(error.what()).find("missing-folder"), std::string::npos);
    }
}

}  // namespace
}  // namespace zarnevo
