#include "console/cafe_switches.h"

#include "console/kestova_main.h"
#include "console/operator_commands.h"
#include "core/messages.h"
#include "core/version.h"
#include "core/wire/request_keywords.h"
#include "core/wire/request_texts.h"
#include "platform/services.h"

namespace kestova {
namespace {

namespace request = wire::request;

void Yield() {
    platform::services().loop().yield();
}

// A switch acts only with a client row highlighted and the connection up; its status text is
// chosen by the check mark as it was before.
void FlipSwitch(KestovaMain& main, std::string_view keyword, bool checked,
                const char* whenUnchecked, const char* whenChecked) {
    if (!Highlighted(main).isRow()) {
        ShowNotice("No Client selected!", kKestovaNoticeTitle);
        return;
    }
    if (!ServerConnected()) {
        return;
    }
    Yield();
    if (SendCommand(request::CafeCommandText(keyword))) {
        SetStatus(main, checked ? whenChecked : whenUnchecked);
    }
}

}  // namespace

void ResetAllClients(KestovaMain& main) {
    if (!Ask("All connected Client(s) will be disconnected, Are you Sure?")) {
        return;
    }
    Yield();
    SetSentStatus(main, SendCommand(request::CafeCommandText(request::Reset)),
                  "All Port(s) Reseted.");
}

void SwitchTicketLogins(KestovaMain& main) {
    FlipSwitch(main, request::DisLog, main.m_Dislog.Checked, "Client Logging Disabled.",
               "Client Logging Enabled.");
}

void TicketLoginButton(KestovaMain& main) {
    if (main.Command2.Caption.get() != "Disable &Login") {
        SwitchTicketLogins(main);
        platform::services().dialogs().MsgBox(
            "Ticket can now be used to Login!",
            platform::msgbox::OKOnly | platform::msgbox::Information, VersionTitle());
        return;
    }
    if (Ask("Do you want to prevent Tickets from logging in?")) {
        SwitchTicketLogins(main);
    }
}

void SwitchClientPausing(KestovaMain& main) {
    FlipSwitch(main, request::AllowPause, main.m_AllowPause.Checked,
               "Client(s)' Pausibilty Enabled.", "Client(s)' Pausibility Disabled.");
}

void SwitchTicketAdding(KestovaMain& main) {
    FlipSwitch(main, request::AllowTime, main.m_allowTime.Checked, "Adding Ticket Enabled.",
               "Adding Ticket Disabled.");
}

void UpdateConsoleSettings(KestovaMain& main) {
    SetSentStatus(main, SendCommand(request::ListAgainText()), "Kestova settings updated.");
}

void SearchForClients(KestovaMain& main) {
    if (SendCommand(request::CafeCommandText(request::Broadcast))) {
        SetStatus(main, "Client Search Started!");
    } else {
        ShowNotice("Error Starting Search!", kNoticeTitle);
    }
}

}  // namespace kestova
