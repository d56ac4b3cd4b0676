// Port names as the program shows them and the devices a technician maps them to.
#include "core/serial_ports.h"

#include <gtest/gtest.h>

#include "core/settings.h"
#include "tests/sim/sim_test.h"

namespace {

using namespace kestova;

class SerialPortsTest : public sim::SimTest {};

TEST_F(SerialPortsTest, OnlyTheLastCharacterNamesThePort) {
    const std::vector<std::pair<std::string, int>> names = {
        {"COM1", 1}, {"COM3", 3}, {"COM", 1}, {"COMX", 1}, {"", 1}, {"COM12", 2}, {"COM10", 0},
    };
    for (const auto& [name, number] : names) {
        EXPECT_EQ(PortNumberOf(name), number) << name;
    }
}

TEST_F(SerialPortsTest, APortIsItsSerialLineUnlessKestovaIniMapsItElsewhere) {
    EXPECT_EQ(SerialDeviceOf(1), "/dev/ttyS0");
    EXPECT_EQ(SerialDeviceOf(4), "/dev/ttyS3");
    EXPECT_EQ(SerialDeviceOf(0), "") << "no port has the number 0";
    WriteSetting("ports", "com2", "/dev/ttyUSB0");
    EXPECT_EQ(SerialDeviceOf(2), "/dev/ttyUSB0");
    EXPECT_EQ(SerialDeviceOf(3), "/dev/ttyS2");
}

}  // namespace
