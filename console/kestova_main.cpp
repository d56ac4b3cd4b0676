#include "console/kestova_main.h"

#include <string>

#include "connection/server_link.h"
#include "console/client_grid.h"
#include "console/column_views.h"
#include "core/machine_store.h"
#include "core/settings_table.h"
#include "core/version.h"
#include "platform/services.h"
#include "program/startup.h"

namespace kestova {
namespace {

constexpr int kSupervisionStartInterval = 3000;
// The grid and the progress bar start with one client slot, until the server tells its count.
constexpr int kSlotsAtLoad = 1;

// The window as designed: 1024 x 700 pixels at 15 twips to a pixel.
constexpr int kDesignWidth = 15360;
constexpr int kDesignHeight = 10500;
constexpr int kToolbarHeight = 600;
constexpr int kFrame3Height = 900;
constexpr int kStatusBarHeight = 375;
constexpr int kMenuBarHeight = 300;
// The grid's vertical scroll bar and borders, which its columns cannot use.
constexpr int kGridChrome = 375;

constexpr int kPanelWidths[] = {2050, 1150, 950, 1700, 2750};

std::vector<ui::Toolbar::ToolButton> ToolbarButtons() {
    using Button = ui::Toolbar::ToolButton;
    // Buttons 2 to 7 take images 1 to 6 of the image list.
    auto button = [](std::string key, std::string caption, std::string toolTip, int image) {
        Button b;
        b.key = std::move(key);
        b.caption = std::move(caption);
        b.toolTip = std::move(toolTip);
        if (image > 0) {
            b.image = "ImageList1/" + std::to_string(image);
        }
        return b;
    };
    Button help = button("Help", "Help", "Help", 4);
    help.dropDown = true;
    help.menuItems = {"Zarnevo Help", "Zarnevo Online Help", "-", "About Zarnevo"};
    return {
        button("Break2", "", "", 0),
        button("Action", "Action", "Client operations", 1),
        button("Search", "Search", "Search for Ticket", 2),
        button("Option", "Options", "Zarnevo Kestova Options", 3),
        help,
        button("Break", "", "", 5),
        button("Exit", "Exit", "Exit Program", 6),
    };
}

}  // namespace

KestovaMain::KestovaMain()
    : ui::Form("KestovaMain"),
      Toolbar1(*this, "Toolbar1", ToolbarButtons()),
      receiver_(*this, []() -> ServerLink& { return Server(); }) {
    Width = kDesignWidth;
    Height = kDesignHeight;
    Toolbar1.Top = 0;
    Toolbar1.Height = kToolbarHeight;
    Toolbar1.Width = kDesignWidth;
    Frame3.Height = kFrame3Height;
    Frame3.Top = kDesignHeight - kMenuBarHeight - kStatusBarHeight - kFrame3Height;
    Frame3.Width = kDesignWidth;
    Frame3.Caption = "Instant Tools";
    ConList.Width = kDesignWidth - kGridChrome;

    Option1.Caption = "All";
    Option2.Caption = "Selected";
    Combo1.Style = 2;  // a drop-down list: a command is chosen, never typed
    Combo1.Text = "None";
    Command1.Caption = "E&xecute";
    Command1.Enabled = false;
    Command2.Caption = "Disable &Login";
    Command3.Caption = "&Refresh";
    Command3.ToolTipText = "Refresh Server list";
    Command4.Caption = "Point-of-Sale";
    Command4.ToolTipText = "Starts the Point-of-Sale (POS) tool";
    Command4.Visible = false;
    lblMarked.ToolTipText = "Clients marked for the group commands (double click or Space)";

    m_refresh.Enabled = false;
    m_report.Visible = false;
    m_auditTrail.Visible = false;
    m_updateKestova.Enabled = false;
    m_IP.Enabled = false;
    m_Popup.Visible = false;
    m_Popup.ContextMenu = true;

    wireEvents();
}

KestovaMain::~KestovaMain() = default;

void KestovaMain::wireEvents() {
    OnLoad = [this] { Form_Load(); };
    OnActivate = [this] { Form_Activate(); };
    OnResize = [this] { Form_Resize(); };
    OnUnload = [this](int& cancel) { Form_Unload(cancel); };

    M_File.Click = [this] { M_File_Click(); };
    m_Edit.Click = [this] { m_Edit_Click(); };
    m_View.Click = [this] { m_View_Click(); };
    m_Controls.Click = [this] { m_Controls_Click(); };
    m_Messages.Click = [this] { m_Messages_Click(); };
    m_Other.Click = [this] { m_Other_Click(); };
    m_Tool.Click = [this] { m_Tool_Click(); };
    M_Help.Click = [this] { M_Help_Click(); };
    m_Popup.Click = [this] { m_Popup_Click(); };
    m_all.Click = [this] { m_all_Click(); };
    for (const ColumnView& view : ColumnViews(*this)) {
        view.item->Click = [this, view] { ToggleColumnView(*this, view); };
    }

    ConList.DblClick = [this] { ConList_DblClick(); };
    ConList.KeyPress = [this](int& keyAscii) { ConList_KeyPress(keyAscii); };
    ConList.MouseUp = [this](int b, int s, int x, int y) { ConList_MouseUp(b, s, x, y); };
    ConList.MouseMove = [this](int b, int s, int x, int y) { ConList_MouseMove(b, s, x, y); };

    m_Select.Click = [this] { m_Select_Click(); };
    p_Select.Click = [this] { m_Select_Click(); };
    m_Unselect.Click = [this] { m_Unselect_Click(); };
    p_Unselect.Click = [this] { m_Unselect_Click(); };
    m_SelectAll.Click = [this] { m_SelectAll_Click(); };
    m_UnselectAll.Click = [this] { m_UnselectAll_Click(); };
    m_invertselect.Click = [this] { m_invertselect_Click(); };

    Command3.Click = [this] { Command3_Click(); };
    Command4.Click = [this] { Command4_Click(); };
    m_Opt.Click = [this] { m_Opt_Click(); };
    m_refresh.Click = [this] { m_refresh_Click(); };
    m_LogOff.Click = [this] { m_LogOff_Click(); };
    M_exit.Click = [this] { M_exit_Click(); };
    m_recKestova.Click = [this] { m_recKestova_Click(); };
    SearchAccount.Click = [this] { SearchAccount_Click(); };
    p_Search.Click = [this] { p_Search_Click(); };
    m_report.Click = [this] { m_report_Click(); };

    Toolbar1.ButtonClick = [this](int index) { Toolbar1_ButtonClick(index); };
    Toolbar1.ButtonMenuClick = [this](int index, int item) {
        Toolbar1_ButtonMenuClick(index, item);
    };

    ListenTimer.Tick = [this] { ListenTimer_Timer(); };
    Timer1.Tick = [this] { Timer1_Timer(); };
    wireCommands();
    wireClientOrder();
    wireFloorMap();
}

void KestovaMain::Form_Load() {
    Prog.Value = 0;
    Prog.Max = kSlotsAtLoad;

    Caption = "Zarnevo Kestova version v" + VersionNumber() +
              " Server Kestova - the operator's console of the Zarnevo café suite";

    const settings::MachineValue& server = settings::ServerIp;
    if (ReadRegistryString(server.keyPath, server.valueName) == "Error") {
        CreateRegistryKey(server.keyPath);
        WriteRegistryString(server.keyPath, server.valueName, settings::kDefaultServerIp);
    }
    m_IP.Caption = "Server IP: " + ReadRegistryString(server.keyPath, server.valueName);

    StatusBar1.SetPanelText(5, "Loading ...");

    ConList.Top = Toolbar1.Top + Toolbar1.Height;
    ConList.Height = Frame3.Top - ConList.Top;
    client_grid::Build(ConList, kSlotsAtLoad);

    for (int panel = 1; panel <= StatusBar1.PanelCount(); ++panel) {
        StatusBar1.SetPanelWidth(panel, kPanelWidths[panel - 1]);
    }
    StatusBar1.SetPanelText(2, "0 Connected");
    StatusBar1.SetPanelText(3, "0 InUse");
    StatusBar1.SetPanelText(4, "");
    StatusBar1.SetPanelText(5, "");

    ListenTimer.SetInterval(kSupervisionStartInterval);

    ApplySavedColumnViews(*this);
    RecomputeFillerColumn();
    ReadAlertSettings();
    LoadFloorMap();

    StatusBar1.SetPanelText(5, "Welcome to Kestova v" + VersionNumber());
    Prog.Value = 0;
    Prog.Max = kSlotsAtLoad;

    createSockets();
}

void KestovaMain::createSockets() {
    ServerLink& link = Server();
    link.Open([this] { Listen_Connect(); }, [this] { Listen_DataArrival(); });
    link.OnConnectionChanged([this] { receiver_.Reset(); });
    search_ = platform::services().createSocket();
    search_->OnConnect = [this] { Search_Connect(); };
    search_->OnDataArrival = [this](std::size_t) { Search_DataArrival(); };
}

void KestovaMain::Form_Resize() {
    if (WindowState == 1) {
        return;
    }
    ConList.Width = Width - kGridChrome;
    RecomputeFillerColumn();
}

void KestovaMain::RecomputeFillerColumn() {
    client_grid::FitFillerColumn(ConList, ConList.Width);
}

void KestovaMain::Form_Unload(int& cancel) {
    if (!ConfirmTermination()) {
        cancel = 1;
        return;
    }
    StatusBar1.SetPanelText(5, "Goodbye from Zarnevo Kestova!");
    EndProgram();
}

void KestovaMain::M_exit_Click() {
    Unload();
}

void KestovaMain::ProgressStartEnd(std::int16_t rows) {
    if (serverSearchRunning_) {
        return;
    }
    Prog.Value = 0;
    Prog.Max = rows == 0 ? ConList.Rows() : rows;
}

void KestovaMain::ProgressMove() {
    if (!serverSearchRunning_) {
        Prog.Value = Prog.Value + 1;
    }
}

void KestovaMain::PopupMenu(ui::MenuItem& menu) {
    ui::Raise(menu.Click);
    if (view() != nullptr) {
        view()->popupMenu(menu);
    }
}

}  // namespace kestova
