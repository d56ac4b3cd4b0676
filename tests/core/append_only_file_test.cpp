// The audit log's file on the disk: created private, appended to at its end only, read whole,
// and what a full disk leaves of an append.
#include "platform/append_only_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>

#include "tests/core/temp_dir_test.h"

namespace {

namespace fs = std::filesystem;

class AppendOnlyFileTest : public kestova::testing::TempDirTest {
protected:
    static unsigned permissions(const fs::path& path) {
        struct stat status {};
        return ::stat(path.c_str(), &status) == 0 ? status.st_mode & 0777 : 0;
    }
};

TEST_F(AppendOnlyFileTest, AppendsGoToTheEndOfAPrivateFileThatTheFirstOneCreates) {
    platform::AppendOnlyFile file(root / "share" / "kestova" / "audit.jsonl");
    EXPECT_EQ(file.read(), "") << "a log not written yet reads empty";
    ASSERT_TRUE(file.append("first\npart of a line"));
    ASSERT_TRUE(file.append("\nnext\n"));
    EXPECT_EQ(file.read(), "first\npart of a line\nnext\n");
    EXPECT_EQ(permissions(root / "share" / "kestova" / "audit.jsonl"), 0600u);
    EXPECT_EQ(permissions(root / "share" / "kestova"), 0700u);

    fs::create_directories(root / "folder.jsonl");  // a folder where the file should be
    EXPECT_FALSE(platform::AppendOnlyFile(root / "folder.jsonl").read());
    EXPECT_FALSE(platform::AppendOnlyFile(root / "folder.jsonl").append("x\n"));
}

TEST_F(AppendOnlyFileTest, AFullDiskFailsTheAppendAndKeepsWhatFitted) {
    platform::AppendOnlyFile file(root / "audit.jsonl");
    ASSERT_TRUE(file.append("0123456789\n"));
    // Make the disk "full" for this process: writes past 16 bytes fail instead of signalling.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 16;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool appended = file.append("abcdefghijklmnop\n");
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_FALSE(appended);
    EXPECT_EQ(file.read(), "0123456789\nabcde") << "a part of the append is left, as after a kill";
}

}  // namespace
