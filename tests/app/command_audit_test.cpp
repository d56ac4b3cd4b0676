// The audit log as the console writes it while the operator works: an entry flushed before each
// command leaves, naming operator or staff, client and time; nothing for requests that change
// nothing; and a log that cannot be written, or whose last write was cut off.
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
using testing::ConsoleSimTest;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::string Record(int slot, const std::string& name) {
    const std::string n = std::to_string(slot);
    return "||UPDATE||20==" + n + "==" + n + ".==" + name + "==john==01:20==Logged in" +
           "==Connected.==127.0.0." + n + "==10:15==100" + n + "==0==0==0==0||";
}

std::size_t Occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// A café of clients on rows 4 (PC4), 5 (pc5) and 7 (PC7), the operator CLERK logged in, and no
// notice shown yet.
class CommandAuditTest : public ConsoleSimTest {
protected:
    CommandAuditTest() {
        MessagesWindow().Unload();
        serverSays(server, Record(4, "PC4"));
        serverSays(server, Record(5, "pc5"));
        serverSays(server, Record(7, "PC7"));
        KestovaCode().OperatorName = "CLERK";
        main.ConList.SetRow(5);
        server.clearReceived();
    }

    std::vector<audit::Entry> logged() {
        std::vector<audit::Entry> entries;
        for (audit::LoggedEntry& logged : audit::EntriesOf(services().auditLog().content())) {
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
    std::vector<std::string> sent() {
        advance(network().latency() + 1);
        std::vector<std::string> messages = commandsFrom(server);
        server.clearReceived();
        return messages;
    }
    std::string now() { return audit::FormatUtcTime(services().clock().now()); }
    std::string notices() { return MessagesWindow().Text1.Text; }
    void restartPc5() {
        main.ConList.SetRow(5);
        dialogs().expectMsgBox("Restart Client PC5?", Yes);
        main.RestartClient_Click();
    }
    void pauseAll() { main.m_PauseAll_Click(); }

    sim::SimPeer& server = connectedServer();
    KestovaMain& main = console();
};

TEST_F(CommandAuditTest, TheEntryIsOnTheDiskBeforeTheCommandLeaves) {
    auto& socket = dynamic_cast<sim::SimSocket&>(*main.Listen);
    const std::string command = wire::EncodeText("||KESTOVA||4||RESTART||");
    bool sentBeforeLogged = true;
    services().auditLog().onAppend = [&](std::string_view) {
        sentBeforeLogged = socket.sentBytes().find(command) != std::string::npos;
    };
    restartPc5();
    EXPECT_FALSE(sentBeforeLogged);
    EXPECT_THAT(sent(), ElementsAre("||KESTOVA||4||RESTART||"));
    EXPECT_EQ(services().auditLog().appends().size(), 1u) << "one write for one entry";
}

TEST_F(CommandAuditTest, AnEntryNamesTheOperatorWhatTheClientAndTheTime) {
    advance(61'000);
    const std::string restartedAt = now();
    restartPc5();
    advance(2'000);
    const std::string reconnectedAt = now();
    dialogs().expectMsgBox("Disconnect and Reconnect Client?", Yes);
    main.m_ClosePort_Click();
    pauseAll();

    const std::vector<audit::Entry> entries = logged();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].seq, 1);
    EXPECT_EQ(entries[0].time, restartedAt);
    EXPECT_EQ(entries[0].who, "CLERK");
    EXPECT_EQ(entries[0].what, "Restart computer");
    EXPECT_EQ(entries[0].client, "pc5");
    EXPECT_EQ(entries[0].port, 4);
    EXPECT_EQ(entries[0].wire, "||KESTOVA||4||RESTART||");
    EXPECT_EQ(entries[1].time, reconnectedAt);
    EXPECT_EQ(entries[1].what, "Reconnect");
    EXPECT_EQ(entries[1].client, "pc5") << "row 5 on the wire is the client on port 4";
    EXPECT_EQ(entries[1].port, 4);
    EXPECT_EQ(entries[1].wire, "||F-DISCONNECT||5||");
    EXPECT_EQ(entries[2].what, "Pause all clients");
    EXPECT_EQ(entries[2].client, "");
    EXPECT_FALSE(entries[2].port.has_value());
    EXPECT_TRUE(audit::Verify(services().auditLog().content()).intact());
}

TEST_F(CommandAuditTest, TheMessageToAllClientsNamesEachClientItReaches) {
    dialogs().expectInputBox("Enter Message to Send to All Client(s)?", "Closing at ten");
    main.m_SendAll_Click();
    const std::vector<audit::Entry> entries = logged();
    ASSERT_EQ(entries.size(), 3u);
    const struct {
        const char* client;
        int port;
    } expected[] = {{"PC4", 3}, {"pc5", 4}, {"PC7", 6}};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].client, expected[i].client);
        EXPECT_EQ(entries[i].port, expected[i].port);
        EXPECT_EQ(entries[i].what, "Message \"Closing at ten\"");
        EXPECT_EQ(entries[i].wire,
                  "KESTOVA||" + std::to_string(expected[i].port) + "||MESSAGE|Closing at ten||||");
    }
}

