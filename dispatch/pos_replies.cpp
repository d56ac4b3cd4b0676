#include "dispatch/pos_replies.h"

#include <array>
#include <string>

#include "connection/server_protocol.h"
#include "console/kestova_main.h"
#include "core/convert.h"
#include "core/settings.h"
#include "core/settings_table.h"
#include "core/wire/framing.h"
#include "pos/frm_pos.h"
#include "pos/pos_requests.h"
#include "program/kestova_code.h"

namespace kestova {
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
    ProgramState& state = KestovaCode();
    if (const auto sold = reply.Value(1)) {
        state.SalesToday = static_cast<float>(Val(*sold));
    }
    if (!ToTruth(ReadSetting(settings::PosType)).value_or(true)) {
        return;  // the operations window's figures come with that window
    }
    FrmPOS& pos = PosGeneration();
    pos.EnsureLoaded();
    if (reply.Value(1).has_value()) {
        pos.Label13.Caption = SingleText(state.SalesToday);
    }
    if (const auto cost = reply.Value(3)) {
        pos.TCost = static_cast<float>(Val(*cost));
        pos.Label14.Caption = MoneyText(Val(*cost));
    }
    if (const auto signedIn = reply.Value(2); signedIn && pos.Label11.Caption.get() == "Unknown") {
        pos.Label11.Caption = std::string(*signedIn);
    }
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

void HandleTicketBatch(KestovaMain& main, const Reply& reply) {
    ProgramState& state = KestovaCode();
    if (state.TicketRequestWaiting) {
        if (const auto batch = reply.Value(1)) {
            state.TicketReplyText = std::string(*batch);
        }
        state.TicketRequestWaiting = false;
        return;
    }
    // Nobody asked for it (the request was cancelled or timed out): the server deletes it.
    state.TicketReplyText = "FALSE";
    const auto group = reply.Value(2);
    if (group.has_value() && main.IsServerConnected()) {
        protocol::SendToServer(*main.Listen, pos_request::DeleteBatch(*group));
    }
}

// The operations window's replies, for the next part of the point of sale.
void HandleNoTicket(KestovaMain& /*main*/, const Reply& /*reply*/) {}
void HandleTicketRecord(KestovaMain& /*main*/, const Reply& /*reply*/) {}
void HandleTicketActivated(KestovaMain& /*main*/, const Reply& /*reply*/) {}
void HandleTicketDeactivated(KestovaMain& /*main*/, const Reply& /*reply*/) {}
void HandleActivationMessage(KestovaMain& /*main*/, const Reply& /*reply*/) {}
void HandleGroupActivated(KestovaMain& /*main*/, const Reply& /*reply*/) {}
void HandleGroupDeactivated(KestovaMain& /*main*/, const Reply& /*reply*/) {}
void HandleGroupList(KestovaMain& /*main*/, const Reply& /*reply*/) {}
void HandleSalesSummary(KestovaMain& /*main*/, const Reply& /*reply*/) {}
void HandleNoSalesSummary(KestovaMain& /*main*/, const Reply& /*reply*/) {}

}  // namespace kestova
