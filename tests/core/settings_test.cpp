#include "core/settings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>

#include "core/convert.h"
#include "core/machine_store.h"
#include "core/messages.h"
#include "tests/sim/sim_test.h"

namespace {

using namespace kestova;

class SettingsStore : public sim::SimTest {
protected:
    ~SettingsStore() override { ReleaseMessagesWindow(); }  // a failed write's notice
    std::string file() { return files().contents(std::string(kSettingsFileName)); }
};

TEST_F(SettingsStore, AbsentKeysGiveTheDefaultInEveryForm) {
    EXPECT_EQ(ReadSetting("Option", "Refresh", "20"), "20");
    EXPECT_EQ(ReadSetting("Option", "Loop", 100), "100");
    EXPECT_EQ(ReadSetting("Option", "UsePort", 0), "0");
    EXPECT_EQ(ReadSetting("Option", "LoadStart", false), "False");
    EXPECT_EQ(ReadSetting("POS", "POSType", true), "True");
    EXPECT_EQ(ReadSetting("Option", "Currency", std::string("N")), "N");
    EXPECT_EQ(files().writeCount(), 0) << "reading never writes";
}

TEST_F(SettingsStore, WrittenValuesReadBackAndPersist) {
    WriteSetting("Option", "Refresh", "45");
    WriteSetting("POS", "COM", "COM3");
    EXPECT_EQ(ReadSetting("Option", "Refresh", "20"), "45");
    EXPECT_EQ(ReadSetting("POS", "COM", "COM1"), "COM3");
    EXPECT_EQ(file(), "[Option]\nRefresh=45\n\n[POS]\nCOM=COM3\n");
    EXPECT_EQ(files().writeCount(), 2);
}

TEST_F(SettingsStore, TheFileIsReadOnceUntilItChangesAndWrittenOnlyForAChange) {
    WriteSetting("Option", "Refresh", "5");
    const int reads = files().readCount();
    for (int tick = 0; tick < 100; ++tick) {
        EXPECT_EQ(ReadSetting("Option", "Refresh", "20"), "5");
    }
    EXPECT_EQ(files().readCount(), reads) << "the supervision's reads cost no parse";
    WriteSetting("option", "REFRESH", "5");
    EXPECT_EQ(files().writeCount(), 1) << "the same value again is no change";

    // A technician (or another copy of the program) edits the file: the next read sees it.
    files().put(std::string(kSettingsFileName), "[Option]\nRefresh=9\n");
    EXPECT_EQ(ReadSetting("Option", "Refresh", "20"), "9");
    EXPECT_EQ(files().readCount(), reads + 1);
}

TEST_F(SettingsStore, KeysAndSectionsIgnoreCase) {
    WriteSetting("Option", "PorTNo", "12");
    EXPECT_EQ(ReadSetting("Option", "PortNo", "10"), "12");
    WriteSetting("OPTION", "portno", "13");
    EXPECT_EQ(ReadSetting("option", "PORTNO", "10"), "13");
    WriteSetting("Settings", "UPRate", "900");
    EXPECT_EQ(ReadSetting("Settings", "UpRate", 0), "900");
    EXPECT_EQ(ReadSetting("Settings", "UPRATE", 0), "900");
    EXPECT_EQ(file(), "[Option]\nPorTNo=13\n\n[Settings]\nUPRate=900\n");
}

TEST_F(SettingsStore, TruthValuesRoundTripThroughTheirText) {
    WriteSetting("Option", "DisableMessage", BoolText(true));
    EXPECT_EQ(ToTruth(ReadSetting("Option", "DisableMessage", false)), true);
    WriteSetting("Option", "DisableMessage", BoolText(false));
    EXPECT_EQ(ToTruth(ReadSetting("Option", "DisableMessage", true)), false);
}

TEST_F(SettingsStore, AwkwardValuesReadBackExactly) {
    const std::string values[] = {"  padded  ", "a=b=c",      "\"quoted\"",
                                  "two\nlines", "C:\\path\\", ""};
    for (const std::string& value : values) {
        WriteSetting("Option", "Address", value);
        EXPECT_EQ(ReadSetting("Option", "Address", "default"), value);
    }
}

TEST_F(SettingsStore, AFailingWriteLeavesTheOldFileAndNeverThrows) {
    WriteSetting("Option", "Refresh", "30");
    const std::string before = file();
    files().failWrites();
    EXPECT_NO_THROW(WriteSetting("Option", "Refresh", "99"));
    EXPECT_EQ(file(), before);
    EXPECT_EQ(ReadSetting("Option", "Refresh", "20"), "30");
}

// Both stores report nothing to their callers, so the operator hears of it: once, and again only
// after a write went through in between.
TEST_F(SettingsStore, AFailingWriteIsToldOnceUntilAWriteSucceeds) {
    const auto notice = [](std::string_view fileName) {
        return "The settings file " + std::string(fileName) +
               " cannot be written: changes to the settings are not kept until it can be.\r\n";
    };
    WriteSetting("Option", "Refresh", "20");
    SetRegistryValue(kUsers, ".default\\Software\\Zarnevo", "ServerIP", "127.0.0.1");
    files().failWrites();
    WriteSetting("Option", "Refresh", "30");
    WriteSetting("Option", "Loop", "5");
    SetRegistryValue(kUsers, ".default\\Software\\Zarnevo", "ServerIP", "127.0.0.2");
    EXPECT_EQ(MessagesWindow().Text1.Text.get(),
              notice(kSettingsFileName) + notice(kMachineStoreFileName));
    EXPECT_EQ(MessagesWindow().Caption.get(), kKestovaServerMessagesTitle);
    files().failWrites(false);
    WriteSetting("Option", "Refresh", "30");
    files().failWrites();
    WriteSetting("Option", "Refresh", "40");
    EXPECT_THAT(MessagesWindow().Text1.Text.get(), ::testing::EndsWith(notice(kSettingsFileName)));
}

TEST_F(SettingsStore, AHostileFileIsReadAroundAndRepairedByTheNextWrite) {
    files().put(
        std::string(kSettingsFileName),
        std::string("garbage") + '\0' + "\xFF\n[Option\nRefresh=\"unclosed\n[Option]\nLoop=7\n");
    EXPECT_EQ(ReadSetting("Option", "Refresh", "20"), "20");
    EXPECT_EQ(ReadSetting("Option", "Loop", "100"), "7");
    WriteSetting("Option", "Refresh", "25");
    EXPECT_EQ(file(), "[Option]\nLoop=7\nRefresh=25\n");
}

TEST_F(SettingsStore, TheTableGivesSectionKeyAndDefault) {
    EXPECT_EQ(settings::Refresh.section, "Option");
    EXPECT_EQ(settings::Refresh.key, "Refresh");
    EXPECT_EQ(ReadSetting(settings::Refresh), "20");
    EXPECT_EQ(ReadSetting(settings::PosType), "True");
    EXPECT_EQ(ReadSetting(settings::ClientIpWidth), "1300");
    EXPECT_EQ(ReadSetting(settings::UsernameWidth, "1500"), "1500");
    WriteSetting(settings::PortNo, "11");
    EXPECT_EQ(ReadSetting("option", "PORTNO", "10"), "11");
    EXPECT_EQ(ReadSetting(settings::PortNoWidth), "0") << "the column width is another section";
}

TEST(SettingsTable, DefaultsConvertAsTheirKindsSay) {
    using settings::Kind;
    const settings::Setting all[] = {settings::Refresh,
                                     settings::Loop,
                                     settings::UsePort,
                                     settings::PortNo,
                                     settings::LoadStart,
                                     settings::Colour,
                                     settings::DisableAlloc,
                                     settings::DisableMessage,
                                     settings::Download,
                                     settings::DownType,
                                     settings::QuickTicket,
                                     settings::Expire,
                                     settings::ExLog,
                                     settings::ExType,
                                     settings::Currency,
                                     settings::Title,
                                     settings::Address,
                                     settings::PosType,
                                     settings::Com,
                                     settings::PosSpeed,
                                     settings::STitle,
                                     settings::Type,
                                     settings::SGroup,
                                     settings::SUserL,
                                     settings::SAddr,
                                     settings::SPassL,
                                     settings::UsernameWidth,
                                     settings::InformationWidth,
                                     settings::StateWidth,
                                     settings::ClientIpWidth,
                                     settings::LogInTimeWidth,
                                     settings::PortNoWidth,
                                     settings::LQuotaWidth,
                                     settings::OldQuotaWidth,
                                     settings::DownRateWidth,
                                     settings::UpRateWidth,
                                     settings::NewQuotaWidth,
                                     settings::StartQuotaWidth,
                                     settings::ShowAll};
    std::set<std::string> seen;
    for (const settings::Setting& setting : all) {
        std::string name = std::string(setting.section) + "/" + std::string(setting.key);
        for (char& c : name) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        EXPECT_TRUE(seen.insert(name).second) << "twice in the table: " << name;
        if (!setting.hasDefault) {
            EXPECT_EQ(setting.kind, Kind::Width) << name;
            continue;
        }
        switch (setting.kind) {
            case Kind::Truth:
                EXPECT_TRUE(ToTruth(setting.defaultText)) << name;
                break;
            case Kind::WholeNumber:
            case Kind::Width:
            case Kind::Seconds:
                EXPECT_TRUE(ToWholeNumber(setting.defaultText)) << name;
                break;
            case Kind::Number:
                EXPECT_TRUE(IsNumeric(setting.defaultText)) << name;
                break;
            case Kind::Text:
                break;
        }
    }
    EXPECT_EQ(settings::Title.defaultText.substr(0, 17), "Zarnevo Kestova v");
    EXPECT_EQ(
        std::count(settings::Title.defaultText.begin(), settings::Title.defaultText.end(), '.'), 2);
}

}  // namespace