TEST_F(CommandAuditTest, ARenameNamesTheClientByTheNameItHadWhenTheCommandLeft) {
    main.ConList.SetRow(4);
    dialogs().expectInputBox("Enter new name for Computer Name PC4?", "COUNTER-7");
    main.m_ChangCName_Click();
    serverSays(server, Record(4, "COUNTER-7"));
    dialogs().expectMsgBox("End Timer of Client COUNTER-7?", Yes);
    main.EndTimer_Click();
    const std::vector<audit::Entry> entries = logged();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].what, "Rename to \"COUNTER-7\"");
    EXPECT_EQ(entries[0].client, "PC4");
    EXPECT_EQ(entries[1].client, "COUNTER-7");
}

TEST_F(CommandAuditTest, RequestsThatChangeNothingLeaveTheLogAlone) {
    for (int i = 0; i < 10; ++i) {
        serverSays(server, "||STILL CONNECTED||||");
        serverSays(server, "||UPDATEX||||");
        advance(6'000);
    }
    main.ConList.SetRow(4);
    main.m_Clientinfo_Click();
    EXPECT_THAT(sent(), ::testing::Contains("||KESTOVA-INFO||3||"));
    EXPECT_THAT(services().auditLog().appends(), IsEmpty());
    EXPECT_EQ(services().auditLog().readCount(), 0) << "the log is not even read";
}

TEST_F(CommandAuditTest, PointOfSaleRequestsAreRecordedUnderTheStaffMember) {
    protocol::SendToServer(*main.Listen, "||POSTICKET||60|3|100|False|1|0|JOHN||");
    protocol::SendToServer(*main.Listen, "||POSTICKET||FALSE||GRP000000001||");
    protocol::SendToServer(*main.Listen, "||MACTIVATE1||GRP000000002-MARY||");
    protocol::SendToServer(*main.Listen, "||POSTICKET||FALSE||");
    pauseAll();
    const std::vector<audit::Entry> entries = logged();
    ASSERT_EQ(entries.size(), 5u);
    const struct {
        const char* who;
        const char* what;
        const char* group;
    } expected[] = {
        {"JOHN", "Ticket batch: 3 x 60 min at 100, time tickets", ""},
        {"JOHN", "Delete ticket batch", "GRP000000001"},
        {"MARY", "Activate every ticket of the group", "GRP000000002"},
        {"MARY", "Cancel the ticket batch request", ""},
        {"CLERK", "Pause all clients", ""},
    };
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].who, expected[i].who) << i;
        EXPECT_EQ(entries[i].what, expected[i].what) << i;
        EXPECT_EQ(entries[i].group, expected[i].group) << i;
    }
}

TEST_F(CommandAuditTest, ALogThatCannotBeWrittenIsToldOnceAndCatchesUpWhenItCan) {
    services().auditLog().failAppends();
    const std::string firstAt = now();
    restartPc5();
    advance(1'000);
    pauseAll();
    EXPECT_THAT(sent(), ElementsAre("||KESTOVA||4||RESTART||", "||F-PAUSEALL||||"))
        << "commands are sent all the same";
    EXPECT_EQ(Occurrences(notices(), "cannot be written"), 1u);
    EXPECT_THAT(notices(), ::testing::HasSubstr(services().auditLog().location()));
    EXPECT_EQ(Audit().Unwritten(), 2u);

    services().auditLog().failAppends(false);
    main.m_UnpauseAll_Click();
    EXPECT_EQ(Audit().Unwritten(), 0u);
    EXPECT_THAT(loggedWires(),
                ElementsAre("||KESTOVA||4||RESTART||", "||F-PAUSEALL||||", "||F-UNPAUSEALL||||"));
    EXPECT_EQ(logged().front().time, firstAt) << "kept with the time it was sent";
    EXPECT_EQ(audit::Verify(services().auditLog().content()).entries, 3);

    services().auditLog().failAppends();
    pauseAll();
    EXPECT_EQ(Occurrences(notices(), "cannot be written"), 2u) << "a new failure is told again";
}

TEST_F(CommandAuditTest, ALogThatCannotBeReadIsWrittenOnceItCanBe) {
    services().auditLog().failReads();
    pauseAll();
    EXPECT_EQ(Occurrences(notices(), "cannot be written"), 1u);
    services().auditLog().failReads(false);
    main.m_UnpauseAll_Click();
    EXPECT_THAT(loggedWires(), ElementsAre("||F-PAUSEALL||||", "||F-UNPAUSEALL||||"));
}

// A previous run's log goes on where it ended, also when its last write was cut off; a write cut
// off now is ended and written again whole.
TEST_F(CommandAuditTest, TheChainGoesOnFromTheLastWholeEntryAfterAWriteWasCutOff) {
    const std::vector<std::string> before = audit::testing::SampleLines(2);
    services().auditLog().put(audit::testing::Joined(before) + before[0].substr(0, 25));
    pauseAll();
    services().auditLog().cutNextAppendAfter(30);
    main.m_UnpauseAll_Click();
    EXPECT_EQ(Audit().Unwritten(), 1u);
    restartPc5();

    const audit::Verification verification = audit::Verify(services().auditLog().content());
    EXPECT_TRUE(verification.intact()) << audit::Describe(verification);
    EXPECT_EQ(verification.entries, 5);
    EXPECT_THAT(verification.skippedLines, ElementsAre(3, 5));
    EXPECT_THAT(loggedWires(), ElementsAre("||F-PAUSE||1||", "||F-PAUSE||2||", "||F-PAUSEALL||||",
                                           "||F-UNPAUSEALL||||", "||KESTOVA||4||RESTART||"));
}

}  // namespace
}  // namespace kestova
