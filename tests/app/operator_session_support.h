#pragma once

#include <string>
#include <vector>

#include "connection/login_window.h"
#include "tests/app/connection_test_support.h"
#include "tests/sim/sim_user.h"

namespace kestova::testing {

// A connected console on a café of clients on rows 4 (PC4, in use), 5 (pc5, paused) and 7 (PC7,
// in use), where operators log in as at the counter: "Log off ...", the name and password typed,
// "O&k", and the server's acceptance with the right it grants.
class OperatorSessionTest : public ConsoleSimTest {
protected:
    OperatorSessionTest() {
        server.listener().onReceive = [this](sim::SimPeer& peer, const std::string& bytes) {
            if (wire::DecodeText(bytes).starts_with("||F-LOGIN||")) {
                peer.send(wire::EncodeText("||TYPE||" + grantedRight_ +
                                           "||SHUTREST||False||F-LOGIN||TRUE||"));
            }
        };
        serverSays(server, ClientRecord(4, "PC4", "Logged in"));
        serverSays(server, ClientRecord(5, "pc5", "Paused"));
        serverSays(server, ClientRecord(7, "PC7", "Logged in"));
        server.clearReceived();
    }

    // Returns once the login window has closed with the operator logged in.
    void logIn(const std::string& name, const std::string& right) {
        grantedRight_ = right;
        afterMs(100, [name] {
            FrmSplash& login = Splash();
            sim::TypeInto(login.Text1, name);
            sim::TypeInto(login.Text2, "secret");
            login.Command1.DoClick();
        });
        main.m_LogOff_Click();
        EXPECT_EQ(KestovaCode().RightsLevel, right) << name << " is not logged in";
        server.clearReceived();
    }

    // The client commands the server received since the last look.
    std::vector<std::string> sent() {
        advance(network().latency() + 1);
        std::vector<std::string> messages = commandsFrom(server);
        server.clearReceived();
        return messages;
    }

    sim::SimPeer& server = connectedServer();
    KestovaMain& main = console();

private:
    std::string grantedRight_;
};

}  // namespace kestova::testing
