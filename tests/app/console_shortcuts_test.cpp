// Menu shortcuts pressed right after a log-in, without opening a menu first: the items the log-in
// left disabled are set up by their menu's opening refresh and act at once; items of a menu the
// right hides never act.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "console/client_grid.h"
#include "tests/app/operator_session_support.h"

namespace kestova {
namespace {

using platform::msgbox::Yes;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ShortcutTest : public testing::OperatorSessionTest {};

TEST_F(ShortcutTest, AfterLogInEveryClientShortcutActsOnTheHighlightedClient) {
    struct Case {
        const char* keys;
        const char* input;  // typed into the input box; nullptr: none asked
        const char* question;
        const char* message;
    };
    const Case cases[] = {
        {"Ctrl+A", "5", "Add to PC4's Time?", "||F-ALLOCATE||300||TRUE||3||"},
        {"Ctrl+E", "5", "Continue to deallocate Time?", "||F-DEALLOCATE||300||3||"},
        {"Ctrl+D", nullptr, "Log Off Selected Client?", "||F-LOGOFF||3||"},
        {"Ctrl+P", nullptr, nullptr, "||F-PAUSE||3||"},
        {"Ctrl+S", "hi", nullptr, "||KESTOVA||3||MESSAGE|hi||||"},
        {"Ctrl+W", nullptr, nullptr, "||KESTOVA||3||RELOCATE||"},
        {"Ctrl+N", "PC9", nullptr, "||KESTOVA||3||CHANGENAME|PC9||"},
        {"Ctrl+C", nullptr, "Clear Desktop of PC4?", "||KESTOVA||3||CLEARDESKTOP||"},
        {"Ctrl+Q", nullptr, "Disconnect and Reconnect Client?", "||F-DISCONNECT||4||"},
    };
    logIn("ADMINISTRATOR", "ADMINISTRATOR");
    ASSERT_FALSE(main.m_allocate.Enabled) << "the log-in's refresh found no client highlighted";
    main.ConList.SetRow(4);
    for (const Case& c : cases) {
        if (c.input != nullptr) {
            dialogs().expectInputBox(::testing::_, c.input);
        }
        if (c.question != nullptr) {
            dialogs().expectMsgBox(c.question, Yes);
        }
        EXPECT_TRUE(sim::PressShortcut(main, c.keys)) << c.keys;
        EXPECT_THAT(sent(), ElementsAre(c.message)) << c.keys;
    }
}

TEST_F(ShortcutTest, LocalShortcutsActOnTheRowAndTheViewToo) {
    logIn("CLERK", "USER");
    main.ConList.SetRow(5);
    main.m_Select_Click();

    EXPECT_TRUE(sim::PressShortcut(main, "Del"));
    EXPECT_FALSE(client_grid::IsMarked(main.ConList, 5, main.BackColor));
    EXPECT_TRUE(sim::PressShortcut(main, "Shift+F4"));
    EXPECT_NE(main.ConList.ColWidth(client_grid::kState), 0);
    EXPECT_FALSE(sim::PressShortcut(main, "Shift+F9")) << "the View refresh hides Start Quota";
    EXPECT_THAT(sent(), IsEmpty());
}

TEST_F(ShortcutTest, ShortcutsOfMenusTheRightHidesDoNothing) {
    logIn("CLERK", "USER");
    main.ConList.SetRow(4);
    EXPECT_FALSE(sim::PressShortcut(main, "F12")) << "Tools is hidden for a user";
    EXPECT_FALSE(sim::PressShortcut(main, "Ctrl+A")) << "\"DisableAlloc\" withholds allocation";

    logIn("GUEST", "VIEWER");
    main.ConList.SetRow(4);
    for (const char* keys : {"Ctrl+A", "Ctrl+E", "Ctrl+P", "Ctrl+Z", "Ctrl+B",   "Ctrl+D", "Ctrl+Q",
                             "Ctrl+U", "Ctrl+S", "Ctrl+T", "Ctrl+X", "Ctrl+K",   "Ctrl+L", "Ctrl+W",
                             "Ctrl+C", "Ctrl+N", "Ctrl+F", "Del",    "Shift+F1", "F12"}) {
        EXPECT_FALSE(sim::PressShortcut(main, keys)) << keys;
    }
    EXPECT_THAT(sent(), IsEmpty());
}

}  // namespace
}  // namespace kestova
