// The menus as they open (by rights, connection and highlighted client), the column views that
// show and hide grid columns and remember it, and the toolbar's buttons.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <utility>

#include "console/client_grid.h"
#include "console/help_about.h"
#include "console/help_window.h"
#include "core/messages.h"
#include "tests/app/connection_test_support.h"
#include "tests/app/console_test_support.h"

namespace kestova {
namespace {

using testing::ConsoleSimTest;
using testing::RecordingView;
namespace grid = client_grid;

class MenuTest : public ConsoleSimTest {
protected:
    // Connected to a server whose slot 3 holds a client, row 3 highlighted, logged in as given.
    KestovaMain& connectedAs(const std::string& rights) {
        sim::SimPeer& peer = connectedServer();
        serverSays(peer,
                   "||UPDATE||5==3==3.==PC3==john==01:20==Paused==Connected.==127.0.0.3"
                   "==10:15==1003==0==0==0==0||");
        KestovaMain& main = Main();
        main.ConList.SetRow(3);
        KestovaCode().RightsLevel = rights;
        return main;
    }
    std::string saved(const settings::Setting& setting) { return ReadSetting(setting, "absent"); }
};

TEST_F(MenuTest, AUserWithAllocationWithheldNeverGetsAllocateInTheContextMenu) {
    KestovaMain& main = connectedAs("USER");
    ASSERT_TRUE(grid::HasClient(main.ConList, 3));

    main.m_Popup_Click();
    EXPECT_FALSE(main.P_Allocate.Enabled);
    EXPECT_TRUE(main.p_dealloc.Enabled);
    EXPECT_EQ(main.P_Pause.Caption.get(), "&Unpause");

    setOption(settings::DisableAlloc, "0");
    main.m_Popup_Click();
    EXPECT_TRUE(main.P_Allocate.Enabled);
}

TEST_F(MenuTest, PrintItemsNeedTheServersPrintControlInFileButNotInTheContextMenu) {
    KestovaMain& main = connectedAs("ADMINISTRATOR");
    main.PrintControl = false;

    main.M_File_Click();
    main.m_Popup_Click();

    EXPECT_FALSE(main.m_Print.Enabled);
    EXPECT_FALSE(main.m_prevent.Enabled);
    EXPECT_TRUE(main.p_print.Enabled);
    EXPECT_TRUE(main.p_prevent.Enabled);
    EXPECT_TRUE(main.m_allocate.Enabled);
    EXPECT_EQ(main.m_Pause.Caption.get(), "&Unpause");
    EXPECT_EQ(main.ListenTimer.Interval(), 30000) << "the list is asked for less while open";

    main.PrintControl = true;
    main.M_File_Click();
    EXPECT_TRUE(main.m_Print.Enabled);
}

TEST_F(MenuTest, WithoutAClientRowTheClientCommandsAreDisabled) {
    KestovaMain& main = connectedAs("ADMINISTRATOR");
    main.ConList.SetRow(2);  // an empty slot

    main.LoadMenu();

    for (const ui::MenuItem* item :
         {&main.m_allocate, &main.m_dealloc, &main.m_Pause, &main.M_disconnect, &main.m_Select,
          &main.m_Unselect, &main.EndTimer, &main.Enable, &main.m_Clientinfo}) {
        EXPECT_FALSE(item->Enabled) << item->Name();
    }
    EXPECT_TRUE(main.m_CustonIP.Enabled);
    EXPECT_TRUE(main.m_report.Enabled);
}

TEST_F(MenuTest, AViewerMayOnlyRefreshAndLogInWhileConnected) {
    KestovaMain& main = connectedAs("VIEWER");

    main.M_File_Click();

    EXPECT_TRUE(main.m_refresh.Enabled);
    EXPECT_TRUE(main.m_LogOff.Enabled);
    EXPECT_FALSE(main.m_allocate.Enabled);
}

struct DownloadUse {
    const char* download;
    const char* downType;
    bool quotaItems;  // "&Left Quota" and "&Start Quota"
    bool rateItems;   // "&Down. Rate" and "&Up. Rate"
};

class ViewMenuTest : public MenuTest, public ::testing::WithParamInterface<DownloadUse> {};

// An item is offered wherever its column can show, so a shown column can always be hidden.
TEST_P(ViewMenuTest, OpeningViewOffersTheItemsOfTheDownloadColumnsInUse) {
    setOption(settings::Download, GetParam().download);
    setOption(settings::DownType, GetParam().downType);
    WriteSetting(settings::DownRateWidth, "900");
    KestovaMain& main = console();

    main.m_View_Click();

    EXPECT_EQ(main.M_nQuota.Visible, GetParam().quotaItems);
    EXPECT_EQ(main.m_SQuota.Visible, GetParam().quotaItems);
    EXPECT_EQ(main.m_DRate.Visible, GetParam().rateItems);
    EXPECT_EQ(main.m_UpRate.Visible, GetParam().rateItems);
    EXPECT_EQ(main.m_DRate.Checked, GetParam().rateItems);
    EXPECT_TRUE(main.m_ClientIP.Checked);
    EXPECT_FALSE(main.m_State.Checked);
    EXPECT_FALSE(main.m_all.Checked) << "State and Port are hidden at first";
}

INSTANTIATE_TEST_SUITE_P(Download, ViewMenuTest,
                         ::testing::Values(DownloadUse{"False", "1", false, false},
                                           DownloadUse{"True", "2", false, true},
                                           DownloadUse{"True", "1", true, true}));

TEST_F(MenuTest, AColumnItemShowsItsColumnAtItsOwnWidthAndRemembersIt) {
    WriteSetting(settings::UsernameWidth, "0");
    KestovaMain& main = console();
    ASSERT_EQ(main.ConList.ColWidth(grid::kUsername), 0);

    main.m_username.Click();
    EXPECT_EQ(main.ConList.ColWidth(grid::kUsername), 1500);
    EXPECT_EQ(saved(settings::UsernameWidth), "1500");

    main.m_username.Click();
    EXPECT_EQ(main.ConList.ColWidth(grid::kUsername), 0);
    EXPECT_EQ(saved(settings::UsernameWidth), "0");
}

TEST_F(MenuTest, AllHidesAFullViewForTheNextStartTooAndThenRestoresTheDefaultWidths) {
    setOption(settings::Download, "True");
    setOption(settings::DownType, "1");
    for (const settings::Setting* shown :
         {&settings::StateWidth, &settings::PortNoWidth, &settings::LQuotaWidth,
          &settings::OldQuotaWidth, &settings::DownRateWidth, &settings::UpRateWidth}) {
        WriteSetting(*shown, "900");
    }
    console().m_View_Click();
    ASSERT_TRUE(Main().m_all.Checked);
    ASSERT_EQ(Main().ConList.ColWidth(grid::kUpRate), 900);

    Main().m_all.Click();
    ReleaseProgram();
    KestovaMain& main = console();

    for (int column = grid::kUsername; column <= grid::kUpRate; ++column) {
        EXPECT_EQ(main.ConList.ColWidth(column), column == grid::kTime ? 900 : 0)
            << "column " << column;
    }

    main.m_View_Click();
    main.m_all.Click();

    const int widths[] = {350, 1300, 1300, 900, 1635, 1200, 1300, 1200, 500};
    for (int column = 0; column <= grid::kPort; ++column) {
        EXPECT_EQ(main.ConList.ColWidth(column), widths[column]) << "column " << column;
    }
    EXPECT_EQ(main.ConList.ColWidth(grid::kLeftQuota), 0);
}

TEST_F(MenuTest, ToolbarButtonsAndTheHelpDropDownRunTheirMenuItems) {
    KestovaMain& main = console();
    RecordingView view(main);
    std::vector<std::string> ran;
    main.m_HelpTopics.Click = [&] { ran.push_back("help"); };
    main.m_OnlineHelp.Click = [&] { ran.push_back("online"); };
    main.m_about.Click = [&] { ran.push_back("about"); };
    main.m_Opt.Click = [&] { ran.push_back("options"); };
    main.SearchAccount.Click = [&] { ran.push_back("search"); };
    const int help = main.Toolbar1.IndexOfKey("Help");

    main.Toolbar1.ButtonClick(main.Toolbar1.IndexOfKey("Search"));
    main.Toolbar1.ButtonClick(main.Toolbar1.IndexOfKey("Option"));
    main.Toolbar1.ButtonClick(help);
    main.Toolbar1.ButtonMenuClick(help, 2);
    main.Toolbar1.ButtonMenuClick(help, 4);
    main.Toolbar1.ButtonClick(main.Toolbar1.IndexOfKey("Action"));

    EXPECT_THAT(ran, ::testing::ElementsAre("search", "options", "help", "online", "about"));
    EXPECT_THAT(view.popups, ::testing::ElementsAre("m_Popup"));
    ASSERT_EQ(main.Toolbar1.ButtonCount(), 7);
    EXPECT_EQ(main.Toolbar1.Button(7).toolTip, "Exit Program");
}

TEST_F(MenuTest, HelpOpensTheFileBesideTheProgramAndSaysWhenNothingCouldBeOpened) {
    KestovaMain& main = console();
    main.m_HelpTopics_Click();
    main.m_OnlineHelp_Click();
    EXPECT_THAT(shell().opened(), ::testing::ElementsAre("/opt/kestova/bin/Zarnevo.html",
                                                         std::string(kOnlineHelpPage)));
    shell().failOpens();
    main.m_HelpTopics_Click();
    main.m_OnlineHelp_Click();
    const std::string& log = MessagesWindow().Text1.Text;
    EXPECT_THAT(log, ::testing::HasSubstr("Loading the help file /opt/kestova/bin/Zarnevo.html "
                                          "failed."));
    EXPECT_THAT(log, ::testing::HasSubstr("Please visit " + std::string(kOnlineHelpPage)));
    main.m_about_Click();
    EXPECT_EQ(MessagesWindow().Caption.get(), kAboutTitle);
    EXPECT_THAT(MessagesWindow().Text1.Text.get(),
                ::testing::StartsWith("Zarnevo and Kestova are trademarks"));
    MessagesWindow().Unload();
}

// Where nothing on the desktop opens the page, the console shows the one beside it (built) or
// the installed one in a window of its own.
TEST_F(MenuTest, HelpShowsThePageInAWindowOfItsOwnWhenNothingOpensIt) {
    const std::filesystem::path folder =
        std::filesystem::path(::testing::TempDir()) / "kestova-help-test";
    for (const auto& [page, program] :
         {std::pair{folder / "bin" / kHelpFileName, folder / "bin" / "kestova"},
          std::pair{folder / "share" / "kestova" / kHelpFileName, folder / "bin" / "kestova"}}) {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(program.parent_path());
        std::filesystem::create_directories(page.parent_path());
        std::ofstream(page) << "<h1>Zarnevo Help</h1>";
        services().setExecutablePath(program.string());
        shell().failOpens();
        console().m_HelpTopics_Click();
        EXPECT_TRUE(HelpWindow().Visible);
        EXPECT_EQ(std::filesystem::path(HelpWindow().Browser1.Source.get()).lexically_normal(),
                  page);
        EXPECT_TRUE(MessagesWindow().Text1.Text.get().empty()) << "no failure to tell of";
        HelpWindow().Command1.DoClick();
        EXPECT_FALSE(HelpWindow().IsLoaded());
    }
    std::filesystem::remove_all(folder);
}

TEST_F(MenuTest, TimerItemsOfTheControlMenuAreWithheldFromUsers) {
    for (const char* rights : {"ADMINISTRATOR", "USER"}) {
        KestovaMain& main = connectedAs(rights);
        main.m_Controls_Click();
        EXPECT_EQ(main.EndTimer.Enabled, std::string(rights) != "USER") << rights;
        EXPECT_EQ(main.m_ResTClientTimerOnly.Enabled, std::string(rights) != "USER") << rights;
    }
}

}  // namespace
}  // namespace kestova
