// The server address check of the options dialog, and the port each connection attempt uses.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "connection/port_rotation.h"
#include "connection/server_address.h"
#include "core/version.h"
#include "tests/app/connection_test_support.h"

namespace kestova {
namespace {

using testing::ConsoleSimTest;

class ServerAddressTest : public ConsoleSimTest {};

TEST_F(ServerAddressTest, FourNumericPartsEachBelow255AreAccepted) {
    for (const char* address : {"127.0.0.1", "0.0.0.0", "254.254.254.254", "010.1.1.1"}) {
        EXPECT_TRUE(IsValidServerAddress(address)) << address;
    }
    EXPECT_TRUE(dialogs().shown().empty());
}

TEST_F(ServerAddressTest, APartOf255IsRefusedWithTheExample) {
    dialogs().expectMsgBox(std::string(kInvalidAddressMessage));
    EXPECT_FALSE(IsValidServerAddress("127.0.0.255"));
    EXPECT_EQ(dialogs().last().title, VersionTitle());
    EXPECT_EQ(dialogs().last().flags, platform::msgbox::OKOnly | platform::msgbox::Critical);
}

TEST_F(ServerAddressTest, AnythingButFourPlainDecimalPartsIsRefused) {
    const char* refused[] = {"127.0.1",   "127.0.0.1.5", "",          "...",
                             "127..0.1",  "-1.-1.-1.-1", "1e2.1.1.1", " 127.0.0.1",
                             "12a.0.0.1", "1000.0.0.1",  "127.0.0.1."};
    dialogs().alwaysAnswerMsgBox(std::string(kInvalidAddressMessage));
    for (const char* address : refused) {
        EXPECT_FALSE(IsValidServerAddress(address)) << '"' << address << '"';
    }
    EXPECT_EQ(dialogs().countShown(std::string(kInvalidAddressMessage)),
              static_cast<int>(std::size(refused)));
}

struct StoredAddress {
    const char* stored;
    std::set<std::string> connectedTo;  // the discovery probes included
};

class StoredAddressTest : public ConsoleSimTest,
                          public ::testing::WithParamInterface<StoredAddress> {};

// A socket looks anything but a dotted address up by name, and reads "010" as octal.
TEST_P(StoredAddressTest, OnlyADottedAddressReachesASocketAndWithoutLeadingZeros) {
    WriteRegistryString(settings::ServerIp.keyPath, settings::ServerIp.valueName,
                        GetParam().stored);
    console();
    advance(30'000);  // past the fifth attempt, which also probes
    std::set<std::string> hosts;
    for (const sim::ConnectAttempt& attempt : network().connectAttempts()) {
        hosts.insert(attempt.host);
    }
    EXPECT_EQ(hosts, GetParam().connectedTo);
}

INSTANTIATE_TEST_SUITE_P(Stored, StoredAddressTest,
                         ::testing::Values(StoredAddress{"127.0.0.300", {}},
                                           StoredAddress{"localhost", {}},
                                           StoredAddress{"127.1", {}},
                                           StoredAddress{"127.000.000.001", {"127.0.0.1"}}));

TEST(PortRotationTest, AnOffsetThatGivesNoTcpPortConnectsNowhere) {
    const PortRotation rotating;
    EXPECT_EQ(NextConnectAttempt(-2000, rotating).port, 0);
    const ConnectAttempt last = NextConnectAttempt(32767, rotating);
    EXPECT_EQ(last.port, 0) << "offset 32768 does not fit the counter";
    EXPECT_EQ(last.nextOffset, 0);
}

TEST(PortRotationTest, TheOffsetAfterTheLoopWrapsToZeroAndProbes) {
    PortRotation rotation;
    rotation.loop = 100;
    const ConnectAttempt attempt = NextConnectAttempt(100, rotation);
    EXPECT_EQ(attempt.port, 1100);
    EXPECT_EQ(attempt.nextOffset, 0);
    EXPECT_TRUE(attempt.probeDiscovery);
    EXPECT_FALSE(NextConnectAttempt(5, rotation).probeDiscovery);
    EXPECT_TRUE(NextConnectAttempt(4, rotation).probeDiscovery);
}

}  // namespace
}  // namespace kestova
