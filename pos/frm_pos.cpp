#include "pos/frm_pos.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "audit/command_audit.h"
#include "connection/server_link.h"
#include "core/convert.h"
#include "core/program_state.h"
#include "core/settings.h"
#include "core/settings_table.h"
#include "core/version.h"
#include "core/wire/framing.h"
#include "core/wire/request_texts.h"
#include "platform/services.h"
#include "pos/ofrm_pos.h"
#include "pos/pos_replies.h"
#include "program/kestova_code.h"

namespace kestova {
namespace {

constexpr int kDefaultPrintOuts = 9;

}  // namespace

FrmPOS::FrmPOS() : ui::Form("frmPOS") {
    Frame3.Caption = "POS Generation and Print";
    Frame2.Caption = "Staff Information and Activity";
    Check8.Caption = "Time Ticket";
    Check9.Caption = "Only Once";
    Check10.Caption = "Use VIP";
    Combo1.Style = 2;
    Combo2.Style = 2;
    Command1.Caption = "Refresh";
    Command2.Caption = "Create and Print POS Ticket";
    Command3.Cancel = true;

    OnLoad = [this] { Form_Load(); };
    OnActivate = [this] { Form_Activate(); };
    OnQueryUnload = [this](int& cancel, int mode) { Form_QueryUnload(cancel, mode); };
    OnUnload = [this](int& /*cancel*/) { printer_.Close(); };
    for (ui::TextBox* box : {&Text1, &Text2, &Text3}) {
        box->GotFocus = [box] { box->SelectAll(); };
        box->KeyPress = ui::FiguresOnly;
    }
    Check8.Click = [this] { Check8_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    Timer1.Tick = [this] { Timer1_Timer(); };
}

void FrmPOS::Form_Load() {
    // A window opened again after a close starts from its design.
    Label10.Caption = "Unknown";
    Label12.Caption = "0";
    Label13.Caption = "0";
    Label14.Caption = "";
    SetTicketKind(false, false);
    Check10.Value = 0;
    Pg.Value = 0;
    TCost = 0;
    salesOnLogin_ = 0;
    busy_ = false;
    Timer1.SetEnabled(false);
    SetIdle(true);
    TopMost = true;
    LoadPOS();
}

void FrmPOS::Form_Activate() {
    TopMost = true;
}

void FrmPOS::LoadPOS() {
    lineCounter_ = 0;
    Label11.Caption = "Unknown";
    Text1.Text = "0";
    Text2.Text = "0";
    Text3.Text = "0";
    Frame1.Visible = true;
    Combo2.Clear();
    Combo2.AddItem("None");
    for (int printOuts = 1; printOuts <= kDefaultPrintOuts; ++printOuts) {
        Combo2.AddItem(std::to_string(printOuts) + " Print-Out(s)");
    }
    Combo2.ChooseText("None");
    FillQuickTicketTypes();
    ShowQuickTickets(ToWholeNumber(ReadSetting(settings::QuickTicket)) == 1);
    Caption = "Point-of-Sale(POS) - " + VersionTitle();
}

void FrmPOS::FillQuickTicketTypes() {
    Combo1.Clear();
    Combo1.AddItem("None");
    for (const std::string& type : KestovaCode().QuickTicketTypes) {
        Combo1.AddItem(type);
    }
    Combo1.ChooseText("None");
}

void FrmPOS::ShowQuickTickets(bool quick) {
    Frame4.Visible = !quick;
    Frame5.Visible = quick;
}

void FrmPOS::SetIdle(bool enabled) {
    Frame2.Enabled = enabled;
    Frame4.Enabled = enabled;
    Command2.Enabled = enabled;
    Command3.Caption = enabled ? "Close" : "STOP";
}

void FrmPOS::Form_QueryUnload(int& cancel, int unloadMode) {
    // The close box waits for the batch to settle: its tickets exist on the server.
    const bool fromCloseBox = unloadMode == 0;
    if (Timer1.IsEnabled() || (busy_ && fromCloseBox)) {
        cancel = 1;
    }
}

void FrmPOS::Command1_Click() {
    if (!Server().IsConnected()) {
        NotConnected();
        return;
    }
    Server().Send(wire::request::StaffFiguresText(wire::UpperAscii(Label10.Caption.get())));
}

void FrmPOS::Command3_Click() {
    Timer1.SetEnabled(false);
    if (Command3.Caption.get() == "STOP") {
        stop_ = true;
    } else {
        Unload();
    }
}

void FrmPOS::Check8_Click() {
    Check9.Enabled = Check8.Value == 1;
}

void FrmPOS::SetTicketKind(bool timeTicket, bool once) {
    Check8.Value = timeTicket ? 1 : 0;
    Check9.Value = once ? 1 : 0;
    Check8_Click();
}

void FrmPOS::Command2_Click() {
    SetIdle(false);
    busy_ = true;
    const auto MsgBox = [](const char* text) {
        platform::services().dialogs().MsgBox(text, platform::msgbox::Critical, VersionTitle());
    };
    switch (printer_.Open(ReadSetting(settings::Com))) {
        case ReceiptPrinter::OpenResult::Opened:
            lineCounter_ = 0;
            stop_ = false;
            Timer1.SetEnabled(false);
            Timer1.SetInterval(1000);
            GenerateTickets();
            break;
        case ReceiptPrinter::OpenResult::NotOpen:
            MsgBox("Port not open!");
            break;
        case ReceiptPrinter::OpenResult::InvalidPort:
            MsgBox("Port is invalid! Set Port in POS settings.");
            break;
    }
    busy_ = false;
    SetIdle(true);
}

void FrmPOS::ChangeSales(float tickets) {
    salesOnLogin_ += tickets;
    KestovaCode().SalesToday += tickets;
    Label12.Caption = SingleText(salesOnLogin_);
    Label13.Caption = SingleText(KestovaCode().SalesToday);
}

void FrmPOS::ShowStaffFigures(std::optional<std::string_view> soldToday,
                              std::optional<std::string_view> signedInAt,
                              std::optional<std::string_view> costToday) {
    ProgramState& state = KestovaCode();
    if (soldToday) {
        state.SalesToday = static_cast<float>(Val(*soldToday));
    }
    EnsureLoaded();
    if (soldToday) {
        Label13.Caption = SingleText(state.SalesToday);
    }
    if (costToday) {
        TCost = static_cast<float>(Val(*costToday));
        Label14.Caption = MoneyText(Val(*costToday));
    }
    if (signedInAt && Label11.Caption.get() == "Unknown") {
        Label11.Caption = std::string(*signedInAt);
    }
}

void FrmPOS::ShowTotalCost() {
    Label14.Caption = MoneyText(TCost);
}

void FrmPOS::WaitAMoment() {
    constexpr int kPollMs = 50;
    platform::EventLoop& loop = platform::services().loop();
    loop.pause(kPollMs);
    loop.yield();
}

void FrmPOS::NotConnected() {
    platform::services().dialogs().MsgBox("Zarnevo Kestova not connected!",
                                          platform::msgbox::Critical, VersionTitle());
    Unload();
}

// ---- The server's replies for the generation window ----------------------------------------

namespace {

// Values 4 to 10 of KESTOVAUPDATE, in order: the print-out's layout as the server keeps it.
constexpr std::array<const settings::Setting*, 7> kPushedPrintSettings = {
    &settings::STitle, &settings::Type,   &settings::SGroup,   &settings::SUserL,
    &settings::SAddr,  &settings::SPassL, &settings::PosSpeed,
};
constexpr std::size_t kFirstPrintSetting = 4;
constexpr std::size_t kQuickTicketValue = 11;

}  // namespace

void HandleStaffFigures(KestovaMain& /*main*/, const Reply& reply) {
    if (!ToTruth(ReadSetting(settings::PosType)).value_or(true)) {
        // The operations window stores no settings; figures for a closed one are passed over.
        OfrmPOS& window = PosOperations();
        if (window.IsLoaded()) {
            window.StaffFigures(reply.Value(1), reply.Value(2), reply.Value(3));
        }
        return;
    }
    FrmPOS& pos = PosGeneration();
    pos.ShowStaffFigures(reply.Value(1), reply.Value(2), reply.Value(3));
    for (std::size_t i = 0; i < kPushedPrintSettings.size(); ++i) {
        if (const auto value = reply.Value(kFirstPrintSetting + i)) {
            WriteSetting(*kPushedPrintSettings[i], *value);
        }
    }
    if (const auto quick = reply.Value(kQuickTicketValue)) {
        WriteSetting(settings::QuickTicket, *quick);
        pos.ShowQuickTickets(Val(*quick) == 1);
    }
}

void HandleQuickTicketTypes(KestovaMain& /*main*/, const Reply& reply) {
    const auto list = reply.Value(1);
    if (!list.has_value()) {
        return;
    }
    // Each name is followed by "|", but the message's "||" after the list takes the list's last
    // "|" along as often as not ("Gold|Silver|||" reads as "Gold|Silver" and "|"): only an empty
    // piece at the end is not a name.
    std::vector<std::string> types = wire::SplitOn(*list, "|");
    if (types.back().empty()) {
        types.pop_back();
    }
    KestovaCode().QuickTicketTypes = std::move(types);
    FrmPOS& pos = PosGeneration();
    if (pos.IsLoaded()) {
        pos.FillQuickTicketTypes();
    }
}

void HandleTicketBatch(KestovaMain& /*main*/, const Reply& reply) {
    if (PosGeneration().BatchArrived(reply.Value(1))) {
        return;
    }
    // Nobody asked for it (the request was cancelled or timed out): the server deletes it.
    const auto group = reply.Value(2);
    if (group.has_value()) {
        Server().Send(wire::request::GiveBackBatchText(*group), AuditAs::UnrequestedBatchDeletion);
    }
}

}  // namespace kestova
