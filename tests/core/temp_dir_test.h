#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace kestova::testing {

// A test with a fresh folder of its own under /tmp, removed afterwards.
class TempDirTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/kestova-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(root); }

    std::filesystem::path root;
};

}  // namespace kestova::testing
