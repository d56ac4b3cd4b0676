// What each operator right grants at login and at each activation of the main window: menus,
// command bar, the "Disable &Login" button and the toolbar.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "connection/login_rights.h"
#include "tests/app/connection_test_support.h"

namespace kestova {
namespace {

using testing::ConsoleSimTest;

class LoginRightsTest : public ConsoleSimTest {
protected:
    KestovaMain& main = console();

    // Every item the rights table touches, as "name:E" or "name:V" with its state.
    std::map<std::string, bool> granted() {
        std::map<std::string, bool> state;
        const std::vector<ui::Control*> enabledItems = {
            &main.M_disconnect, &main.m_Pause, &main.m_PauseAll,  &main.m_UnpauseAll,
            &main.m_allocate,   &main.M_Reset, &main.m_ClosePort, &main.m_Print,
            &main.m_prevent,    &main.m_Opt,   &main.Option1,     &main.Option2,
            &main.Command2};
        const std::vector<ui::Control*> visibleMenus = {
            &main.m_Controls, &main.m_Tool, &main.m_Messages, &main.m_Other,
            &main.m_View,     &main.m_Edit, &main.m_report,   &main.m_auditTrail};
        for (ui::Control* c : enabledItems) {
            state[c->Name() + ":E"] = c->Enabled;
        }
        for (ui::Control* c : visibleMenus) {
            state[c->Name() + ":V"] = c->Visible;
        }
        return state;
    }

    std::vector<bool> toolbarEnabled() {
        std::vector<bool> enabled;
        for (int button = 1; button <= main.Toolbar1.ButtonCount(); ++button) {
            enabled.push_back(main.Toolbar1.Button(button).enabled);
        }
        return enabled;
    }
    bool aboutInHelpMenu() {
        return main.Toolbar1.ButtonMenuVisible(5, 3) && main.Toolbar1.ButtonMenuVisible(5, 4);
    }
};

TEST_F(LoginRightsTest, AnAdministratorGetsEverything) {
    ApplyMenuRights(main, "administrator");
    for (const auto& [item, on] : granted()) {
        EXPECT_TRUE(on) << item;
    }
}

TEST_F(LoginRightsTest, AUserGetsTheDailyWorkButNotControlsToolsReportsOrTheAuditTrail) {
    ApplyMenuRights(main, "ADMINISTRATOR");
    ApplyMenuRights(main, "USER");
    auto state = granted();
    EXPECT_FALSE(state["m_allocate:E"]) << "\"DisableAlloc\" withholds allocation by default";
    EXPECT_FALSE(state["m_Controls:V"]);
    EXPECT_FALSE(state["m_Tool:V"]);
    EXPECT_FALSE(state["m_report:V"]);
    EXPECT_FALSE(state["m_auditTrail:V"]) << "only administrators read the audit trail";
    EXPECT_FALSE(state["M_Reset:E"]) << "not kept from the administrator before";
    EXPECT_TRUE(state["m_Opt:E"]) << "its menu and toolbar button are withheld instead";
    for (const char* item :
         {"M_disconnect:E", "m_Pause:E", "m_PauseAll:E", "m_UnpauseAll:E", "m_ClosePort:E",
          "m_Print:E", "m_prevent:E", "m_Messages:V", "m_Other:V", "m_View:V", "m_Edit:V",
          "Option1:E", "Option2:E", "Command2:E"}) {
        EXPECT_TRUE(state[item]) << item;
    }
}

TEST_F(LoginRightsTest, AUserMayAllocateWhenAllocationIsNotWithheld) {
    setOption(settings::DisableAlloc, "0");
    ApplyMenuRights(main, "USER");
    EXPECT_TRUE(main.m_allocate.Enabled);
}

TEST_F(LoginRightsTest, AViewerLosesEverythingButOptionsWhoseMenuIsHidden) {
    ApplyMenuRights(main, "ADMINISTRATOR");
    ApplyMenuRights(main, "Viewer");
    for (const auto& [item, on] : granted()) {
        EXPECT_EQ(on, item == "m_Opt:E") << item;
    }
}

TEST_F(LoginRightsTest, AnUnknownRightLeavesTheMenusAsTheyAre) {
    ApplyMenuRights(main, "ADMINISTRATOR");
    const auto before = granted();
    ApplyMenuRights(main, "GUEST");
    EXPECT_EQ(granted(), before);
}

TEST_F(LoginRightsTest, ToolbarModesEnableTheirButtonsAndCutTheHelpDropDown) {
    // Buttons: 1 Break2, 2 Action, 3 Search, 4 Option, 5 Help, 6 Break, 7 Exit.
    ApplyToolbarRights(main.Toolbar1, 0);
    EXPECT_THAT(toolbarEnabled(),
                ::testing::ElementsAre(true, false, false, false, true, true, true));
    EXPECT_FALSE(aboutInHelpMenu());

    ApplyToolbarRights(main.Toolbar1, 2);
    EXPECT_THAT(toolbarEnabled(),
                ::testing::ElementsAre(true, true, true, false, false, true, true));
    EXPECT_FALSE(aboutInHelpMenu());

    ApplyToolbarRights(main.Toolbar1, 1);
    EXPECT_THAT(toolbarEnabled(), ::testing::ElementsAre(true, true, true, true, true, true, true));
    EXPECT_TRUE(aboutInHelpMenu()) << "an administrator after a viewer gets About back";
}

TEST_F(LoginRightsTest, ActivationAppliesTheToolbarOfTheRight) {
    KestovaCode().RightsLevel = "VIEWER";
    main.Activate();
    EXPECT_FALSE(main.Toolbar1.Button(2).enabled);

    KestovaCode().RightsLevel = "user";
    KestovaCode().OperatorName = "ANN";
    main.AllowClientShutdown(false);
    main.Activate();
    EXPECT_TRUE(main.Toolbar1.Button(2).enabled);
    EXPECT_FALSE(main.Toolbar1.Button(4).enabled);
    EXPECT_FALSE(main.m_Controls.Visible);

    main.AllowClientShutdown(true);
    main.Activate();
    EXPECT_TRUE(main.m_Controls.Visible) << "the server allows shutting down";

    KestovaCode().RightsLevel = "ADMINISTRATOR";
    main.AllowClientShutdown(false);
    main.Activate();
    EXPECT_FALSE(main.m_Controls.Visible) << "an administrator right under another name";
    EXPECT_TRUE(main.Toolbar1.Button(4).enabled);

    KestovaCode().OperatorName = "administrator";
    main.Activate();
    EXPECT_TRUE(main.m_Controls.Visible);
}

}  // namespace
}  // namespace kestova
