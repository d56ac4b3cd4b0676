// The serial line and the printer as the point of sale uses them: a port that can refuse to open,
// a buffer that drains at the line's speed, documents that can fail.
#include <gtest/gtest.h>

#include "tests/sim/sim_test.h"

namespace {

class SimDevicesTest : public sim::SimTest {};

TEST_F(SimDevicesTest, SerialBufferDrainsAtNineHundredSixtyBytesASecond) {
    auto port = services().createSerialPort();
    port->setPortName("/dev/ttyS0");
    ASSERT_EQ(port->open(), platform::SerialPort::OpenResult::Opened);
    port->output(std::string(1920, 'x'));
    EXPECT_EQ(port->outBufferCount(), 1920u);
    advance(1000);
    EXPECT_EQ(port->outBufferCount(), 960u);
    port->output("tail");  // queued behind what is still waiting
    EXPECT_EQ(port->outBufferCount(), 964u);
    advance(2000);
    EXPECT_EQ(port->outBufferCount(), 0u);
    EXPECT_EQ(serialLines().written("/dev/ttyS0"), std::string(1920, 'x') + "tail");
}

TEST_F(SimDevicesTest, RefusedPortStaysClosedAndDropsOutput) {
    serialLines().refuse("/dev/ttyS2");
    auto port = services().createSerialPort();
    port->setPortName("/dev/ttyS2");
    EXPECT_EQ(port->open(), platform::SerialPort::OpenResult::NotOpened);
    EXPECT_FALSE(port->isOpen());
    port->output("lost");
    EXPECT_EQ(serialLines().written("/dev/ttyS2"), "");
    EXPECT_EQ(serialLines().openAttempts(), std::vector<std::string>{"/dev/ttyS2"});
}

TEST_F(SimDevicesTest, PrintedDocumentKeepsEachLineWithItsFont) {
    auto printer = services().createPrinter();
    printer->setFont("Arial", 12, true);
    printer->printLine("TICKET");
    printer->setFont("Courier New", 9, false);
    printer->printLine("user 1234");
    ASSERT_TRUE(printer->endDoc());
    const sim::PrintedDocument& document = printers().lastDocument();
    EXPECT_EQ(document.texts(), (std::vector<std::string>{"TICKET", "user 1234"}));
    EXPECT_EQ(document.lines[0].font, (sim::PrinterFont{"Arial", 12, true}));
    EXPECT_EQ(document.lines[1].font, (sim::PrinterFont{"Courier New", 9, false}));
}

TEST_F(SimDevicesTest, FailingPrinterLosesTheDocumentAndSaysSo) {
    printers().failEndDoc();
    auto printer = services().createPrinter();
    printer->printLine("never printed");
    EXPECT_FALSE(printer->endDoc());
    EXPECT_TRUE(printers().documents().empty());
    EXPECT_EQ(printers().failedDocuments(), 1);
}

TEST_F(SimDevicesTest, MachineWithoutDefaultPrinterHasNoDeviceAndCannotPrint) {
    printers().setDeviceName("");
    auto printer = services().createPrinter();
    EXPECT_EQ(printer->deviceName(), "");
    printer->printLine("x");
    EXPECT_FALSE(printer->endDoc());
}

TEST_F(SimDevicesTest, FailedWriteKeepsThePreviousFile) {
    files().put("Kestova.ini", "[Option]\n");
    files().failWrites();
    EXPECT_FALSE(platform::services().files().writeAtomically("Kestova.ini", "half"));
    EXPECT_EQ(platform::services().files().read("Kestova.ini"), "[Option]\n");
    EXPECT_EQ(platform::services().files().read("missing.ini"), std::nullopt);
}

TEST_F(SimDevicesTest, WindowTitlesAreCountedWithoutRegardToCase) {
    instanceGuard().setWindowsTitled("Zarnevo Kestova", 2);
    EXPECT_EQ(platform::services().instanceGuard().windowsTitled("ZARNEVO KESTOVA"), 2);
    EXPECT_EQ(platform::services().instanceGuard().windowsTitled("Other"), 0);
}

}  // namespace
