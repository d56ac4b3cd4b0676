// An operator commands a client of the demo café through the console on the Qt platform, against
// the real zarnevo-server on loopback, and sees each change come back in the grid.

#include <gtest/gtest.h>

#include "connection/server_link.h"
#include "console/client_grid.h"
#include "core/audit/log_lines.h"
#include "core/audit/verify.h"
#include "platform/services.h"
#include "tests/e2e/console/cafe_server.h"
#include "tests/e2e/console/console_under_test.h"
#include "tests/e2e/console/wait.h"

namespace kestova::e2e {
namespace {

using platform::msgbox::Yes;
namespace grid = client_grid;

TEST(ConsoleCommandsTheCafe, AllocatePauseRenameAndMessageReachTheClientAndTheServer) {
    CafeServer server{12};
    ASSERT_TRUE(server.start()) << server.log();
    ConsoleUnderTest console(server.portOffset());
    ASSERT_TRUE(console.startUp());
    KestovaMain& main = console.main();
    ASSERT_TRUE(WaitUntil([&] { return Server().IsGreeted() && !console.shownClients().empty(); }));
    ASSERT_EQ(console.logIn("ADMINISTRATOR", "admin"), "Loading Completed.");

    const std::optional<int> ready = console.readyClient();
    ASSERT_TRUE(ready) << "the demo café has no free client";
    const int row = *ready;
    const std::string name = main.ConList.TextMatrix(row, grid::kClientName);
    auto cell = [&](int column) { return main.ConList.TextMatrix(row, column); };
    main.ConList.SetRow(row);

    console.dialogs().expectInputBox("Enter minutes to allocate to " + name, "30");
    console.dialogs().expectMsgBox("Continue to Allocate Time?", Yes);
    main.m_allocate.DoClick();
    EXPECT_TRUE(WaitUntil([&] { return cell(grid::kInformation) == "Logged in"; }));
    EXPECT_EQ(cell(grid::kTime), "00:30");
    EXPECT_EQ(main.StatusBar1.PanelText(5), "30mins Allocated to " + name + ".");

    main.m_Pause.DoClick();
    EXPECT_TRUE(WaitUntil([&] { return cell(grid::kInformation) == "Paused"; }));

    console.dialogs().expectInputBox("Enter new name for Computer Name " + name, "COUNTER-7");
    main.m_ChangCName.DoClick();
    EXPECT_TRUE(WaitUntil([&] { return cell(grid::kClientName) == "COUNTER-7"; }));

    console.dialogs().expectInputBox("Enter Message to Send to Server?", "till is short by 5");
    main.m_messServer.DoClick();
    EXPECT_TRUE(WaitUntil([&] {
        return server.log().find("KESTOVA: till is short by 5") != std::string::npos;
    })) << server.log();
    EXPECT_TRUE(console.dialogs().allAnswered());

    // The log-in and every change are in the audit log on the disk, chained, and the password
    // is not. (A slow answer brings the log-in request again: each one is an entry.)
    const std::string log = platform::services().auditLog().read().value_or("");
    EXPECT_TRUE(audit::Verify(log).intact()) << log;
    EXPECT_EQ(log.find("'admin'"), std::string::npos) << log;
    std::vector<std::string> done;
    for (const audit::LoggedEntry& logged : audit::EntriesOf(log)) {
        EXPECT_EQ(logged.entry.who, "ADMINISTRATOR");
        if (logged.entry.what != "Operator log-in") {
            done.push_back(logged.entry.what + " " + logged.entry.client);
        }
    }
    EXPECT_EQ(done, (std::vector<std::string>{"Allocate 30 min " + name, "Pause or resume " + name,
                                              "Rename to \"COUNTER-7\" " + name,
                                              "Message to the server \"till is short by 5\" "}));
}

}  // namespace
}  // namespace kestova::e2e
