// The main window's command items, buttons and the group command bar, each handing over to the
// code of what the operator does: time, client commands, café-wide switches, messages, the group
// bar, help.
#include "audit/audit_trail.h"
#include "console/cafe_switches.h"
#include "console/client_commands.h"
#include "console/group_command_bar.h"
#include "console/help_about.h"
#include "console/kestova_main.h"
#include "console/messaging.h"
#include "console/operator_commands.h"
#include "console/send_procedures.h"
#include "console/time_allocation.h"
#include "program/kestova_code.h"

namespace kestova {

void KestovaMain::wireCommands() {
    m_allocate.Click = [this] { m_allocate_Click(); };
    P_Allocate.Click = [this] { m_allocate_Click(); };
    m_dealloc.Click = [this] { m_dealloc_Click(); };
    p_dealloc.Click = [this] { m_dealloc_Click(); };
    m_Pause.Click = [this] { m_Pause_Click(); };
    P_Pause.Click = [this] { m_Pause_Click(); };
    M_disconnect.Click = [this] { M_disconnect_Click(); };
    P_Disconnect.Click = [this] { M_disconnect_Click(); };
    m_ClosePort.Click = [this] { m_ClosePort_Click(); };
    P_ClosePort.Click = [this] { m_ClosePort_Click(); };
    m_Print.Click = [this] { m_Print_Click(); };
    p_print.Click = [this] { m_Print_Click(); };
    m_prevent.Click = [this] { m_prevent_Click(); };
    p_prevent.Click = [this] { m_prevent_Click(); };
    EndTimer.Click = [this] { EndTimer_Click(); };
    m_ResTClientTimerOnly.Click = [this] { m_ResTClientTimerOnly_Click(); };
    RestartClient.Click = [this] { RestartClient_Click(); };
    m_ShutDown.Click = [this] { m_ShutDown_Click(); };
    Enable.Click = [this] { Enable_Click(); };
    m_disable.Click = [this] { m_disable_Click(); };
    M_relocate.Click = [this] { M_relocate_Click(); };
    m_clearDesktop.Click = [this] { m_clearDesktop_Click(); };
    m_ChangCName.Click = [this] { m_ChangCName_Click(); };
    p_updateset.Click = [this] { p_updateset_Click(); };
    m_Clientinfo.Click = [this] { m_Clientinfo_Click(); };
    m_Cinfo.Click = [this] { m_Clientinfo_Click(); };
    m_FComputer.Click = [this] { m_FComputer_Click(); };

    m_PauseAll.Click = [this] { m_PauseAll_Click(); };
    m_UnpauseAll.Click = [this] { m_UnpauseAll_Click(); };
    M_Reset.Click = [this] { M_Reset_Click(); };
    m_Dislog.Click = [this] { m_Dislog_Click(); };
    P_Dislog.Click = [this] { m_Dislog_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    m_AllowPause.Click = [this] { m_AllowPause_Click(); };
    m_allowTime.Click = [this] { m_allowTime_Click(); };
    m_updateKestova.Click = [this] { m_updateKestova_Click(); };
    m_CustonIP.Click = [this] { m_CustonIP_Click(); };
    m_auditTrail.Click = [this] { m_auditTrail_Click(); };

    m_SendAll.Click = [this] { m_SendAll_Click(); };
    m_sendMessage.Click = [this] { m_sendMessage_Click(); };
    P_SendMessage.Click = [this] { m_sendMessage_Click(); };
    m_messServer.Click = [this] { m_messServer_Click(); };
    m_ClientMessage.Click = [this] { m_ClientMessage_Click(); };

    Combo1.GotFocus = [this] { Combo1_GotFocus(); };
    Combo1.DropDown = [this] { Combo1_DropDown(); };
    Combo1.Click = [this] { Combo1_Click(); };
    Option1.Click = [this] { Option1_Click(); };
    Option2.Click = [this] { Option2_Click(); };
    Command1.Click = [this] { Command1_Click(); };

    m_HelpTopics.Click = [this] { m_HelpTopics_Click(); };
    m_OnlineHelp.Click = [this] { m_OnlineHelp_Click(); };
    m_about.Click = [this] { m_about_Click(); };
}

void KestovaMain::m_allocate_Click() {
    AllocateTime(*this);
}
void KestovaMain::m_dealloc_Click() {
    DeallocateTime(*this);
}
void KestovaMain::m_Pause_Click() {
    PauseHighlightedClient(*this);
}
void KestovaMain::M_disconnect_Click() {
    RunClientCommand(*this, LogOffClientCommand());
}
void KestovaMain::m_ClosePort_Click() {
    RunClientCommand(*this, ReconnectClientCommand());
}
void KestovaMain::m_Print_Click() {
    RunClientCommand(*this, AllowPrintingCommand());
}
void KestovaMain::m_prevent_Click() {
    RunClientCommand(*this, PreventPrintingCommand());
}
void KestovaMain::EndTimer_Click() {
    RunClientCommand(*this, EndTimerCommand());
}
void KestovaMain::m_ResTClientTimerOnly_Click() {
    RunClientCommand(*this, RestartTimerOnlyCommand());
}
void KestovaMain::RestartClient_Click() {
    RunClientCommand(*this, RestartComputerCommand());
}
void KestovaMain::m_ShutDown_Click() {
    RunClientCommand(*this, ShutDownComputerCommand());
}
void KestovaMain::Enable_Click() {
    RunClientCommand(*this, EnableClientCommand());
}
void KestovaMain::m_disable_Click() {
    // A client in invisible mode is left alone.
    if (Highlighted(*this).information != "Invisible Mode") {
        RunClientCommand(*this, DisableClientCommand());
    }
}
void KestovaMain::M_relocate_Click() {
    RunClientCommand(*this, RelocateTimerCommand());
}
void KestovaMain::m_clearDesktop_Click() {
    RunClientCommand(*this, ClearDesktopCommand());
}
void KestovaMain::m_ChangCName_Click() {
    ChangeClientName(*this);
}
void KestovaMain::p_updateset_Click() {
    UpdateClientSettings(*this);
}
void KestovaMain::m_Clientinfo_Click() {
    RequestClientInformation(*this);
}
void KestovaMain::m_FComputer_Click() {
    FindComputer(*this);
}

void KestovaMain::m_PauseAll_Click() {
    PauseAll(*this);
}
void KestovaMain::m_UnpauseAll_Click() {
    UnpauseAll(*this);
}
void KestovaMain::M_Reset_Click() {
    ResetAllClients(*this);
}
void KestovaMain::m_Dislog_Click() {
    SwitchTicketLogins(*this);
}
void KestovaMain::Command2_Click() {
    TicketLoginButton(*this);
}
void KestovaMain::m_AllowPause_Click() {
    SwitchClientPausing(*this);
}
void KestovaMain::m_allowTime_Click() {
    SwitchTicketAdding(*this);
}
void KestovaMain::m_updateKestova_Click() {
    UpdateConsoleSettings(*this);
}
void KestovaMain::m_CustonIP_Click() {
    SearchForClients(*this);
}
void KestovaMain::m_auditTrail_Click() {
    AuditTrailWindow().Show();
}

void KestovaMain::m_SendAll_Click() {
    SendMessageToAllClients(*this);
}
void KestovaMain::m_sendMessage_Click() {
    SendMessageToSelectedClients(*this);
}
void KestovaMain::m_messServer_Click() {
    SendMessageToServer(*this);
}
void KestovaMain::m_ClientMessage_Click() {
    SwitchClientMessages(*this);
}

void KestovaMain::ResetGroupCommandBar() {
    kestova::ResetGroupCommandBar(*this);
}
void KestovaMain::Combo1_GotFocus() {
    FillGroupCommands(*this, true);
}
void KestovaMain::Combo1_DropDown() {
    FillGroupCommands(*this, false);
}
void KestovaMain::Combo1_Click() {
    ChooseGroupCommand(*this);
}
void KestovaMain::Option1_Click() {
    ChooseAllClients(*this);
}
void KestovaMain::Option2_Click() {
    ChooseSelectedClients(*this);
}
void KestovaMain::Command1_Click() {
    ExecuteGroupCommand(*this);
}

void KestovaMain::m_HelpTopics_Click() {
    OpenHelp(*this);
}
void KestovaMain::m_OnlineHelp_Click() {
    OpenOnlineHelp(*this);
}
void KestovaMain::m_about_Click() {
    ShowAbout(*this);
}

}  // namespace kestova
