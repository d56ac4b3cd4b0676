#include "server/host/server_options.h"

#include <gtest/gtest.h>

namespace zarnevo {
namespace {

std::variant<ServerOptions, ExitRequest> Parse(QStringList arguments) {
    arguments.prepend(QStringLiteral("zarnevo-server"));
    return ParseServerOptions(arguments, QStringLiteral("/data/zarnevo/zarnevo.db"));
}

ServerOptions Accepted(const QStringList& arguments) {
    auto parsed = Parse(arguments);
    if (const auto* exit = std::get_if<ExitRequest>(&parsed)) {
        ADD_FAILURE() << arguments.join(' ').toStdString() << ": " << exit->text.toStdString();
        return {};
    }
    return std::get<ServerOptions>(parsed);
}

ExitRequest Refused(const QStringList& arguments) {
    auto parsed = Parse(arguments);
    if (!std::holds_alternative<ExitRequest>(parsed)) {
        ADD_FAILURE() << arguments.join(' ').toStdString() << " was accepted";
        return {};
    }
    return std::get<ExitRequest>(parsed);
}

TEST(ServerOptions, DefaultsServeLoopbackOnPort1000WithTwentySlots) {
    const ServerOptions options = Accepted({});
    EXPECT_EQ(options.consolePort(), 1000);
    EXPECT_EQ(options.listen, QHostAddress(QHostAddress::LocalHost));
    EXPECT_FALSE(options.discovery);
    EXPECT_EQ(options.discoveryPort, 999);
    EXPECT_EQ(options.engine.slots, 20);
    EXPECT_FALSE(options.engine.demo);
    EXPECT_EQ(options.engine.seed, 1u);
    EXPECT_DOUBLE_EQ(options.engine.speed, 1.0);
    EXPECT_FALSE(options.engine.posGeneration.has_value()) << "the stored switch stays";
    EXPECT_EQ(options.databasePath, "/data/zarnevo/zarnevo.db");
}

TEST(ServerOptions, EveryOptionIsRead) {
    const ServerOptions options = Accepted(
        {"--port-offset", "31000", "--listen", "0.0.0.0", "--discovery", "--slots", "255", "--demo",
         "--seed", "42", "--speed", "2.5", "--db", ":memory:", "--pos-window", "operations"});
    EXPECT_EQ(options.consolePort(), 31999);
    EXPECT_EQ(options.listen, QHostAddress(QHostAddress::AnyIPv4));
    EXPECT_TRUE(options.discovery);
    EXPECT_EQ(options.engine.slots, 255);
    EXPECT_TRUE(options.engine.demo);
    EXPECT_EQ(options.engine.seed, 42u);
    EXPECT_DOUBLE_EQ(options.engine.speed, 2.5);
    EXPECT_EQ(options.engine.posGeneration, false);
    EXPECT_EQ(Accepted({"--pos-window", "generation"}).engine.posGeneration, true);
    EXPECT_EQ(options.databasePath, ":memory:");
}

TEST(ServerOptions, ValuesOutOfRangeAreRefusedWithTheOptionNamed) {
    const std::vector<std::pair<QStringList, QString>> cases{
        {{"--port-offset", "0"}, "--port-offset"},
        {{"--port-offset", "64537"}, "--port-offset"},  // 999 + 64537 is past the last port
        {{"--port-offset", "ten"}, "--port-offset"},
        {{"--slots", "0"}, "--slots"},
        {{"--slots", "256"}, "--slots"},
        {{"--seed", "-1"}, "--seed"},
        {{"--speed", "0"}, "--speed"},
        {{"--speed", "nan"}, "--speed"},
        {{"--listen", "localhost.example"}, "--listen"},
        {{"--db", ""}, "--db"},
        {{"--pos-window", "sales"}, "--pos-window"},
        {{"--frobnicate"}, "frobnicate"},
        {{"extra"}, "extra"},
    };
    for (const auto& [arguments, named] : cases) {
        const ExitRequest exit = Refused(arguments);
        EXPECT_EQ(exit.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(exit.text.contains(named)) << exit.text.toStdString();
    }
}

TEST(ServerOptions, TheConsolePortMayNotBeTheSearchPort) {
    EXPECT_EQ(Refused({"--discovery", "--discovery-port", "1000"}).exitCode, 2);
    EXPECT_EQ(Accepted({"--discovery-port", "1000"}).consolePort(), 1000);  // no search, no clash
}

TEST(ServerOptions, HelpAndVersionEndWithoutError) {
    const ExitRequest help = Refused({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* option : {"--port-offset", "--listen", "--discovery", "--slots", "--demo",
                               "--seed", "--speed", "--pos-window", "--db"}) {
        EXPECT_TRUE(help.text.contains(option)) << option;
    }
    const ExitRequest version = Refused({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.text.startsWith("zarnevo-server "));
}

}  // namespace
}  // namespace zarnevo
