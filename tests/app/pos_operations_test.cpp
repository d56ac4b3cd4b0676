// The point-of-sale operations window: look-ups, activations and deactivations with their
// questions, requests, resends and time-out, the progress list, STOP, the sales summary, the
// activity log and its print-outs, and answers that come too late or carry nonsense.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>

#include "core/settings.h"
#include "core/settings_table.h"
#include "dispatch/listen_receiver.h"
#include "pos/ofrm_pos.h"
#include "tests/app/connection_test_support.h"
#include "tests/sim/sim_user.h"

namespace kestova {
namespace {

using platform::msgbox::No;
using platform::msgbox::Yes;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

class PosOperationsTest : public testing::ConsoleSimTest {
protected:
    PosOperationsTest() {
        server.listener().onReceive = [this](sim::SimPeer& peer, const std::string& bytes) {
            const std::string message = wire::DecodeText(bytes);
            if (!message.starts_with("||") || message.starts_with("||UPDATE||")) {
                return;  // the console's greeting and client-list polls
            }
            requests.push_back(message);
            requestTimes.push_back(loop().now() - network().latency() - startedAt);
            for (const auto& [prefix, answer] : answers) {
                if (message.starts_with(prefix)) {
                    peer.send(wire::EncodeText(answer));
                }
            }
        };
    }

    // The window as the sign-in opens it for MARY, with the console busy; the staff member's
    // actions run while it shows, and it closes at closeAtMs (once no request is under way).
    void run(sim::Ms closeAtMs = 60'000) {
        afterMs(closeAtMs, [this] { closeWhenIdle(); });
        main.ConsoleBusy = true;
        PosStaffWindow(false, "MARY").Show(true);
        main.ConsoleBusy = false;
    }
    void closeWhenIdle() {
        if (ops.IsLoaded() && !ops.Unload()) {
            afterMs(1000, [this] { closeWhenIdle(); });
        }
    }
    // Confirms an activation (or deactivation) on the tab shown; the request count starts here.
    void confirm(bool deactivate, const std::string& question) {
        dialogs().expectMsgBox(question, Yes);
        startedAt = loop().now();
        (deactivate ? ops.Command4 : ops.Command2).DoClick();
    }
    void showTab(int tab) {
        ops.Tb.SelectedIndex.setFromView(tab);
        ui::Raise(ops.Tb.Click);
    }
    // The staff member picks one of two options.
    static void choose(ui::OptionButton& picked, ui::OptionButton& other) {
        picked.Value = true;
        other.Value = false;
    }
    std::string newestLogLine() const {
        const std::string& log = ops.Text9.Text.get();
        return log.substr(0, log.find("\r\n"));
    }

