#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "qt/platform/autostart.h"
#include "qt/platform/file_store.h"
#include "qt/platform/serial_port.h"

namespace {

TEST(SerialPortNameTest, ClassicNamesMapToSerialDevicesAndPathsStay) {
    using qtplatform::QtSerialPort;
    EXPECT_EQ(QtSerialPort::devicePath("COM1"), "/dev/ttyS0");
    EXPECT_EQ(QtSerialPort::devicePath("com12"), "/dev/ttyS11");
    EXPECT_EQ(QtSerialPort::devicePath("/dev/pts/7"), "/dev/pts/7");
    EXPECT_EQ(QtSerialPort::devicePath("ttyUSB0"), "ttyUSB0");
    EXPECT_EQ(QtSerialPort::devicePath("COM0"), "COM0");  // there is no line 0
}

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

TEST_F(ConfigFolderTest, FileStoreWritesWholeFilesAndRefusesToLeaveItsFolder) {
    qtplatform::QtFileStore store;
    EXPECT_FALSE(store.read("kestova.ini").has_value());
    ASSERT_TRUE(store.writeAtomically("kestova.ini", "[Option]\r\nLoadStart=False\r\n"));
    EXPECT_EQ(store.read("kestova.ini").value(), "[Option]\r\nLoadStart=False\r\n");
    ASSERT_TRUE(store.writeAtomically("kestova.ini", "short"));
    EXPECT_EQ(store.read("kestova.ini").value(), "short");

    EXPECT_FALSE(store.writeAtomically("../escaped.ini", "x"));
    EXPECT_FALSE(QFile::exists(folder.path() + "/../escaped.ini"));
}

TEST_F(ConfigFolderTest, AutostartEntryIsADesktopFileThatComesAndGoes) {
    qtplatform::QtAutostart autostart;
    EXPECT_FALSE(autostart.exists("Kestova"));
    ASSERT_TRUE(autostart.add("Kestova", "/opt/zarnevo/my kestova"));
    EXPECT_TRUE(autostart.exists("Kestova"));

    QFile entry(qtplatform::QtAutostart::entryPath("Kestova"));
    EXPECT_TRUE(entry.fileName().startsWith(folder.path()));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QString content = QString::fromUtf8(entry.readAll());
    EXPECT_TRUE(content.contains("Name=Kestova\n")) << content.toStdString();
    EXPECT_TRUE(content.contains("Exec=\"/opt/zarnevo/my kestova\"\n")) << content.toStdString();

    EXPECT_TRUE(autostart.remove("Kestova"));
    EXPECT_FALSE(autostart.exists("Kestova"));
    EXPECT_TRUE(autostart.remove("Kestova"));  // removing what is not there is no failure
}

}  // namespace
