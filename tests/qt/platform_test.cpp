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

TEST_F(ConfigFolderTest, TheProgramsStoresAuditLogAndAutostartStayInItsSettingsFolder) {
    qtplatform::QtServices services;
    ASSERT_TRUE(services.files().writeAtomically("kestova.ini", "[Option]\r\nLoadStart=False\r\n"));
    EXPECT_TRUE(QFile::exists(folder.path() + "/kestova.ini"));
    EXPECT_EQ(services.files().read("kestova.ini").value(), "[Option]\r\nLoadStart=False\r\n");

    EXPECT_EQ(services.auditLog().location(), (folder.path() + "/audit.jsonl").toStdString())
        << "the audit log lies beside the settings of a console with its own folder";
    ASSERT_TRUE(services.auditLog().append("{}\n"));
    EXPECT_EQ(services.auditLog().read().value(), "{}\n");

    const std::string exported = (folder.path() + "/trail.csv").toStdString();
    ASSERT_TRUE(services.exportFiles().write(exported, "No.,Client\r\n"));
    ASSERT_TRUE(services.exportFiles().write(exported, "No.,Client\r\n1,PC4\r\n"));
    QFile csv(QString::fromStdString(exported));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(csv.readAll().toStdString(), "No.,Client\r\n1,PC4\r\n");

    ASSERT_TRUE(services.autostart().add("Kestova", "/opt/zarnevo/my kestova"));
    EXPECT_TRUE(QFile::exists(folder.path() + "/autostart/Kestova.desktop"));
    EXPECT_TRUE(services.autostart().remove("Kestova"));
    EXPECT_FALSE(services.autostart().exists("Kestova"));
}

}  // namespace
