#include <gtest/gtest.h>

#include "qt/platform/local_bus.h"

namespace {

// Notifications go to a session bus only when every way to it stays on this machine; anything
// else falls back to the tray icon.
TEST(NotifierTest, OnlyABusOverUnixSocketsIsUsed) {
    const struct {
        const char* address;
        bool used;
    } cases[] = {
        {"unix:path=/run/user/1000/bus", true},
        {"unix:abstract=/tmp/dbus-x,guid=1;unix:path=/tmp/bus;", true},
        {"", false},
        {";", false},
        {"tcp:host=192.0.2.7,port=5555", false},
        {"unix:path=/tmp/bus;tcp:host=localhost,port=1", false},
        {"nonce-tcp:host=127.0.0.1,port=1", false},
        {"autolaunch:", false},
        {"unixexec:path=/bin/dbus-bridge", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(qtplatform::isLocalBusAddress(c.address), c.used) << '"' << c.address << '"';
    }
}

}  // namespace
