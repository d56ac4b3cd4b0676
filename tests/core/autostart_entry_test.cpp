#include "core/autostart_entry.h"

#include <gtest/gtest.h>

#include "tests/sim/sim_test.h"

namespace {

using namespace kestova;

TEST(AutostartEntry, NameDropsOnlyARealExeEnding) {
    EXPECT_EQ(AutostartEntryName("C:\\Zarnevo\\Kestova.exe"), "Kestova");
    EXPECT_EQ(AutostartEntryName("C:\\Zarnevo\\KESTOVA.EXE"), "KESTOVA");
    EXPECT_EQ(AutostartEntryName("/opt/kestova/bin/kestova"), "kestova");
    EXPECT_EQ(AutostartEntryName("/opt/kestova/bin/kest"), "kest") << "no ending, nothing cut";
    EXPECT_EQ(AutostartEntryName("/opt/app.exe.bak"), "app.exe.bak");
    EXPECT_EQ(AutostartEntryName("/opt/.exe"), ".exe");
}

class AutostartEntryOnTheDesktop : public sim::SimTest {};

TEST_F(AutostartEntryOnTheDesktop, AddCreatesTheEntryWithTheFullPathAndRemoveDeletesIt) {
    const auto& entries = autostart().entries();
    AddAutostartEntry("C:\\Zarnevo\\Kestova.exe");
    ASSERT_EQ(entries.count("Kestova"), 1u);
    EXPECT_EQ(entries.at("Kestova"), "C:\\Zarnevo\\Kestova.exe");
    AddAutostartEntry("/opt/kestova/bin/kestova");
    EXPECT_EQ(entries.at("kestova"), "/opt/kestova/bin/kestova");
    RemoveAutostartEntry("C:\\Zarnevo\\Kestova.exe");
    EXPECT_EQ(entries.count("Kestova"), 0u);
    EXPECT_EQ(entries.size(), 1u);
}

}  // namespace
