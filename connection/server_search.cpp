#include "connection/server_search.h"

#include <string>
#include <vector>

#include "connection/port_rotation.h"
#include "connection/server_address.h"
#include "connection/server_link.h"
#include "connection/server_protocol.h"
#include "console/kestova_main.h"
#include "core/convert.h"
#include "core/machine_store.h"
#include "core/settings.h"
#include "core/settings_table.h"
#include "core/wire/codepage.h"
#include "core/wire/discovery.h"
#include "core/wire/framing.h"
#include "platform/services.h"

namespace kestova {
namespace {

// The progress bar runs over the last byte of the address tried; 255 means every address was.
constexpr int kLastAddressByte = 255;
constexpr int kStepIntervalMs = 2000;
constexpr int kStartPauseMs = 1000;
constexpr int kPanelResult = 5;
constexpr int kLargestByte = 255;
// "PORT" is honoured only in an answer with more than six elements, and "NOCOMPUTER" resets the
// port offset only in one with fewer: the server's short and long answers.
constexpr std::size_t kLongAnswerLastElement = 6;
constexpr std::string_view kLoopWhenNotNumeric = "50";

bool IsUp(const platform::Socket* socket) {
    return socket != nullptr && socket->GetState() == platform::Socket::Connected;
}

void EndSearch(KestovaMain& main, const char* result) {
    main.Prog.Value = 0;
    main.ServerSearchEnded();
    main.Timer1.SetEnabled(false);
    main.StatusBar1.SetPanelText(kPanelResult, result);
}

// "192.168.1." from "192.168.1.37"; empty when the socket has no IPv4 address of its own.
std::string LocalNetworkPrefix(const platform::Socket& socket) {
    const std::string local = socket.LocalIP();
    if (!IsDottedQuad(local, kLargestByte)) {
        return {};
    }
    return local.substr(0, local.rfind('.') + 1);
}

// Tries the address of this step unless an answer is still open on the socket.
void TryAddress(KestovaMain& main) {
    platform::Socket& search = *main.DiscoverySocket();
    if (IsUp(&search)) {
        main.Prog.Value = main.Prog.Value - 1;  // hold on this address for another step
        return;
    }
    search.Close();
    const std::string prefix = LocalNetworkPrefix(search);
    if (prefix.empty()) {
        EndSearch(main, "Search Terminated.");
        return;
    }
    const std::string candidate = prefix + std::to_string(main.Prog.Value.get());
    ConnectToAddress(search, candidate, protocol::kDiscoveryPort);
    main.StatusBar1.SetPanelText(kPanelResult, "Searching for Server: " + candidate);
}

}  // namespace

void BroadCaster(KestovaMain& main, bool start) {
    if (Server().IsConnected()) {
        EndSearch(main, "Search Terminated.");
        return;
    }
    if (main.DiscoverySocket() == nullptr) {
        return;
    }
    main.Prog.Min = 0;
    main.Prog.Max = kLastAddressByte;
    if (start) {
        main.Prog.Value = 0;
        main.ServerSearchStarted();
        main.DiscoverySocket()->Close();
        platform::services().loop().pause(kStartPauseMs);
        main.Timer1.SetInterval(kStepIntervalMs);
        main.Timer1.SetEnabled(true);
    }
    main.Prog.Value = main.Prog.Value + 1;
    if (main.Prog.Value < kLastAddressByte && main.IsServerSearchRunning()) {
        TryAddress(main);
        return;
    }
    const bool everyAddressTried = main.Prog.Value >= kLastAddressByte;
    EndSearch(main, everyAddressTried ? "Search Completed." : "Search Terminated.");
}

void SearchConnected(KestovaMain& main) {
    if (IsUp(main.DiscoverySocket())) {
        main.DiscoverySocket()->SendData(std::string(wire::discovery::Hello));
    }
}

void SearchDataArrival(KestovaMain& main) {
    if (main.DiscoverySocket() != nullptr) {
        ApplySearchAnswer(wire::Cp1252ToUtf8(main.DiscoverySocket()->GetData()));
    }
}

void ApplySearchAnswer(std::string_view answer) {
    const std::vector<std::string> elements = wire::SplitElements(answer);
    if (elements.size() < 2) {
        return;
    }
    const std::size_t last = elements.size() - 1;
    // Every element but the first and the last is examined, values included.
    for (std::size_t i = 1; i < last; ++i) {
        if (elements[i].empty()) {
            continue;
        }
        const std::string keyword = wire::UpperAscii(elements[i]);
        const std::string& next = elements[i + 1];
        if (keyword == wire::discovery::ServerIp) {
            // Whatever answers on the network is not trusted with the shared store: only an
            // address is kept.
            if (IsWellFormedServerAddress(next)) {
                WriteRegistryString(settings::FoundServerIp.keyPath,
                                    settings::FoundServerIp.valueName, next);
            }
            Server().SetPortOffset(0);
        } else if (keyword == wire::discovery::NoComputer) {
            WriteSetting(settings::Loop,
                         IsNumeric(next) ? std::string_view(next) : kLoopWhenNotNumeric);
            if (last < kLongAnswerLastElement) {
                Server().SetPortOffset(0);
            }
        } else if (keyword == wire::discovery::Port && last > kLongAnswerLastElement) {
            const auto offset = ToWholeNumber(next);
            if (offset.has_value() && IsUsablePortOffset(*offset)) {
                Server().SetPortOffset(static_cast<std::int16_t>(*offset));
            }
        }
    }
}

}  // namespace kestova
