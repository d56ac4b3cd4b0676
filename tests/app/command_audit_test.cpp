// The audit log as the console writes it while the operator works: an entry flushed before each
// command leaves, naming operator or staff, client and time; and a log that cannot be written,
// or whose last write was cut off.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "audit/command_audit.h"
#include "core/audit/log_lines.h"
#include "core/audit/verify.h"
#include "core/messages.h"
#include "tests/app/connection_test_support.h"
#include "tests/audit_log/log_builder.h"

namespace kestova {
namespace {

using platform::msgbox::Yes;
using ::testing::ElementsAre;

// A café of clients on rows 4 (PC4), 5 (pc5) and 7 (PC7), the operator CLERK logged in, and no
// notice shown yet.
class CommandAuditTest : public testing::ConsoleSimTest {
protected:
    CommandAuditTest() {
        MessagesWindow().Unload();
        serverSays(server, testing::ClientRecord(4, "PC4", "Logged in"));
        serverSays(server, testing::ClientRecord(5, "pc5", "Logged in"));
        serverSays(server, testing::ClientRecord(7, "PC7", "Logged in"));
        KestovaCode().OperatorName = "CLERK";
        server.clearReceived();
    }

    std::vector<audit::Entry> logged() {
        std::vector<audit::Entry> entries;
        for (audit::LoggedEntry& logged : audit::EntriesOf(auditLog().content())) {
            entries.push_back(std::move(logged.entry));
        }
        return entries;
    }
    std::vector<std::string> loggedWires() {
        std::vector<std::string> wires;
        for (const audit::Entry& entry : logged()) {
            wires.push_back(entry.wire);
        }
        return wires;
    }
    std::size_t noticesOfFailure() {
        const std::string& text = MessagesWindow().Text1.Text;
        std::size_t count = 0;
        for (auto at = text.find("cannot be written"); at != std::string::npos;
             at = text.find("cannot be written", at + 1)) {
            ++count;
        }
        return count;
    }
    void restartPc5() {
        main.ConList.SetRow(5);
        dialogs().expectMsgBox("Restart Client PC5?", Yes);
        main.RestartClient_Click();
    }

    sim::SimPeer& server = connectedServer();
    KestovaMain& main = console();
};

// Each entry is on the disk, in one write of its own, before its command leaves.
TEST_F(CommandAuditTest, EntriesNameWhoWhatTheClientAsTheGridShowsItAndWhen) {
    auto& socket = dynamic_cast<sim::SimSocket&>(*main.Listen);
    std::size_t sentBeforeLogged = 0;
    auditLog().onAppend = [&](std::string_view bytes) {
        const std::string wire = audit::ParseLine(bytes.substr(0, bytes.size() - 1))->wire;
        sentBeforeLogged += socket.sentBytes().ends_with(wire::EncodeText(wire));
    };
    advance(61'000);
    const std::string restartedAt = audit::FormatUtcTime(clock().now());
    restartPc5();
    dialogs().expectMsgBox("Disconnect and Reconnect Client?", Yes);
    main.m_ClosePort_Click();
    dialogs().expectInputBox("Enter Message to Send to All Client(s)?", "Closing");
    main.m_SendAll_Click();
    protocol::SendToServer(*main.Listen, "||POSTICKET||60|3|100|False|1|0|JOHN||");
    protocol::SendToServer(*main.Listen, "||POSTICKET||FALSE||GRP000000001||");
    main.m_PauseAll_Click();

    const std::vector<audit::Entry> entries = logged();
    ASSERT_EQ(entries.size(), 8u);
    EXPECT_EQ(entries[0].time, restartedAt);
    const struct {
        const char* who;
        const char* client;
        std::optional<int> port;
        const char* wire;
    } expected[] = {
        {"CLERK", "pc5", 4, "||KESTOVA||4||RESTART||"},
        {"CLERK", "pc5", 4, "||F-DISCONNECT||5||"},  // row 5 is port 4
        {"CLERK", "PC4", 3, "KESTOVA||3||MESSAGE|Closing||||"},
        {"CLERK", "pc5", 4, "KESTOVA||4||MESSAGE|Closing||||"},
        {"CLERK", "PC7", 6, "KESTOVA||6||MESSAGE|Closing||||"},
        {"JOHN", "", std::nullopt, "||POSTICKET||60|3|100|False|1|0|JOHN||"},
        {"JOHN", "", std::nullopt, "||POSTICKET||FALSE||GRP000000001||"},
        {"CLERK", "", std::nullopt, "||F-PAUSEALL||||"},
    };
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].who, expected[i].who) << i;
        EXPECT_EQ(entries[i].client, expected[i].client) << i;
        EXPECT_EQ(entries[i].port, expected[i].port) << i;
        EXPECT_EQ(entries[i].wire, expected[i].wire) << i;
    }
    EXPECT_EQ(audit::Verify(auditLog().content()).entries, 8);
    EXPECT_EQ(auditLog().appends().size(), 8u);
    EXPECT_EQ(sentBeforeLogged, 0u);
}

