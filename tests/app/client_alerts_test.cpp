// The operator is told once when a client's time is nearly out or up, and when a client in use
// drops off the network: a line with the local time in the message window, a desktop
// notification and the alert sound, all driven by the client records the server sends.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "console/client_alerts.h"
#include "core/messages.h"
#include "dispatch/dispatcher.h"
#include "tests/app/connection_test_support.h"

namespace kestova {
namespace {

using testing::ConsoleSimTest;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A record of slot 3 ("PC3") on a 20-slot café.
struct Seen {
    const char* user;
    const char* time;
    const char* information;
    const char* state = "Connected.";
};

std::string Record(const Seen& seen) {
    return std::string("||UPDATE||20==3==3.==PC3==") + seen.user + "==" + seen.time +
           "==" + seen.information + "==" + seen.state + "==127.0.0.3==10:15==1003==0==0==0==0||";
}

class ClientAlertsTest : public ConsoleSimTest {
protected:
    void serverSends(const std::vector<Seen>& records) {
        KestovaMain& main = console();
        for (const Seen& seen : records) {
            DispatchMessage(main, Record(seen));
        }
    }
    // Every notification as "title: text".
    std::vector<std::string> told() {
        std::vector<std::string> lines;
        for (const auto& notification : notifier().notifications()) {
            lines.push_back(notification.title + ": " + notification.text);
        }
        return lines;
    }
};

struct AlertCase {
    const char* name;
    std::vector<Seen> records;
    std::vector<std::string> told;
};

class AlertRuleTest : public ClientAlertsTest, public ::testing::WithParamInterface<AlertCase> {};

constexpr const char* kIn = "Logged in";
constexpr const char* kSoon4 = "Time ending soon: PC3 (john) has 4 minutes left.";
constexpr const char* kTimeUp = "Time is up: PC3 (john) has no time left.";
constexpr const char* kDropped =
    "Client off the network: PC3 (john) dropped off the network while in use.";

TEST_P(AlertRuleTest, TellsTheOperatorWhatTheRecordsCallFor) {
    serverSends(GetParam().records);
    EXPECT_EQ(told(), GetParam().told);
    EXPECT_EQ(notifier().soundsPlayed(), static_cast<int>(GetParam().told.size()))
        << "every alert plays the sound by default";
}

INSTANTIATE_TEST_SUITE_P(
    Records, AlertRuleTest,
    ::testing::Values(
        AlertCase{"CrossingTheThresholdOnce",
                  {{"john", "00:07", kIn},
                   {"john", "00:05", kIn},
                   {"john", "00:04", kIn},
                   {"john", "00:03", kIn},
                   {"john", "00:02", kIn}},
                  {kSoon4}},
        AlertCase{"AgainAfterATopUpToTheThreshold",
                  {{"john", "00:04", kIn}, {"john", "01:00", kIn}, {"john", "00:01", kIn}},
                  {kSoon4, "Time ending soon: PC3 (john) has 1 minute left."}},
        AlertCase{"NotAgainAfterATopUpStillUnderIt",
                  {{"john", "00:04", kIn}, {"john", "00:02", kIn}, {"john", "00:04", kIn}},
                  {kSoon4}},
        AlertCase{"AfreshForANewUser",
                  {{"john", "00:04", kIn}, {"mary", "00:03", kIn}},
                  {kSoon4, "Time ending soon: PC3 (mary) has 3 minutes left."}},
        AlertCase{"TimeUpWhenTheTimeReadsZero",
                  {{"john", "00:00", kIn}, {"john", "00:00", kIn}, {"", "00:00", "Ready"}},
                  {kTimeUp}},
        AlertCase{"TimeUpWhenTheSessionEndsInItsLastMinute",
                  {{"john", "00:04", kIn}, {"john", "00:01", kIn}, {"", "00:00", "Ready"}},
                  {kSoon4, kTimeUp}},
        AlertCase{"NoTimeUpForASessionEndedEarlyOrPaused",
                  {{"john", "00:30", kIn},
                   {"", "00:00", "Ready"},
                   {"john", "00:01", "Paused"},
                   {"", "00:00", "Ready"},
                   {"john", "00:01", "Self Timer Mode"}},
                  {}},
        AlertCase{"ATimeChangeOnItsWayIsNoReading",
                  {{"john", "00:04", kIn}, {"john", "*****", kIn}, {"john", "00:03", kIn}},
                  {kSoon4}},
        AlertCase{"DroppingOffInUseOnce",
                  {{"john", "00:30", kIn},
                   {"john", "00:30", kIn, "Disconnected"},
                   {"john", "00:30", kIn, "Disconnected"}},
                  {kDropped}},
        AlertCase{"DroppingOffAgainAfterComingBack",
                  {{"john", "00:30", kIn},
                   {"john", "00:30", kIn, "Restarting"},
                   {"john", "00:29", kIn},
                   {"john", "00:29", kIn, "Disconnected"}},
                  {kDropped, kDropped}},
        AlertCase{"NoDropOffForAFreeOrPausedClient",
                  {{"", "00:00", "Ready"},
                   {"", "00:00", "Ready", "Disconnected"},
                   {"john", "00:10", "Paused"},
                   {"john", "00:10", "Paused", "Disconnected"}},
                  {}}),
    [](const ::testing::TestParamInfo<AlertCase>& test) { return std::string(test.param.name); });

TEST_F(ClientAlertsTest, TheMessageWindowKeepsEachAlertWithItsLocalTime) {
    clock().setUtcOffset(std::chrono::hours(2));
    serverSends({{"john", "00:04", kIn}});
    DispatchMessage(console(), "||IMESSAGE||PC5: paper jam||");

    const Messages& window = MessagesWindow();
    EXPECT_TRUE(window.Visible);
    EXPECT_EQ(window.Text1.Text.get(),
              "11:00AM 07-Dec-26 - Time ending soon: PC3 (john) has 4 minutes left.\r\n"
              "PC5: paper jam\r\n")
        << "a client's message after an alert keeps the alert";
}

TEST_F(ClientAlertsTest, ThresholdAndSoundComeFromTheSettings) {
    setOption(settings::AlertMinutes, "10");
    setOption(settings::AlertSound, "False");
    serverSends({{"john", "00:09", kIn}});
    EXPECT_THAT(told(), ElementsAre("Time ending soon: PC3 (john) has 9 minutes left."));
    EXPECT_EQ(notifier().soundsPlayed(), 0);
}

TEST_F(ClientAlertsTest, NoTimeAlertsAtThresholdZeroButDropOffsStillCount) {
    setOption(settings::AlertMinutes, "0");
    serverSends({{"john", "00:01", kIn}, {"john", "00:00", kIn}, {"", "00:00", "Ready"}});
    EXPECT_THAT(told(), IsEmpty());
    serverSends({{"john", "00:00", kIn}, {"john", "00:00", kIn, "Disconnected"}});
    EXPECT_THAT(told(), ElementsAre(kDropped));
}

}  // namespace
}  // namespace kestova
