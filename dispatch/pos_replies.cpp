#include "dispatch/pos_replies.h"

#include <array>
#include <climits>
#include <cstdint>
#include <optional>
#include <string>

#include "audit/command_audit.h"
#include "connection/server_protocol.h"
#include "console/kestova_main.h"
#include "core/convert.h"
#include "core/display_text.h"
#include "core/settings.h"
#include "core/settings_table.h"
#include "core/wire/framing.h"
#include "core/wire/request_texts.h"
#include "pos/frm_pos.h"
#include "pos/ofrm_pos.h"
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
    if (!ToTruth(ReadSetting(settings::PosType)).value_or(true)) {
        // The operations window stores no settings; figures for a closed one are passed over.
        OfrmPOS& window = PosOperations();
        if (window.IsLoaded()) {
            window.StaffFigures(reply.Value(1), reply.Value(2), reply.Value(3));
        }
        return;
    }
    ProgramState& state = KestovaCode();
    if (const auto sold = reply.Value(1)) {
        state.SalesToday = static_cast<float>(Val(*sold));
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
        protocol::SendToServer(*main.Listen, wire::request::GiveBackBatchText(*group),
                               AuditAs::UnrequestedBatchDeletion);
    }
}

namespace {

// The operations window while it is open: the console is busy for as long as it shows. Its
// answers are passed over otherwise, and never load a closed window.
OfrmPOS* OperationsWindow(const KestovaMain& main) {
    if (!main.ConsoleBusy) {
        return nullptr;
    }
    OfrmPOS& window = PosOperations();
    return window.IsLoaded() ? &window : nullptr;
}

// Where an activation or deactivation answer carries its figures: value 1 split at "|", piece
// 0 the tickets sold today, then the number of tickets (none in DEACTIVATED) and the cost.
struct ActivationAnswer {
    bool activated;
    bool group;
    std::optional<std::size_t> countPiece;
    std::size_t costPiece;
};

constexpr ActivationAnswer kActivated{true, false, 1, 2};
constexpr ActivationAnswer kDeactivated{false, false, std::nullopt, 1};
constexpr ActivationAnswer kGroupActivated{true, true, 1, 2};
constexpr ActivationAnswer kGroupDeactivated{false, true, 2, 1};

// A count of tickets: a whole number that fits 16 bits.
std::optional<std::int16_t> TicketCount(std::string_view text) {
    const auto count = ToWholeNumber(text);
    if (!count || *count < INT16_MIN || *count > INT16_MAX) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(*count);
}

void TakeActivationAnswer(KestovaMain& main, const Reply& reply, const ActivationAnswer& answer) {
    OfrmPOS* window = OperationsWindow(main);
    if (window == nullptr) {
        return;
    }
    // Ends the activation waiting, never a summary request that came after it.
    if (window->AwaitingActivation()) {
        window->FinishSale();
    }
    const std::vector<std::string> pieces = wire::SplitOn(reply.Value(1).value_or(""), "|");
    const auto piece = [&pieces](std::size_t n) {
        return n < pieces.size() ? std::string_view(pieces[n]) : std::string_view();
    };
    window->ShowSoldToday(piece(0));
    if (answer.group && answer.activated) {
        window->Pg.Value = window->Pg.Max.get();
    }
    // Figures that do not read change nothing.
    const auto count =
        answer.countPiece ? TicketCount(piece(*answer.countPiece)) : std::optional<std::int16_t>(0);
    const auto cents = ToCents(piece(answer.costPiece));
    if (!count || !cents) {
        return;
    }
    if (answer.activated) {
        window->SaleMade(*count, *cents);
    } else {
        window->SaleDemade(*count, *cents);
    }
}

}  // namespace

void HandleNoTicket(KestovaMain& main, const Reply& /*reply*/) {
    if (OfrmPOS* window = OperationsWindow(main)) {
        window->ShowNoTicket();
    }
}

void HandleTicketRecord(KestovaMain& main, const Reply& reply) {
    if (OfrmPOS* window = OperationsWindow(main)) {
        window->ShowTicket(reply.Value(1).value_or(""));
    }
}

void HandleTicketActivated(KestovaMain& main, const Reply& reply) {
    TakeActivationAnswer(main, reply, kActivated);
}

void HandleTicketDeactivated(KestovaMain& main, const Reply& reply) {
    TakeActivationAnswer(main, reply, kDeactivated);
}

void HandleGroupActivated(KestovaMain& main, const Reply& reply) {
    TakeActivationAnswer(main, reply, kGroupActivated);
}

void HandleGroupDeactivated(KestovaMain& main, const Reply& reply) {
    TakeActivationAnswer(main, reply, kGroupDeactivated);
}

void HandleActivationMessage(KestovaMain& main, const Reply& reply) {
    if (OperationsWindow(main) == nullptr) {
        return;
    }
    // The box opens once the dispatch is over, so the answers that came with the text are
    // taken first; a text longer than any box shows waits cut.
    const std::string text =
        CutForDisplay(reply.Value(1).value_or(""), kLongestMessageShown, kMessageCutMark);
    main.Receiver.ShowBoxAfterDispatch([text] {
        OfrmPOS& window = PosOperations();
        if (window.IsLoaded()) {
            window.Message(text);
        }
    });
}

void HandleGroupList(KestovaMain& main, const Reply& reply) {
    OfrmPOS* window = OperationsWindow(main);
    if (window != nullptr && reply.Value(1)) {
        window->GroupListed(*reply.Value(1));
    }
}

// A summary is taken only while one is asked for: a late one would stand under the heading of
// another period.
void HandleSalesSummary(KestovaMain& main, const Reply& reply) {
    OfrmPOS* window = OperationsWindow(main);
    if (window == nullptr || !window->AwaitingSummary()) {
        return;
    }
    window->FinishSale();
    window->SummaryHead();
    if (const auto text = reply.Value(1)) {
        window->SummaryBody(*text);
    }
}

void HandleNoSalesSummary(KestovaMain& main, const Reply& /*reply*/) {
    OfrmPOS* window = OperationsWindow(main);
    if (window == nullptr || !window->AwaitingSummary()) {
        return;
    }
    window->FinishSale();
    window->SummaryHead();
    window->NoSummary();
}

}  // namespace kestova