TEST_F(CommandAuditTest, ALogThatCannotBeWrittenIsToldOnceAndCatchesUpWhenItCan) {
    auditLog().failReads();
    const std::string firstAt = audit::FormatUtcTime(clock().now());
    restartPc5();
    advance(1'000);
    auditLog().failReads(false);
    auditLog().failAppends();
    main.m_PauseAll_Click();
    advance(network().latency() + 1);
    EXPECT_THAT(commandsFrom(server), ElementsAre("||KESTOVA||4||RESTART||", "||F-PAUSEALL||||"))
        << "commands are sent all the same";
    EXPECT_EQ(noticesOfFailure(), 1u);
    EXPECT_EQ(Audit().Unwritten(), 2u);

    auditLog().failAppends(false);
    main.m_UnpauseAll_Click();
    EXPECT_EQ(Audit().Unwritten(), 0u);
    EXPECT_THAT(loggedWires(),
                ElementsAre("||KESTOVA||4||RESTART||", "||F-PAUSEALL||||", "||F-UNPAUSEALL||||"));
    EXPECT_EQ(logged().front().time, firstAt) << "kept with the time it was sent";

    auditLog().failAppends();
    main.m_PauseAll_Click();
    EXPECT_EQ(noticesOfFailure(), 2u) << "a new failure is told again";
}

// A previous run's log goes on where it ended, also when its last write was cut off; a write cut
// off now is ended and written again whole.
TEST_F(CommandAuditTest, TheChainGoesOnFromTheLastWholeEntryAfterAWriteWasCutOff) {
    const std::vector<std::string> before = audit::testing::SampleLines(2);
    auditLog().put(audit::testing::Joined(before) + before[0].substr(0, 25));
    main.m_PauseAll_Click();
    auditLog().cutNextAppendAfter(30);
    main.m_UnpauseAll_Click();
    restartPc5();

    const audit::Verification verification = audit::Verify(auditLog().content());
    EXPECT_TRUE(verification.intact()) << audit::Describe(verification);
    EXPECT_THAT(verification.skippedLines, ElementsAre(3, 5));
    EXPECT_THAT(loggedWires(), ElementsAre("||F-PAUSE||1||", "||F-PAUSE||2||", "||F-PAUSEALL||||",
                                           "||F-UNPAUSEALL||||", "||KESTOVA||4||RESTART||"));
}

// A server that sends batch after batch nobody asked for has each deleted, but the log takes an
// entry for the first and one with the count of the rest of the minute; what people give is
// still written each time, and the repeats counted before it come first.
TEST_F(CommandAuditTest, UnrequestedBatchesDeletedInAFloodAreWrittenOnceWithTheirCount) {
    const auto flood = [&](int first, int count) {
        std::string digits;
        for (int n = first; n < first + count; ++n) {
            digits += wire::EncodeText("||PRINTPOS||x||G" + std::to_string(n) + "||");
        }
        server.send(digits);
        advance(network().latency() + 100);
    };
    flood(1, 300);
    main.m_PauseAll_Click();
    flood(301, 2);
    advance(kRepeatWindow.count() * 1000);
    flood(303, 2);
    protocol::SendToServer(*main.Listen, "||POSTICKET||FALSE||STAFFS1||");
    protocol::SendToServer(*main.Listen, "||POSTICKET||FALSE||STAFFS2||");
    flood(305, 1);
    ReleaseProgram();

    EXPECT_EQ(std::ranges::count_if(commandsFrom(server),
                                    [](const std::string& command) {
                                        return command.starts_with("||POSTICKET||FALSE||G");
                                    }),
              305)
        << "every batch is deleted";
    std::vector<std::string> written;
    for (const audit::Entry& entry : logged()) {
        written.push_back(entry.what + " " + entry.group);
    }
    const std::string more = " more within 60 s of the first) ";
    EXPECT_THAT(written,
                ElementsAre("Delete an unrequested ticket batch G1",
                            "Delete an unrequested ticket batch (299" + more + "G300",
                            "Pause all clients ", "Delete an unrequested ticket batch G301",
                            "Delete an unrequested ticket batch (1" + more + "G302",
                            "Delete an unrequested ticket batch G303",
                            "Delete an unrequested ticket batch (1" + more + "G304",
                            "Delete ticket batch STAFFS1", "Delete ticket batch STAFFS2",
                            "Delete an unrequested ticket batch G305"));
    EXPECT_TRUE(audit::Verify(auditLog().content()).intact());
}

}  // namespace
}  // namespace kestova
