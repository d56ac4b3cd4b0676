#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "qt/platform/services.h"

namespace {

// The stores and the autostart entry live under $KESTOVA_CONFIG_DIR, here a fresh folder.
class ConfigFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        previous = qgetenv("KESTOVA_CONFIG_DIR");
        qputenv("KESTOVA_CONFIG_DIR", folder.path().toUtf8());
    }
    void TearDown() override { qputenv("KESTOVA_CONFIG_DIR", previous); }

    QTemporaryDir folder;
    QByteArray previous;
};

TEST_F(ConfigFolderTest, TheProgramsStoresAndAutostartStayInItsSettingsFolder) {
    qtplatform::QtServices services;
    ASSERT_TRUE(services.files().writeAtomically("kestova.ini", "[Option]\r\nLoadStart=False\r\n"));
    EXPECT_TRUE(QFile::exists(folder.path() + "/kestova.ini"));
    EXPECT_EQ(services.files().read("kestova.ini").value(), "[Option]\r\nLoadStart=False\r\n");

    ASSERT_TRUE(services.autostart().add("Kestova", "/opt/zarnevo/my kestova"));
    EXPECT_TRUE(QFile::exists(folder.path() + "/autostart/Kestova.desktop"));
    EXPECT_TRUE(services.autostart().remove("Kestova"));
    EXPECT_FALSE(services.autostart().exists("Kestova"));
}

}  // namespace
