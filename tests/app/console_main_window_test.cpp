// The main window as it loads: caption, server address, the client grid's shape, the status bar,
// the saved column views and the download columns, and the filler column.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "console/client_grid.h"
#include "core/version.h"
#include "tests/app/connection_test_support.h"

namespace kestova {
namespace {

using testing::ConsoleSimTest;
namespace grid = client_grid;

class MainWindowLoadTest : public ConsoleSimTest {
protected:
    void givenSaved(const settings::Setting& setting, std::string_view value) {
        WriteSetting(setting, value);
    }
    int width(int column) { return Main().ConList.ColWidth(column); }
};

TEST_F(MainWindowLoadTest, CaptionServerAddressAndStatusBar) {
    KestovaMain& main = console();

    EXPECT_THAT(main.Caption.get(), ::testing::StartsWith("Zarnevo Kestova version v" +
                                                          VersionNumber() + " Server Kestova"));
    EXPECT_EQ(main.m_IP.Caption.get(), "Server IP: 127.0.0.1");
    EXPECT_FALSE(main.m_IP.Enabled);
    ASSERT_EQ(main.StatusBar1.PanelCount(), 5);
    const int widths[] = {2050, 1150, 950, 1700, 2750};
    for (int panel = 1; panel <= 5; ++panel) {
        EXPECT_EQ(main.StatusBar1.PanelWidth(panel), widths[panel - 1]) << "panel " << panel;
    }
    EXPECT_EQ(main.StatusBar1.PanelText(2), "0 Connected");
    EXPECT_EQ(main.StatusBar1.PanelText(3), "0 InUse");
    EXPECT_EQ(main.StatusBar1.PanelText(4), "");
    EXPECT_EQ(main.StatusBar1.PanelText(5), "Welcome to Kestova v" + VersionNumber());
    EXPECT_EQ(main.ListenTimer.Interval(), 3000);
    EXPECT_EQ(main.Prog.Value.get(), 0);
    EXPECT_EQ(main.Prog.Max.get(), 1);
    EXPECT_FALSE(main.m_refresh.Enabled);
    EXPECT_FALSE(main.m_updateKestova.Enabled);
    EXPECT_FALSE(main.m_Popup.Visible);
}

TEST_F(MainWindowLoadTest, WithoutAStoredAddressTheBuiltInOneIsWrittenAndShown) {
    const KeyPath key = SplitKeyPath(settings::ServerIp.keyPath);
    DeleteRegistryValue(key.root, key.subKey, settings::ServerIp.valueName);
    ASSERT_EQ(ReadRegistryString(settings::ServerIp.keyPath, settings::ServerIp.valueName),
              "Error");

    Main().EnsureLoaded();  // no time passes: no connection is attempted

    EXPECT_EQ(ReadRegistryString(settings::ServerIp.keyPath, settings::ServerIp.valueName),
              settings::kDefaultServerIp);
    EXPECT_EQ(Main().m_IP.Caption.get(), "Server IP: " + std::string(settings::kDefaultServerIp));
}

TEST_F(MainWindowLoadTest, TheGridStartsWithOneHiddenSlotUnderTheHeader) {
    const ui::Grid& list = console().ConList;

    ASSERT_EQ(list.Rows(), 2);
    ASSERT_EQ(list.Cols(), 14);
    EXPECT_EQ(list.TextMatrix(1, grid::kNumber), "1.");
    EXPECT_EQ(list.RowHeight(1), 0);
    const char* headers[] = {"No.",        "Client Name", "Username",    "Time", "Information",
                             "State",      "Client IP",   "Log In Time", "Port", "Left Quota",
                             "Org. Quota", "Down. Rate",  "Up. Rate",    ""};
    for (int column = 0; column < 14; ++column) {
        EXPECT_EQ(list.TextMatrix(0, column), headers[column]) << "column " << column;
    }
    EXPECT_EQ(list.ColWidth(grid::kNumber), 350);
    EXPECT_EQ(list.ColWidth(grid::kClientName), 1300);
    EXPECT_EQ(list.ColWidth(grid::kInformation), 1635);
    EXPECT_FALSE(grid::HasClient(list, 1));
}

TEST_F(MainWindowLoadTest, WithNothingSavedStateAndPortAreHiddenAndTheOthersShown) {
    console();

    EXPECT_EQ(width(grid::kUsername), 1300);
    EXPECT_EQ(width(grid::kInformation), 1635);
    EXPECT_EQ(width(grid::kState), 0);
    EXPECT_EQ(width(grid::kClientIP), 1300);
    EXPECT_EQ(width(grid::kLogInTime), 1200);
    EXPECT_EQ(width(grid::kPort), 0);
}

TEST_F(MainWindowLoadTest, ASavedWidthOfZeroHidesAndAnyOtherNumberShowsAtTheInitialWidth) {
    givenSaved(settings::StateWidth, "1200");
    givenSaved(settings::PortNoWidth, "777");
    givenSaved(settings::UsernameWidth, "0");
    givenSaved(settings::ClientIpWidth, "0");
    givenSaved(settings::InformationWidth, "wide");  // not a number: left as it is

    console();

    EXPECT_EQ(width(grid::kState), 1200);
    EXPECT_EQ(width(grid::kPort), 500);
    EXPECT_EQ(width(grid::kUsername), 0);
    EXPECT_EQ(width(grid::kClientIP), 0);
    EXPECT_EQ(width(grid::kInformation), 1635);
}

TEST_F(MainWindowLoadTest, WithoutDownloadQuotasTheirColumnsAndItemsAreGoneWhateverWasSaved) {
    for (const settings::Setting* saved : {&settings::LQuotaWidth, &settings::OldQuotaWidth,
                                           &settings::DownRateWidth, &settings::UpRateWidth}) {
        givenSaved(*saved, "900");
    }

    KestovaMain& main = console();

    for (int column = grid::kLeftQuota; column <= grid::kUpRate; ++column) {
        EXPECT_EQ(width(column), 0) << "column " << column;
    }
    for (const ui::MenuItem* item :
         {&main.M_nQuota, &main.m_SQuota, &main.m_DRate, &main.m_UpRate}) {
        EXPECT_FALSE(item->Visible) << item->Name();
    }
}

TEST_F(MainWindowLoadTest, DownloadQuotasOfType2ShowOnlyTheRateColumnsThatWereSaved) {
    setOption(settings::Download, "True");
    givenSaved(settings::LQuotaWidth, "900");
    givenSaved(settings::DownRateWidth, "900");

    KestovaMain& main = console();

    EXPECT_EQ(width(grid::kLeftQuota), 0);
    EXPECT_EQ(width(grid::kOrgQuota), 0);
    EXPECT_EQ(width(grid::kDownRate), 900);
    EXPECT_EQ(width(grid::kUpRate), 0) << "not saved: hidden";
    EXPECT_FALSE(main.M_nQuota.Visible);
    EXPECT_FALSE(main.m_SQuota.Visible);
    EXPECT_TRUE(main.m_DRate.Visible);
    EXPECT_TRUE(main.m_UpRate.Visible);
}

TEST_F(MainWindowLoadTest, DownloadQuotasOfAnotherTypeShowTheSavedQuotaColumnsToo) {
    setOption(settings::Download, "1");
    setOption(settings::DownType, "1");
    givenSaved(settings::LQuotaWidth, "900");

    KestovaMain& main = console();

    EXPECT_EQ(width(grid::kLeftQuota), 900);
    EXPECT_EQ(width(grid::kOrgQuota), 0);
    EXPECT_TRUE(main.M_nQuota.Visible);
    EXPECT_TRUE(main.m_SQuota.Visible);
}

TEST_F(MainWindowLoadTest, TheFillerColumnTakesWhatTheColumnsLeaveOfTheGrid) {
    KestovaMain& main = console();
    int used = 0;
    for (int column = 0; column <= grid::kUpRate; ++column) {
        used += width(column);
    }

    EXPECT_EQ(width(grid::kFiller), main.ConList.Width - used - 50);

    main.ConList.Width = used - 1;
    main.RecomputeFillerColumn();
    EXPECT_EQ(width(grid::kFiller), 0);

    main.ConList.Width = used + 20;  // less than the margin: never a negative width
    main.RecomputeFillerColumn();
    EXPECT_EQ(width(grid::kFiller), 0);
}

}  // namespace
}  // namespace kestova
