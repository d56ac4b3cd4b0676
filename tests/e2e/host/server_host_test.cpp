// The host in this process on loopback: consoles take turns, their queues are bounded, the
// number of consoles is capped, and rounds of connections leave nothing behind.
#include "server/host/server_host.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QTcpSocket>
#include <algorithm>
#include <functional>

#include "core/wire/codec.h"
#include "server/engine/login_guard.h"
#include "server/engine/memory_store.h"
#include "server/engine/password_hash.h"

namespace zarnevo {
namespace {

const std::string kGreeting = "AUTHENTICATING||FALSE||LOCALHOSTNAME||Kestova[host]||";
int argc = 1;
char name[] = "server_host_tests";
char* argv[] = {name, nullptr};

class Host : public ::testing::Test {
protected:
    Host() { EXPECT_TRUE(host.listen(QHostAddress(QHostAddress::LocalHost), 0, error)); }
    ~Host() override {
        host.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // A connected console that has sent these messages, each encoded on its own, from the given
    // loopback address.
    std::unique_ptr<QTcpSocket> console(const std::vector<std::string>& messages,
                                        const QString& from = QStringLiteral("127.0.0.1")) {
        auto socket = std::make_unique<QTcpSocket>();
        EXPECT_TRUE(socket->bind(QHostAddress(from), 0)) << from.toStdString();
        socket->connectToHost(QStringLiteral("127.0.0.1"), host.port());
        EXPECT_TRUE(socket->waitForConnected(15'000));
        for (const std::string& message : messages)
            socket->write(QByteArray::fromStdString(wire::EncodeText(message)));
        return socket;
    }
    // Runs the event loop (server and clients alike) until done() holds or 15 s have passed.
    static bool spinUntil(const std::function<bool()>& done) {
        for (QDeadlineTimer deadline(15'000); !done() && !deadline.hasExpired();)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return done();
    }
    std::vector<std::string> logged(std::string_view text) const {
        std::vector<std::string> lines;
        std::ranges::copy_if(log, std::back_inserter(lines), [&](const std::string& line) {
            return line.find(text) != std::string::npos;
        });
        return lines;
    }

    QCoreApplication app{argc, argv};
    MemoryStore store;
    std::vector<std::string> log;
    QString error;
    ServerHost host{store, EngineOptions{.slots = 5, .passwordCost = PasswordCost::Minimal},
                    [this](const std::string& line) { log.push_back(line); }};
};

TEST_F(Host, AConsoleThatSendsHundredsOfRequestsAtOnceWaitsForItsOwnTurns) {
    std::vector<std::string> flood{kGreeting};
    for (int i = 0; i < 300; ++i)
        flood.push_back("||SMESSAGE||KESTOVA: " + std::to_string(i) + "||");
    auto flooding = console(flood);
    auto other = console({kGreeting, "||SMESSAGE||KESTOVA: served||"});
    ASSERT_TRUE(spinUntil(
        [&] { return !logged("wait for their turn").empty() && host.queuedRequests() == 0; }));
    std::vector<std::string> handled = logged("KESTOVA: ");
    const auto served = std::ranges::find(handled, "message from console 2: KESTOVA: served");
    ASSERT_LT(served - handled.begin(), 3 * ServerHost::kRequestsPerTurn)
        << "not in the first turns";
    handled.erase(served);
    EXPECT_GE(handled.size(), ServerHost::kMaxQueuedRequests - 1);  // the greeting took a place
    EXPECT_LT(handled.size(), 300u) << "what did not fit was dropped";
    for (std::size_t i = 0; i < handled.size(); ++i)
        EXPECT_EQ(handled[i], "message from console 1: KESTOVA: " + std::to_string(i));
}

// Under AddressSanitizer, LeakSanitizer checks at exit that the rounds left nothing behind.
TEST_F(Host, BeyondTheCapConnectionsAreClosedAtOnceAndRoundsOfThemLeaveNothingBehind) {
    for (std::size_t round = 1; round <= 3; ++round) {
        std::vector<std::unique_ptr<QTcpSocket>> sockets;
        for (std::size_t i = 0; i < ServerHost::kMaxConsoles + 2; ++i)
            sockets.push_back(console({kGreeting, "||UPDATE||||"}));
        ASSERT_TRUE(spinUntil([&] {
            return logged("greeted").size() == round * ServerHost::kMaxConsoles &&
                   logged("consoles are connected already").size() == round * 2;
        }));
        EXPECT_EQ(host.consoleCount(), ServerHost::kMaxConsoles);
        for (std::size_t i = 0; i < sockets.size(); ++i)
            i % 2 ? sockets[i]->abort() : sockets[i]->disconnectFromHost();
        ASSERT_TRUE(spinUntil([&] { return host.consoleCount() == 0; })) << round;
    }
}

// What a console has been sent holds this message (each is encoded on its own).
bool Received(QByteArray& received, QTcpSocket& socket, const std::string& message) {
    received += socket.readAll();
    return received.contains(QByteArray::fromStdString(wire::EncodeText(message)));
}

TEST_F(Host, GuessesFromOneAddressWaitTheirTurnOverNewConnectionsWhileTheOperatorElsewhereGetsIn) {
    store.putOperator(
        Operator{"ADMINISTRATOR", "ADMINISTRATOR", HashPassword("admin", PasswordCost::Minimal)});
    const std::string guess = "||F-LOGIN||Username = 'ADMINISTRATOR' and Password = 'guess'||";
    const std::string refused = "||F-LOGIN||FALSE||";
    const QString guessers = QStringLiteral("127.0.0.5");
    for (int i = 0; i < kFreeLoginFailures; ++i) {
        QByteArray received;
        auto guesser = console({kGreeting, guess}, guessers);
        ASSERT_TRUE(spinUntil([&] { return Received(received, *guesser, refused); })) << i;
    }
    QElapsedTimer sent;
    sent.start();
    auto sixth = console({kGreeting, guess}, guessers);
    auto seventh = console({kGreeting, guess}, guessers);
    auto rightful =
        console({kGreeting, "||F-LOGIN||Username = 'ADMINISTRATOR' and Password = 'admin'||"});
    QByteArray toRightful, toSixth, toSeventh;
    ASSERT_TRUE(spinUntil([&] { return Received(toRightful, *rightful, "||F-LOGIN||TRUE||"); }));
    EXPECT_LT(sent.elapsed(), 1'000) << "the rightful operator is answered within a second";

    ASSERT_TRUE(spinUntil([&] { return Received(toSixth, *sixth, refused); }));
    EXPECT_GE(sent.elapsed(), kFirstRefusalDelayMs);
    ASSERT_TRUE(spinUntil([&] { return Received(toSeventh, *seventh, refused); }));
    EXPECT_GE(sent.elapsed(), 3 * kFirstRefusalDelayMs) << "checked after the sixth, then 2 s";
}

}  // namespace
}  // namespace zarnevo
