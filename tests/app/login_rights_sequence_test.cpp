// Operators log off and on during the day: whatever right worked before, a log-in leaves the
// console exactly as that right gets it on a fresh start, and the logged-out state offers none of
// the last operator's commands.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>

#include "tests/app/operator_session_support.h"

namespace kestova {
namespace {

using ::testing::IsEmpty;

// Everything an operator could use: each menu item, the toolbar and the group command bar.
std::map<std::string, std::string> Offered(KestovaMain& main) {
    std::map<std::string, std::string> offered;
    auto flags = [](bool enabled, bool visible) {
        return std::string(enabled ? "E" : "-") + (visible ? "V" : "-");
    };
    for (ui::Control* control : main.Controls()) {
        if (auto* item = dynamic_cast<ui::MenuItem*>(control)) {
            offered[item->Name()] = flags(item->Enabled, item->Visible) + item->Caption.get();
        }
    }
    for (const ui::Toolbar::ToolButton& button : main.Toolbar1.Buttons()) {
        offered["Toolbar1 " + button.key] = flags(button.enabled, button.visible);
    }
    offered["Toolbar1 About"] = main.Toolbar1.ButtonMenuVisible(5, 4) ? "shown" : "hidden";
    main.Combo1_GotFocus();  // the list is filled for the right when it is first needed
    std::string commands = main.Combo1.Text.get() + ":";
    for (const std::string& command : main.Combo1.Items()) {
        commands += " " + command;
    }
    offered["Combo1"] = commands;
    const std::initializer_list<ui::Control*> bar = {&main.Option1, &main.Option2, &main.Command1,
                                                     &main.Command2};
    for (ui::Control* control : bar) {
        offered[control->Name()] = flags(control->Enabled, control->Visible);
    }
    offered["Option1 Value"] = main.Option1.Value ? "on" : "off";
    return offered;
}

// The operator uses what the right offers: every menu opened on a client, a group command chosen.
void WorkAWhile(KestovaMain& main) {
    main.ConList.SetRow(4);
    main.LoadMenu();
    main.m_Popup_Click();
    main.Combo1_GotFocus();
    if (main.Option1.Enabled) {
        main.Option1.Value = true;
        ui::Raise(main.Option1.Click);
        sim::Choose(main.Combo1, "Log Off");
    }
}

class LoginRightsSequenceTest
    : public testing::OperatorSessionTest,
      public ::testing::WithParamInterface<std::tuple<const char*, const char*>> {};

TEST_P(LoginRightsSequenceTest, ARightGetsWhatAFreshStartGivesItWhoeverWorkedBefore) {
    const auto [before, after] = GetParam();
    main.ConList.SetRow(4);
    logIn("ANN", after);
    const auto freshStart = Offered(main);

    logIn("BOB", before);
    WorkAWhile(main);
    logIn("ANN", after);

    EXPECT_EQ(Offered(main), freshStart) << after << " after " << before;
}

INSTANTIATE_TEST_SUITE_P(EveryRightAfterEveryRight, LoginRightsSequenceTest,
                         ::testing::Combine(::testing::Values("ADMINISTRATOR", "USER", "VIEWER"),
                                            ::testing::Values("ADMINISTRATOR", "USER", "VIEWER")));

class ViewerTest : public testing::OperatorSessionTest {
protected:
    // The commands of menus on the bar and of the context menu that can be chosen now.
    std::vector<std::string> choosableCommands() {
        std::vector<std::string> names;
        for (ui::Control* control : main.Controls()) {
            auto* item = dynamic_cast<ui::MenuItem*>(control);
            if (item == nullptr || item->Menu() == nullptr || !item->Enabled || !item->Visible) {
                continue;
            }
            bool reachable = true;
            for (const ui::MenuItem* menu = item->Menu(); menu != nullptr; menu = menu->Menu()) {
                reachable = reachable && menu->Enabled && (menu->Visible || menu->ContextMenu);
            }
            if (reachable) {
                names.push_back(item->Name());
            }
        }
        return names;
    }
};

TEST_F(ViewerTest, AGuestAfterTheAdministratorCanSendNoCommand) {
    logIn("ADMINISTRATOR", "ADMINISTRATOR");
    WorkAWhile(main);
    logIn("GUEST", "VIEWER");
    main.ConList.SetRow(4);
    main.LoadMenu();
    main.m_Popup_Click();

    EXPECT_THAT(choosableCommands(),
                ::testing::UnorderedElementsAre("m_refresh", "m_LogOff", "M_exit", "m_HelpTopics",
                                                "m_OnlineHelp", "m_about", "p_cancel"));
    main.Command1.DoClick();
    EXPECT_THAT(sent(), IsEmpty());
}

TEST_F(ViewerTest, ALostConnectionTakesTheLastOperatorsToolbarAndGroupCommand) {
    logIn("ADMINISTRATOR", "ADMINISTRATOR");
    WorkAWhile(main);
    ASSERT_TRUE(main.Command1.Enabled);

    server.disconnect();
    loop().runUntil([] { return KestovaCode().RightsLevel == "VIEWER"; }, 60 * 1000);
    ASSERT_EQ(KestovaCode().RightsLevel, "VIEWER");

    for (const char* key : {"Action", "Search", "Option"}) {
        EXPECT_FALSE(main.Toolbar1.Button(main.Toolbar1.IndexOfKey(key)).enabled) << key;
    }
    EXPECT_FALSE(main.Command1.Enabled);
    EXPECT_EQ(main.Combo1.ListCount(), 0) << "refilled for the viewer when next needed";
    EXPECT_EQ(main.Combo1.Text.get(), "None");
}

}  // namespace
}  // namespace kestova
