// The operator login window opened from the console: the request schedule and its time-out,
// cancel, the server's acceptance and refusal, the fields, and the roll-down.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "connection/login_window.h"
#include "core/audit/log_lines.h"
#include "core/version.h"
#include "dispatch/dispatcher.h"
#include "tests/app/connection_test_support.h"
#include "tests/sim/sim_user.h"

namespace kestova {
namespace {

using testing::ConsoleSimTest;
using ::testing::ElementsAre;
using ::testing::StartsWith;

class LoginWindowTest : public ConsoleSimTest {
protected:
    sim::SimPeer& server = connectedServer();
    KestovaMain& main = console();
    FrmSplash& login = Splash();
    // Virtual times (ms after "O&k") at which login requests reached the server.
    std::vector<sim::Ms> requestTimes;
    std::vector<std::string> requests;
    sim::Ms okAt = 0;
    // What the server answers to every login request; empty: it stays silent.
    std::string answer;

    LoginWindowTest() {
        server.listener().onReceive = [this](sim::SimPeer& peer, const std::string& bytes) {
            const std::string message = wire::DecodeText(bytes);
            if (!message.starts_with("||F-LOGIN||")) {
                return;
            }
            requests.push_back(message);
            requestTimes.push_back(loop().now() - network().latency() - okAt);
            if (!answer.empty()) {
                peer.send(wire::EncodeText(answer));
            }
        };
    }

