// The staff sign-in from the console's "Point-of-Sale" button, the server's answer, and the
// staff figures, settings and ticket types the server sends the generation window.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/messages.h"
#include "pos/ofrm_pos.h"
#include "pos/passwords.h"
#include "tests/app/pos_test_support.h"

namespace kestova {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class PosSignInTest : public testing::PosSimTest {
protected:
    Passwords& signIn = PosPasswords();
    std::vector<sim::Ms> signInTimes;  // after OK
    sim::Ms okAt = 0;
    std::string answer;  // to every sign-in request; empty: none

    PosSignInTest() {
        main.Command4.Visible = true;
        auto scripted = server.listener().onReceive;
        server.listener().onReceive = [this, scripted](sim::SimPeer& peer, const std::string& b) {
            scripted(peer, b);
            if (requests.back().starts_with("||F-POSLOG||")) {
                signInTimes.push_back(loop().now() - network().latency() - okAt);
                if (!answer.empty()) {
                    peer.send(wire::EncodeText(answer));
                }
            }
        };
    }
    // Signs in at 100 ms, and closes the window at closeAtMs unless it closed by itself.
    void signInAndRun(const std::string& user, const std::string& password, sim::Ms closeAtMs) {
        afterMs(100, [=, this] {
            sim::TypeInto(signIn.Text1, user);
            sim::TypeInto(signIn.Text2, password);
            okAt = loop().now();
            signIn.OKButton.DoClick();
        });
        afterMs(closeAtMs, [this] { signIn.CancelButton.DoClick(); });
        main.Command4.DoClick();
    }
};

TEST_F(PosSignInTest, WithoutAnswerTheRequestGoesOutFiveTimesAndGivesUpAtTick24) {
    dialogs().expectMsgBox("Request Timed Out!");
    signInAndRun("John", "it's", 30'000);
    EXPECT_THAT(signInTimes, ElementsAre(1000, 6000, 11000, 16000, 21000));
    EXPECT_EQ(requests.back(), "||F-POSLOG||Username = 'John' and Password = 'it's'||");
    EXPECT_EQ(dialogs().last().shownAtMs - okAt, 25'000);
    EXPECT_EQ(dialogs().last().title, "Zarnevo Kestova");
    EXPECT_EQ(main.ListenTimer.Interval(), 3000);
    EXPECT_TRUE(main.ListenTimer.IsEnabled());
}

TEST_F(PosSignInTest, AnAcceptedStaffMemberWorksInTheGenerationWindowOverTheHiddenConsole) {
    answer = "||F-POSLOG||TRUE||";
    bool consoleShown = true;
    afterMs(5000, [&] {
        consoleShown = main.Visible;
        EXPECT_EQ(pos.Label10.Caption.get(), "JOHN");
        EXPECT_TRUE(main.IsBusy());
        pos.Command3.DoClick();
    });
    main.Show();
    signInAndRun("john", "john", 60'000);
    EXPECT_FALSE(consoleShown);
    EXPECT_THAT(sent("||F-UPDATEPOS"), ElementsAre("||F-UPDATEPOS||JOHN||"));
    EXPECT_EQ(signInTimes.size(), 1u);
    EXPECT_TRUE(main.Visible);
    EXPECT_FALSE(main.IsBusy());
    EXPECT_EQ(main.ConList.BackColor.get(), ui::colors::White);
}

TEST_F(PosSignInTest, ARefusalOrAMissingFieldLetsTheStaffMemberTryAgain) {
    answer = "||F-POSLOG||True||";  // only "TRUE" lets in
    dialogs().expectMsgBox("Username can't be blank!");
    dialogs().expectMsgBox("Password can't be blank!");
    dialogs().expectMsgBox("Username/Password Incorrect or User not authorized!");
    afterMs(50, [this] {
        signIn.OKButton.DoClick();
        sim::PressKey(signIn.Text1, 1);  // Ctrl+A
        EXPECT_EQ(signIn.Text1.Text.get(), "ADMINISTRATOR");
        signIn.OKButton.DoClick();
        signIn.Text1.Text = "";
    });
    afterMs(4000, [this] { EXPECT_TRUE(signIn.Text1.Enabled && signIn.OKButton.Enabled); });
    signInAndRun("john", "wrong", 5000);
    EXPECT_THAT(sent("||F-UPDATEPOS"), IsEmpty());
    EXPECT_FALSE(main.IsBusy());
}

TEST_F(PosSignInTest, AnAnswerAfterTheWindowWasClosedOpensNothing) {
    // Closed by Cancel before the answer came, or by the close box while the answer was being
    // dispatched (the click waits for the dispatch, the window for the click).
    for (const bool whileDispatched : {false, true}) {
        const sim::Ms dispatchedAt = 3000 + network().latency() + kSettleMs;
        afterMs(whileDispatched ? dispatchedAt + 1 : 2000, [this] { signIn.CloseRequested(); });
        afterMs(3000, [this] { server.send(wire::EncodeText("||F-POSLOG||TRUE||")); });
        loop().setYieldTime(whileDispatched ? 1 : 0);
        signInAndRun("john", "john", 9000);
        advance(5000);
        EXPECT_FALSE(pos.IsLoaded()) << whileDispatched;
        EXPECT_THAT(sent("||F-UPDATEPOS"), IsEmpty()) << whileDispatched;
        EXPECT_FALSE(main.IsBusy());
    }
}

TEST_F(PosSignInTest, StaffFiguresAndSettingsFillTheWindowAndSwitchItsEntry) {
    serverSays(server, "||QUICKTYPE||30min(s) - N50 [Time Once]|60min(s) - N90 [Time Ticket]|||");
    PosStaffWindow(true, "JOHN");
    serverSays(server, "||KESTOVAUPDATE||3||09:12AM 07-Dec-26||1250||0||1||2||1||0||1||2||1||");
    EXPECT_EQ(pos.Label13.Caption.get(), "3");
    EXPECT_EQ(pos.Label14.Caption.get(), "#1,250.00");
    EXPECT_EQ(pos.TCost, 1250.0f);
    EXPECT_EQ(pos.Label11.Caption.get(), "09:12AM 07-Dec-26");
    EXPECT_EQ(ReadSetting(settings::STitle) + ReadSetting(settings::SGroup) +
                  ReadSetting(settings::PosSpeed) + ReadSetting(settings::QuickTicket),
              "0221");
    EXPECT_TRUE(pos.Frame5.Visible && !pos.Frame4.Visible);

    serverSays(server, "||KESTOVAUPDATE||4||10:00AM 07-Dec-26||1350||1||1||1||0||1||0||1||0||");
    EXPECT_EQ(pos.Label11.Caption.get(), "09:12AM 07-Dec-26") << "the sign-in time is set once";
    EXPECT_TRUE(pos.Frame4.Visible && !pos.Frame5.Visible);

    // The ticket types stay for every window opened later in the connection, the last one too.
    pos.Unload();
    PosStaffWindow(true, "MARY");
    EXPECT_THAT(pos.Combo1.Items(),
                ElementsAre("None", "30min(s) - N50 [Time Once]", "60min(s) - N90 [Time Ticket]"));
    EXPECT_EQ(pos.Combo1.Text.get(), "None");
}

TEST_F(PosSignInTest, WithPosTypeFalseTheOperationsWindowOpensAndTakesTheFigures) {
    setOption(settings::PosType, "False");
    setOption(settings::STitle, "1");
    answer = "||F-POSLOG||TRUE||";
    OfrmPOS& operations = PosOperations();
    afterMs(5000, [&] {
        EXPECT_EQ(operations.Label10.Caption.get(), "MARY");
        EXPECT_TRUE(operations.Visible && !main.Visible);
        serverSays(server, "||KESTOVAUPDATE||4||09:12AM 07-Dec-26||1350||0||1||1||1||0||1||0||0||");
        EXPECT_EQ(operations.Label13.Caption.get() + " " + operations.Label14.Caption.get() + " " +
                      operations.Label11.Caption.get() + " " + operations.Label3.Caption.get(),
                  "4 #1,350.00 09:12AM 07-Dec-26 Ready.");
        operations.Command3.DoClick();
    });
    main.Show();
    signInAndRun("mary", "mary", 60'000);
    EXPECT_FALSE(pos.IsLoaded());
    EXPECT_THAT(sent("||F-UPDATEPOS"), ElementsAre("||F-UPDATEPOS||MARY||"));
    EXPECT_EQ(ReadSetting(settings::STitle), "1") << "the operations window stores no settings";
    EXPECT_TRUE(main.Visible && !main.IsBusy());
}

}  // namespace
}  // namespace kestova
