#pragma once

#include <cstdint>
#include <memory>

#include "console/client_alert_rule.h"
#include "console/floor_plan.h"
#include "console/marked_count.h"
#include "dispatch/listen_receiver.h"
#include "platform/socket.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/grid.h"
#include "ui/tile_board.h"

namespace kestova {

// The operator's console: the client grid `ConList` between the toolbar and the instant-tools
// frame, the menu bar, the context menu `m_Popup` and the status bar. Other windows, the
// connection, the reply handlers and the command code reach it through `Main()`
// (program/kestova_code.h) or the handler's argument and use its controls (which the binder and
// the forms name) and its public methods; its state is behind methods.
class KestovaMain : public ui::Form {
public:
    KestovaMain();
    ~KestovaMain() override;

    // ---- Menu "&File" ------------------------------------------------------------------------
    ui::MenuItem M_File{*this, "M_File", "&File"};
    ui::MenuItem m_allocate{M_File, "m_allocate", "Allocate &Time", "Ctrl+A"};
    ui::MenuItem m_dealloc{M_File, "m_dealloc", "&Deallocate Time", "Ctrl+E"};
    ui::MenuItem m_Pause{M_File, "m_Pause", "Pause", "Ctrl+P"};
    ui::MenuItem m_PauseAll{M_File, "m_PauseAll", "Pause &All", "Ctrl+Z"};
    ui::MenuItem m_UnpauseAll{M_File, "m_UnpauseAll", "Unpause &All", "Ctrl+B"};
    ui::MenuItem M_disconnect{M_File, "M_disconnect", "Log &Off Client", "Ctrl+D"};
    ui::MenuItem m_refresh{M_File, "m_refresh", "Re&fresh", "F5"};
    ui::MenuItem m_Print{M_File, "m_Print", "Allow Printing"};
    ui::MenuItem m_prevent{M_File, "m_prevent", "Prevent Printing"};
    ui::MenuItem m_ClosePort{M_File, "m_ClosePort", "&Reconnect Client", "Ctrl+Q"};
    ui::MenuItem M_Reset{M_File, "M_Reset", "Re&set All Client(s)"};
    ui::MenuItem m_LogOff{M_File, "m_LogOff", "Log off ..."};
    ui::MenuItem M_exit{M_File, "M_exit", "E&xit"};

    // ---- Menu "&Edit" ------------------------------------------------------------------------
    ui::MenuItem m_Edit{*this, "m_Edit", "&Edit"};
    ui::MenuItem m_Select{m_Edit, "m_Select", "S&elect"};
    ui::MenuItem m_Unselect{m_Edit, "m_Unselect", "U&nselect", "Del"};
    ui::MenuItem m_SelectAll{m_Edit, "m_SelectAll", "Select &All", "Ctrl+Ins"};
    ui::MenuItem m_UnselectAll{m_Edit, "m_UnselectAll", "UnSe&lect All", "Shift+Ins"};
    ui::MenuItem m_invertselect{m_Edit, "m_invertselect", "Invert Select"};
    ui::MenuItem m_FComputer{m_Edit, "m_FComputer", "Find Computer", "Ctrl+F"};

