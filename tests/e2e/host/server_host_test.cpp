// The host in this process on loopback: turns shared between consoles, bounded queues, password
// checks on a worker thread, the cap on consoles, and connections that come and go.
#include "server/host/server_host.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTcpSocket>
#include <algorithm>
#include <functional>

#include "core/wire/codec.h"
#include "server/engine/memory_store.h"

namespace zarnevo {
namespace {

// QTcpServer and QTcpSocket want an application object.
class QtApplication : public ::testing::Environment {
    void SetUp() override {
        static int argc = 1;
        static char name[] = "server_host_tests";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QCoreApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }
    std::unique_ptr<QCoreApplication> app_;
};
const auto* const kQtApplication = ::testing::AddGlobalTestEnvironment(new QtApplication);

const std::string kGreeting = "AUTHENTICATING||FALSE||LOCALHOSTNAME||Kestova[host]||";

// Runs the event loop (server and clients alike) until done() holds or 15 s have passed.
bool SpinUntil(const std::function<bool()>& done) {
    for (QDeadlineTimer deadline(15'000); !done() && !deadline.hasExpired();)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

class Host : public ::testing::Test {
protected:
    Host() {
        store.putOperator(Operator{"CLERK", "USER", HashPassword("clerk", PasswordCost::Minimal)});
        host = std::make_unique<ServerHost>(
            store, EngineOptions{.slots = 5, .passwordCost = PasswordCost::Minimal},
            [this](const std::string& line) { log.push_back(line); });
        QString error;
        EXPECT_TRUE(host->listen(QHostAddress(QHostAddress::LocalHost), 0, error));
    }
    ~Host() override {
        host.reset();
        QCoreApplication::processEvents();  // the sockets' deferred deletions
    }
    // A connected console that has sent these messages, each encoded on its own.
    std::unique_ptr<QTcpSocket> console(const std::vector<std::string>& messages) {
        auto socket = std::make_unique<QTcpSocket>();
        socket->connectToHost(QStringLiteral("127.0.0.1"), host->port());
        EXPECT_TRUE(socket->waitForConnected(15'000));
        for (const std::string& message : messages)
            socket->write(QByteArray::fromStdString(wire::EncodeText(message)));
        return socket;
    }
    std::vector<std::string> logged(std::string_view text) const {
        std::vector<std::string> lines;
        std::ranges::copy_if(log, std::back_inserter(lines), [&](const std::string& line) {
            return line.find(text) != std::string::npos;
        });
        return lines;
    }

    MemoryStore store;
    std::vector<std::string> log;
    std::unique_ptr<ServerHost> host;
};

TEST_F(Host, AConsoleThatSendsHundredsOfRequestsAtOnceWaitsForItsOwnTurns) {
    std::vector<std::string> flood{kGreeting};
    for (int i = 0; i < 300; ++i)
        flood.push_back("||SMESSAGE||KESTOVA: flood " + std::to_string(i) + "||");
    auto flooding = console(flood);
    auto other = console({kGreeting, "||SMESSAGE||KESTOVA: served||"});
    ASSERT_TRUE(SpinUntil([&] {
        return !logged("wait for their turn already").empty() && host->queuedRequests() == 0;
    }));
    // The other console was served within the flood's first turns; the flood kept its order,
    // and what did not fit in its queue was dropped.
    std::vector<std::string> handled = logged("KESTOVA: ");
    ASSERT_GE(handled.size(), ServerHost::kMaxQueuedRequests);  // the greeting took a place
    const auto served = std::ranges::find(handled, "message from console 2: KESTOVA: served");
    EXPECT_LT(served - handled.begin(), 3 * ServerHost::kRequestsPerTurn);
    handled.erase(served);
    for (std::size_t i = 0; i < handled.size(); ++i)
        EXPECT_EQ(handled[i], "message from console 1: KESTOVA: flood " + std::to_string(i));
    EXPECT_LT(handled.size(), 300u);
}

TEST_F(Host, PasswordsAreCheckedOffTheEventThreadAndTheVerdictComesBackInOrder) {
    auto socket = console({kGreeting, "||F-LOGIN||Username = 'CLERK' and Password = 'wrong'||",
                           "||F-LOGIN||Username = 'CLERK' and Password = 'clerk'||"});
    std::string replies;
    const auto has = [&](const std::string& reply) {
        return replies.find(wire::EncodeText(reply)) != std::string::npos;
    };
    ASSERT_TRUE(SpinUntil([&] {
        replies += socket->readAll().toStdString();
        return has("||F-LOGIN||TRUE||");
    }));
    EXPECT_LT(replies.find(wire::EncodeText("||F-LOGIN||FALSE||")),
              replies.find(wire::EncodeText("||F-LOGIN||TRUE||")));
}

// Under AddressSanitizer, LeakSanitizer checks at exit that the rounds left nothing behind.
TEST_F(Host, BeyondTheCapConnectionsAreClosedAtOnceAndRoundsOfThemLeaveNothingBehind) {
    for (std::size_t round = 1; round <= 3; ++round) {
        std::vector<std::unique_ptr<QTcpSocket>> sockets;
        for (std::size_t i = 0; i < ServerHost::kMaxConsoles + 2; ++i)
            sockets.push_back(console({kGreeting, "||UPDATE||||"}));
        ASSERT_TRUE(SpinUntil([&] {
            return logged("greeted").size() == round * ServerHost::kMaxConsoles &&
                   logged("consoles are connected already").size() == round * 2;
        }));
        EXPECT_EQ(host->consoleCount(), ServerHost::kMaxConsoles);
        for (std::size_t i = 0; i < sockets.size(); ++i)
            i % 2 ? sockets[i]->abort() : sockets[i]->disconnectFromHost();
        ASSERT_TRUE(SpinUntil([&] { return host->consoleCount() == 0; })) << round;
    }
}

}  // namespace
}  // namespace zarnevo
