#pragma once

#include <string>
#include <vector>

#include "pos/frm_pos.h"
#include "tests/app/connection_test_support.h"
#include "tests/sim/sim_user.h"

namespace kestova::testing {

inline constexpr const char* kBatchGroup = "KSG260000042";

// The server's answer to a ticket request: `tickets` 60-minute tickets of kBatchGroup.
inline std::string BatchAnswer(int tickets) {
    std::string text;
    for (int n = 1; n <= tickets; ++n) {
        const std::string k = std::to_string(n);
        text += (n > 1 ? "|user" : "user") + k + "|pass" + k + "|60|100.00|5|" + kBatchGroup +
                "|00" + k + "|False|False";
    }
    return "||PRINTPOS||" + text + "||" + kBatchGroup + "||";
}

// The generation window of JOHN on a scripted server that answers every ticket request with
// `batchAnswer` (nothing when empty) and keeps every message; the printer is COM1's device.
class PosSimTest : public ConsoleSimTest {
protected:
    static constexpr const char* kPrinter = "/dev/ttyS0";

    sim::SimPeer& server = connectedServer();
    KestovaMain& main = console();
    FrmPOS& pos = PosGeneration();
    std::vector<std::string> requests;
    std::vector<sim::Ms> orderTimes;  // when each ticket request reached the server
    std::string batchAnswer = BatchAnswer(2);

    PosSimTest() {
        server.listener().onReceive = [this](sim::SimPeer& peer, const std::string& bytes) {
            const std::string& message = requests.emplace_back(wire::DecodeText(bytes));
            if (message.starts_with("||POSTICKET||") && !message.starts_with("||POSTICKET||F")) {
                orderTimes.push_back(loop().now());
                if (!batchAnswer.empty()) {
                    peer.send(wire::EncodeText(batchAnswer));
                }
            }
        };
    }

    // The window opened as a sign-in opens it; the order is given at 100 ms and the window
    // closed at closeAtMs.
    void sell(const std::string& minutes, const std::string& cost, const std::string& count,
              sim::Ms closeAtMs = 120'000) {
        afterMs(100, [=, this] {
            pos.Text1.Text = minutes;
            pos.Text2.Text = cost;
            pos.Text3.Text = count;
            pos.Command2.DoClick();
        });
        afterMs(closeAtMs, [this] { pos.Command3.DoClick(); });
        PosStaffWindow(true, "JOHN").Show(true);
    }
    void expectBatchKept() {
        dialogs().expectMsgBox(::testing::StartsWith("You have choosen"), platform::msgbox::Yes);
        dialogs().expectMsgBox(::testing::StartsWith("Did the POS Ticket"), platform::msgbox::Yes);
        dialogs().expectMsgBox(::testing::EndsWith("saved and printed!"));
    }
    const std::vector<sim::SerialWrite>& printed() { return serialLines().writes(kPrinter); }
    // The messages the console sent that start with the text.
    std::vector<std::string> sent(const std::string& start) const {
        std::vector<std::string> found;
        std::copy_if(requests.begin(), requests.end(), std::back_inserter(found),
                     [&](const std::string& r) { return r.starts_with(start); });
        return found;
    }
};

}  // namespace kestova::testing
