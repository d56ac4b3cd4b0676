// The receipt print-out of a ticket batch: the lines of each ticket and their pace as the layout
// settings give them, the batch text they come from, and the bytes on the printer's line.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <tuple>
#include <utility>

#include "core/version.h"
#include "pos/ticket_printout.h"
#include "tests/app/pos_test_support.h"

namespace kestova {
namespace {

using ::testing::ElementsAreArray;
using testing::PosSimTest;

const DateTime kSigned{2026, 12, 7, 9, 0, 0};

// Ticket n of the batch the scripted server makes.
BatchTicket SampleTicket(int n = 1) {
    const std::string batch = testing::BatchAnswer(n);
    const std::size_t last = batch.rfind("user");
    return ParseTicketBatch(batch.substr(last, batch.find("||", last) - last)).front();
}

// The line each key of a layout stands for ("~": a tick that prints nothing).
std::string LineOf(char key, const BatchTicket& ticket) {
    const std::map<char, std::string> lines = {
        {'T', "   " + VersionTitle()},
        {'R', std::string(37, '-')},
        {'U', "   Username: " + ticket.user},
        {'u', "\x1E Username: " + ticket.user},
        {'P', "   Password: " + ticket.password},
        {'p', "\x1E Password: " + ticket.password},
        {'M', "   Time:     60min(s) [100.00]"},
        {'G', "   T/GRP:    " + ticket.groupAndNumber},
        {'E', "   Expire:   5day(s)"},
        {'Y', "   Type:     Normal Ticket"},
        {'r', std::string(36, '-')},
        {'A', "   Visit us at www.zarnevo.example"},
        {'S', " - JOHN [09:00 07-Dec-26]"},
        {'_', ""},
        {'~', "~"},
    };
    return lines.at(key);
}

using Tick = std::pair<std::string, int>;  // the line printed ("~": none), the pause after it

// The ticks of one ticket as the window runs them: the counter moves on one a tick, and one more
// where a line is left out.
std::vector<Tick> RunTicket(const BatchTicket& ticket, bool last) {
    std::vector<Tick> ticks;
    int counter = 0;
    do {
        const printout::Step step = printout::LineAt(++counter, ticket, "JOHN", kSigned);
        ticks.emplace_back(step.line.value_or("~"), step.nextTickMs);
        counter += step.skipsNextLine ? 1 : 0;
    } while (counter < printout::LastLine(last));
    return ticks;
}

// The layout as keys, the first followed by 800 ms, the others by the pace, then the empty lines
// by 500 ms each.
std::vector<Tick> Expected(const std::string& keys, int paceMs, int emptyLines) {
    std::vector<Tick> ticks;
    for (const char key : keys) {
        ticks.emplace_back(LineOf(key, SampleTicket()), ticks.empty() ? 800 : paceMs);
    }
    ticks.insert(ticks.end(), emptyLines, Tick{"", 500});
    return ticks;
}

struct LayoutCase {
    const char* name;
    std::vector<std::pair<const settings::Setting*, const char*>> settings;
    const char* keys;
    int paceMs;
};

class PrintoutLayoutTest : public PosSimTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(PrintoutLayoutTest, LinesAndPaceFollowTheSettings) {
    for (const auto& [setting, value] : GetParam().settings) {
        setOption(*setting, value);
    }
    EXPECT_THAT(RunTicket(SampleTicket(), true),
                ElementsAreArray(Expected(GetParam().keys, GetParam().paceMs, 7)));
    EXPECT_THAT(RunTicket(SampleTicket(), false),
                ElementsAreArray(Expected(GetParam().keys, GetParam().paceMs, 2)));
}

INSTANTIATE_TEST_SUITE_P(
    EveryLayout, PrintoutLayoutTest,
    ::testing::Values(
        LayoutCase{"Defaults", {}, "TRUPMGEYrASr", 800},
        LayoutCase{"Fast", {{&settings::PosSpeed, "2"}}, "TRUPMGEYrASr", 600},
        LayoutCase{"Slow", {{&settings::PosSpeed, "0"}}, "TRUPMGEYrASr", 1000},
        LayoutCase{"TitleOffKeepsItsTick", {{&settings::STitle, "0"}}, "~RUPMGEYrASr", 800},
        LayoutCase{"GroupLineLeftOut", {{&settings::SGroup, "0"}}, "TRUPMEYrASr", 800},
        LayoutCase{"GroupLineSilentTwo", {{&settings::SGroup, "2"}}, "TRUPM~EYrASr", 800},
        LayoutCase{"TypeAndGroupLeftOut",
                   {{&settings::SGroup, "0"}, {&settings::Type, "0"}},
                   "TRUPMErASr",
                   800},
        LayoutCase{"AddressOffKeepsItsTick", {{&settings::SAddr, "0"}}, "TRUPMGEYr~Sr", 800},
        LayoutCase{"LargeUserAndPassword",
                   {{&settings::SUserL, "1"}, {&settings::SPassL, "1"}},
                   "TRupMGEYrASr",
                   800}),
    [](const auto& info) { return std::string(info.param.name); });

class TicketBatchTest : public sim::SimTest {};

TEST_F(TicketBatchTest, NineFieldsATicketWithTheFirstTicketsGroupAndTheTypeWord) {
    const auto tickets = ParseTicketBatch(
        "a|1|30|50.00|2026-12-12|GROUP0000001|001|True|True|"
        "b|2|30.0|50.00|0|OTHER0000002|002|True|False|c|3|30");
    ASSERT_EQ(tickets.size(), 2u) << "the incomplete third ticket is left out";
    EXPECT_EQ(tickets[0].expiry, "12/Dec/26");
    EXPECT_EQ(tickets[1].expiry, "0day(s)");
    EXPECT_EQ(tickets[1].minutes, "30");
    EXPECT_EQ(tickets[1].groupAndNumber, "GROUP0000001-002");
    EXPECT_EQ(BatchGroup(tickets), "GROUP0000001");

    const std::vector<std::tuple<bool, bool, std::string>> typeWords = {
        {false, true, "   Type:     Normal Ticket"},
        {true, true, "   Type:     Time Once"},
        {true, false, "   Type:     Time Ticket"},
    };
    for (const auto& [timeTicket, once, line] : typeWords) {
        BatchTicket ticket = SampleTicket();
        ticket.timeTicket = timeTicket;
        ticket.once = once;
        EXPECT_EQ(printout::LineAt(8, ticket, "JOHN", kSigned).line, line);
    }
}

class TicketPrintoutTest : public PosSimTest {};

TEST_F(TicketPrintoutTest, ABatchComesOutWholeLineByLineAndIsCountedOnce) {
    batchAnswer = testing::BatchAnswer(2);
    const std::size_t user = batchAnswer.find("user1");
    batchAnswer.replace(user, 5, "Renée");
    expectBatchKept();
    orderAt(100, "60", "100", "2");
    runWindowUntil(60'000);

    EXPECT_THAT(sent("||POSTICKET||"),
                ElementsAreArray({"||POSTICKET||60|2|100|False|0|0|JOHN||"}));
    std::string expected;
    std::vector<int> gaps;
    const auto add = [&](const std::string& keys, const BatchTicket& ticket, int emptyLines) {
        for (const char key : keys + std::string(emptyLines, '_')) {
            expected += LineOf(key, ticket) + "\r\n";
        }
    };
    BatchTicket first = SampleTicket(1);
    first.user =
        "Ren\xE9"
        "e";  // Windows-1252, like the wire
    add("TRUPMGEYrASr", first, 2);
    add("TRUPMGEYrASr", SampleTicket(2), 7);
    std::string bytes;
    for (const sim::SerialWrite& write : printed()) {
        bytes += write.bytes;
        gaps.push_back(static_cast<int>(write.atMs - printed().front().atMs));
    }
    // Signed at the virtual clock's minute.
    EXPECT_EQ(bytes, expected);
    ASSERT_EQ(printed().size(), 33u) << "one write a line";
    for (std::size_t line = 1; line <= 12; ++line) {
        EXPECT_EQ(gaps[line] - gaps[line - 1], 800) << "line " << line;
    }
    EXPECT_EQ(gaps[13] - gaps[12], 500);
    EXPECT_THAT(gaps[14] - gaps[13], ::testing::AllOf(::testing::Ge(500), ::testing::Le(550)))
        << "the next ticket starts at the window's next look";
    const sim::ShownBox& question = dialogs().shown()[1];
    EXPECT_GE(question.shownAtMs, printed().back().atMs) << "asked once the last line is out";

    EXPECT_EQ(pos.Label12.Caption.get(), "2");
    EXPECT_EQ(pos.Label13.Caption.get(), "2");
    EXPECT_EQ(pos.Label14.Caption.get(), "#200.00");
}

}  // namespace
}  // namespace kestova
