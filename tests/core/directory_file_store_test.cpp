#include "platform/directory_file_store.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/config_dir.h"
#include "platform/xdg_autostart.h"
#include "tests/core/temp_dir_test.h"

namespace {

namespace fs = std::filesystem;

class TempDir : public kestova::testing::TempDirTest {
protected:
    std::size_t fileCount(const fs::path& dir) const {
        std::size_t count = 0;
        for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir)) {
            ++count;
        }
        return count;
    }
};

using DirectoryStore = TempDir;

TEST_F(DirectoryStore, WritesCreateTheFolderAndReadBack) {
    platform::DirectoryFileStore store(root / "nested" / "kestova");
    EXPECT_FALSE(store.read("kestova.ini"));
    ASSERT_TRUE(store.writeAtomically("kestova.ini", "[Option]\nRefresh=20\n"));
    EXPECT_EQ(store.read("kestova.ini"), "[Option]\nRefresh=20\n");
    ASSERT_TRUE(store.writeAtomically("kestova.ini", std::string("new\0bytes", 9)));
    EXPECT_EQ(store.read("kestova.ini"), std::string("new\0bytes", 9));
    ASSERT_TRUE(store.writeAtomically("empty.ini", ""));
    EXPECT_EQ(store.read("empty.ini"), "");
    EXPECT_EQ(fileCount(root / "nested" / "kestova"), 2u) << "no temporary file is left behind";
}

TEST_F(DirectoryStore, TheStampChangesWhenTheFileIsReplacedEvenAtTheSameSize) {
    platform::DirectoryFileStore store(root);
    EXPECT_FALSE(store.stamp("kestova.ini"));
    ASSERT_TRUE(store.writeAtomically("kestova.ini", "Refresh=20"));
    const auto first = store.stamp("kestova.ini");
    ASSERT_TRUE(first);
    EXPECT_EQ(store.stamp("kestova.ini"), first);
    ASSERT_TRUE(store.writeAtomically("kestova.ini", "Refresh=30"));
    EXPECT_NE(store.stamp("kestova.ini"), first) << "a rename brings a new file";
}

TEST_F(DirectoryStore, RefusesNamesThatAreNotPlainFileNames) {
    platform::DirectoryFileStore store(root);
    for (const char* name : {"", ".", "..", "../escape.ini", "sub/file.ini", "/etc/passwd"}) {
        EXPECT_FALSE(store.writeAtomically(name, "x")) << name;
        EXPECT_FALSE(store.read(name)) << name;
    }
    EXPECT_FALSE(fs::exists(root.parent_path() / "escape.ini"));
}

TEST_F(DirectoryStore, AFailingWriteLeavesTheOldFileIntact) {
    platform::DirectoryFileStore store(root);
    ASSERT_TRUE(store.writeAtomically("kestova.ini", "old content\n"));
    // Make the disk "full" for this process: writes past 16 bytes fail instead of signalling.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 16;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = store.writeAtomically("kestova.ini", std::string(4096, 'n'));
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_FALSE(written);
    EXPECT_EQ(store.read("kestova.ini"), "old content\n");
    EXPECT_EQ(fileCount(root), 1u) << "the temporary file is removed";
}

TEST_F(DirectoryStore, AFolderThatCannotBeMadeFailsTheWrite) {
    std::ofstream(root / "blocker") << "a file where the folder should be";
    platform::DirectoryFileStore store(root / "blocker" / "kestova");
    EXPECT_FALSE(store.writeAtomically("kestova.ini", "x"));
    EXPECT_FALSE(store.read("kestova.ini"));
}

