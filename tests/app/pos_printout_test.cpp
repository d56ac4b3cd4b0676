// The receipt print-out: each ticket's lines and their pace as the layout settings give them,
// the batch text they come from, and the bytes on the printer's line.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "core/version.h"
#include "pos/ticket_printout.h"
#include "tests/app/pos_test_support.h"

namespace kestova {
namespace {

using ::testing::ElementsAreArray;
using Tick = std::pair<std::string, int>;  // the line printed ("~": none), the pause after it

// Ticket n of the scripted server's batch.
BatchTicket SampleTicket(int n) {
    const std::string batch = testing::BatchAnswer(n);
    const std::size_t last = batch.rfind("user");
    return ParseTicketBatch(batch.substr(last, batch.find("||", last) - last)).front();
}

// The line of each key of a layout ('~': a tick that prints nothing; 'u', 'p': large lines).
std::string LineOf(char key, const BatchTicket& t) {
    const std::map<char, std::string> lines = {{'T', "   " + VersionTitle()},
                                               {'R', std::string(37, '-')},
                                               {'r', std::string(36, '-')},
                                               {'U', "   Username: " + t.user},
                                               {'u', "\x1E Username: " + t.user},
                                               {'P', "   Password: " + t.password},
                                               {'p', "\x1E Password: " + t.password},
                                               {'M', "   Time:     60min(s) [100.00]"},
                                               {'G', "   T/GRP:    " + t.groupAndNumber},
                                               {'E', "   Expire:   5day(s)"},
                                               {'Y', "   Type:     Normal Ticket"},
                                               {'A', "   Visit us at www.zarnevo.example"},
                                               {'S', " - JOHN [09:00 07-Dec-26]"},
                                               {'_', ""},
                                               {'~', "~"}};
    return lines.at(key);
}

// A layout's ticks: the first followed by 800 ms, the others by the pace, the empty lines by 500.
std::vector<Tick> Expected(const std::string& keys, int paceMs, int emptyLines) {
    std::vector<Tick> ticks;
    for (const char key : keys) {
        ticks.emplace_back(LineOf(key, SampleTicket(1)), ticks.empty() ? 800 : paceMs);
    }
    ticks.insert(ticks.end(), emptyLines, Tick{"", 500});
    return ticks;
}

// The ticks of one ticket as the window runs them: one line a tick, one more where left out.
std::vector<Tick> RunTicket(bool last) {
    std::vector<Tick> ticks;
    int counter = 0;
    do {
        const auto step = printout::LineAt(++counter, SampleTicket(1), "JOHN", {2026, 12, 7, 9});
        ticks.emplace_back(step.line.value_or("~"), step.nextTickMs);
        counter += step.skipsNextLine ? 1 : 0;
    } while (counter < printout::LastLine(last));
    return ticks;
}

struct Layout {
    std::vector<std::pair<const settings::Setting*, const char*>> settings;
    const char* keys;
    int paceMs;
};

class PrintoutLayoutTest : public sim::SimTest, public ::testing::WithParamInterface<Layout> {};

TEST_P(PrintoutLayoutTest, LinesAndPaceFollowTheSettings) {
    for (const auto& [setting, value] : GetParam().settings) {
        WriteSetting(*setting, value);
    }
    const Layout& layout = GetParam();
    EXPECT_THAT(RunTicket(true), ElementsAreArray(Expected(layout.keys, layout.paceMs, 7)));
    EXPECT_THAT(RunTicket(false), ElementsAreArray(Expected(layout.keys, layout.paceMs, 2)));
}

INSTANTIATE_TEST_SUITE_P(
    EveryLayout, PrintoutLayoutTest,
    ::testing::Values(
        Layout{{}, "TRUPMGEYrASr", 800}, Layout{{{&settings::PosSpeed, "2"}}, "TRUPMGEYrASr", 600},
        Layout{{{&settings::PosSpeed, "0"}}, "TRUPMGEYrASr", 1000},
        Layout{{{&settings::STitle, "0"}}, "~RUPMGEYrASr", 800},
        Layout{{{&settings::SGroup, "0"}, {&settings::Type, "0"}}, "TRUPMErASr", 800},
        Layout{{{&settings::SGroup, "2"}, {&settings::SAddr, "0"}}, "TRUPM~EYr~Sr", 800},
        Layout{{{&settings::SUserL, "1"}, {&settings::SPassL, "1"}}, "TRupMGEYrASr", 800}));

TEST(TicketBatchTest, NineFieldsATicketTheFirstTicketsGroupAndDatesAsDayMonthYear) {
    const auto tickets = ParseTicketBatch(
        "a|1|30|5|2026-12-12|GROUP0000001|001|True|True|b|2|30.0|5|0|OTHER0000002|002|1|0|c|3");
    ASSERT_EQ(tickets.size(), 2u) << "the incomplete third ticket is left out";
    EXPECT_EQ(tickets[0].expiry, "12/Dec/26");
    EXPECT_EQ(tickets[1].expiry, "0day(s)");
    EXPECT_EQ(tickets[1].minutes, "30");
    EXPECT_EQ(tickets[1].groupAndNumber, "GROUP0000001-002");
    EXPECT_EQ(BatchGroup(tickets), "GROUP0000001");
    EXPECT_TRUE(tickets[0].timeTicket && tickets[0].once && tickets[1].timeTicket);
    EXPECT_FALSE(tickets[1].once);
}

// The group goes back to the server to delete the batch: cut inside a letter it would name
// another group.
TEST(TicketBatchTest, TheGroupIsTwelveCharactersEvenBeyondAscii) {
    const auto tickets = ParseTicketBatch("a|1|30|5|0|ÉTÉÉÉÉÉÉÉÉÉ|7|1|0|");
    EXPECT_EQ(BatchGroup(tickets), "ÉTÉÉÉÉÉÉÉÉÉ-");
}

class TicketPrintoutTest : public testing::PosSimTest {};

TEST_F(TicketPrintoutTest, ABatchComesOutWholeLineByLineInWindows1252AndIsCountedOnce) {
    batchAnswer.replace(batchAnswer.find("user1"), 5, "Renée");
    expectBatchKept();
    sell("60", "100", "2");

    EXPECT_EQ(sent("||POSTICKET||"),
              std::vector<std::string>{"||POSTICKET||60|2|100|False|0|0|JOHN||"});
    BatchTicket first = SampleTicket(1);
    first.user =
        "Ren\xE9"
        "e";
    std::string expected;
    for (const auto& [ticket, keys] :
         {std::pair{first, "TRUPMGEYrASr__"}, std::pair{SampleTicket(2), "TRUPMGEYrASr_______"}}) {
        for (const char key : std::string(keys)) {
            expected += LineOf(key, ticket) + "\r\n";
        }
    }
    std::string bytes;
    std::vector<sim::Ms> at;
    for (const sim::SerialWrite& write : printed()) {
        bytes += write.bytes;
        at.push_back(write.atMs);
    }
    EXPECT_EQ(bytes, expected);
    ASSERT_EQ(at.size(), 33u) << "a write a line";
    EXPECT_EQ(at[12] - at[0], 12 * 800);
    EXPECT_EQ(at[13] - at[12], 500);
    EXPECT_THAT(at[14] - at[13], ::testing::AllOf(::testing::Ge(500), ::testing::Le(550)))
        << "the next ticket starts at the window's next look";
    EXPECT_GE(dialogs().shown()[1].shownAtMs, at.back()) << "asked once the last line is out";
    EXPECT_EQ(pos.Label12.Caption.get(), "2");
    EXPECT_EQ(pos.Label13.Caption.get(), "2");
    EXPECT_EQ(pos.Label14.Caption.get(), "#200.00");
}

}  // namespace
}  // namespace kestova
