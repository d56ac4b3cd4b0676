#include "connection/pending_request.h"

#include <gmock/gmock.h>

#include <optional>
#include <string>
#include <vector>

#include "connection/login_window.h"
#include "pos/ofrm_pos.h"
#include "pos/passwords.h"
#include "pos/ticket_info.h"
#include "reports/rsummary.h"
#include "tests/app/connection_test_support.h"

namespace kestova::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// The tick edges of every window that asks the server and waits: the ticks its request goes
// out at, the tick it gives up at, and what three ticks without the connection do (how often
// the window hears of it, and whether the request still waits).
struct WindowEdges {
    const char* window;
    PendingRequest::Edges edges;
    std::vector<int> sentAt;
    int givesUpAt;
    int lostCallsInThreeTicks;
    bool waitsWithoutConnection;
};

const std::vector<WindowEdges>& RequestWindows() {
    static const std::vector<WindowEdges> windows = {
        {"login", FrmSplash::kRequestEdges, {0, 5, 10, 15, 20}, 24, 0, true},
        {"staff sign-in", Passwords::kRequestEdges, {0, 5, 10, 15, 20}, 24, 1, false},
        {"ticket search", TicketInfo::kRequestEdges, {0, 5, 10, 15, 20}, 24, 1, false},
        {"operations", OfrmPOS::kRequestEdges, {0, 5, 10, 15, 20}, 21, 1, false},
        {"report", RSummary::kRequestEdges, {0, 5, 10, 15, 20}, 24, 3, true},
    };
    return windows;
}

constexpr const char* kAsk = "||F-SEARCH||AB12||";

class PendingRequestTest : public ConsoleSimTest {
protected:
    // A request with the window's edges that records the tick of each send, of the give-up
    // and each time it hears of a lost connection.
    PendingRequest requestWith(const PendingRequest::Edges& edges) {
        return PendingRequest(edges, {.request =
                                          [this] {
                                              sentAt.push_back(tick);
                                              return std::optional<std::string>(kAsk);
                                          },
                                      .timedOut = [this] { gaveUpAt = tick; },
                                      .lost = [this] { ++lostCalls; }});
    }
    void ticks(PendingRequest& request, int count) {
        for (int i = 0; i < count; ++i, ++tick) {
            request.Tick();
        }
    }
    std::vector<std::string> asked() const {
        std::vector<std::string> texts;
        for (const std::string& message : messagesFrom(server)) {
            if (message == kAsk) {
                texts.push_back(message);
            }
        }
        return texts;
    }

    sim::SimPeer& server = connectedServer();
    int tick = 0;
    std::vector<int> sentAt;
    std::optional<int> gaveUpAt;
    int lostCalls = 0;
};

TEST_F(PendingRequestTest, EachWindowResendsAndGivesUpAtItsOwnTicks) {
    for (const WindowEdges& window : RequestWindows()) {
        SCOPED_TRACE(window.window);
        server.clearReceived();
        tick = 0;
        sentAt.clear();
        gaveUpAt.reset();
        PendingRequest request = requestWith(window.edges);
        request.Start();
        ticks(request, 40);
        EXPECT_EQ(sentAt, window.sentAt);
        EXPECT_EQ(gaveUpAt, window.givesUpAt);
        EXPECT_FALSE(request.IsWaiting());
        EXPECT_EQ(asked().size(), window.sentAt.size()) << "every resend reaches the server";
    }
}

TEST_F(PendingRequestTest, EachWindowMeetsALostConnectionItsOwnWay) {
    for (const WindowEdges& window : RequestWindows()) {
        SCOPED_TRACE(window.window);
        lostCalls = 0;
        PendingRequest request = requestWith(window.edges);
        request.Start();
        Server().Close();
        ticks(request, 3);
        EXPECT_EQ(lostCalls, window.lostCallsInThreeTicks);
        EXPECT_EQ(request.IsWaiting(), window.waitsWithoutConnection);
    }
}

TEST_F(PendingRequestTest, AnEndedRequestSendsNothingAndAStartCountsFromTheFirstTick) {
    PendingRequest request = requestWith(OfrmPOS::kRequestEdges);
    request.Start();
    ticks(request, 7);
    request.End();
    ticks(request, 30);
    EXPECT_THAT(sentAt, ElementsAre(0, 5));
    EXPECT_FALSE(gaveUpAt.has_value());

    request.Start();
    const int startedAt = tick;
    ticks(request, 1);
    EXPECT_THAT(sentAt, ElementsAre(0, 5, startedAt));
}

TEST_F(PendingRequestTest, AServerAtWorkOnTheRequestPutsTheGiveUpOff) {
    PendingRequest request = requestWith(OfrmPOS::kRequestEdges);
    request.Start();
    ticks(request, 19);
    request.CountFrom(2);  // counts on as tick 2: four more resends before the give-up
    ticks(request, 30);
    EXPECT_THAT(sentAt, ElementsAreArray({0, 5, 10, 15, 22, 27, 32, 37}));
    EXPECT_EQ(gaveUpAt, 19 + 21 - 2);
}

}  // namespace
}  // namespace kestova::testing
