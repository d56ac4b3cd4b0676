// Ticket generation: what the staff member's order is checked against, the request it becomes,
// how the batch is settled (kept, printed again, deleted) and the ways a batch ends early: STOP,
// the request's time-out, a printer that stops taking bytes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "pos/receipt_printer.h"
#include "tests/app/pos_test_support.h"

namespace kestova {
namespace {

using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using testing::PosSimTest;
using ::testing::StartsWith;
namespace msgbox = platform::msgbox;

const std::string kDeleteBatch = std::string("||POSTICKET||FALSE||") + testing::kBatchGroup + "||";

class TicketGenerationTest : public PosSimTest {
protected:
    // The window opened, the order given at 100 ms, the window closed at closeAtMs.
    void sell(const std::string& minutes, const std::string& cost, const std::string& count,
              sim::Ms closeAtMs = 120'000) {
        orderAt(100, minutes, cost, count);
        runWindowUntil(closeAtMs);
    }
    std::string printedText() { return serialLines().written(kPrinter); }
};

TEST_F(TicketGenerationTest, TheManualOrderIsCheckedInOrderAndNothingGoesOutOnAMistake) {
    const std::vector<std::tuple<std::string, std::string, std::string>> orders = {
        {"abc", "1", "Time must be numeric!"},
        {"0", "1", "Minutes can't be Zero!"},
        {"60", "abc", "Time must be numeric!"},
        {"60", "0", "Amount must be greater than Zero!"},
    };
    PosStaffWindow(true, "JOHN");
    for (const auto& [minutes, count, message] : orders) {
        dialogs().expectMsgBox(message);
        pos.Text1.Text = minutes;
        pos.Text3.Text = count;
        pos.Command2.DoClick();
        EXPECT_EQ(pos.Command3.Caption.get(), "Close") << minutes << " " << count;
    }
    EXPECT_THAT(sent("||POSTICKET"), IsEmpty());
}

TEST_F(TicketGenerationTest, AQuickTicketIsReadFromItsNameAndTheCountFromTheList) {
    struct Case {
        std::string entry, printOuts, confirmation, request;
    };
    const std::vector<Case> cases = {
        {"30min(s) - N50 [Time Once]", "2 Print-Out(s)",
         "You have choosen to Generate 2 Print-Out(s) of 30min(s)' Ticket(s) of Cost N50 with "
         "Expiration Date of 5 days and for Time Only to be used Once, Continue?",
         "||POSTICKET||30|2|50|False|1|1|JOHN||"},
        {"45min(s) - N100.00 [Time Ticket] - VIP", "1 Print-Out(s)", "",
         "||POSTICKET||45|1|100|True|0|0|JOHN||"},
        {"20min(s) - N5.5 [Time Ticket]", "9 Print-Out(s)", "",
         "||POSTICKET||20|9|5.5|False|1|0|JOHN||"},
        {"None", "1 Print-Out(s)", "Quick-Ticket entry blank!", ""},
        {"15min(s) - N5 [Normal Ticket]", "None", "Quick-Ticket entry blank!", ""},
        {"Xmin(s) - N5 [Time Once]", "1 Print-Out(s)", "Time Error!", ""},
    };
    setOption(settings::QuickTicket, "1");
    batchAnswer = "||PRINTPOS||||" + std::string(testing::kBatchGroup) + "||";  // nothing to print
    PosStaffWindow(true, "JOHN");
    for (const Case& c : cases) {
        if (c.request.empty()) {
            dialogs().expectMsgBox(c.confirmation);
        } else {
            dialogs().expectMsgBox(c.confirmation.empty()
                                       ? sim::TextMatcher(StartsWith("You have choosen"))
                                       : sim::TextMatcher(c.confirmation),
                                   msgbox::Yes);
            dialogs().expectMsgBox("No Ticket(s) to print!");
        }
        requests.clear();
        pos.Combo1.Text = c.entry;
        pos.Combo2.Text = c.printOuts;
        pos.Command2.DoClick();
        EXPECT_EQ(sent("||POSTICKET"), std::vector<std::string>(!c.request.empty(), c.request))
            << c.entry;
    }
}

TEST_F(TicketGenerationTest, AQuotaIsAskedWhileDownloadQuotasAreInUse) {
    const std::vector<std::pair<std::string, std::string>> answers = {
        {"1000000", " with Quota of 1000000Kb, Continue?"},
        {"1000001", "Quota too small or large!"},
        {"-1", "Quota too small or large!"},
        {"0", ""},
        {"", ""},
    };
    setOption(settings::Download, "True");
    setOption(settings::DownType, "1");
    setOption(settings::ExType, "1");
    PosStaffWindow(true, "JOHN");
    for (const auto& [answer, message] : answers) {
        dialogs().expectInputBox("Enter the Quota (in kb) for this Ticket Group?", answer);
        if (message.starts_with(" with")) {
            // The fixed expiry date: "Expire" (20) days after the virtual 7 December 2026.
            dialogs().expectMsgBox(HasSubstr("Date of 27, Dec 2026" + message), msgbox::No);
        } else if (!message.empty()) {
            dialogs().expectMsgBox(message);
        }
        pos.Text1.Text = "60";
        pos.Text3.Text = "1";
        pos.Command2.DoClick();
    }
    EXPECT_THAT(sent("||POSTICKET"), IsEmpty());
}

// The answers to "Did ... print?" and to the reprint question; what is counted and sent.
struct SettleCase {
    const char* name;
    std::vector<int> answers;
    const char* lastMessage;
    int printOuts;
    const char* salesOnLogin;
    const char* cost;
    bool deleted;
};

class SettleTest : public TicketGenerationTest, public ::testing::WithParamInterface<SettleCase> {};

TEST_P(SettleTest, TheBatchIsKeptPrintedAgainOrDeleted) {
    const SettleCase& c = GetParam();
    dialogs().expectMsgBox(StartsWith("You have choosen"), msgbox::Yes);
    for (std::size_t i = 0; i < c.answers.size(); ++i) {
        const bool printedQuestion = i == 0 || c.answers[i - 1] == msgbox::Yes;
        dialogs().expectMsgBox(printedQuestion
                                   ? StartsWith("Did the POS Ticket with Ticket Group [")
                                   : StartsWith("Do you want to reprint"),
                               c.answers[i]);
    }
    dialogs().expectMsgBox(EndsWith(c.lastMessage));
    sell("60", "100", "2");

    EXPECT_EQ(serialLines().writes(kPrinter).size(), 33u * c.printOuts);
    EXPECT_EQ(pos.Label12.Caption.get(), c.salesOnLogin);
    EXPECT_EQ(pos.Label13.Caption.get(), c.salesOnLogin);
    EXPECT_EQ(pos.Label14.Caption.get(), c.cost);
    EXPECT_EQ(sent("||POSTICKET||FALSE"), std::vector<std::string>(c.deleted, kDeleteBatch));
}

INSTANTIATE_TEST_SUITE_P(
    EveryAnswer, SettleTest,
    ::testing::Values(
        SettleCase{"Printed", {msgbox::Yes}, "] saved and printed!", 1, "2", "#200.00", false},
        SettleCase{"NotPrintedButKept",
                   {msgbox::No, msgbox::No},
                   "] saved and printed!",
                   1,
                   "2",
                   "#200.00",
                   false},
        SettleCase{"Deleted", {msgbox::No, msgbox::Cancel}, "] deleted!", 1, "0", "", true},
        SettleCase{"PrintedAgainAndCountedOnce",
                   {msgbox::No, msgbox::Yes, msgbox::Yes},
                   "] saved and printed!",
                   2,
                   "2",
                   "#200.00",
                   false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TicketGenerationTest, AtTheTimeOutTheWaitEndsAndALateBatchIsDeleted) {
    batchAnswer.clear();
    dialogs().expectMsgBox(StartsWith("You have choosen"), msgbox::Yes);
    // STOP and No on the way: the time-out still comes a minute after the request.
    afterMs(20'000, [this] { pos.Command3.DoClick(); });
    dialogs().expectMsgBox("Are you sure you want to Cancel Ticket Creation and Printing?",
                           msgbox::No);
    dialogs().expectMsgBox("Request timed out!");
    std::string captionAt61s;
    afterMs(61'000, [&] { captionAt61s = pos.Command3.Caption; });
    afterMs(70'000, [this] { server.send(wire::EncodeText(testing::BatchAnswer(2))); });
    sell("60", "100", "2", 80'000);

    EXPECT_EQ(captionAt61s, "Close");
    ASSERT_EQ(requestTimes.size(), 1u);
    const sim::Ms sentAt = requestTimes.front() - network().latency();
    EXPECT_THAT(dialogs().shown().back().shownAtMs - sentAt,
                ::testing::AllOf(::testing::Ge(60'000), ::testing::Le(60'100)));
    EXPECT_THAT(sent("||POSTICKET||FALSE"), ElementsAre(kDeleteBatch));
    EXPECT_EQ(printedText(), "");
}

TEST_F(TicketGenerationTest, StopWhileWaitingCancelsTheRequest) {
    batchAnswer.clear();
    dialogs().expectMsgBox(StartsWith("You have choosen"), msgbox::Yes);
    afterMs(3000, [this] { pos.Command3.DoClick(); });
    dialogs().expectMsgBox("Are you sure you want to Cancel Ticket Creation and Printing?",
                           msgbox::Yes);
    sell("60", "100", "2", 10'000);
    EXPECT_THAT(sent("||POSTICKET||FALSE"), ElementsAre("||POSTICKET||FALSE||"));
    EXPECT_FALSE(KestovaCode().TicketRequestWaiting);
}

TEST_F(TicketGenerationTest, StopWhilePrintingEndsTheBatchAndDeletesIt) {
    dialogs().expectMsgBox(StartsWith("You have choosen"), msgbox::Yes);
    sim::Ms stopAt = 0;
    afterMs(5000, [&] {
        stopAt = loop().now();
        pos.Command3.DoClick();
    });
    dialogs().expectMsgBox("Are you sure you want to Cancel Ticket Creation and Printing?",
                           msgbox::Yes);
    dialogs().expectMsgBox("Ticket(s) with Ticket Group Cancelled!");
    sell("60", "100", "2", 60'000);

    EXPECT_THAT(sent("||POSTICKET||FALSE"), ElementsAre(kDeleteBatch));
    EXPECT_LE(printed().back().atMs, stopAt + 100) << "nothing but a clean line end after STOP";
    EXPECT_EQ(printed().back().bytes, "\r\n");
    EXPECT_EQ(pos.Label12.Caption.get(), "0");
}

TEST_F(TicketGenerationTest, APrinterThatStopsTakingBytesEndsPrintingAndNamesTheTicket) {
    const std::vector<std::string> failures = {"stops", "goes away"};
    for (const std::string& failure : failures) {
        serialLines().setBytesPerSecond(kPrinter, sim::SimSerialLines::kBytesPerSecond);
        serialLines().plugIn(kPrinter);
        dialogs().expectMsgBox(StartsWith("You have choosen"), msgbox::Yes);
        dialogs().expectMsgBox(HasSubstr("Ticket [" + std::string(testing::kBatchGroup) +
                                         "-002] (Username: user2) is not printed whole"));
        dialogs().expectMsgBox(StartsWith("Did the POS Ticket"), msgbox::No);
        dialogs().expectMsgBox(StartsWith("Do you want to reprint"), msgbox::Cancel);
        dialogs().expectMsgBox(EndsWith("] deleted!"));
        // In the middle of the second ticket.
        afterMs(17'000, [&] {
            if (failure == "stops") {
                serialLines().setBytesPerSecond(kPrinter, 0);
            } else {
                serialLines().unplug(kPrinter);
            }
        });
        sell("60", "100", "2", 60'000);
        EXPECT_EQ(pos.Label12.Caption.get(), "0") << failure;
        EXPECT_THAT(sent("||POSTICKET||FALSE"), ElementsAre(kDeleteBatch)) << failure;
        requests.clear();
    }
}

TEST_F(TicketGenerationTest, ASlowPrinterGetsEveryByteAndTheQuestionWaitsForIt) {
    serialLines().setBytesPerSecond(kPrinter, 20);  // slower than the lines come
    expectBatchKept();
    sell("60", "100", "2");
    const std::size_t bytes = printedText().size();
    const sim::Ms drained = printed().front().atMs + static_cast<sim::Ms>(bytes) * 1000 / 20;
    EXPECT_GE(dialogs().shown()[1].shownAtMs, drained);
    EXPECT_EQ(printed().size(), 33u);
}

TEST_F(TicketGenerationTest, APortThatCannotOpenIsReportedBeforeAnythingIsAsked) {
    const std::vector<std::pair<std::string, std::string>> ports = {
        {"COM10", "Port is invalid! Set Port in POS settings."},
        {"COM2", "Port not open!"},
        {"COM3", "Port is invalid! Set Port in POS settings."},
    };
    serialLines().refuse("/dev/ttyS1");
    serialLines().unplug("/dev/ttyS2");
    PosStaffWindow(true, "JOHN");
    for (const auto& [port, message] : ports) {
        setOption(settings::Com, port);
        dialogs().expectMsgBox(message);
        pos.Command2.DoClick();
    }
    EXPECT_THAT(sent("||POSTICKET"), IsEmpty());
}

}  // namespace
}  // namespace kestova
