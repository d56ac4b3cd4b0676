// The real zarnevo-server program on loopback, spoken to as a console would.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QThread>
#include <set>

#include "core/wire/codec.h"
#include "core/wire/framing.h"
#include "tests/e2e/loopback/console_link.h"
#include "tests/e2e/loopback/server_process.h"

namespace zarnevo::e2e {
namespace {

// QProcess and QTcpSocket want an application object.
class QtApplication : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "server_e2e_tests";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QCoreApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QCoreApplication> app_;
};
const auto* const kQtApplication = ::testing::AddGlobalTestEnvironment(new QtApplication);

const std::string kGreeting =
    "AUTHENTICATING||FALSE||STATE||Authenticating ..||LOCALIP||[127.0.0.1]||LOCALHOSTNAME||"
    "Kestova[e2e]||";
const std::string kAdminLogin = "||F-LOGIN||Username = 'ADMINISTRATOR' and Password = 'admin'||";
const std::string kJohnSignIn = "||F-POSLOG||Username = 'JOHN' and Password = 'john'||";

// The slot numbers (rows) of the UPDATE records among the replies, and the slot count they give.
struct ClientList {
    std::set<int> rows;
    std::set<int> totals;
};
ClientList ClientListOf(const std::vector<std::string>& replies) {
    ClientList list;
    for (const auto& reply : replies) {
        const auto pairs = wire::SplitPairs(reply);
        if (pairs.empty() || pairs.front().keyword != "UPDATE") {
            continue;
        }
        const std::string& record = pairs.front().value;
        const auto first = record.find("==");
        const auto second = record.find("==", first + 2);
        if (first == std::string::npos || second == std::string::npos) {
            continue;
        }
        list.totals.insert(std::stoi(record.substr(0, first)));
        list.rows.insert(std::stoi(record.substr(first + 2, second - first - 2)));
    }
    return list;
}

auto Has(std::string_view keyword) {
    return [keyword](const std::vector<std::string>& replies) {
        return IndexOf(replies, keyword) < replies.size();
    };
}

// Signs JOHN in and sells a batch of two one-hour tickets; the PRINTPOS reply's value.
std::optional<std::string> SellTwoTickets(ConsoleLink& console) {
    console.clear();
    console.send(kJohnSignIn);
    if (ValueOf(console.readUntil(Has("F-POSLOG")), "F-POSLOG") != "TRUE") {
        return std::nullopt;
    }
    console.send("||POSTICKET||60|2|2.50|False|False|False|JOHN||");
    return ValueOf(console.readUntil(Has("PRINTPOS")), "PRINTPOS");
}

TEST(ServerOnLoopback, ServesAConsoleFromClientListToTicketSaleAndStopsOnSigterm) {
    auto server = StartServer({"--db", ":memory:", "--demo", "--slots", "20"});
    ASSERT_TRUE(server.process) << "no server could be started";
    EXPECT_TRUE(server.process->waitForOutput("ADMINISTRATOR/admin"));
    EXPECT_TRUE(server.process->output().contains("JOHN/john"));

    ConsoleLink console;
    ASSERT_TRUE(console.connectTo(server.consolePort()));
    console.send(kGreeting);
    console.send("||UPDATE||||");
    const auto& listed = console.readUntil([](const std::vector<std::string>& replies) {
        return ClientListOf(replies).rows.size() >= 20;
    });
    const ClientList list = ClientListOf(listed);
    std::set<int> everySlot;
    for (int row = 1; row <= 20; ++row) {
        everySlot.insert(row);
    }
    EXPECT_EQ(list.rows, everySlot);
    EXPECT_EQ(list.totals, std::set<int>{20});

    console.clear();
    console.send(kAdminLogin);
    const auto& login = console.readUntil(Has("F-LOGIN"));
    ASSERT_EQ(ValueOf(login, "F-LOGIN"), "TRUE");
    EXPECT_EQ(ValueOf(login, "TYPE"), "ADMINISTRATOR");
    // The rights and the shut-down permission come before the acceptance.
    EXPECT_LT(IndexOf(login, "TYPE"), IndexOf(login, "SHUTREST"));
    EXPECT_LT(IndexOf(login, "SHUTREST"), IndexOf(login, "F-LOGIN"));

    const auto batch = SellTwoTickets(console);
    ASSERT_TRUE(batch);
    // Two tickets of 60 minutes at 2.50 each, in the batch text.
    EXPECT_NE(batch->find("|60|2.50|"), std::string::npos) << *batch;

    EXPECT_EQ(server.process->terminate(), 0) << server.process->errors().toStdString();
    EXPECT_TRUE(server.process->output().contains("database closed"));
}

TEST(ServerOnLoopback, ASecondServerOnTheSamePortFailsClearly) {
    auto first = StartServer({"--db", ":memory:"});
    ASSERT_TRUE(first.process);
    ServerProcess second({"--port-offset", QString::number(first.portOffset), "--db", ":memory:"});
    EXPECT_EQ(second.waitForExit(), 1);
    EXPECT_TRUE(second.errors().contains("cannot listen for consoles"));
    EXPECT_TRUE(second.errors().contains(QString::number(first.consolePort())));
    EXPECT_EQ(first.process->terminate(), 0);
}

TEST(ServerOnLoopback, SoldTicketsSurviveARestartOnADatabaseFile) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString database = folder.filePath("cafe/zarnevo.db");  // the folder is made too

