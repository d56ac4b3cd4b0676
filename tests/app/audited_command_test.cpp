// What the audit trail records of each kind of message the console sends: the text in, the
// entry's fields out, requests that change nothing left out, and passwords never in.
#include <gtest/gtest.h>

#include "audit/audited_command.h"

namespace kestova {
namespace {

constexpr auto Op = Sender::Operator;
constexpr auto Staff = Sender::Staff;
constexpr auto Pos = Sender::StaffAtPos;
constexpr std::nullopt_t None = std::nullopt;

TEST(AuditedCommand, EveryKindOfMessageAndWhatItRecords) {
    const struct {
        const char* wire;
        const char* what;  // nullptr: not recorded
        Sender sender = Op;
        const char* name = "";
        std::optional<int> port = None;
        const char* group = "";
        const char* recordedWire = nullptr;  // nullptr: as sent
    } cases[] = {
        {"||F-ALLOCATE||1800||FALSE||3||", "Allocate 30 min", Op, "", 3},
        {"||F-ALLOCATE||90||true||0||", "Add 90 s", Op, "", 0},
        {"||F-DEALLOCATE||600||4||", "Take away 10 min", Op, "", 4},
        {"||f-pause||2||", "Pause or resume", Op, "", 2},
        {"||F-LOGOFF||4||", "Log off", Op, "", 4},
        {"||F-LOGOFF||x||", "Log off", Op, "", None},
        {"||F-ALLOWPRINT||3||", "Allow printing", Op, "", 3},
        {"||F-PREVENTPRINT||3||", "Prevent printing", Op, "", 3},
        // These two number the client by its grid row: row 5 is port 4.
        {"||F-DISCONNECT||5||", "Reconnect", Op, "", 4},
        {"||F-UPDATE||5||", "Send the café's settings", Op, "", 4},
        {"||KESTOVA||3||ENDTIMER||", "End timer", Op, "", 3},
        {"||KESTOVA||3||RELOAD||", "Restart timer only", Op, "", 3},
        {"||KESTOVA||3||RESTART||", "Restart computer", Op, "", 3},
        {"||KESTOVA||3||SHUTDOWN||", "Shut down computer", Op, "", 3},
        {"||KESTOVA||3||ENABLE||", "Enable", Op, "", 3},
        {"||KESTOVA||3||DISABLE||", "Disable", Op, "", 3},
        {"||KESTOVA||3||RELOCATE||", "Relocate timer", Op, "", 3},
        {"||KESTOVA||3||CLEARDESKTOP||", "Clear desktop", Op, "", 3},
        {"||KESTOVA||3||CHANGENAME|COUNTER-7||", "Rename to \"COUNTER-7\"", Op, "", 3},
        {"||KESTOVA||3||MESSAGE|Closing soon||||", "Message \"Closing soon\"", Op, "", 3},
        {"||KESTOVA||3||MESSAGE|||||", "Clear message", Op, "", 3},
        {"KESTOVA||2||MESSAGE|Closing||||", "Message \"Closing\"", Op, "", 2},  // to all
        {"||KESTOVA||3||FLY||", "Client command \"FLY\"", Op, "", 3},
        {"||F-PAUSEALL||||", "Pause all clients"},
        {"||F-UNPAUSEALL||||", "Resume all clients"},
        {"||F-RESET||||", "Reconnect all clients"},
        {"||F-DISLOG||||", "Switch client logging"},
        {"||F-ALLOWPAUSE||||", "Switch pausing by clients"},
        {"||F-ALLOWTIME||||", "Switch adding tickets"},
        {"||F-DISMESS||||", "Switch client messages"},
        {"||F-BROADCAST||||", "Search for clients"},
        {"||SMESSAGE||KESTOVA: till is short||", "Message to the server \"till is short\""},
        {"||F-TELEPORT||3||", "Unrecognised command \"F-TELEPORT\""},
        {"||F-LOGIN||Username = 'CLERK' and Password = 'clerk'||", "Operator log-in",
         Sender::OperatorLogIn, "CLERK", None, "",
         "||F-LOGIN||Username = 'CLERK' and Password = '****'||"},
        {"||F-POSLOG||Username = 'JOHN' and Password = 'john'||", "Staff sign-in", Staff, "JOHN",
         None, "", "||F-POSLOG||Username = 'JOHN' and Password = '****'||"},
        {"||F-LOGIN||admin:secret||", "Operator log-in", Sender::OperatorLogIn, "", None, "",
         "||F-LOGIN||****||"},
        {"||POSTICKET||60|3|100|False|1|0|JOHN||", "Ticket batch: 3 x 60 min at 100, time tickets",
         Staff, "JOHN"},
        {"||POSTICKET||30|1|2.5|True|0|1|MARY||", "Ticket batch: 1 x 30 min at 2.5, VIP, used once",
         Staff, "MARY"},
        {"||POSTICKET||FALSE||GRP000000001||", "Delete ticket batch", Pos, "", None,
         "GRP000000001"},
        {"||POSTICKET||FALSE||", "Cancel the ticket batch request", Pos},
        {"||ACTIVATE1||AB-12CD-JOHN||", "Activate the ticket of user AB-12CD", Staff, "JOHN"},
        {"||DEACTIVATE1||AB12CD-JOHN||", "Deactivate the ticket of user AB12CD", Staff, "JOHN"},
        {"||ACTIVATE2||GRP-0001-XYZ-007-MARY||", "Activate ticket 007", Staff, "MARY", None,
         "GRP-0001-XYZ"},
        {"||DEACTIVATE2||GRP000000001-007-JOHN||", "Deactivate ticket 007", Staff, "JOHN", None,
         "GRP000000001"},
        {"||MACTIVATE1||GRP000000001-JOHN||", "Activate every ticket of the group", Staff, "JOHN",
         None, "GRP000000001"},
        {"||MDEACTIVATE1||GRP000000001-JOHN||", "Deactivate every ticket of the group", Staff,
         "JOHN", None, "GRP000000001"},
        {"||MACTIVATE2||GRP000000001-001-010-JOHN||", "Activate tickets 001 to 010", Staff, "JOHN",
         None, "GRP000000001"},
        {"||MDEACTIVATE2||GRP000000001-001-010-JOHN||", "Deactivate tickets 001 to 010", Staff,
         "JOHN", None, "GRP000000001"},
        {"||ACTIVATE1||NODASH||", "Activate ticket \"NODASH\"", Pos},
        // Requests that change nothing.
        {"UPDATE||||", nullptr},
        {"||UPDATE||||", nullptr},
        {"||UPDATE||", nullptr},
        {"||YESCONNECT||||", nullptr},
        {"AUTHENTICATING||FALSE||STATE||Authenticating ..||LOCALIP||[127.0.0.1]||", nullptr},
        {"||KESTOVA-INFO||3||", nullptr},
        {"||F-UPDATEPOS||JOHN||", nullptr},
        {"||F-TICKET1||AB12CD||", nullptr},
        {"||F-TICKET2||GRP000000001-007||", nullptr},
        {"||F-SEARCH||AB12CD||", nullptr},
        {"||F-POSSUMMARY||JOHN||", nullptr},
        {"||F-REPORTSUMMARY||01/Dec/2026||", nullptr},
        {"||F-REPORTSUMMARY2||01/Dec/2026||", nullptr},
        {"", nullptr},
    };
    for (const auto& c : cases) {
        const std::optional<AuditedCommand> command = AuditedCommandOf(c.wire);
        ASSERT_EQ(command.has_value(), c.what != nullptr) << c.wire;
        if (!command) {
            continue;
        }
        EXPECT_EQ(command->what, c.what) << c.wire;
        EXPECT_EQ(command->sender, c.sender) << c.wire;
        EXPECT_EQ(command->name, c.name) << c.wire;
        EXPECT_EQ(command->port, c.port) << c.wire;
        EXPECT_EQ(command->group, c.group) << c.wire;
        EXPECT_EQ(command->wire, c.recordedWire != nullptr ? c.recordedWire : c.wire);
    }
}

// Whatever the password and the name hold, the entry keeps only text from before the password.
TEST(AuditedCommand, NoPasswordReachesAnyField) {
    for (const std::string secret :
         {"", "****", "it's", "a||b", "x'||", "' and Password = 'y", "line\nbreak", "Grüße€"}) {
        for (const std::string name : {"CLERK", "Password = 'p", "a' and Password = 'b"}) {
            const std::string wire =
                "||F-POSLOG||Username = '" + name + "' and Password = '" + secret + "'||";
            const std::size_t secretAt = wire.size() - secret.size() - 3;
            const auto command = AuditedCommandOf(wire);
            ASSERT_TRUE(command.has_value()) << wire;
            ASSERT_TRUE(command->wire.ends_with("Password = '****'||")) << command->wire;
            const std::string kept = command->wire.substr(0, command->wire.size() - 7);
            EXPECT_TRUE(wire.starts_with(kept) && kept.size() <= secretAt) << command->wire;
            EXPECT_NE(wire.substr(0, secretAt).find(command->name), std::string::npos);
        }
    }
}

}  // namespace
}  // namespace kestova