    // ---- Menu "&View" ------------------------------------------------------------------------
    ui::MenuItem m_View{*this, "m_View", "&View"};
    ui::MenuItem m_InfoView{m_View, "m_InfoView", "Information View"};
    ui::MenuItem m_all{m_InfoView, "m_all", "&All", "Shift+F1"};
    ui::MenuItem m_username{m_InfoView, "m_username", "&Username", "Shift+F2"};
    ui::MenuItem m_info{m_InfoView, "m_info", "Infor&mation", "Shift+F3"};
    ui::MenuItem m_State{m_InfoView, "m_State", "S&tate", "Shift+F4"};
    ui::MenuItem m_ClientIP{m_InfoView, "m_ClientIP", "Client &IP", "Shift+F5"};
    ui::MenuItem m_ClientPort{m_InfoView, "m_ClientPort", "Client &Port", "Shift+F6"};
    ui::MenuItem m_LogInTime{m_InfoView, "m_LogInTime", "LogIn &Time", "Shift+F7"};
    ui::MenuItem M_nQuota{m_InfoView, "M_nQuota", "&Left Quota", "Shift+F8"};
    ui::MenuItem m_SQuota{m_InfoView, "m_SQuota", "&Start Quota", "Shift+F9"};
    ui::MenuItem m_DRate{m_InfoView, "m_DRate", "&Down. Rate", "Shift+F11"};
    ui::MenuItem m_UpRate{m_InfoView, "m_UpRate", "&Up. Rate", "Shift+F12"};
    ui::MenuItem m_allowTime{m_View, "m_allowTime", "Allow Add T&icket"};
    ui::MenuItem m_AllowPause{m_View, "m_AllowPause", "Allow Client(s) to Pause"};
    // Takes the keyboard to the filter box above the grid.
    ui::MenuItem m_filterClients{m_View, "m_filterClients", "&Filter Clients", "Ctrl+Shift+F"};
    // Shows the clients as tiles laid out as the café's room instead of the table, and back.
    ui::MenuItem m_floorMap{m_View, "m_floorMap", "Floor &Map", "Ctrl+M"};

    // ---- Menu "&Messages" --------------------------------------------------------------------
    ui::MenuItem m_Messages{*this, "m_Messages", "&Messages"};
    ui::MenuItem m_SendAll{m_Messages, "m_SendAll", "Send Message to All Client(s)", "Ctrl+U"};
    ui::MenuItem m_sendMessage{m_Messages, "m_sendMessage", "Send Message to Selected Client(s)",
                               "Ctrl+S"};
    ui::MenuItem m_messServer{m_Messages, "m_messServer", "Send Message to Server", "Ctrl+T"};
    ui::MenuItem m_ClientMessage{m_Messages, "m_ClientMessage", "Disable Client(s) Messages",
                                 "Ctrl+X"};

    // ---- Menu "&Others" ----------------------------------------------------------------------
    ui::MenuItem m_Other{*this, "m_Other", "&Others"};
    ui::MenuItem Enable{m_Other, "Enable", "E&nable Client"};
    ui::MenuItem m_disable{m_Other, "m_disable", "Disa&ble Client"};
    ui::MenuItem SearchAccount{m_Other, "SearchAccount", "Search for Ticket", "Ctrl+K"};
    ui::MenuItem m_Dislog{m_Other, "m_Dislog", "&Disable Client Logging", "Ctrl+L"};
    ui::MenuItem M_relocate{m_Other, "M_relocate", "Relocate Client Timer", "Ctrl+W"};
    ui::MenuItem m_clearDesktop{m_Other, "m_clearDesktop", "Clear Client Desktop", "Ctrl+C"};
    ui::MenuItem m_ChangCName{m_Other, "m_ChangCName", "Change Client Name", "Ctrl+N"};

    // ---- Menu "&Control" ---------------------------------------------------------------------
    ui::MenuItem m_Controls{*this, "m_Controls", "&Control"};
    ui::MenuItem EndTimer{m_Controls, "EndTimer", "End Client &Timer"};
    ui::MenuItem m_ResTClientTimerOnly{m_Controls, "m_ResTClientTimerOnly",
                                       "Restart Client Timer &Only"};
    ui::MenuItem RestartClient{m_Controls, "RestartClient", "&Restart Client/Computer"};
    ui::MenuItem m_ShutDown{m_Controls, "m_ShutDown", "Shutdo&wn Client/Computer"};

    // ---- Menu "&Tools" -----------------------------------------------------------------------
    ui::MenuItem m_Tool{*this, "m_Tool", "&Tools"};
    ui::MenuItem m_CustonIP{m_Tool, "m_CustonIP", "Search for Clients"};
    ui::MenuItem m_recKestova{m_Tool, "m_recKestova", "Reconnect Kestova"};
    ui::MenuItem m_Clientinfo{m_Tool, "m_Clientinfo", "&Client Information"};
    ui::MenuItem m_report{m_Tool, "m_report", "Report Summary"};
    ui::MenuItem m_auditTrail{m_Tool, "m_auditTrail", "&Audit Trail"};
    ui::MenuItem m_updateKestova{m_Tool, "m_updateKestova", "Update Kestova Setting"};
    ui::MenuItem m_Opt{m_Tool, "m_Opt", "Op&tion ...", "F12"};

