#pragma once

#include <string>
#include <vector>

#include "tests/app/connection_test_support.h"

namespace kestova::testing {

// A window that asks the server on a request timer: the console connected to a simulated server
// that records each request starting with `prefix` (its text, and when it came in ms after
// `startedAt`) and answers each with `answer` (nothing when empty).
class WindowRequestTest : public ConsoleSimTest {
protected:
    explicit WindowRequestTest(std::string prefix) : prefix_(std::move(prefix)) {
        server.listener().onReceive = [this](sim::SimPeer& peer, const std::string& bytes) {
            const std::string message = wire::DecodeText(bytes);
            if (!message.starts_with(prefix_)) {
                return;
            }
            requests.push_back(message);
            requestTimes.push_back(loop().now() - network().latency() - startedAt);
            if (!answer.empty()) {
                peer.send(wire::EncodeText(answer));
            }
        };
    }

    // The server goes away and the console notices at once.
    void connectionLost() {
        server.disconnect();
        Server().Close();
    }

    sim::SimPeer& server = connectedServer();
    KestovaMain& main = console();
    std::vector<std::string> requests;
    std::vector<sim::Ms> requestTimes;
    sim::Ms startedAt = 0;
    std::string answer;

private:
    std::string prefix_;
};

}  // namespace kestova::testing
