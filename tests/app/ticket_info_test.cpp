// The ticket information window opened from the console (its menu item, the context menu and the
// toolbar): the request schedule and its time-out, cancel, the server's answer and late answers,
// the lost connection, and the print-out.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/version.h"
#include "pos/ticket_info.h"
#include "tests/app/window_request_support.h"
#include "tests/sim/sim_user.h"

namespace kestova {
namespace {

using platform::msgbox::Critical;
using platform::msgbox::Exclamation;
using platform::msgbox::Information;
using ::testing::ElementsAre;

class TicketInfoTest : public testing::WindowRequestTest {
protected:
    TicketInfoTest() : WindowRequestTest("||F-SEARCH||") {}

    // Once the window is up the operator types the name and clicks "&Search".
    void operatorSearches(sim::Ms at, const std::string& name) {
        afterMs(at, [this, name] {
            sim::TypeInto(info.Text2, name);
            startedAt = loop().now();
            info.OKButton.DoClick();
        });
    }
    // "&Cancel" first while a search runs, then "&Close".
    void operatorClosesAt(sim::Ms at) {
        afterMs(at, [this] {
            if (info.CancelButton.Caption.get() == "&Cancel") {
                info.CancelButton.DoClick();
            }
            info.CancelButton.DoClick();
        });
    }

    TicketInfo& info = TicketInfoWindow();
};

TEST_F(TicketInfoTest, AnUnansweredSearchAsksFiveTimesInCapitalsAndTimesOutAt25Seconds) {
    operatorSearches(100, "abc|d");
    std::string labelAt24s;
    bool greyedAndSlowed = false;  // the console while the window shows
    afterMs(100 + 24900, [&] {
        labelAt24s = info.Label2.Caption;
        greyedAndSlowed = main.ConList.BackColor.get() != ui::colors::White &&
                          main.ListenTimer.Interval() == 60000 && !main.IsBusy();
    });
    operatorClosesAt(100 + 26000);
    ui::Raise(main.SearchAccount.Click);

    EXPECT_THAT(requestTimes, ElementsAre(1000, 6000, 11000, 16000, 21000));
    EXPECT_EQ(requests.front(), "||F-SEARCH||ABCD||") << "typed in capitals, without the separator";
    EXPECT_EQ(labelAt24s, "Searching for Ticket ...");
    EXPECT_EQ(info.Label2.Caption.get(), "Request timed out!");
    EXPECT_TRUE(greyedAndSlowed);
    EXPECT_TRUE(main.ConList.BackColor.get() == ui::colors::White && main.ListenTimer.IsEnabled());
}

TEST_F(TicketInfoTest, TheAnswerFillsTheWindowAndAnswersAfterACancelArePassedOver) {
    answer = "||F-SEARCH||Username: ABC\r\nCost: #2.50||Ticket found.||";
    operatorSearches(100, "abc");
    std::string afterAnswer;
    afterMs(3000, [&] {
        afterAnswer = info.Text1.Text.get() + "|" + info.Label2.Caption.get() + "|" +
                      info.CancelButton.Caption.get();
        answer.clear();
        info.OKButton.DoClick();  // searches again, then cancels before the answer
        info.CancelButton.DoClick();
    });
    afterMs(4000, [this] { server.send(wire::EncodeText("||F-SEARCH||Username: XYZ||||")); });
    operatorClosesAt(6000);
    ui::Raise(main.p_Search.Click);

    EXPECT_EQ(afterAnswer, "Username: ABC\r\nCost: #2.50|Ticket found.|&Close");
    EXPECT_EQ(requests.size(), 1u) << "the timer stops once answered";
    EXPECT_EQ(info.Text1.Text.get(), "Username: ABC\r\nCost: #2.50") << "the late answer";
    EXPECT_EQ(info.Label2.Caption.get(), "") << "cancelled";
    EXPECT_TRUE(info.Text2.Enabled && info.OKButton.Enabled);

    serverSays(server, "||F-SEARCH||Username: XYZ||Ticket found.||");
    EXPECT_FALSE(info.IsLoaded()) << "an answer to a closed window does not load it";
}

TEST_F(TicketInfoTest, WithoutTheServerSearchClosesTheWindowAndALostLineEndsTheSearch) {
    operatorSearches(100, "abc");
    afterMs(3000, [this] { connectionLost(); });
    std::string afterLoss;
    afterMs(5000, [&] {
        afterLoss = info.Label2.Caption.get() + "|" + info.CancelButton.Caption.get();
        info.OKButton.DoClick();
    });
    main.Toolbar1_ButtonClick(main.Toolbar1.IndexOfKey("Search"));
    EXPECT_EQ(afterLoss, "Not Connected!|&Close");
    EXPECT_FALSE(info.IsLoaded());
}

TEST_F(TicketInfoTest, PrintsTheTicketOnTheDefaultPrinterOrSaysWhyNot) {
    const struct {
        const char* printer;
        const char* text;
        bool fails;
        const char* message;  // empty: none
        int icon;
    } cases[] = {
        {"", "Username: ABC", false, "No Printer Installed!", Exclamation},
        {"Laser", "", false, "", 0},
        {"Laser", "Username: ABC", true, "Printer Error!", Critical},
        {"Laser", "Username: ABC\r\nCost: #2.50", false, "Ticket Information Printed Successfully!",
         Information},
    };
    info.EnsureLoaded();
    dialogs().alwaysAnswerMsgBox(::testing::_);
    for (const auto& c : cases) {
        printers().setDeviceName(c.printer);
        printers().failEndDoc(c.fails);
        info.Text1.Text = c.text;
        dialogs().clearShown();
        info.Command1.DoClick();
        const std::string shown = dialogs().shown().empty() ? "" : dialogs().last().text;
        EXPECT_EQ(shown, c.message);
        EXPECT_EQ(dialogs().shown().empty() ? 0 : dialogs().last().flags, c.icon) << c.message;
    }
    EXPECT_EQ(dialogs().last().title, VersionTitle());
    const sim::PrintedDocument& page = printers().lastDocument();
    EXPECT_THAT(page.texts(), ElementsAre(VersionTitle(), "------------", "", "Ticket Information",
                                          "", "Username: ABC", "Cost: #2.50"));
    EXPECT_THAT(
        (std::vector{page.lines[0].font, page.lines[3].font, page.lines[5].font}),
        ElementsAre(sim::PrinterFont{"Arial", 14, true}, sim::PrinterFont{"Arial", 12, true},
                    sim::PrinterFont{"Arial", 12, false}));
    EXPECT_EQ(printers().documents().size(), 1u) << "only the last case printed";
}

}  // namespace
}  // namespace kestova