    // ---- Menu "&Help" ------------------------------------------------------------------------
    ui::MenuItem M_Help{*this, "M_Help", "&Help"};
    ui::MenuItem m_HelpTopics{M_Help, "m_HelpTopics", "Zarnevo &Help", "F1"};
    ui::MenuItem m_OnlineHelp{M_Help, "m_OnlineHelp", "Zarnevo &Online Help"};
    ui::MenuItem m_about{M_Help, "m_about", "About Kestova", "Ctrl+F1"};

    // ---- Context menu of the grid (hidden from the bar) --------------------------------------
    ui::MenuItem m_Popup{*this, "m_Popup", "Popup"};
    ui::MenuItem P_Allocate{m_Popup, "P_Allocate", "&Allocate Time"};
    ui::MenuItem p_dealloc{m_Popup, "p_dealloc", "&Deallocate Time"};
    ui::MenuItem P_Pause{m_Popup, "P_Pause", "&Pause"};
    ui::MenuItem P_Disconnect{m_Popup, "P_Disconnect", "&Log Off"};
    ui::MenuItem P_ClosePort{m_Popup, "P_ClosePort", "&Reconnect Client"};
    ui::MenuItem p_print{m_Popup, "p_print", "Allow Printing"};
    ui::MenuItem p_prevent{m_Popup, "p_prevent", "Prevent Printing"};
    ui::MenuItem P_SendMessage{m_Popup, "P_SendMessage", "Send &Message"};
    ui::MenuItem p_Search{m_Popup, "p_Search", "Search for A&ccount"};
    ui::MenuItem p_updateset{m_Popup, "p_updateset", "&Update Settings"};
    ui::MenuItem m_Cinfo{m_Popup, "m_Cinfo", "More &Info"};
    ui::MenuItem P_Dislog{m_Popup, "P_Dislog", "Dis&able Logging"};
    ui::MenuItem p_Select{m_Popup, "p_Select", "&Select"};
    ui::MenuItem p_Unselect{m_Popup, "p_Unselect", "Un&select"};
    ui::MenuItem p_cancel{m_Popup, "p_cancel", "&Cancel"};

    // The server address, shown (disabled) on the menu bar: "Server IP: " and the address.
    ui::MenuItem m_IP{*this, "m_IP", "Server IP: "};

    // ---- Window body -------------------------------------------------------------------------
    // Buttons 1 to 7: "Break2", "Action", "Search", "Option", "Help" (drop-down), "Break", "Exit".
    ui::Toolbar Toolbar1;
    // Shows only the clients whose name, user or address holds its text.
    ui::TextBox txtFilter{*this, "txtFilter"};
    // One row per client slot of the server under the header row; columns in client_grid.h.
    ui::Grid ConList{*this, "ConList", 2, 14};
    // The same clients as tiles in the places the operator gave them (console/floor_plan.h),
    // shown instead of ConList while "Floor &Map" is checked.
    ui::TileBoard Floor{*this, "Floor", ConList};

    // The instant-tools frame: group command bar, refresh, point of sale, progress.
    ui::Frame Frame3{*this, "Frame3"};
    ui::ComboBox Combo1{*this, "Combo1"};
    ui::OptionButton Option1{*this, "Option1"};  // "All"
    ui::OptionButton Option2{*this, "Option2"};  // "Selected"
    ui::Button Command1{*this, "Command1"};      // "E&xecute"
    ui::Button Command2{*this, "Command2"};      // "Disable &Login"
    ui::Button Command3{*this, "Command3"};      // "&Refresh"
    ui::Button Command4{*this, "Command4"};      // "Point-of-Sale"
    ui::ProgressBar Prog{*this, "Prog"};
    // How many client rows are marked: the clients a command for the selected ones reaches.
    ui::Label lblMarked{*this, "lblMarked"};

    // Panels: operator, connected count, in-use count, connection state, last result.
    ui::StatusBar StatusBar1{*this, "StatusBar1", 5};

