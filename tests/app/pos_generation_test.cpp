// Ticket generation: the order's checks, the request it becomes, how a batch is settled (kept,
// printed again, deleted) and how one ends early: STOP, the request's time-out, a printer that
// stops taking bytes or cannot be opened.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/app/pos_test_support.h"

namespace kestova {
namespace {

using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;
namespace msgbox = platform::msgbox;

const std::string kDeleteBatch = std::string("||POSTICKET||FALSE||") + testing::kBatchGroup + "||";
const char* const kCancelQuestion = "Are you sure you want to Cancel Ticket Creation and Printing?";

class TicketGenerationTest : public testing::PosSimTest {
protected:
    // Gives the order with the window open but without its modal loop; the questions answer.
    void order(const std::string& minutes, const std::string& count) {
        PosStaffWindow(true, "JOHN");
        pos.Text1.Text = minutes;
        pos.Text3.Text = count;
        pos.Command2.DoClick();
    }
};

TEST_F(TicketGenerationTest, MistakesInTheOrderAreToldInOrderAndNothingGoesOut) {
    const std::vector<std::tuple<std::string, std::string, std::string>> orders = {
        {"abc", "1", "Time must be numeric!"},
        {"0", "1", "Minutes can't be Zero!"},
        {"60", "abc", "Time must be numeric!"},
        {"60", "0", "Amount must be greater than Zero!"},
    };
    for (const auto& [minutes, count, message] : orders) {
        dialogs().expectMsgBox(message);
        order(minutes, count);
    }
    // A quota is asked while download quotas are in use: 0 or nothing ends silently.
    setOption(settings::Download, "True");
    setOption(settings::DownType, "1");
    setOption(settings::ExType, "1");
    for (const std::string answer : {"1000001", "-1", "0", "", "1000000"}) {
        dialogs().expectInputBox("Enter the Quota (in kb) for this Ticket Group?", answer);
        if (answer != "0" && !answer.empty()) {
            dialogs().expectMsgBox(answer == "1000000"
                                       ? HasSubstr("of 27, Dec 2026 with Quota of 1000000Kb,")
                                       : sim::TextMatcher("Quota too small or large!"));
        }
        order("60", "1");
    }
    EXPECT_THAT(sent("||POSTICKET"), IsEmpty());
}

TEST_F(TicketGenerationTest, AQuickTicketIsReadFromItsNameAndTheCountFromTheList) {
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        {"30min(s) - N50 [Time Once]", "2 Print-Out(s)", "||POSTICKET||30|2|50|False|1|1|JOHN||"},
        {"45min(s) - N100.00 [Time Ticket] - VIP", "1 Print-Out(s)",
         "||POSTICKET||45|1|100|True|0|0|JOHN||"},
        {"None", "1 Print-Out(s)", "Quick-Ticket entry blank!"},
        {"Xmin(s) - N5 [Time Once]", "1 Print-Out(s)", "Time Error!"},
    };
    setOption(settings::QuickTicket, "1");
    batchAnswer = "||PRINTPOS||||" + std::string(testing::kBatchGroup) + "||";  // nothing to print
    dialogs().expectMsgBox(
        "You have choosen to Generate 2 Print-Out(s) of 30min(s)' Ticket(s) of Cost N50 with "
        "Expiration Date of 5 days and for Time Only to be used Once, Continue?",
        msgbox::Yes);
    dialogs().expectMsgBox("No Ticket(s) to print!");
    dialogs().expectMsgBox(StartsWith("You have choosen"), msgbox::Yes);
    dialogs().expectMsgBox("No Ticket(s) to print!");
    PosStaffWindow(true, "JOHN");
    for (const auto& [entry, printOuts, outcome] : cases) {
        if (!outcome.starts_with("||")) {
            dialogs().expectMsgBox(outcome);
        }
        pos.Combo1.Text = entry;
        pos.Combo2.Text = printOuts;
        pos.Command2.DoClick();
    }
    EXPECT_THAT(sent("||POSTICKET"), ElementsAre(std::get<2>(cases[0]), std::get<2>(cases[1])));
}

struct Settling {
    const char* name;
    std::vector<int> answers;  // to "Did ... print?", then to the reprint question
    const char* message;
    std::size_t printOuts;
    const char* sold;
    const char* cost;
};

class SettleTest : public testing::PosSimTest, public ::testing::WithParamInterface<Settling> {};

TEST_P(SettleTest, TheBatchIsKeptPrintedAgainOrDeleted) {
    dialogs().expectMsgBox(StartsWith("You have choosen"), msgbox::Yes);
    bool printedQuestion = true;
    for (const int answer : GetParam().answers) {
        dialogs().expectMsgBox(StartsWith(printedQuestion ? "Did the POS" : "Do you want"), answer);
        printedQuestion = answer == msgbox::Yes;
    }
    dialogs().expectMsgBox(EndsWith(GetParam().message));
    sell("60", "100", "2");
    EXPECT_EQ(printed().size(), 33 * GetParam().printOuts);
    EXPECT_EQ(pos.Label12.Caption.get(), GetParam().sold);
    EXPECT_EQ(pos.Label13.Caption.get(), GetParam().sold);
    EXPECT_EQ(pos.Label14.Caption.get(), GetParam().cost);
    EXPECT_EQ(sent("||POSTICKET||FALSE").size(), GetParam().cost[0] == '\0' ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    EveryAnswer, SettleTest,
    ::testing::Values(
        Settling{"Printed", {msgbox::Yes}, "] saved and printed!", 1, "2", "#200.00"},
        Settling{"Kept", {msgbox::No, msgbox::No}, "] saved and printed!", 1, "2", "#200.00"},
        Settling{"Deleted", {msgbox::No, msgbox::Cancel}, "] deleted!", 1, "0", ""},
        Settling{"PrintedAgainCountedOnce",
                 {msgbox::No, msgbox::Yes, msgbox::Yes},
                 "] saved and printed!",
                 2,
                 "2",
                 "#200.00"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TicketGenerationTest, TheWaitEndsAtTheTimeOutAndALateBatchIsDeleted) {
    batchAnswer.clear();
    dialogs().expectMsgBox(StartsWith("You have choosen"), msgbox::Yes);
    afterMs(20'000, [this] { pos.Command3.DoClick(); });  // STOP, then No: the time-out stays
    dialogs().expectMsgBox(kCancelQuestion, msgbox::No);
    dialogs().expectMsgBox("Request timed out!");
    afterMs(70'000, [this] { server.send(wire::EncodeText(testing::BatchAnswer(2))); });
    sell("60", "100", "2", 80'000);

    const sim::Ms sentAt = orderTimes.front() - network().latency();
    EXPECT_THAT(dialogs().shown().back().shownAtMs - sentAt,
                ::testing::AllOf(::testing::Ge(60'000), ::testing::Le(60'100)));
    EXPECT_THAT(sent("||POSTICKET||FALSE"), ElementsAre(kDeleteBatch));
    EXPECT_TRUE(printed().empty());
}

TEST_F(TicketGenerationTest, AConnectionLostWhileTheBatchIsAwaitedEndsTheWaitAtOnce) {
    batchAnswer.clear();
    dialogs().expectMsgBox(StartsWith("You have choosen"), msgbox::Yes);
    dialogs().expectMsgBox("Zarnevo Kestova not connected!");
    sim::Ms lostAt = 0;
    afterMs(5000, [&] {
        server.disconnect();
        lostAt = loop().now();
    });
    sell("60", "100", "2", 80'000);
    EXPECT_LT(dialogs().last().shownAtMs - lostAt, 1000);
    EXPECT_FALSE(pos.IsLoaded());
    EXPECT_FALSE(KestovaCode().TicketRequestWaiting) << "a batch that comes later is given back";
}

TEST_F(TicketGenerationTest, AfterATimeTicketBatchOnlyOnceIsClearedAndOfferedNoMore) {
    expectBatchKept();
    afterMs(50, [this] {
        pos.Check8.Value = 1;
        ui::Raise(pos.Check8.Click);
        pos.Check9.Value = 1;
    });
    afterMs(100'000, [this] {
        EXPECT_EQ(pos.Check8.Value + pos.Check9.Value, 0);
        EXPECT_FALSE(pos.Check9.Enabled);
    });
    sell("60", "100", "2");
    EXPECT_THAT(sent("||POSTICKET"), ElementsAre("||POSTICKET||60|2|100|False|1|1|JOHN||"));
}

TEST_F(TicketGenerationTest, StopCancelsTheRequestOrEndsThePrintOutAndDeletesTheBatch) {
    for (const bool printing : {false, true}) {
        requests.clear();
        batchAnswer = printing ? testing::BatchAnswer(2) : "";
        dialogs().expectMsgBox(StartsWith("You have choosen"), msgbox::Yes);
        dialogs().expectMsgBox(kCancelQuestion, msgbox::Yes);
        if (printing) {
            dialogs().expectMsgBox("Ticket(s) with Ticket Group Cancelled!");
        }
        afterMs(5000, [this] { pos.Command3.DoClick(); });
        sell("60", "100", "2", 10'000);
        EXPECT_THAT(sent("||POSTICKET||FALSE"),
                    ElementsAre(printing ? kDeleteBatch : "||POSTICKET||FALSE||"));
        EXPECT_EQ(pos.Label12.Caption.get(), "0");
    }
    EXPECT_EQ(printed().back().bytes, "\r\n") << "a clean line end, and nothing after it";
    EXPECT_LT(printed().back().atMs, loop().now() - 4500);
}

TEST_F(TicketGenerationTest, APrinterThatStopsTakingBytesEndsPrintingAndNamesTheTicket) {
    for (const bool unplugged : {false, true}) {
        requests.clear();
        serialLines().setBytesPerSecond(kPrinter, sim::SimSerialLines::kBytesPerSecond);
        serialLines().plugIn(kPrinter);
        dialogs().expectMsgBox(StartsWith("You have choosen"), msgbox::Yes);
        dialogs().expectMsgBox(HasSubstr("Ticket [" + std::string(testing::kBatchGroup) +
                                         "-002] (Username: user2) is not printed whole"));
        dialogs().expectMsgBox(StartsWith("Did the POS Ticket"), msgbox::No);
        dialogs().expectMsgBox(StartsWith("Do you want to reprint"), msgbox::Cancel);
        dialogs().expectMsgBox(EndsWith("] deleted!"));
        afterMs(17'000, [&] {  // during the second ticket
            unplugged ? serialLines().unplug(kPrinter)
                      : serialLines().setBytesPerSecond(kPrinter, 0);
        });
        sell("60", "100", "2", 60'000);
        EXPECT_EQ(pos.Label12.Caption.get(), "0");
        EXPECT_THAT(sent("||POSTICKET||FALSE"), ElementsAre(kDeleteBatch));
    }
}

TEST_F(TicketGenerationTest, ASlowPrinterGetsEveryByteBeforeTheQuestion) {
    serialLines().setBytesPerSecond(kPrinter, 20);  // slower than the lines come
    expectBatchKept();
    sell("60", "100", "2");
    const auto bytes = static_cast<sim::Ms>(serialLines().written(kPrinter).size());
    EXPECT_GE(dialogs().shown()[1].shownAtMs, printed().front().atMs + bytes * 1000 / 20);
}

TEST_F(TicketGenerationTest, APortThatCannotOpenIsToldBeforeAnythingIsAsked) {
    serialLines().refuse("/dev/ttyS1");
    serialLines().unplug("/dev/ttyS2");
    for (const auto& [port, message] : std::vector<std::pair<std::string, std::string>>{
             {"COM10", "Port is invalid! Set Port in POS settings."},
             {"COM12", "Port not open!"},
             {"COM3", "Port is invalid! Set Port in POS settings."}}) {
        setOption(settings::Com, port);
        dialogs().expectMsgBox(message);
        order("60", "1");
    }
    EXPECT_THAT(serialLines().openAttempts(), ElementsAre("/dev/ttyS1", "/dev/ttyS2"));
}

}  // namespace
}  // namespace kestova