    // Schedules the operator's typing and "O&k" once the dialog is up.
    void operatorLogsIn(sim::Ms afterOpeningMs, const std::string& user, const std::string& pass) {
        afterMs(afterOpeningMs, [this, user, pass] {
            sim::TypeInto(login.Text1, user);
            sim::TypeInto(login.Text2, pass);
            okAt = loop().now();
            login.Command1.DoClick();
        });
    }
    // "&Log off" closes the window; while a request is pending the button first reads "Can&cel".
    void operatorClicksLogOffAt(sim::Ms ms) {
        afterMs(ms, [this] {
            if (login.Command2.Caption.get() == "Can&cel") {
                login.Command2.DoClick();
            }
            login.Command2.DoClick();
        });
    }
};

TEST_F(LoginWindowTest, WithoutAnswerFiveRequestsGoOutAndTheAttemptTimesOutAt25Seconds) {
    operatorLogsIn(100, "admin", "secret");
    std::string labelAt24s;
    std::string labelAt25s;
    afterMs(100 + 24999, [&] { labelAt24s = login.Label3.Caption; });
    afterMs(100 + 25001, [&] { labelAt25s = login.Label3.Caption; });
    operatorClicksLogOffAt(100 + 30000);
    ShowLoginDialog(main);

    EXPECT_THAT(requestTimes, ElementsAre(1000, 6000, 11000, 16000, 21000));
    EXPECT_EQ(labelAt24s, "Verifying Username and Password ...");
    EXPECT_EQ(labelAt25s, "Request Timed Out ...");
    EXPECT_FALSE(login.IsLoaded());
}

TEST_F(LoginWindowTest, TheRequestCarriesTheFieldsUnescapedAndTheNameInCapitals) {
    operatorLogsIn(100, "night shift", "it's");
    operatorClicksLogOffAt(3000);
    ShowLoginDialog(main);
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests.front(), "||F-LOGIN||Username = 'NIGHT SHIFT' and Password = 'it's'||");
}

TEST_F(LoginWindowTest, EachRequestIsAuditedUnderTheTypedNameAndNeverWithThePassword) {
    operatorLogsIn(100, "night shift", "s3cr3t-Pa55");
    operatorClicksLogOffAt(100 + 7000);
    ShowLoginDialog(main);
    const std::vector<audit::LoggedEntry> entries = audit::EntriesOf(auditLog().content());
    ASSERT_EQ(entries.size(), 2u) << "one for each of the two requests";
    EXPECT_EQ(entries[1].entry.who, "NIGHT SHIFT");
    EXPECT_EQ(entries[1].entry.wire, "||F-LOGIN||Username = 'NIGHT SHIFT' and Password = '****'||");
    EXPECT_EQ(auditLog().content().find("s3cr3t"), std::string::npos);
}

TEST_F(LoginWindowTest, AfterATimeOutTheFieldsAreBackForAnotherTry) {
    operatorLogsIn(100, "admin", "secret");
    bool fieldsEnabled = false;
    std::string caption;
    afterMs(100 + 26000, [&] {
        fieldsEnabled = login.Text1.Enabled && login.Text2.Enabled && login.Command1.Enabled;
        caption = login.Command2.Caption;
    });
    operatorClicksLogOffAt(100 + 27000);
    ShowLoginDialog(main);
    EXPECT_TRUE(fieldsEnabled);
    EXPECT_EQ(caption, "&Log off");
}

TEST_F(LoginWindowTest, CancelAfterTheSecondRequestAndOkAgainStartsFromTheFirstTick) {
    operatorLogsIn(100, "admin", "secret");
    std::string afterCancel;
    afterMs(100 + 7500, [&] {
        login.Command2.DoClick();  // "Can&cel"
        afterCancel = login.Label3.Caption;
    });
    afterMs(100 + 9000, [&] {
        okAt = loop().now();
        login.Command1.DoClick();
    });
    operatorClicksLogOffAt(100 + 9000 + 3000);
    ShowLoginDialog(main);

    EXPECT_EQ(afterCancel, "Login Cancelled!");
    ASSERT_EQ(requestTimes.size(), 3u);
    EXPECT_EQ(requestTimes[2], 1000) << "one second after the second O&k";
}

TEST_F(LoginWindowTest, AnEmptyUserNameSendsNothing) {
    afterMs(100, [this] { login.Command1.DoClick(); });
    std::string label;
    afterMs(5000, [&] { label = login.Label3.Caption; });
    operatorClicksLogOffAt(6000);
    ShowLoginDialog(main);
    EXPECT_EQ(label, "Username can't be blank!");
    EXPECT_TRUE(requests.empty());
}

TEST_F(LoginWindowTest, AnAcceptedLoginGrantsTheRightAndNamesTheOperator) {
    answer = "||TYPE||ADMINISTRATOR||SHUTREST||False||F-LOGIN||TRUE||";
    operatorLogsIn(100, "ADMINISTRATOR", "secret");
    ShowLoginDialog(main);

    EXPECT_FALSE(login.IsLoaded());
    EXPECT_EQ(requests.size(), 1u) << "no request after the acceptance";
    EXPECT_EQ(KestovaCode().OperatorName, "ADMINISTRATOR");
    EXPECT_EQ(main.StatusBar1.PanelText(1), " User: ADMINISTRATOR");
    EXPECT_EQ(main.m_LogOff.Caption.get(), "Log off .. ADMINISTRATOR");
    EXPECT_TRUE(main.m_Controls.Visible);
    EXPECT_TRUE(main.m_Opt.Enabled);
    EXPECT_TRUE(main.Visible);
    EXPECT_FALSE(main.IsBusy());
    EXPECT_TRUE(main.ListenTimer.IsEnabled());
    EXPECT_EQ(main.ConList.BackColor.get(), ui::colors::White);
}

TEST_F(LoginWindowTest, ARefusalInLowerCaseLeavesTheWindowOpenForAnotherTry) {
    answer = "||TYPE||USER||F-LOGIN||true||";
    operatorLogsIn(100, "ann", "wrong");
    std::string label;
    bool okEnabled = false;
    afterMs(3000, [&] {
        label = login.Label3.Caption;
        okEnabled = login.Command1.Enabled;
    });
    operatorClicksLogOffAt(9000);
    ShowLoginDialog(main);
    EXPECT_EQ(label, "Username/Password Incorrect!");
    EXPECT_TRUE(okEnabled);
    EXPECT_EQ(requests.size(), 1u) << "the refusal stops the repeats";
    EXPECT_EQ(KestovaCode().RightsLevel, "VIEWER") << "logging off enters the viewer state";
}

TEST_F(LoginWindowTest, ALoginAnswerWhileTheWindowIsNotOpenChangesNothing) {
    KestovaCode().RightsLevel = "USER";
    serverSays(server, "||F-LOGIN||TRUE||");
    main.SetBusy(true);  // busy for another window: the login window is not open
    serverSays(server, "||F-LOGIN||TRUE||");
    EXPECT_FALSE(login.IsLoaded());
    EXPECT_EQ(KestovaCode().OperatorName, "");
    EXPECT_NE(main.StatusBar1.PanelText(1), " User: ");
}

TEST_F(LoginWindowTest, OkWithoutConnectionEntersTheViewerStateAndCloses) {
    afterMs(100, [this] {
        server.disconnect();
        Server().Close();
        sim::TypeInto(login.Text1, "ann");
        login.Command1.DoClick();
    });
    KestovaCode().RightsLevel = "USER";
    ShowLoginDialog(main);
    EXPECT_FALSE(login.IsLoaded());
    EXPECT_EQ(KestovaCode().RightsLevel, "VIEWER");
}

TEST_F(LoginWindowTest, TheUserNameFieldTypesCapitalsAndControlAGivesTheAdministrator) {
    login.EnsureLoaded();
    sim::TypeInto(login.Text1, "ann");
    EXPECT_EQ(login.Text1.Text.get(), "ANN");
    sim::PressKey(login.Text1, 1);
    EXPECT_EQ(login.Text1.Text.get(), "ADMINISTRATOR");
    EXPECT_EQ(login.Text1.SelStart.get(), 0);
    EXPECT_EQ(login.Text1.SelLength.get(), 13);

    login.Label3.Caption = "Login Cancelled!";
    sim::TypeInto(login.Text2, "x");
    EXPECT_EQ(login.Label3.Caption.get(), "") << "typing clears the status line";

    login.Text1.Text = "bob";
    ui::Raise(login.Text1.LostFocus);
    EXPECT_EQ(login.Text1.Text.get(), "BOB");
}

TEST_F(LoginWindowTest, EnterInThePasswordActsAsOk) {
    login.EnsureLoaded();
    sim::TypeInto(login.Text1, "ann");
    sim::PressKey(login.Text2, sim::kEnter);
    EXPECT_EQ(login.Label3.Caption.get(), "Verifying Username and Password ...");
    EXPECT_EQ(login.Command2.Caption.get(), "Can&cel");
    login.Command2.DoClick();
}

TEST_F(LoginWindowTest, TheWindowRollsDownOnceAboutItsCentre) {
    login.EnsureLoaded();
    EXPECT_EQ(login.Height.get(), 0) << "opened after start-up it loads rolled up";
    login.Top = 6000;
    login.Activate();
    EXPECT_EQ(login.Height.get(), 3435);
    EXPECT_EQ(login.Width.get(), 5290);
    EXPECT_EQ(login.Top.get(), 6000 - 18 * 100);
    EXPECT_EQ(login.Label3.Caption.get(), "");

    login.Activate();
    EXPECT_EQ(login.Top.get(), 6000 - 18 * 100) << "a second activation must not move it";
}

// A window manager reports where it put the window one request late, while the next move is
// already on its way.
class LateReportingView : public ui::FormView {
public:
    explicit LateReportingView(ui::Form& form) : form_(form) { form_.setView(this); }
    ~LateReportingView() override { form_.setView(nullptr); }
    void formPropertyChanged(ui::Form&, std::string_view property) override {
        if (property == "Top") {
            platform::services().loop().post(
                [this, reported = requested_] { form_.Top.setFromView(reported); });
            requested_ = form_.Top;
        }
    }
    void focusControl(ui::Control&) override {}
    void flash() override {}

private:
    ui::Form& form_;
    int requested_ = form_.Top;
};

TEST_F(LoginWindowTest, LateMoveReportsDoNotUndoTheRise) {
    login.EnsureLoaded();
    login.Top = 6000;
    LateReportingView windowManager(login);
    login.Activate();
    EXPECT_EQ(login.Top.get(), 6000 - 18 * 100);
}

TEST_F(LoginWindowTest, TheCaptionAsksForTheLoginAfterStartUp) {
    login.EnsureLoaded();
    EXPECT_EQ(login.Caption.get(), "Zarnevo Server v" + VersionNumber() + " - [Login to Continue]");
    EXPECT_EQ(login.Label7.Caption.get(), "KESTOVA v" + VersionNumber());
}

}  // namespace
}  // namespace kestova