    // Connection supervision (interval set at load) and the server search (2,000 ms when on).
    ui::Timer ListenTimer{*this, "ListenTimer", 0, true};
    ui::Timer Timer1{*this, "Timer1", 0, false};

    // ---- Window state ------------------------------------------------------------------------
    // A modal window opened from the console shows (the login, the report, a point-of-sale
    // window): the server's answers for it are taken, and the supervision asks less often.
    bool IsBusy() const { return busy_; }
    void SetBusy(bool busy) { busy_ = busy; }
    // The server's SHUTREST switch: operators other than "ADMINISTRATOR" may restart and shut
    // down clients.
    bool ClientShutdownAllowed() const { return shutdownAllowed_; }
    void AllowClientShutdown(bool allowed) { shutdownAllowed_ = allowed; }
    // The server's PRINTS switch: the print allow/prevent items are offered.
    bool PrintControlOffered() const { return printControl_; }
    void OfferPrintControl(bool offered) { printControl_ = offered; }
    // The subnet server search runs; the progress bar then belongs to it.
    bool IsServerSearchRunning() const { return serverSearchRunning_; }
    void ServerSearchStarted() { serverSearchRunning_ = true; }
    void ServerSearchEnded() { serverSearchRunning_ = false; }
    // The socket of the server search and the discovery probe; none before the window loads.
    // The server connection is the program's ServerLink (connection/server_link.h).
    platform::Socket* DiscoverySocket() const { return search_.get(); }
    // Gathers the reads of the server connection into whole messages for the dispatcher.
    ListenReceiver& Receiver() { return receiver_; }
    // Which client records call for the operator ("AlertMinutes", read at load).
    const ClientAlertRule& ClientAlerts() const { return clientAlerts_; }

    // ---- Public methods ----------------------------------------------------------------------
    // Resets the progress bar before and after a walk over the client rows: maximum `rows`, or
    // the grid's row count when `rows` is 0. Leaves the bar alone while the server search runs.
    void ProgressStartEnd(std::int16_t rows);
    // Advances the progress bar by one row (not while the server search runs).
    void ProgressMove();
    // Refreshes every menu's items for the current operator (after a login).
    void LoadMenu();
    // The highlighted row holds a client.
    bool IsClientRowHighlighted() const;
    // Sizes the filler column 13 to the space the visible columns leave.
    void RecomputeFillerColumn();
    // Opens a menu (the context menu `m_Popup`) at the pointer.
    void PopupMenu(ui::MenuItem& menu);
    // A client record was laid into the row, showing or hiding it: the operator is told when
    // the client needs them (console/client_alerts.h).
    void ClientRecordLaid(int row);

    // ---- Event handlers ----------------------------------------------------------------------
    void Form_Load();
    // Shows the toolbar buttons and the "&Control" menu the operator's rights allow.
    void Form_Activate();
    void Form_Resize();
    void Form_Unload(int& cancel);

    // Opening a menu sets up its items.
    void M_File_Click();
    void m_Edit_Click();
    void m_View_Click();
    void m_Controls_Click();
    void m_Messages_Click();
    void m_Other_Click();
    void m_Tool_Click();
    void M_Help_Click();
    void m_Popup_Click();
    void m_all_Click();

    void ConList_DblClick();
    void ConList_KeyPress(int& keyAscii);
    void ConList_MouseUp(int button, int shift, int x, int y);
    void ConList_MouseMove(int button, int shift, int x, int y);
    // Sorting and filtering change only the order and the rows the grid's view shows
    // (console/client_grid_order.h).
    void ConList_HeaderClick(int column);
    void txtFilter_Change();
    void m_filterClients_Click();
    // The floor map (console/floor_map.cpp): the menu item, and the tiles' events.
    void m_floorMap_Click();
    void ShowFloorMap(bool shown);
    void Floor_TileClick(int row);
    void Floor_TileDblClick(int row);
    void Floor_TileDropped(int row, ui::TileSpot spot);
    // The context menu for the client of the row, from the grid or its tile.
    void OpenClientMenu(int row);

