// Each menu sets up its items just before it opens: by the operator's rights, the server
// connection and the highlighted client row.
#include <string>

#include "connection/server_link.h"
#include "console/client_grid.h"
#include "console/column_views.h"
#include "console/kestova_main.h"
#include "core/convert.h"
#include "core/program_state.h"
#include "core/settings.h"
#include "core/wire/framing.h"

namespace kestova {
namespace {

// While a menu is open the client list is not asked for as often.
constexpr int kMenuOpenInterval = 30000;

std::string Rights() {
    return wire::UpperAscii(KestovaCode().RightsLevel);
}

// "USER" operators allocate time only when "DisableAlloc" reads 0.
bool UserMayAllocate() {
    const std::optional<double> disableAlloc = ToNumber(ReadSetting(settings::DisableAlloc));
    return disableAlloc.has_value() && *disableAlloc == 0;
}

void SetEnabled(std::initializer_list<ui::MenuItem*> items, bool enabled) {
    for (ui::MenuItem* item : items) {
        item->Enabled = enabled;
    }
}

std::string PauseCaption(const KestovaMain& main) {
    const bool paused =
        main.ConList.TextMatrix(main.ConList.RowSel(), client_grid::kInformation) == "Paused";
    return paused ? "&Unpause" : "&Pause";
}

}  // namespace

bool KestovaMain::IsClientRowHighlighted() const {
    return client_grid::HasClient(ConList, ConList.RowSel());
}

void KestovaMain::SlowSupervisionWhileMenuOpen(bool restartTimer) {
    if (restartTimer) {
        ListenTimer.SetEnabled(false);
    }
    if (Server().IsGreeted() && (restartTimer || Server().IsConnected())) {
        ListenTimer.SetInterval(kMenuOpenInterval);
    }
    if (restartTimer) {
        ListenTimer.SetEnabled(true);
    }
}

void KestovaMain::M_File_Click() {
    SlowSupervisionWhileMenuOpen(false);
    const bool connected = Server().IsConnected();
    const bool clientRow = IsClientRowHighlighted();
    const std::string rights = Rights();
    if (rights == "VIEWER") {
        m_refresh.Enabled = Server().IsGreeted();
        m_LogOff.Enabled = Server().IsGreeted();
    } else if (ConList.RowSel() == 0) {
        SetEnabled(
            {&m_allocate, &m_dealloc, &m_Pause, &M_disconnect, &m_Print, &m_prevent, &m_refresh},
            false);
    } else {
        if (rights == "ADMINISTRATOR" || (rights == "USER" && UserMayAllocate())) {
            m_allocate.Enabled = connected && clientRow;
        }
        const bool clientCommands = connected && clientRow;
        SetEnabled({&m_Pause, &M_disconnect, &m_dealloc, &m_refresh}, clientCommands);
        SetEnabled({&m_Print, &m_prevent}, clientCommands && printControl_);
    }
    m_Pause.Caption = PauseCaption(*this);
}

void KestovaMain::m_Edit_Click() {
    SetEnabled({&m_Select, &m_Unselect}, IsClientRowHighlighted() && Server().IsConnected());
}

void KestovaMain::m_View_Click() {
    OfferDownloadColumnItems(*this);
    for (const ColumnView& view : ColumnViews(*this)) {
        view.item->Checked = ConList.ColWidth(view.column) != 0;
    }
    bool allShown = true;
    for (int column : {client_grid::kUsername, client_grid::kInformation, client_grid::kState,
                       client_grid::kClientIP, client_grid::kLogInTime, client_grid::kPort}) {
        allShown = allShown && ConList.ColWidth(column) != 0;
    }
    m_all.Checked = allShown;
}

void KestovaMain::m_Controls_Click() {
    SlowSupervisionWhileMenuOpen(false);
    SetEnabled({&EndTimer, &m_ResTClientTimerOnly},
               IsClientRowHighlighted() && Server().IsConnected() && Rights() != "USER");
}

void KestovaMain::m_Messages_Click() {
    SlowSupervisionWhileMenuOpen(true);
    m_ClientMessage.Checked = ToTruth(ReadSetting(settings::DisableMessage)).value_or(false);
    m_sendMessage.Enabled = Server().IsConnected() && IsClientRowHighlighted();
}

void KestovaMain::m_Other_Click() {
    SlowSupervisionWhileMenuOpen(false);
    SetEnabled({&Enable, &m_disable, &m_ChangCName, &M_relocate, &m_clearDesktop},
               IsClientRowHighlighted() && Server().IsConnected());
}

void KestovaMain::m_Tool_Click() {
    SlowSupervisionWhileMenuOpen(true);
    const bool connected = Server().IsConnected();
    if (!connected || ConList.RowSel() == 0) {
        SetEnabled({&m_Clientinfo, &m_CustonIP}, false);
    } else {
        m_CustonIP.Enabled = true;
        m_Clientinfo.Enabled = IsClientRowHighlighted();
    }
    SetEnabled({&m_updateKestova, &m_report}, connected);
}

void KestovaMain::M_Help_Click() {
    SlowSupervisionWhileMenuOpen(false);
}

void KestovaMain::m_Popup_Click() {
    SlowSupervisionWhileMenuOpen(true);
    const std::string rights = Rights();
    if (rights == "VIEWER") {
        return;
    }
    const bool connected = Server().IsConnected();
    const bool clientRow = IsClientRowHighlighted();
    if (!clientRow) {
        SetEnabled({&P_Allocate, &p_dealloc, &P_Pause, &P_Disconnect, &p_print, &p_prevent}, false);
    } else {
        if (rights == "ADMINISTRATOR" || rights == "USER") {
            P_Allocate.Enabled = connected && (rights == "ADMINISTRATOR" || UserMayAllocate());
        }
        SetEnabled({&p_dealloc, &P_Disconnect}, connected);
    }
    P_Pause.Caption = PauseCaption(*this);
    SetEnabled({&p_updateset, &P_SendMessage, &P_Pause, &m_Cinfo, &p_Select, &p_Unselect, &p_print,
                &p_prevent},
               connected && clientRow);
    SetEnabled({&P_ClosePort, &p_Search, &P_Dislog, &p_cancel}, true);
}

void KestovaMain::m_all_Click() {
    ToggleAllColumnViews(*this);
}

void KestovaMain::LoadMenu() {
    M_File_Click();
    m_Edit_Click();
    m_View_Click();
    m_Controls_Click();
    m_Messages_Click();
    m_Other_Click();
    m_Tool_Click();
}

}  // namespace kestova
