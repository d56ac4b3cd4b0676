// What the audit trail records of each kind of message the console sends: the text in, the
// entry's fields out, requests that change nothing left out, and passwords never in.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "audit/audited_command.h"

namespace kestova {
namespace {

struct Recorded {
    const char* what;
    Sender sender = Sender::Operator;
    const char* name = "";
    std::optional<int> port = std::nullopt;
    const char* group = "";
};

struct Case {
    const char* wire;
    Recorded recorded;
};

constexpr auto Op = Sender::Operator;
constexpr auto Pos = Sender::StaffAtPos;
constexpr auto Staff = Sender::Staff;

void ExpectRecorded(const Case& c) {
    const std::optional<AuditedCommand> command = AuditedCommandOf(c.wire);
    ASSERT_TRUE(command.has_value()) << c.wire;
    EXPECT_EQ(command->what, c.recorded.what) << c.wire;
    EXPECT_EQ(command->sender, c.recorded.sender) << c.wire;
    EXPECT_EQ(command->name, c.recorded.name) << c.wire;
    EXPECT_EQ(command->port, c.recorded.port) << c.wire;
    EXPECT_EQ(command->group, c.recorded.group) << c.wire;
    EXPECT_EQ(command->wire, c.wire) << "only log-ins are masked";
}

TEST(AuditedCommand, TimeAndClientCommandsNameTheirPort) {
    const Case cases[] = {
        {"||F-ALLOCATE||1800||FALSE||3||", {"Allocate 30 min", Op, "", 3}},
        {"||F-ALLOCATE||900||TRUE||3||", {"Add 15 min", Op, "", 3}},
        {"||F-ALLOCATE||90||false||0||", {"Allocate 90 s", Op, "", 0}},
        {"||F-DEALLOCATE||600||4||", {"Take away 10 min", Op, "", 4}},
        {"||F-PAUSE||2||", {"Pause or resume", Op, "", 2}},
        {"||f-pause||2||", {"Pause or resume", Op, "", 2}},
        {"||F-LOGOFF||4||", {"Log off", Op, "", 4}},
        {"||F-ALLOWPRINT||3||", {"Allow printing", Op, "", 3}},
        {"||F-PREVENTPRINT||3||", {"Prevent printing", Op, "", 3}},
        {"||KESTOVA||3||ENDTIMER||", {"End timer", Op, "", 3}},
        {"||KESTOVA||3||RELOAD||", {"Restart timer only", Op, "", 3}},
        {"||KESTOVA||3||RESTART||", {"Restart computer", Op, "", 3}},
        {"||KESTOVA||3||SHUTDOWN||", {"Shut down computer", Op, "", 3}},
        {"||KESTOVA||3||ENABLE||", {"Enable", Op, "", 3}},
        {"||KESTOVA||3||DISABLE||", {"Disable", Op, "", 3}},
        {"||KESTOVA||3||RELOCATE||", {"Relocate timer", Op, "", 3}},
        {"||KESTOVA||3||CLEARDESKTOP||", {"Clear desktop", Op, "", 3}},
        {"||KESTOVA||3||CHANGENAME|COUNTER-7||", {"Rename to \"COUNTER-7\"", Op, "", 3}},
        {"||KESTOVA||3||MESSAGE|Closing in 10 minutes||||",
         {"Message \"Closing in 10 minutes\"", Op, "", 3}},
        {"||KESTOVA||3||MESSAGE|||||", {"Clear message", Op, "", 3}},
        {"||KESTOVA||3||FLY||", {"Client command \"FLY\"", Op, "", 3}},
        // The all-clients message, without the leading bars.
        {"KESTOVA||2||MESSAGE|Closing||||", {"Message \"Closing\"", Op, "", 2}},
        // These two number the client by its grid row: row 5 is port 4.
        {"||F-DISCONNECT||5||", {"Reconnect", Op, "", 4}},
        {"||F-UPDATE||5||", {"Send the café's settings", Op, "", 4}},
        // A number the server cannot read addresses no port.
        {"||F-LOGOFF||x||", {"Log off", Op, "", std::nullopt}},
        {"||F-DISCONNECT||0||", {"Reconnect", Op, "", std::nullopt}},
    };
    for (const Case& c : cases) {
        ExpectRecorded(c);
    }
}

TEST(AuditedCommand, CafeWideSwitchesAndMessagesNameNoClient) {
    const Case cases[] = {
        {"||F-PAUSEALL||||", {"Pause all clients"}},
        {"||F-UNPAUSEALL||||", {"Resume all clients"}},
        {"||F-RESET||||", {"Reconnect all clients"}},
        {"||F-DISLOG||||", {"Switch client logging"}},
        {"||F-ALLOWPAUSE||||", {"Switch pausing by clients"}},
        {"||F-ALLOWTIME||||", {"Switch adding tickets"}},
        {"||F-DISMESS||||", {"Switch client messages"}},
        {"||F-BROADCAST||||", {"Search for clients"}},
        {"||SMESSAGE||KESTOVA: till is short by 5||",
         {"Message to the server \"till is short by 5\""}},
        {"||F-TELEPORT||3||", {"Unrecognised command \"F-TELEPORT\""}},
    };
    for (const Case& c : cases) {
        ExpectRecorded(c);
    }
}

TEST(AuditedCommand, TicketsNameTheirGroupAndTheStaffMember) {
    const Case cases[] = {
        {"||POSTICKET||60|3|100|False|1|0|JOHN||",
         {"Ticket batch: 3 x 60 min at 100, time tickets", Staff, "JOHN"}},
        {"||POSTICKET||30|1|2.5|True|0|1|MARY||",
         {"Ticket batch: 1 x 30 min at 2.5, VIP, used once", Staff, "MARY"}},
        {"||POSTICKET||30|1||", {"Ticket batch \"30|1\"", Pos}},
        {"||POSTICKET||FALSE||GRP000000001||",
         {"Delete ticket batch", Pos, "", std::nullopt, "GRP000000001"}},
        {"||POSTICKET||FALSE||", {"Cancel the ticket batch request", Pos}},
        {"||ACTIVATE1||AB12CD-JOHN||", {"Activate the ticket of user AB12CD", Staff, "JOHN"}},
        {"||DEACTIVATE1||AB-12CD-JOHN||", {"Deactivate the ticket of user AB-12CD", Staff, "JOHN"}},
        {"||ACTIVATE2||GRP000000001-007-JOHN||",
         {"Activate ticket 007", Staff, "JOHN", std::nullopt, "GRP000000001"}},
        {"||DEACTIVATE2||GRP-0001-XYZ-007-MARY||",
         {"Deactivate ticket 007", Staff, "MARY", std::nullopt, "GRP-0001-XYZ"}},
        {"||MACTIVATE1||GRP000000001-JOHN||",
         {"Activate every ticket of the group", Staff, "JOHN", std::nullopt, "GRP000000001"}},
        {"||MDEACTIVATE1||GRP000000001-JOHN||",
         {"Deactivate every ticket of the group", Staff, "JOHN", std::nullopt, "GRP000000001"}},
        {"||MACTIVATE2||GRP000000001-001-010-JOHN||",
         {"Activate tickets 001 to 010", Staff, "JOHN", std::nullopt, "GRP000000001"}},
        {"||MDEACTIVATE2||GRP000000001-001-010-JOHN||",
         {"Deactivate tickets 001 to 010", Staff, "JOHN", std::nullopt, "GRP000000001"}},
        {"||ACTIVATE1||NODASH||", {"Activate ticket \"NODASH\"", Pos}},
        {"||MACTIVATE2||GRP000000001-001||", {"Activate tickets \"GRP000000001-001\"", Pos}},
    };
    for (const Case& c : cases) {
        ExpectRecorded(c);
    }
}

TEST(AuditedCommand, RequestsThatChangeNothingAreNotRecorded) {
    for (const char* request : {
             "UPDATE||||",
             "||UPDATE||||",
             "||UPDATE||",
             "||YESCONNECT||||",
             "AUTHENTICATING||FALSE||STATE||Authenticating ..||LOCALIP||[127.0.0.1]||"
             "LOCALHOSTNAME||Kestova[till]||",
             "||KESTOVA-INFO||3||",
             "||F-UPDATEPOS||JOHN||",
             "||F-TICKET1||AB12CD||",
             "||F-TICKET2||GRP000000001-007||",
             "||F-SEARCH||AB12CD||",
             "||F-POSSUMMARY||JOHN||",
             "||F-REPORTSUMMARY||01/Dec/2026||",
             "||F-REPORTSUMMARY2||01/Dec/2026||",
             "",
             "||||",
         }) {
        EXPECT_FALSE(AuditedCommandOf(request).has_value()) << request;
    }
}

TEST(AuditedCommand, LogInsAreRecordedUnderTheNameTheyCarryWithThePasswordMasked) {
    const auto login = AuditedCommandOf("||F-LOGIN||Username = 'CLERK' and Password = 'clerk'||");
    ASSERT_TRUE(login.has_value());
    EXPECT_EQ(login->what, "Operator log-in");
    EXPECT_EQ(login->sender, Sender::OperatorLogIn);
    EXPECT_EQ(login->name, "CLERK");
    EXPECT_EQ(login->wire, "||F-LOGIN||Username = 'CLERK' and Password = '****'||");

    const auto signIn = AuditedCommandOf("||F-POSLOG||Username = 'JOHN' and Password = 'john'||");
    ASSERT_TRUE(signIn.has_value());
    EXPECT_EQ(signIn->what, "Staff sign-in");
    EXPECT_EQ(signIn->sender, Sender::Staff);
    EXPECT_EQ(signIn->name, "JOHN");
    EXPECT_EQ(signIn->wire, "||F-POSLOG||Username = 'JOHN' and Password = '****'||");
}

// Whatever the password and the name hold, the entry keeps only text that stands before the
// password: the masked wire is the start of the message up to "Password = '", and the name is
// taken from before the password too.
TEST(AuditedCommand, NoPasswordReachesAnyField) {
    const std::string secrets[] = {"s3cret",
                                   "",
                                   "****",
                                   "it's",
                                   "a||b",
                                   "x'||",
                                   "' and Password = 'y",
                                   "Username = 'Z'",
                                   "line\nbreak",
                                   "Grüße€"};
    const std::string names[] = {"CLERK", "Password = 'p", "a' and Password = 'b", ""};
    for (const char* keyword : {"F-LOGIN", "F-POSLOG", "f-login"}) {
        for (const std::string& name : names) {
            for (const std::string& secret : secrets) {
                const std::string wire = "||" + std::string(keyword) + "||Username = '" + name +
                                         "' and Password = '" + secret + "'||";
                const std::size_t secretAt = wire.size() - secret.size() - 3;
                const auto command = AuditedCommandOf(wire);
                ASSERT_TRUE(command.has_value()) << wire;
                ASSERT_TRUE(command->wire.ends_with("Password = '****'||")) << command->wire;
                const std::string kept = command->wire.substr(0, command->wire.size() - 7);
                EXPECT_TRUE(wire.starts_with(kept)) << command->wire;
                EXPECT_LE(kept.size(), secretAt) << command->wire;
                EXPECT_NE(wire.substr(0, secretAt).find(command->name), std::string::npos)
                    << command->name;
            }
        }
    }
}

TEST(AuditedCommand, ALogInOfAnotherFormIsMaskedWholeAfterItsKeyword) {
    const auto command = AuditedCommandOf("||F-LOGIN||admin:secret||");
    ASSERT_TRUE(command.has_value());
    EXPECT_EQ(command->wire, "||F-LOGIN||****||");
    EXPECT_EQ(command->name, "");
    EXPECT_EQ(MaskPassword("||F-POSLOG||JOHN||john||"), "||F-POSLOG||****||");
}

}  // namespace
}  // namespace kestova