    void m_Select_Click();
    void m_Unselect_Click();
    void m_SelectAll_Click();
    void m_UnselectAll_Click();
    void m_invertselect_Click();

    void Command3_Click();
    // "Point-of-Sale": the staff sign-in (pos/passwords.h).
    void Command4_Click();
    // "Op&tion ...": the options dialog (console/kestova_opt.h).
    void m_Opt_Click();
    void m_refresh_Click();
    void m_LogOff_Click();
    void m_recKestova_Click();
    void M_exit_Click();
    // The ticket search (also the toolbar's "Search") and the report window.
    void SearchAccount_Click();
    void p_Search_Click();
    void m_report_Click();

    void Toolbar1_ButtonClick(int index);
    void Toolbar1_ButtonMenuClick(int index, int menuIndex);

    // Commands for the highlighted client (console/client_commands.h, time_allocation.h).
    void m_allocate_Click();
    void m_dealloc_Click();
    void m_Pause_Click();
    void M_disconnect_Click();
    void m_ClosePort_Click();
    void m_Print_Click();
    void m_prevent_Click();
    void EndTimer_Click();
    void m_ResTClientTimerOnly_Click();
    void RestartClient_Click();
    void m_ShutDown_Click();
    void Enable_Click();
    void m_disable_Click();
    void M_relocate_Click();
    void m_clearDesktop_Click();
    void m_ChangCName_Click();
    void p_updateset_Click();
    void m_Clientinfo_Click();
    void m_FComputer_Click();
    // Commands for all clients and the café-wide switches (console/cafe_switches.h).
    void m_PauseAll_Click();
    void m_UnpauseAll_Click();
    void M_Reset_Click();
    void m_Dislog_Click();
    void Command2_Click();
    void m_AllowPause_Click();
    void m_allowTime_Click();
    void m_updateKestova_Click();
    void m_CustonIP_Click();
    // The audit trail of the commands sent (audit/audit_trail.h).
    void m_auditTrail_Click();
    // Messages (console/messaging.h).
    void m_SendAll_Click();
    void m_sendMessage_Click();
    void m_messServer_Click();
    void m_ClientMessage_Click();
    // The group command bar (console/group_command_bar.h).
    // Back to idle for a new operator: nothing chosen, the list refilled for the new right.
    void ResetGroupCommandBar();
    void Combo1_GotFocus();
    void Combo1_DropDown();
    void Combo1_Click();
    void Option1_Click();
    void Option2_Click();
    void Command1_Click();
    // Help and About (console/help_about.h).
    void m_HelpTopics_Click();
    void m_OnlineHelp_Click();
    void m_about_Click();

    // Connection supervision, the server's replies and the server search. These call
    //   SupervisionTick(*this) and ListenConnected(*this)        (connection/supervision.h),
    //   Receiver().DataArrived()                                 (dispatch/listen_receiver.h),
    //   SearchConnected(*this), SearchDataArrival(*this) and
    //   BroadCaster(*this, false)                                (connection/server_search.h).
    void ListenTimer_Timer();
    void Listen_Connect();
    void Listen_DataArrival();
    void Search_Connect();
    void Search_DataArrival();
    void Timer1_Timer();

private:
    void wireEvents();
    void wireCommands();
    void wireClientOrder();
    void wireFloorMap();
    // The kept places of the tiles and whether the map was shown last.
    void LoadFloorMap();
    // While a menu is open the supervision asks for the client list less often; some menus
    // restart the timer around the change.
    void SlowSupervisionWhileMenuOpen(bool restartTimer);
    void createSockets();
    void ReadAlertSettings();

    std::unique_ptr<platform::Socket> search_;
    ListenReceiver receiver_;
    bool busy_ = false;
    bool shutdownAllowed_ = false;
    bool printControl_ = false;
    bool serverSearchRunning_ = false;
    ClientAlertRule clientAlerts_;
    bool alertSound_ = true;  // a warning also plays the alert sound ("AlertSound")
    MarkedRowCount markedCount_{ConList, BackColor, lblMarked};
    FloorPlan floorPlan_;
};

}  // namespace kestova
