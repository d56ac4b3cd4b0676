// The host in this process on loopback: turns shared between consoles, bounded queues, password
// checks on a worker thread, the cap on consoles, and connections that come and go.
#include "server/host/server_host.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTcpSocket>
#include <algorithm>
#include <functional>
#include <memory>

#include "core/wire/codec.h"
#include "server/engine/memory_store.h"

namespace zarnevo {
namespace {

// QTcpServer and QTcpSocket want an application object.
class QtApplication : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "server_host_tests";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QCoreApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QCoreApplication> app_;
};
const auto* const kQtApplication = ::testing::AddGlobalTestEnvironment(new QtApplication);

constexpr int kDeadlineMs = 15'000;
const std::string kGreeting = "AUTHENTICATING||FALSE||LOCALHOSTNAME||Kestova[host]||";

// Runs the event loop (server and clients alike) until done() holds or the deadline passes.
bool SpinUntil(const std::function<bool()>& done) {
    QDeadlineTimer deadline(kDeadlineMs);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return done();
}

std::string Encoded(const std::vector<std::string>& messages) {
    std::string digits;
    for (const std::string& message : messages)
        digits += wire::EncodeText(message);
    return digits;
}

class Host : public ::testing::Test {
protected:
    Host() {
        store.putOperator(Operator{"CLERK", "USER", HashPassword("clerk", PasswordCost::Minimal)});
        EngineOptions options;
        options.slots = 5;
        options.passwordCost = PasswordCost::Minimal;
        host = std::make_unique<ServerHost>(
            store, options, [this](const std::string& line) { log.push_back(line); });
        QString error;
        EXPECT_TRUE(host->listen(QHostAddress(QHostAddress::LocalHost), 0, error))
            << error.toStdString();
    }
    ~Host() override {
        host.reset();
        QCoreApplication::processEvents();  // the sockets' deferred deletions
    }

    // A console connection, connected and accepted.
    std::unique_ptr<QTcpSocket> console() {
        auto socket = std::make_unique<QTcpSocket>();
        socket->connectToHost(QStringLiteral("127.0.0.1"), host->port());
        EXPECT_TRUE(socket->waitForConnected(kDeadlineMs));
        return socket;
    }
    static void write(QTcpSocket& socket, const std::vector<std::string>& messages) {
        const std::string digits = Encoded(messages);
        socket.write(digits.data(), static_cast<qint64>(digits.size()));
    }
    std::size_t logged(std::string_view text) const {
        return static_cast<std::size_t>(std::count_if(log.begin(), log.end(), [&](const auto& l) {
            return l.find(text) != std::string::npos;
        }));
    }
    std::ptrdiff_t firstLogged(std::string_view text) const {
        return std::find_if(log.begin(), log.end(),
                            [&](const auto& l) { return l.find(text) != std::string::npos; }) -
               log.begin();
    }

    MemoryStore store;
    std::vector<std::string> log;
    std::unique_ptr<ServerHost> host;
};

TEST_F(Host, AConsoleThatSendsHundredsOfRequestsAtOnceWaitsForItsOwnTurns) {
    auto flooding = console();
    auto other = console();
    ASSERT_TRUE(SpinUntil([&] { return host->consoleCount() == 2; }));
    std::vector<std::string> flood{kGreeting};
    for (int i = 0; i < 300; ++i)
        flood.push_back("||SMESSAGE||KESTOVA: flood " + std::to_string(i) + "||");
    write(*flooding, flood);
    write(*other, {kGreeting, "||SMESSAGE||KESTOVA: served||"});

    ASSERT_TRUE(SpinUntil([&] { return logged("KESTOVA: served") == 1; }));
    // Before it, only a turn or two of the flood: a few requests each.
    EXPECT_LT(firstLogged("KESTOVA: served"),
              firstLogged("KESTOVA: flood " + std::to_string(4 * ServerHost::kRequestsPerTurn)));
    ASSERT_TRUE(SpinUntil(
        [&] { return logged("wait for their turn already") > 0 && host->queuedRequests() == 0; }));
    // What was queued was handled in the order sent; what did not fit was dropped.
    std::vector<int> handled;
    for (const std::string& line : log) {
        if (const auto at = line.find("KESTOVA: flood "); at != std::string::npos)
            handled.push_back(std::stoi(line.substr(at + 15)));
    }
    EXPECT_GE(handled.size(), ServerHost::kMaxQueuedRequests - 1);  // the greeting took a place
    EXPECT_LT(handled.size(), 300u);
    for (std::size_t i = 0; i < handled.size(); ++i)
        EXPECT_EQ(handled[i], static_cast<int>(i));
}

TEST_F(Host, PasswordsAreCheckedOffTheEventThreadAndTheVerdictComesBack) {
    auto socket = console();
    write(*socket, {kGreeting, "||F-LOGIN||Username = 'CLERK' and Password = 'wrong'||",
                    "||F-LOGIN||Username = 'CLERK' and Password = 'clerk'||"});
    std::string replies;
    const std::string accepted = wire::EncodeText("||F-LOGIN||TRUE||");
    const std::string refused = wire::EncodeText("||F-LOGIN||FALSE||");
    ASSERT_TRUE(SpinUntil([&] {
        replies += socket->readAll().toStdString();
        return replies.find(accepted) != std::string::npos;
    }));
    EXPECT_LT(replies.find(refused), replies.find(accepted));
    EXPECT_EQ(logged("operator CLERK logged in"), 1u);
}

TEST_F(Host, ConnectionsBeyondTheCapAreClosedAtOnce) {
    std::vector<std::unique_ptr<QTcpSocket>> sockets;
    for (std::size_t i = 0; i < ServerHost::kMaxConsoles + 2; ++i)
        sockets.push_back(console());
    const auto closed = [&] {
        return std::count_if(sockets.begin(), sockets.end(), [](const auto& socket) {
            return socket->state() == QAbstractSocket::UnconnectedState;
        });
    };
    ASSERT_TRUE(SpinUntil([&] { return closed() == 2; }));
    EXPECT_EQ(host->consoleCount(), ServerHost::kMaxConsoles);
    EXPECT_EQ(logged("consoles are connected already"), 2u);

    sockets.front()->disconnectFromHost();  // one leaves: a newcomer is served again
    ASSERT_TRUE(SpinUntil([&] { return host->consoleCount() == ServerHost::kMaxConsoles - 1; }));
    auto newcomer = console();
    ASSERT_TRUE(SpinUntil([&] { return host->consoleCount() == ServerHost::kMaxConsoles; }));
    EXPECT_EQ(newcomer->state(), QAbstractSocket::ConnectedState);
}

// Run under AddressSanitizer, LeakSanitizer checks at exit that nothing of these stays behind.
TEST_F(Host, RoundsOfConnectionsThatComeAndGoLeaveNothingBehind) {
    for (int round = 0; round < 4; ++round) {
        std::vector<std::unique_ptr<QTcpSocket>> sockets;
        for (int i = 0; i < 40; ++i) {
            sockets.push_back(console());
            write(*sockets.back(), {kGreeting, "||UPDATE||||"});
        }
        ASSERT_TRUE(SpinUntil([&] { return logged("greeted") == 40u * (round + 1); }));
        for (std::size_t i = 0; i < sockets.size(); ++i) {
            if (i % 2 == 0) {
                sockets[i]->disconnectFromHost();
            } else {
                sockets[i]->abort();
            }
        }
        ASSERT_TRUE(SpinUntil([&] { return host->consoleCount() == 0; })) << round;
    }
    EXPECT_EQ(logged(" closed: "), 160u);
}

}  // namespace
}  // namespace zarnevo