    std::string user;
    {
        auto server = StartServer({"--db", database, "--demo"});
        ASSERT_TRUE(server.process);
        ConsoleLink console;
        ASSERT_TRUE(console.connectTo(server.consolePort()));
        console.send(kGreeting);
        const auto batch = SellTwoTickets(console);
        ASSERT_TRUE(batch);
        user = batch->substr(0, batch->find('|'));
        ASSERT_EQ(server.process->terminate(), 0);
    }
    auto again = StartServer({"--db", database, "--demo"});
    ASSERT_TRUE(again.process);
    ConsoleLink console;
    ASSERT_TRUE(console.connectTo(again.consolePort()));
    console.send(kGreeting);
    console.send(kJohnSignIn);
    ASSERT_EQ(ValueOf(console.readUntil(Has("F-POSLOG")), "F-POSLOG"), "TRUE");
    console.send("||F-TICKET1||" + user + "||");
    const auto& found = console.readUntil([](const std::vector<std::string>& replies) {
        return Has("TICKET1")(replies) || Has("NOTICKET1")(replies);
    });
    ASSERT_TRUE(ValueOf(found, "TICKET1")) << "ticket " << user << " was not found again";
    EXPECT_NE(ValueOf(found, "TICKET1")->find(user), std::string::npos);
    EXPECT_EQ(again.process->terminate(), 0);
}

TEST(ServerOnLoopback, AnswersAServerSearchWithItsAddressAndPort) {
    const int discoveryPort = 1024 + RandomPortOffset() % 20'000;  // below the console ports
    auto server = StartServer(
        {"--db", ":memory:", "--discovery", "--discovery-port", QString::number(discoveryPort)});
    ASSERT_TRUE(server.process);
    ASSERT_TRUE(server.process->waitForOutput("answering server searches"))
        << server.process->errors().toStdString();

    QTcpSocket search;
    search.connectToHost(QStringLiteral("127.0.0.1"), static_cast<quint16>(discoveryPort));
    ASSERT_TRUE(search.waitForConnected(kDeadlineMs));
    search.write("CONNECTED");
    QByteArray answer;
    while (search.state() == QAbstractSocket::ConnectedState &&
           search.waitForReadyRead(kDeadlineMs)) {
        answer += search.readAll();
    }
    answer += search.readAll();
    const auto elements = wire::SplitElements(answer.toStdString());
    // Read as the console reads it: keyword, then its value in the next element.
    const auto after = [&](std::string_view keyword) {
        for (std::size_t i = 0; i + 1 < elements.size(); ++i) {
            if (elements[i] == keyword) {
                return elements[i + 1];
            }
        }
        return std::string("(missing)");
    };
    EXPECT_EQ(after("SERVERIP"), "127.0.0.1");
    EXPECT_EQ(after("PORT"), std::to_string(server.portOffset - 1));
    EXPECT_EQ(after("NOCOMPUTER"), std::to_string(server.portOffset));
    EXPECT_GT(elements.size(), 7u);  // the console applies PORT only then
    EXPECT_EQ(server.process->terminate(), 0);
}