class Environment : public TempDir {
protected:
    void SetUp() override {
        TempDir::SetUp();
        for (const char* name :
             {"KESTOVA_CONFIG_DIR", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "HOME"}) {
            const char* value = std::getenv(name);
            saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
        }
        setenv("HOME", (root / "home").c_str(), 1);
        unsetenv("KESTOVA_CONFIG_DIR");
        unsetenv("XDG_CONFIG_HOME");
        unsetenv("XDG_DATA_HOME");
    }
    void TearDown() override {
        for (const auto& [name, value] : saved) {
            if (value) {
                setenv(name.c_str(), value->c_str(), 1);
            } else {
                unsetenv(name.c_str());
            }
        }
        TempDir::TearDown();
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved;
};

TEST_F(Environment, DataFolderFollowsTheVariablesInOrder) {
    EXPECT_EQ(platform::DataDirectory(), root / "home" / ".local" / "share" / "kestova");
    setenv("XDG_DATA_HOME", "relative/path", 1);
    EXPECT_EQ(platform::DataDirectory(), root / "home" / ".local" / "share" / "kestova");
    setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
    EXPECT_EQ(platform::DataDirectory(), root / "data" / "kestova");
    setenv("KESTOVA_CONFIG_DIR", (root / "own").c_str(), 1);
    EXPECT_EQ(platform::DataDirectory(), root / "own") << "beside the settings of a test or demo";
    EXPECT_FALSE(fs::exists(root / "home")) << "asking never creates the folder";
}

TEST_F(Environment, ConfigFolderFollowsTheVariablesInOrder) {
    EXPECT_EQ(platform::ConfigDirectory(), root / "home" / ".config" / "kestova");
    EXPECT_EQ(platform::AutostartDirectory(), root / "home" / ".config" / "autostart");
    setenv("XDG_CONFIG_HOME", (root / "xdg").c_str(), 1);
    EXPECT_EQ(platform::ConfigDirectory(), root / "xdg" / "kestova");
    EXPECT_EQ(platform::AutostartDirectory(), root / "xdg" / "autostart");
    setenv("KESTOVA_CONFIG_DIR", (root / "own").c_str(), 1);
    EXPECT_EQ(platform::ConfigDirectory(), root / "own");
    EXPECT_EQ(platform::AutostartDirectory(), root / "own" / "autostart")
        << "a console with its own settings folder never touches the desktop's autostart";
    setenv("KESTOVA_CONFIG_DIR", "", 1);
    setenv("XDG_CONFIG_HOME", "relative/path", 1);
    EXPECT_EQ(platform::ConfigDirectory(), root / "home" / ".config" / "kestova")
        << "empty and relative values are ignored";
    EXPECT_FALSE(fs::exists(root / "home")) << "asking never creates the folder";
}

using Autostart = TempDir;

TEST_F(Autostart, AddWritesADesktopEntryThatRemoveDeletes) {
    platform::XdgAutostart autostart(root / "autostart");
    EXPECT_FALSE(autostart.exists("kestova"));
    ASSERT_TRUE(autostart.add("kestova", "/opt/kestova/bin/kestova"));
    EXPECT_TRUE(autostart.exists("kestova"));
    std::ifstream in(root / "autostart" / "kestova.desktop");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text,
              "[Desktop Entry]\nType=Application\nName=kestova\nExec=/opt/kestova/bin/kestova\n"
              "X-GNOME-Autostart-enabled=true\n");
    EXPECT_TRUE(autostart.remove("kestova"));
    EXPECT_FALSE(autostart.exists("kestova"));
    EXPECT_TRUE(autostart.remove("kestova")) << "removing a missing entry is no error";
}

TEST_F(Autostart, ExecLineQuotesAndEscapesAwkwardPaths) {
    EXPECT_NE(platform::DesktopEntryText("k", "/opt/my apps/kestova")
                  .find("Exec=\"/opt/my apps/kestova\"\n"),
              std::string::npos);
    EXPECT_NE(platform::DesktopEntryText("k", "/opt/$x`y\"z/100%")
                  .find("Exec=\"/opt/\\\\$x\\\\`y\\\\\"z/100%%\"\n"),
              std::string::npos);
    EXPECT_NE(platform::DesktopEntryText("k", "/opt/a\\b").find("Exec=\"/opt/a\\\\\\\\b\"\n"),
              std::string::npos);
    EXPECT_EQ(platform::DesktopEntryText("k", "/opt/line\nbreak"), "");
}

TEST_F(Autostart, RefusesEntryNamesThatAreNotFileNames) {
    platform::XdgAutostart autostart(root);
    EXPECT_FALSE(autostart.add("", "/bin/true"));
    EXPECT_FALSE(autostart.add("../escape", "/bin/true"));
    EXPECT_FALSE(autostart.add("name", "/opt/line\nbreak"));
    EXPECT_FALSE(autostart.remove("../escape"));
    EXPECT_FALSE(autostart.exists(".."));
    EXPECT_EQ(fileCount(root), 0u);
}

}  // namespace
