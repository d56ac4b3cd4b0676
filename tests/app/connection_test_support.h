#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "connection/server_link.h"
#include "connection/server_protocol.h"
#include "console/kestova_main.h"
#include "core/machine_store.h"
#include "core/program_state.h"
#include "core/settings.h"
#include "core/settings_table.h"
#include "core/wire/codec.h"
#include "core/wire/receive.h"
#include "core/wire/request_texts.h"
#include "program/kestova_code.h"
#include "program/startup.h"
#include "tests/sim/sim_test.h"

namespace kestova::testing {

// One client's UPDATE record on a 20-slot café: the client on loopback, user "john", 01:20 left.
inline std::string ClientRecord(int slot, const std::string& name, const std::string& information) {
    const std::string n = std::to_string(slot);
    return "||UPDATE||20==" + n + "==" + n + ".==" + name + "==john==01:20==" + information +
           "==Connected.==127.0.0." + n + "==10:15==100" + n + "==0==0==0==0||";
}

// The console on the simulated network, its server address pointed at loopback before anything
// loads, and the program's windows released after each test.
class ConsoleSimTest : public sim::SimTest {
protected:
    // The supervision's first tick comes 3 s after the main window loads.
    static constexpr sim::Ms kFirstTickMs = 3000;
    static constexpr int kFirstConsolePort = 1000;
    // Reads closer together than this are one burst of the receive path.
    static constexpr sim::Ms kSettleMs = wire::ReaderOptions{}.settleMs;

    ConsoleSimTest() {
        CreateRegistryKey(settings::ServerIp.keyPath);
        WriteRegistryString(settings::ServerIp.keyPath, settings::ServerIp.valueName, kLoopback);
    }
    ~ConsoleSimTest() override { ReleaseProgram(); }

    // The main window, loaded and in the logged-out state (its supervision timer running).
    KestovaMain& console() {
        KestovaMain& main = Main();
        if (!main.IsLoaded()) {
            EnterViewerState();
        }
        return main;
    }

    // A server on the first console port, and the console connected and greeted by it.
    sim::SimPeer& connectedServer(int port = kFirstConsolePort) {
        sim::SimListener& server = givenServerListening(port);
        console();
        loop().runUntil([&] { return Server().IsGreeted(); }, 5 * 60 * 1000);
        EXPECT_TRUE(Server().IsGreeted()) << "the console never connected to port " << port;
        sim::SimPeer& peer = server.lastPeer();
        peer.clearReceived();
        return peer;
    }

    // The server sends one message, arriving as one read; its handlers have run when this returns.
    void serverSays(sim::SimPeer& peer, std::string_view plainMessage) {
        peer.send(wire::EncodeText(plainMessage));
        advance(network().latency() + kSettleMs + 1);
    }

    // Everything the console sent to the server, one decoded message per SendData.
    static std::vector<std::string> messagesFrom(const sim::SimPeer& peer) {
        std::vector<std::string> messages;
        for (const std::string& write : peer.writes()) {
            messages.push_back(wire::DecodeText(write));
        }
        return messages;
    }

    // The same without the supervision's refresh requests, which go out whenever a tick falls
    // due (also during a command's paced walk).
    static std::vector<std::string> commandsFrom(const sim::SimPeer& peer) {
        std::vector<std::string> commands = messagesFrom(peer);
        std::erase(commands, wire::request::RefreshListText());
        return commands;
    }

    static void setOption(const settings::Setting& setting, std::string_view value) {
        WriteSetting(setting, value);
    }
};

}  // namespace kestova::testing