TEST(ServerOnLoopback, MisbehavingConsolesChangeNothingForOthers) {
    auto server = StartServer({"--db", ":memory:", "--demo", "--slots", "5"});
    ASSERT_TRUE(server.process);
    ConsoleLink good;
    ASSERT_TRUE(good.connectTo(server.consolePort()));
    good.send(kGreeting);

    {
        // Bytes that are no protocol at all, then gone.
        QTcpSocket junk;
        junk.connectToHost(QStringLiteral("127.0.0.1"), server.consolePort());
        ASSERT_TRUE(junk.waitForConnected(kDeadlineMs));
        junk.write("not digits at all\r\n\x01\x02\xff");
        junk.waitForBytesWritten(kDeadlineMs);
    }
    {
        ConsoleLink noisy;
        ASSERT_TRUE(noisy.connectTo(server.consolePort()));
        noisy.send(kGreeting);
        // A request nobody knows is handed to the engine once the console has been quiet.
        noisy.send("||NOSUCHREQUEST||1||");
        EXPECT_TRUE(server.process->waitForLog("NOSUCHREQUEST"));
        noisy.send("||F-LOGIN||Username = 'ADMINISTRATOR' and Password = 'wrong'||");
        EXPECT_EQ(ValueOf(noisy.readUntil(Has("F-LOGIN")), "F-LOGIN"), "FALSE");
        // Half a login, then the console vanishes mid-request.
        const std::string half = wire::EncodeText(kAdminLogin).substr(0, 40);
        noisy.socket().write(half.data(), static_cast<qint64>(half.size()));
        noisy.socket().waitForBytesWritten(kDeadlineMs);
    }
    {
        ConsoleLink flooding;
        ASSERT_TRUE(flooding.connectTo(server.consolePort()));
        const QByteArray flood(2 * 1024 * 1024, '5');  // digits that never make a request
        flooding.socket().write(flood);
        while (flooding.socket().bytesToWrite() > 0 &&
               flooding.socket().waitForBytesWritten(kDeadlineMs)) {
        }
        EXPECT_TRUE(server.process->waitForLog("formed no request"));
    }

    good.send("||UPDATE||||");
    EXPECT_EQ(ClientListOf(good.readUntil([](const auto& replies) {
                  return ClientListOf(replies).rows.size() >= 5;
              })).rows.size(),
              5u);
    good.clear();
    good.send(kAdminLogin);
    EXPECT_EQ(ValueOf(good.readUntil(Has("F-LOGIN")), "F-LOGIN"), "TRUE");

    EXPECT_EQ(server.process->terminate(), 0) << server.process->errors().toStdString();
}

TEST(ServerCommandLine, HelpAndWrongOptionsAnswerWithoutServing) {
    ServerProcess help({"--help"});
    EXPECT_EQ(help.waitForExit(), 0);
    EXPECT_TRUE(help.output().contains("--port-offset"));

    ServerProcess wrong({"--slots", "0"});
    EXPECT_EQ(wrong.waitForExit(), 2);
    EXPECT_TRUE(wrong.errors().contains("--slots"));

    ServerProcess badAddress({"--listen", "not-an-address"});
    EXPECT_EQ(badAddress.waitForExit(), 2);
}

TEST(ServerCommandLine, ADatabaseThatCannotBeOpenedEndsTheServerWithTheReason) {
    ServerProcess server(
        {"--port-offset", QString::number(RandomPortOffset()), "--db", "/dev/null/zarnevo.db"});
    EXPECT_EQ(server.waitForExit(), 1);
    EXPECT_TRUE(server.errors().contains("/dev/null/zarnevo.db")) << server.errors().toStdString();
    EXPECT_FALSE(server.output().contains("listening"));
}

}  // namespace
}  // namespace zarnevo::e2e
