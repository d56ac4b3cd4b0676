#include "core/machine_store.h"

#include <gtest/gtest.h>

#include "core/messages.h"
#include "core/settings_table.h"
#include "tests/sim/sim_test.h"

namespace {

using namespace kestova;

constexpr std::string_view kZarnevo = "HKEY_USERS\\.default\\Software\\Zarnevo";

class MachineStore : public sim::SimTest {
protected:
    ~MachineStore() override { ReleaseMessagesWindow(); }  // a failed write's notice
    std::string file() { return files().contents(std::string(kMachineStoreFileName)); }
};

TEST(RootKeys, NamesAreRecognisedExactly) {
    EXPECT_EQ(RootKeyFromName("HKEY_CLASSES_ROOT"), 0x80000000u);
    EXPECT_EQ(RootKeyFromName("HKEY_CURRENT_USER"), 0x80000001u);
    EXPECT_EQ(RootKeyFromName("HKEY_LOCAL_MACHINE"), 0x80000002u);
    EXPECT_EQ(RootKeyFromName("HKEY_USERS"), 0x80000003u);
    EXPECT_EQ(RootKeyFromName("HKEY_PERFORMANCE_DATA"), 0x80000004u);
    EXPECT_EQ(RootKeyFromName("HKEY_CURRENT_CONFIG"), 0x80000005u);
    EXPECT_EQ(RootKeyFromName("HKEY_DYN_DATA"), 0x80000006u);
    EXPECT_EQ(RootKeyFromName("hkey_users"), 0u);
    EXPECT_EQ(RootKeyFromName("HKEY_USER"), 0u);
    EXPECT_EQ(RootKeyFromName(""), 0u);
    EXPECT_EQ(RootKeyName(kUsers), "HKEY_USERS");
    EXPECT_EQ(RootKeyName(0), "");
}

TEST(SplitKeyPath, SplitsAtTheFirstBackslash) {
    const KeyPath root = SplitKeyPath("HKEY_USERS");
    EXPECT_EQ(root.root, kUsers);
    EXPECT_EQ(root.subKey, "");
    const KeyPath zarnevo = SplitKeyPath(kZarnevo);
    EXPECT_EQ(zarnevo.root, kUsers);
    EXPECT_EQ(zarnevo.subKey, ".default\\Software\\Zarnevo");
    EXPECT_EQ(SplitKeyPath("HKEY_NOPE\\Software").root, 0u);
    EXPECT_EQ(SplitKeyPath("HKEY_NOPE\\Software").subKey, "Software");
}

TEST(SplitKeyPath, RefusesPathsWithoutRootOrWithATrailingBackslash) {
    for (const char* path :
         {"Software\\Zarnevo", "hkey_users\\x", "HKEY_USERS\\.default\\", "", "\\", "HKEY"}) {
        const KeyPath refused = SplitKeyPath(path);
        EXPECT_EQ(refused.root, 0u) << path;
        EXPECT_EQ(refused.subKey, path);
    }
}

TEST_F(MachineStore, MissingKeyReadsErrorAndWriteBeforeCreateWritesNothing) {
    EXPECT_EQ(ReadRegistryString(kZarnevo, "ServerIP"), "Error");
    WriteRegistryString(kZarnevo, "ServerIP", "127.0.0.1");
    EXPECT_EQ(ReadRegistryString(kZarnevo, "ServerIP"), "Error");
    EXPECT_EQ(files().writeCount(), 0);
}

TEST_F(MachineStore, CreateThenWriteStoresTheValueUnderItsPath) {
    CreateRegistryKey(kZarnevo);
    EXPECT_EQ(ReadRegistryString(kZarnevo, "ServerIP"), "Error") << "key without the value";
    WriteRegistryString(kZarnevo, "ServerIP", "127.0.0.1");
    EXPECT_EQ(ReadRegistryString(kZarnevo, "ServerIP"), "127.0.0.1");
    EXPECT_EQ(ReadRegistryString("HKEY_USERS\\.DEFAULT\\software\\ZARNEVO", "serverip"),
              "127.0.0.1");
    EXPECT_EQ(file(),
              "[HKEY_USERS\\.default]\n\n[HKEY_USERS\\.default\\Software]\n\n"
              "[HKEY_USERS\\.default\\Software\\Zarnevo]\nServerIP=127.0.0.1\n");
}

TEST_F(MachineStore, ParentKeysExistAndStayEmpty) {
    CreateRegistryKey(kZarnevo);
    WriteRegistryString("HKEY_USERS\\.default\\Software", "Other", "x");
    EXPECT_EQ(ReadRegistryString("HKEY_USERS\\.default\\Software", "Other"), "x");
    EXPECT_EQ(ReadRegistryString("HKEY_USERS\\.default\\Software\\Zarnevo", "Other"), "Error");
    EXPECT_EQ(ReadRegistryString("HKEY_USERS\\.default\\Softwar", "Other"), "Error");
}

TEST_F(MachineStore, AHandWrittenDeepSectionImpliesItsParents) {
    files().put(std::string(kMachineStoreFileName),
                "[HKEY_USERS\\.default\\Software\\Zarnevo]\nServerIP=127.0.0.1\n");
    WriteRegistryString("HKEY_USERS\\.default", "Seen", "yes");
    EXPECT_EQ(ReadRegistryString("HKEY_USERS\\.default", "Seen"), "yes");
    EXPECT_EQ(ReadRegistryString(settings::ServerIp.keyPath, settings::ServerIp.valueName),
              "127.0.0.1");
}

TEST_F(MachineStore, UnknownRootReadsEmptyNotError) {
    EXPECT_EQ(ReadRegistryString("HKEY_NOWHERE\\Software\\Zarnevo", "ServerIP"), "");
    EXPECT_EQ(ReadRegistryString("Software\\Zarnevo", "ServerIP"), "");
    EXPECT_EQ(ReadRegistryString("HKEY_USERS\\.default\\", "ServerIP"), "");
    CreateRegistryKey("HKEY_NOWHERE\\Software");
    SetRegistryValue(0, "Software", "Value", "x");
    EXPECT_EQ(files().writeCount(), 0);
}

TEST_F(MachineStore, LeadingSpacesAreLostTrailingOnesKept) {
    SetRegistryValue(kUsers, ".default\\Software\\Zarnevo", "ServerIP", "  127.0.0.1");
    EXPECT_EQ(ReadRegistryString(kZarnevo, "ServerIP"), "127.0.0.1");
    SetRegistryValue(kUsers, ".default\\Software\\Zarnevo", "Name", "  two words  ");
    EXPECT_EQ(ReadRegistryString(kZarnevo, "Name"), "two words  ");
    SetRegistryValue(kUsers, ".default\\Software\\Zarnevo", "Blank", "   ");
    EXPECT_EQ(ReadRegistryString(kZarnevo, "Blank"), "");
}

TEST_F(MachineStore, AValueEndsAtItsFirstZeroCharacter) {
    SetRegistryValue(kUsers, "Z", "Zero", std::string("ab\0cd", 5));
    EXPECT_EQ(ReadRegistryString("HKEY_USERS\\Z", "Zero"), "ab");
}

TEST_F(MachineStore, AValueLongerThanTheBufferReadsError) {
    SetRegistryValue(kUsers, "Z", "Fits", std::string(255, 'x'));
    SetRegistryValue(kUsers, "Z", "TooLong", std::string(256, 'x'));
    EXPECT_EQ(ReadRegistryString("HKEY_USERS\\Z", "Fits"), std::string(255, 'x'));
    EXPECT_EQ(ReadRegistryString("HKEY_USERS\\Z", "TooLong"), "Error");
    // The buffer counts characters, not the bytes of their UTF-8 form.
    std::string accented;
    for (int i = 0; i < 255; ++i) {
        accented += "\xC3\xA9";
    }
    SetRegistryValue(kUsers, "Z", "Accented", accented);
    EXPECT_EQ(ReadRegistryString("HKEY_USERS\\Z", "Accented"), accented);
}

TEST_F(MachineStore, SetValueCreatesKeysAndDeleteRemovesOnlyTheValue) {
    SetRegistryValue(kLocalMachine, "Software\\Zarnevo", "ServerIP", "127.0.0.1");
    EXPECT_EQ(ReadRegistryString("HKEY_LOCAL_MACHINE\\Software\\Zarnevo", "ServerIP"), "127.0.0.1");
    DeleteRegistryValue(kLocalMachine, "software\\zarnevo", "SERVERIP");
    EXPECT_EQ(ReadRegistryString("HKEY_LOCAL_MACHINE\\Software\\Zarnevo", "ServerIP"), "Error");
    WriteRegistryString("HKEY_LOCAL_MACHINE\\Software\\Zarnevo", "Again", "1");
    EXPECT_EQ(ReadRegistryString("HKEY_LOCAL_MACHINE\\Software\\Zarnevo", "Again"), "1")
        << "the key outlives its values";
    const int writes = files().writeCount();
    DeleteRegistryValue(kLocalMachine, "Software\\Zarnevo", "Absent");
    DeleteRegistryValue(kLocalMachine, "Software\\Nowhere", "Absent");
    DeleteRegistryValue(0, "Software\\Zarnevo", "Again");
    EXPECT_EQ(files().writeCount(), writes);
}

TEST_F(MachineStore, ValuesOnTheRootAndTheDefaultValue) {
    SetRegistryValue(kLocalMachine, "", "", "default");
    EXPECT_EQ(ReadRegistryString("HKEY_LOCAL_MACHINE", ""), "default");
    WriteRegistryString("HKEY_CURRENT_USER", "Direct", "yes");
    EXPECT_EQ(ReadRegistryString("HKEY_CURRENT_USER", "Direct"), "yes");
}

TEST_F(MachineStore, DoubledBackslashesNameTheSameKey) {
    CreateRegistryKey("HKEY_USERS\\a\\\\b");
    WriteRegistryString("HKEY_USERS\\a\\b", "V", "1");
    EXPECT_EQ(ReadRegistryString("HKEY_USERS\\a\\\\b", "V"), "1");
}

TEST_F(MachineStore, AFailingWriteLeavesTheOldFile) {
    SetRegistryValue(kUsers, ".default\\Software\\Zarnevo", "ServerIP", "127.0.0.1");
    const std::string before = file();
    files().failWrites();
    SetRegistryValue(kUsers, ".default\\Software\\Zarnevo", "ServerIP", "127.0.0.2");
    EXPECT_EQ(file(), before);
    EXPECT_EQ(ReadRegistryString(kZarnevo, "ServerIP"), "127.0.0.1");
}

TEST(FileNameOfPath, TakesTheTextAfterTheLastSeparator) {
    EXPECT_EQ(FileNameOfPath("C:\\Program Files\\Zarnevo\\Kestova.exe"), "Kestova.exe");
    EXPECT_EQ(FileNameOfPath("/opt/kestova/bin/kestova"), "kestova");
    EXPECT_EQ(FileNameOfPath("mixed/dir\\name"), "name");
    EXPECT_EQ(FileNameOfPath("kestova"), "kestova");
    EXPECT_EQ(FileNameOfPath("dir/"), "");
    EXPECT_EQ(FileNameOfPath(""), "");
}

}  // namespace
