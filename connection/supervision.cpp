#include "connection/supervision.h"

#include <string>

#include "connection/client_count.h"
#include "connection/login_window.h"
#include "connection/port_rotation.h"
#include "connection/server_address.h"
#include "connection/server_link.h"
#include "connection/server_protocol.h"
#include "console/kestova_main.h"
#include "core/convert.h"
#include "core/machine_store.h"
#include "core/settings.h"
#include "core/settings_table.h"
#include "core/version.h"
#include "core/wire/request_texts.h"
#include "platform/services.h"
#include "program/kestova_code.h"
#include "program/startup.h"

namespace kestova {
namespace {

constexpr int kBusyIntervalMs = 60000;
constexpr int kFallbackRefreshSeconds = 30;
// A refresh longer than a day is a typing error; it would also overflow the timer's interval.
constexpr double kLongestRefreshSeconds = 86400;
constexpr int kBlinkOffMs = 2000;
constexpr int kBlinkOnMs = 3000;
constexpr int kReconnectIntervalMs = 3000;
// A connection on which a request (the client list, a log-in, a point-of-sale request) has had no
// reply of any kind for longer than the server itself waits for a silent console is dead,
// whatever the socket says. A server that is only quiet is not: it probes "now and then", and
// while a point-of-sale window is open nothing asks it anything.
constexpr std::int64_t kDeadConnectionMs = 65000;

constexpr int kPanelConnected = 2;
constexpr int kPanelInUse = 3;
constexpr int kPanelConnection = 4;
constexpr int kPanelResult = 5;

const char* const kTryingToConnect = "Trying to Connect ...";
const char* const kConnectedToServer = "Kestova Connected to Server.";

void Yield() {
    platform::services().loop().yield();
}

bool IsUp(const platform::Socket* socket) {
    return socket != nullptr && socket->GetState() == platform::Socket::Connected;
}

// "Refresh" seconds while connected; a value that is not a positive number counts as 30 s
// (a zero or negative interval would stop the supervision for good).
int ConnectedIntervalMs(const KestovaMain& main) {
    if (main.IsBusy()) {
        return kBusyIntervalMs;
    }
    const auto seconds = ToNumber(ReadSetting(settings::Refresh));
    if (!seconds.has_value() || *seconds < 1 || *seconds > kLongestRefreshSeconds) {
        return kFallbackRefreshSeconds * 1000;
    }
    return static_cast<int>(*seconds * 1000);
}

void ConnectedTick(KestovaMain& main, ServerLink& link) {
    main.ListenTimer.SetInterval(ConnectedIntervalMs(main));
    main.StatusBar1.SetPanelText(kPanelConnection, "Connected to Server.");
    link.SetPortOffset(0);
    if (link.IsConnected()) {
        Yield();
        link.Send(wire::request::RefreshListText());
    }
    const ClientCount count = RecountClients(main.ConList);
    main.Command3.Enabled = true;
    main.m_LogOff.Enabled = true;
    main.m_refresh.Enabled = true;
    main.StatusBar1.SetPanelText(kPanelConnected, std::to_string(count.connected) + " Connected");
    main.StatusBar1.SetPanelText(kPanelInUse, std::to_string(count.inUse) + " InUse");
    Yield();
}

void Blink(KestovaMain& main) {
    if (main.StatusBar1.PanelText(kPanelConnection) == kTryingToConnect) {
        main.StatusBar1.SetPanelText(kPanelConnection, "");
        main.ListenTimer.SetInterval(kBlinkOffMs);
    } else {
        main.StatusBar1.SetPanelText(kPanelConnection, kTryingToConnect);
        main.ListenTimer.SetInterval(kBlinkOnMs);
    }
}

// The greeted connection went away: the operator is logged off and the table emptied.
void ConnectionLost(KestovaMain& main) {
    EnterViewerState();
    if (Splash().IsLoaded()) {
        Splash().Unload();
    }
    main.ConList.SetRows(2);
    main.ConList.SetRowHeight(1, 0);
}

void ProbeDiscoveryPort(KestovaMain& main, const std::string& serverIp) {
    if (main.DiscoverySocket() == nullptr || main.IsServerSearchRunning() ||
        IsUp(main.DiscoverySocket())) {
        return;
    }
    main.DiscoverySocket()->Close();
    ConnectToAddress(*main.DiscoverySocket(), serverIp, protocol::kDiscoveryPort);
}

void ConnectingTick(KestovaMain& main, ServerLink& link) {
    main.Command2.Visible = true;
    main.Command3.Enabled = false;
    main.Command4.Visible = false;
    main.m_LogOff.Enabled = false;
    main.m_refresh.Enabled = false;
    main.ConList.SetRows(2);
    Blink(main);
    if (main.StatusBar1.PanelText(kPanelResult) == kConnectedToServer) {
        main.StatusBar1.SetPanelText(kPanelResult, "Kestova Disconnected!");
    }
    if (link.IsGreeted()) {
        ConnectionLost(main);
    }
    link.SetGreeted(false);
    link.Close();

    const ConnectAttempt attempt = NextConnectAttempt(link.PortOffset(), ReadPortRotation());
    // A missing address reads as "Error", and a hand-edited one may be anything: neither is
    // connected to.
    const std::string serverIp =
        ReadRegistryString(settings::ServerIp.keyPath, settings::ServerIp.valueName);
    if (attempt.port != 0) {
        link.Connect(serverIp, attempt.port);
    }
    link.SetPortOffset(attempt.nextOffset);
    if (attempt.probeDiscovery) {
        ProbeDiscoveryPort(main, serverIp);
    }
    main.StatusBar1.SetPanelText(kPanelConnected, "0 Connected");
    main.StatusBar1.SetPanelText(kPanelInUse, "0 InUse");
    Yield();
}

}  // namespace

void SupervisionTick(KestovaMain& main) {
    ServerLink& link = Server();
    if (link.IsConnected() && link.IsGreeted() && link.UnansweredMs() >= kDeadConnectionMs) {
        link.Close();
    }
    if (link.IsConnected() && link.IsGreeted()) {
        ConnectedTick(main, link);
    } else {
        ConnectingTick(main, link);
    }
}

void ListenConnected(KestovaMain& main) {
    Yield();
    ServerLink& link = Server();
    link.ConnectionBegan();
    link.Send(wire::request::GreetingText(link.LocalIP(), link.LocalHostName()));
    link.SetGreeted(true);
    link.Send(wire::request::FirstListText());
    main.StatusBar1.SetPanelText(kPanelResult, kConnectedToServer);
}

void ReconnectKestova(KestovaMain& main) {
    const int answer = platform::services().dialogs().MsgBox(
        "Reconnect Kestova?",
        platform::msgbox::YesNo | platform::msgbox::Question | platform::msgbox::DefaultButton2,
        VersionTitle());
    if (answer != platform::msgbox::Yes) {
        return;
    }
    ServerLink& link = Server();
    link.Close();
    link.SetPortOffset(0);
    main.ConList.SetRow(1);
    main.StatusBar1.SetPanelText(kPanelResult, "Kestova reconnecting ...");
    main.ListenTimer.SetInterval(kReconnectIntervalMs);
    SupervisionTick(main);
}

}  // namespace kestova