    sim::SimPeer& server = connectedServer();
    KestovaMain& main = console();
    OfrmPOS& ops = PosOperations();
    std::vector<std::string> requests;
    std::vector<sim::Ms> requestTimes;
    sim::Ms startedAt = 0;
    std::map<std::string, std::string> answers;  // by the start of the request
};

TEST_F(PosOperationsTest, AnUnansweredActivationGoesOutFiveTimesAndTimesOutAtTick21) {
    afterMs(100, [this] {
        choose(ops.Option2, ops.Option1);
        ui::Raise(ops.Option2.Click);
        ops.Text1.Text = "";
        sim::TypeInto(ops.Text1, "000000000012x");  // the letter is swallowed
        ops.Text2.Text = "";
        sim::TypeInto(ops.Text2, "007");
    });
    afterMs(1500, [this] {
        EXPECT_EQ(requests.back(), "||F-TICKET2||000000000012-007||");
        requests.clear();
        requestTimes.clear();
        server.send(
            wire::EncodeText("||TICKET1||AB12|1800|000000000012|False|2.50|True|True|0|0|"
                             "|7||"));
    });
    afterMs(2000, [this] {
        confirm(false, "Activate ticket with TicketGrp/No[000000000012/007]?");
        dialogs().expectMsgBox("Activation/Deactivation request timed out!");
        EXPECT_EQ(newestLogLine(),
                  "Activating Ticket TicketGrp/No[000000000012/007] - 09:00AM "
                  "07-Dec-26");
        EXPECT_EQ(ops.Label3.Caption.get(), "Activating ...");
        EXPECT_FALSE(ops.Frame4.Enabled || ops.Command2.Enabled || ops.Command5.Enabled);
        serverSays(server, "||TICKET1||AB12|1800|000000000012|False|2.50|True|True|0|0||7||");
        EXPECT_FALSE(ops.Command2.Enabled) << "a look-up answer enables nothing under way";
    });
    run(30'000);
    const std::string sent = "||ACTIVATE2||000000000012-007-MARY||";
    EXPECT_THAT(requests,
                ElementsAre(sent, sent, sent, sent, sent, "||F-TICKET2||000000000012-007||"))
        << "the ticket is looked up again once the request is over";
    EXPECT_THAT(requestTimes, ElementsAre(1000, 6000, 11000, 16000, 21000, 23000));
    EXPECT_EQ(dialogs().last().shownAtMs - startedAt, 22'000);
    EXPECT_THAT(ops.Text9.Text.get(), HasSubstr("Process timed out - "));
    EXPECT_TRUE(ops.Frame4.Enabled && ops.Command5.Enabled);
}

// One table for every way of choosing tickets: the question, the log entry and the request.
TEST_F(PosOperationsTest, EachChoiceAsksLogsAndSendsItsOwnTexts) {
    struct Case {
        int tab;
        bool firstOption;
        bool deactivate;
        const char* question;
        const char* log;
        const char* request;
    };
    const Case cases[] = {
        {1, true, false, "Activate ticket with Username[ab12]?", "Activating Ticket Username[ab12]",
         "||ACTIVATE1||AB12-MARY||"},
        {1, true, true, "Deactivate ticket with Username[ab12]?", "Deactivating Ticket [ab12]",
         "||DEACTIVATE1||AB12-MARY||"},
        {1, false, true, "Deactivate ticket with TicketGrp/No[000000000007/001]?",
         "Deactivating Ticket [000000000007/001]", "||DEACTIVATE2||000000000007-001-MARY||"},
        {2, true, false, "Activate ticket with TicketGrp[000000000007]?",
         "Activating Ticket Group[000000000007]", "||MACTIVATE1||000000000007-MARY||"},
        {2, true, true, "Deactivate ticket with TicketGrp[000000000007]?",
         "Deactivating TicketGrp [000000000007]", "||MDEACTIVATE1||000000000007-MARY||"},
        {2, false, false, "Activate ticket(s) 000 to 999 in TicketGrp[000000000007]?",
         "Activating Ticket(s) 000 to 999 in TicketGrp[000000000007]",
         "||MACTIVATE2||000000000007-000-999-MARY||"},
        {2, false, true, "Deactivate ticket(s) 000 to 999 in TicketGrp[000000000007]?",
         "Deactivating ticket(s) 000 to 999 in TicketGrp[000000000007]",
         "||MDEACTIVATE2||000000000007-000-999-MARY||"},
    };
    for (const char* keyword : {"ACTIVATE", "DEACTIVATE", "MACTIVATE", "MDEACTIVATE"}) {
        answers[std::string("||") + keyword] =
            std::string("||") + keyword + "D||4|1|10.00||";  // ends every request at once
    }
    sim::Ms at = 100;
    for (const Case& c : cases) {
        afterMs(at, [this, c] {
            showTab(c.tab);
            ui::OptionButton& first = c.tab == 1 ? ops.Option1 : ops.Option3;
            ui::OptionButton& second = c.tab == 1 ? ops.Option2 : ops.Option4;
            choose(c.firstOption ? first : second, c.firstOption ? second : first);
            ops.Text3.Text = "ab12";
            ops.Text1.Text = ops.Text4.Text = ops.Text5.Text = "000000000007";
            ops.Text2.Text = "001";
            ops.Command2.Enabled = ops.Command4.Enabled =
                true;  // as a looked-up ticket leaves them
            requests.clear();
            confirm(c.deactivate, c.question);
        });
        // Tab 1 keeps the window's first interval of 3 s until a key is typed.
        afterMs(at + 4500, [this, c] {
            EXPECT_EQ(newestLogLine(), std::string(c.log) + " - 09:00AM 07-Dec-26") << c.question;
            EXPECT_THAT(requests, ::testing::Contains(c.request)) << c.question;
            EXPECT_FALSE(ops.AwaitingActivation()) << "the answer ends the request";
        });
        at += 7000;
    }
    run(at);
}

TEST_F(PosOperationsTest, ALookedUpTicketFillsTheInformationAndChangesClearIt) {
    struct Case {
        const char* record;
        const char* mins;
        const char* types;
        bool activateEnabled;
        bool deactivateEnabled;
    };
    const Case cases[] = {
        {"AB12|1800|G1|False|2.50|True|True|30|0|JOHN|007", "30min(s)", "Time-Once", true, false},
        {"AB12|90|G1|True|2.50|False|True|0|0|JOHN|007", "1.5min(s)", "Never Expire", false, true},
        {"AB12|60|G1|True|2.50|False|False|30|0|JOHN|007", "1min(s)", "30day(s)", false, true},
        {"AB12|60|G1|maybe|2.50|False|False|0|2009-03-05|JOHN|007", "1min(s)", "05/Mar/2009", false,
         false},
        {"AB12|60|G1", "1min(s)", "", false, false},  // cut short
    };
    afterMs(100, [&] {
        sim::TypeInto(ops.Text3, "ab|12");
        EXPECT_EQ(ops.Text3.Text.get(), "ab12");
    });
    afterMs(1500, [&] {
        EXPECT_THAT(requests, ElementsAre("||F-TICKET1||AB12||"));
        for (const Case& c : cases) {
            serverSays(server, std::string("||TICKET1||") + c.record + "||");
            EXPECT_EQ(ops.mins.Caption.get(), c.mins) << c.record;
            EXPECT_EQ(ops.Types.Caption.get(), c.types) << c.record;
            EXPECT_EQ(ops.Command2.Enabled.get(), c.activateEnabled) << c.record;
            EXPECT_EQ(ops.Command4.Enabled.get(), c.deactivateEnabled) << c.record;
        }
        serverSays(server, "||TICKET1||AB12|1800|G1|True|2.50|True|True|30|0|JOHN|007||");
        EXPECT_EQ(ops.Username.Caption.get() + " " + ops.GroupNo.Caption.get() + " " +
                      ops.cost.Caption.get() + " " + ops.ActivatedBy.Caption.get(),
                  "AB12 G1/007 2.50 JOHN");
        sim::TypeInto(ops.Text3, "3");
        EXPECT_EQ(ops.Username.Caption.get(), "**********") << "a changed name is not the ticket";
        EXPECT_FALSE(ops.Command4.Enabled);
        serverSays(server, "||TICKET1||AB12|1800|G1|True|2.50|True|True|30|0|JOHN|007||");
        serverSays(server, "||NOTICKET1||||");
        EXPECT_EQ(ops.mins.Caption.get() + ops.Types.Caption.get(), " **** min(s)**************");
        EXPECT_FALSE(ops.Command2.Enabled || ops.Command4.Enabled);
    });
    run(5000);
}

TEST_F(PosOperationsTest, ARangeActivationListsItsProgressAndStopReallyStops) {
    answers["||MACTIVATE2||"] =
        "||MLIST||000000000009-4-001-002||MLIST||000000000001-9-005||"
        "MLIST||000000000009-4-003-004||MACTIVATED||12|4|1234.5||";
    afterMs(100, [this] {
        showTab(2);
        choose(ops.Option4, ops.Option3);
        sim::TypeInto(ops.Text5, "000000000009");
        confirm(false, "Activate ticket(s) 000 to 999 in TicketGrp[000000000009]?");
    });
    afterMs(3000, [this] {
        EXPECT_THAT(ops.List1.Items(), ElementsAre("000000000009-001", "000000000009-002",
                                                   "000000000009-003", "000000000009-004"));
        EXPECT_EQ(ops.Label18.Caption.get(), "4 Ticket(s) in Ticket Group");
        EXPECT_EQ(ops.Pg.Value.get(), 4);
        EXPECT_EQ(ops.Pg.Max.get(), 4);
        EXPECT_EQ(ops.Label13.Caption.get() + " " + ops.Label14.Caption.get(), "12 #1,234.50");
        EXPECT_EQ(ops.Command3.Caption.get(), "Close");
        // Deactivating the range gets no answer: STOP ends it, nothing goes out again.
        answers.clear();
        requests.clear();
        confirm(true, "Deactivate ticket(s) 000 to 999 in TicketGrp[000000000009]?");
        EXPECT_TRUE(ops.List1.Items().empty());
        showTab(3);
        EXPECT_EQ(ops.Tb.SelectedIndex.get(), 2) << "no other tab while a request is under way";
        EXPECT_TRUE(ops.Frame6.Visible && !ops.Frame7.Visible);
    });
    afterMs(4500, [this] {
        ops.Command3.DoClick();
        EXPECT_EQ(ops.Command3.Caption.get(), "Close");
        EXPECT_EQ(ops.Label3.Caption.get(), "Terminating ...");
        EXPECT_EQ(newestLogLine(), "Process Terminated - 09:00AM 07-Dec-26");
    });
    afterMs(6000, [this] {
        // A late answer still tells the server's figures, and nothing else.
        serverSays(server, "||MDEACTIVATED||11|1200.10|1||");
        EXPECT_EQ(ops.Label14.Caption.get(), "#1,200.10");
        EXPECT_TRUE(ops.Command2.Enabled && ops.Command4.Enabled && ops.Frame6.Enabled);
    });
    run(40'000);
    EXPECT_THAT(requests, ElementsAre("||MDEACTIVATE2||000000000009-000-999-MARY||"));
}

// Boxes the server's texts open come one at a time, in the order sent, and while the staff
// member reads them the connection is served; a flood beyond what may wait is dropped.
TEST_F(PosOperationsTest, BoxesOfTheServersTextsOpenOneAtATimeWhileKeepAlivesAreAnswered) {
    constexpr int kTexts = ListenReceiver::kMostWaitingBoxes + 10;
    std::string flood;
    for (int n = 1; n <= kTexts; ++n) {
        flood += wire::EncodeText("||ACTMESSAGE||text " + std::to_string(n) + "||");
        if (n <= static_cast<int>(ListenReceiver::kMostWaitingBoxes)) {
            dialogs().expectMsgBox("text " + std::to_string(n)).after(1000);
        }
    }
    startedAt = loop().now();
    afterMs(100, [&] { server.send(flood + wire::EncodeText("||STILL CONNECTED||||")); });
    for (int probe = 1; probe <= 4; ++probe) {
        afterMs(probe * 20'000, [&] { server.send(wire::EncodeText("||STILL CONNECTED||||")); });
    }
    run(110'000);
    std::vector<sim::Ms> answeredAt;
    for (std::size_t i = 0; i < requests.size(); ++i) {
        if (requests[i] == "||YESCONNECT||||") {
            answeredAt.push_back(requestTimes[i] / 1000);
        }
    }
    EXPECT_THAT(answeredAt, ElementsAre(0, 20, 40, 60, 80));
    EXPECT_TRUE(dialogs().verifyAllConsumed());
}

TEST_F(PosOperationsTest, FiguresThatDoNotReadChangeNothing) {
    setOption(settings::PosType, "False");
    answers["||ACTIVATE1||"] = "||ACTMESSAGE||Ticket [AB12] not found!||ACTIVATED||abc|1|x||";
    answers["||F-UPDATEPOS||MARY||"] = "||KESTOVAUPDATE||6||10:00AM 07-Dec-26||1300||";
    afterMs(100, [this] {
        serverSays(server, "||KESTOVAUPDATE||5||08:00AM 07-Dec-26||1234.5||");
        EXPECT_EQ(ops.Label13.Caption.get() + " " + ops.Label14.Caption.get() + " " +
                      ops.Label11.Caption.get() + " " + ops.Label3.Caption.get(),
                  "5 #1,234.50 08:00AM 07-Dec-26 Ready.");
        serverSays(server, "||KESTOVAUPDATE||many||09:00AM 07-Dec-26||lots||");
        EXPECT_EQ(ops.Label13.Caption.get() + " " + ops.Label14.Caption.get() + " " +
                      ops.Label11.Caption.get(),
                  "5 #1,234.50 08:00AM 07-Dec-26");
        sim::TypeInto(ops.Text3, "ab12");
        ops.Command2.Enabled = true;
        confirm(false, "Activate ticket with Username[ab12]?");
        dialogs().expectMsgBox("Ticket [AB12] not found!");
    });
    afterMs(3000, [this] {
        EXPECT_EQ(ops.Label13.Caption.get() + " " + ops.Label14.Caption.get(), "5 #1,234.50");
        EXPECT_EQ(ops.TotalCents(), 123450);
        EXPECT_FALSE(ops.AwaitingActivation());
        EXPECT_EQ(dialogs().last().flags, platform::msgbox::Exclamation);
        ops.Command1.DoClick();
    });
    afterMs(4000, [this] {
        EXPECT_EQ(ops.Label13.Caption.get() + " " + ops.Label14.Caption.get(), "6 #1,300.00");
    });
    run(6000);
}

TEST_F(PosOperationsTest, TheSummaryIsLaidOutInExactCentsAndOnlyWhileAskedFor) {
    const std::string rule = "     " + std::string(72, '-');
    answers["||F-POSSUMMARY||MARY-0||"] = "||POSSUMMARY||60-100-3-30-0.1-3-15||";
    afterMs(100, [&] {
        showTab(3);
        sim::Choose(ops.Combo1, "None");
        EXPECT_EQ(ops.Text8.Text.get(), "");
        sim::Choose(ops.Combo1, "Today");
        EXPECT_EQ(newestLogLine(),
                  "Retrieving Today Sales Summary for Staff[MARY] - 09:00AM "
                  "07-Dec-26");
    });
    afterMs(2000, [&] {
        EXPECT_EQ(ops.Text8.Text.get(),
                  "     POS Sales Summary for Today\r\n" + rule +
                      "\r\n     3 Number(s) of 60min(s) at #100.00 := #300.00"
                      "\r\n     3 Number(s) of 30min(s) at #0.10 := #0.30\r\n" +
                      rule +
                      "\r\n\r\n     Staff: MARY"
                      "\r\n     Total Number of Ticket(s) Sold: 6"
                      "\r\n     Total Cost of Ticket(s) Sold: #300.30"
                      "\r\n     Record(s) not counted (unreadable or cut short): 1"
                      "\r\n     Report Generation Time and Date: 09:00AM 07-Dec-26");
        answers.clear();
        dialogs().expectMsgBox("Sales Summary Retrieval timed out!");
        sim::Choose(ops.Combo1, "Yesterday");
        serverSays(server, "||ACTIVATED||4|1|10.00||");
        EXPECT_TRUE(ops.AwaitingSummary()) << "an activation answer ends no summary request";
    });
    afterMs(30'000, [&] {
        EXPECT_THAT(requests, ::testing::Contains("||F-POSSUMMARY||MARY-1||"));
        serverSays(server, "||POSSUMMARY||60-100-1||");
        EXPECT_THAT(ops.Text8.Text.get(), HasSubstr("#300.30")) << "a late summary is passed over";
        answers["||F-POSSUMMARY||MARY-1||"] = "||NOPOSSUMMARY||||";
        ops.Command2.DoClick();
    });
    afterMs(32'000, [&] {
        EXPECT_EQ(ops.Text8.Text.get(), "\r\n\tNo Sales Summary");
        answers["||F-POSSUMMARY||MARY-1||"] = "||POSSUMMARY||60-100||";
        ops.Command2.DoClick();
    });
    afterMs(34'000, [&] {
        EXPECT_THAT(ops.Text8.Text.get(), HasSubstr("Sold: 0\r\n     Total Cost of Ticket(s) "
                                                    "Sold: #0.00\r\n     Report"));
    });
    run(40'000);
}

TEST_F(PosOperationsTest, TheLogIsClearedPrintedAndSavedAndAMissingPrinterIsSaid) {
    afterMs(100, [&] {
        showTab(4);
        EXPECT_TRUE(ops.Command2.Enabled && ops.Command4.Enabled && ops.Command7.Visible);
        dialogs().expectMsgBox("Clear Log(s)?", No);
        ops.Command2.DoClick();
        EXPECT_THAT(ops.Text9.Text.get(), StartsWith("Staff Successfully Logged in - "));
        dialogs().expectMsgBox("Clear Log(s)?", Yes);
        ops.Command2.DoClick();
        EXPECT_EQ(ops.Text9.Text.get(), "Log Cleared! - 09:00AM 07-Dec-26");

        printers().setDeviceName("");
        dialogs().expectMsgBox("No Printer installed!");
        ops.Command4.DoClick();
        EXPECT_TRUE(printers().documents().empty());
        printers().setDeviceName("Counter");
        dialogs().expectMsgBox("Print Log(s) with default print[Counter]?", Yes);
        ops.Command4.DoClick();
        EXPECT_THAT(printers().lastDocument().texts(),
                    ElementsAre("", "", "Print of Log for POS staff[MARY]", std::string(51, '-'),
                                "", "Log Cleared! - 09:00AM 07-Dec-26"));
        EXPECT_EQ(newestLogLine(), "Log printed! - 09:00AM 07-Dec-26");

        showTab(3);
        dialogs().expectMsgBox("Print Sales Summary with default print[Counter]?", Yes);
        ops.Command4.DoClick();
        EXPECT_EQ(newestLogLine(), "Sales Summary printed! - 09:00AM 07-Dec-26");
        EXPECT_FALSE(ops.Command6.Enabled) << "no summary to save yet";

        showTab(4);
        dialogs().expectSaveFile("Save as PDF", "/home/op/log.pdf");
        dialogs().expectMsgBox("Saved as /home/op/log.pdf.");
        ops.Command6.DoClick();
        EXPECT_EQ(dialogs().shown().at(dialogs().shown().size() - 2).defaultText,
                  "Activity Log MARY.pdf");
        EXPECT_THAT(printers().lastDocument().texts(), ::testing::Contains(StartsWith("Sales")));

        const std::string csv = ::testing::TempDir() + "activity-log.csv";
        dialogs().expectSaveFile("Save as CSV", csv);
        dialogs().expectMsgBox("Saved as " + csv + ".");
        ops.Command7.DoClick();
        std::ifstream file(csv, std::ios::binary);
        const std::string written((std::istreambuf_iterator<char>(file)), {});
        EXPECT_THAT(written,
                    HasSubstr("Time,Activity\r\n09:00AM 07-Dec-26,Sales Summary printed!"));
    });
    run(1000);
}

// At 12:00 UTC a café in Kiritimati (UTC+14) is at 02:00 the next morning: "Today" is its day.
TEST_F(PosOperationsTest, ACafeFarFromUtcSummarisesItsOwnDay) {
    clock().setWallClock(std::chrono::sys_days{std::chrono::December / 7 / 2026} +
                         std::chrono::hours{12});
    clock().setUtcOffset(std::chrono::hours{14});
    answers["||F-POSSUMMARY||MARY-0||"] = "||POSSUMMARY||60-100-3||";
    afterMs(100, [&] {
        showTab(3);
        sim::Choose(ops.Combo1, "Today");
    });
    afterMs(2000, [&] {
        dialogs().expectSaveFile("Save as PDF", "");
        ops.Command6.DoClick();
        EXPECT_EQ(dialogs().last().defaultText, "POS Sales Summary MARY 2026-12-08.pdf");
    });
    run(5000);
}

TEST_F(PosOperationsTest, AnswersForAClosedWindowLoadNothingAndALostServerClosesIt) {
    setOption(settings::PosType, "False");
    main.ConsoleBusy = true;  // as while the report window shows
    for (const char* answer :
         {"||TICKET1||AB|60|G|False|1|False|False|0|0||1||", "||ACTIVATED||3|1|5||",
          "||MLIST||G-1-001||", "||POSSUMMARY||60-1-1||", "||KESTOVAUPDATE||3||now||5||"}) {
        serverSays(server, answer);
    }
    EXPECT_FALSE(ops.IsLoaded());
    main.ConsoleBusy = false;

    afterMs(100, [&] {
        sim::TypeInto(ops.Text3, "ab12");
        ops.Command2.Enabled = true;
        confirm(false, "Activate ticket with Username[ab12]?");
        server.disconnect();
        main.Listen->Close();
        dialogs().expectMsgBox("Zarnevo Kestova not connected!");
    });
    run(60'000);
    EXPECT_LT(dialogs().last().shownAtMs - startedAt, 2000);
    EXPECT_FALSE(ops.IsLoaded());
}

}  // namespace
}  // namespace kestova
