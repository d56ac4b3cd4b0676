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
        text += (n > 1 ? "|" : "") + std::string("user") + std::to_string(n) + "|pass" +
                std::to_string(n) + "|60|100.00|5|" + kBatchGroup + "|00" + std::to_string(n) +
                "|False|False";
    }
    return "||PRINTPOS||" + text + "||" + kBatchGroup + "||";
}

// The generation window of a signed-in staff member on a scripted server, its printer on COM1's
// default device. The server answers every ticket request with `batchAnswer` (nothing when it is
// empty) and remembers every message the console sent.
class PosSimTest : public ConsoleSimTest {
protected:
    static constexpr const char* kPrinter = "/dev/ttyS0";

    sim::SimPeer& server = connectedServer();
    KestovaMain& main = console();
    FrmPOS& pos = PosGeneration();
    std::vector<std::string> requests;
    // When each ticket request reached the server.
    std::vector<sim::Ms> requestTimes;
    std::string batchAnswer = BatchAnswer(2);

    PosSimTest() {
        server.listener().onReceive = [this](sim::SimPeer& peer, const std::string& bytes) {
            const std::string message = wire::DecodeText(bytes);
            requests.push_back(message);
            const bool order =
                message.starts_with("||POSTICKET||") && !message.starts_with("||POSTICKET||FALSE");
            if (order) {
                requestTimes.push_back(loop().now());
            }
            if (order && !batchAnswer.empty()) {
                peer.send(wire::EncodeText(batchAnswer));
            }
        };
    }

    // The staff member's manual order, created after `atMs` once the window shows.
    void orderAt(sim::Ms atMs, const std::string& minutes, const std::string& cost,
                 const std::string& count) {
        afterMs(atMs, [=, this] {
            pos.Text1.Text = minutes;
            pos.Text2.Text = cost;
            pos.Text3.Text = count;
            pos.Command2.DoClick();
        });
    }
    // Opens the window for JOHN, as an accepted sign-in does, and runs it until it closes; the
    // staff member closes it at `closeAtMs`.
    void runWindowUntil(sim::Ms closeAtMs) {
        afterMs(closeAtMs, [this] { pos.Command3.DoClick(); });
        PosStaffWindow(true, "JOHN")->Show(true);
    }
    // The questions of a batch that prints and is kept.
    void expectBatchKept() {
        dialogs().expectMsgBox(::testing::StartsWith("You have choosen"), platform::msgbox::Yes);
        dialogs().expectMsgBox(::testing::StartsWith("Did the POS Ticket"), platform::msgbox::Yes);
        dialogs().expectMsgBox(::testing::EndsWith("saved and printed!"));
    }

    const std::vector<sim::SerialWrite>& printed() { return serialLines().writes(kPrinter); }
    // The requests the console sent that start with the text.
    std::vector<std::string> sent(const std::string& start) const {
        std::vector<std::string> found;
        for (const std::string& request : requests) {
            if (request.starts_with(start)) {
                found.push_back(request);
            }
        }
        return found;
    }
};

}  // namespace kestova::testing
