// The main window's side of the server connection: its timers and sockets hand over to the
// supervision, the receive path and the server search; refresh and reconnect run a tick at once.
#include "connection/login_window.h"
#include "connection/server_search.h"
#include "connection/supervision.h"
#include "console/kestova_main.h"

namespace kestova {

void KestovaMain::ListenTimer_Timer() {
    SupervisionTick(*this);
}

void KestovaMain::Listen_Connect() {
    ListenConnected(*this);
}

// The read goes to the receive path, which dispatches each message once its burst has settled.
void KestovaMain::Listen_DataArrival() {
    receiver_.DataArrived();
}

void KestovaMain::Search_Connect() {
    SearchConnected(*this);
}

void KestovaMain::Search_DataArrival() {
    SearchDataArrival(*this);
}

void KestovaMain::Timer1_Timer() {
    BroadCaster(*this, false);
}

void KestovaMain::Command3_Click() {
    Command3.Enabled = false;
    ListenTimer.SetEnabled(false);
    SupervisionTick(*this);
    ListenTimer.SetEnabled(true);
    StatusBar1.SetPanelText(5, "Server refreshed.");
    Command3.Enabled = true;
}

void KestovaMain::m_refresh_Click() {
    Command3_Click();
}

void KestovaMain::m_LogOff_Click() {
    ShowLoginDialog(*this);
}

void KestovaMain::m_recKestova_Click() {
    ReconnectKestova(*this);
}

}  // namespace kestova
