// The ticket batch of the generation window: what the staff member asks for, the request to the
// server and the wait for its batch, then printing and settling whether the tickets came out.
#include <algorithm>
#include <optional>
#include <string>

#include "connection/server_link.h"
#include "core/convert.h"
#include "core/local_time.h"
#include "core/settings.h"
#include "core/settings_table.h"
#include "core/version.h"
#include "core/wire/framing.h"
#include "core/wire/request_texts.h"
#include "platform/services.h"
#include "pos/frm_pos.h"
#include "pos/pos_requests.h"
#include "pos/ticket_order.h"

namespace kestova {
namespace {

namespace msgbox = platform::msgbox;

constexpr int kRequestTimeOutMs = 60'000;
constexpr int kFirstLineAfterMs = 800;
constexpr int kBeforePrintingMs = 500;
constexpr int kLargestQuotaKb = 1'000'000;
constexpr int kQuestion = msgbox::YesNo | msgbox::Question | msgbox::DefaultButton2;

int MsgBox(const std::string& text, int flags) {
    return platform::services().dialogs().MsgBox(text, flags, VersionTitle());
}

void Warn(const std::string& text) {
    MsgBox(text, msgbox::Exclamation);
}

platform::EventLoop& Loop() {
    return platform::services().loop();
}

// The manual entry's checks, in the order the staff member hears of them; the cost is free.
bool ManualEntryValid(const FrmPOS& pos) {
    const std::string& minutes = pos.Text1.Text;
    const std::string& tickets = pos.Text3.Text;
    const char* problem = !IsNumeric(minutes)   ? "Time must be numeric!"
                          : Val(minutes) <= 0   ? "Minutes can't be Zero!"
                          : !IsNumeric(tickets) ? "Time must be numeric!"
                          : Val(tickets) <= 0   ? "Amount must be greater than Zero!"
                                                : nullptr;
    if (problem != nullptr) {
        Warn(problem);
    }
    return problem == nullptr;
}

// A quota is asked only while download quotas are in use. Nothing when the staff member gives
// none (or a wrong one); otherwise the confirmation's quota text, empty without a quota.
std::optional<std::string> AskQuota() {
    if (!ToTruth(ReadSetting(settings::Download)).value_or(false) ||
        ReadSetting(settings::DownType) == "2") {
        return std::string();
    }
    const std::string answer = platform::services().dialogs().InputBox(
        "Enter the Quota (in kb) for this Ticket Group?", "Zarnevo Kestova", "1000");
    const std::int32_t quota = ToWholeNumber(answer).value_or(0);
    if (quota == 0) {
        return std::nullopt;
    }
    if (quota < 0 || quota > kLargestQuotaKb) {
        Warn("Quota too small or large!");
        return std::nullopt;
    }
    return " with Quota of " + std::to_string(quota) + "Kb";
}

bool IsBlank(const std::string& choice) {
    return choice.empty() || choice == "None";
}

}  // namespace

void FrmPOS::GenerateTickets() {
    const bool quick = ToWholeNumber(ReadSetting(settings::QuickTicket)) == 1;
    if (!quick && !ManualEntryValid(*this)) {
        return;
    }
    const std::optional<std::string> quotaText = AskQuota();
    if (!quotaText.has_value()) {
        return;
    }
    const std::string expiry = ticket_order::ExpiryText(LocalNow());
    const auto kindTexts = [&] {
        return std::string(Check8.Value == 1 ? " and for Time Only" : "") +
               (Check9.Value == 1 ? " to be used Once" : "") + *quotaText + ", Continue?";
    };

    pos_request::TicketOrder order;
    std::string confirmation;
    if (quick) {
        if (IsBlank(Combo1.Text) || IsBlank(Combo2.Text)) {
            Warn("Quick-Ticket entry blank!");
            return;
        }
        const auto ticket = ticket_order::ParseQuickTicket(Combo1.Text.get());
        if (!ticket.has_value()) {
            Warn("Time Error!");
            return;
        }
        SetTicketKind(ticket->timeTicket, ticket->once);
        order.minutes = static_cast<float>(ticket->minutes);
        order.count = static_cast<float>(Val(Combo2.Text.get().substr(0, 1)));
        order.cost = static_cast<float>(ticket->cost);
        order.vip = ticket->vip;
        confirmation = "You have choosen to Generate " + Combo2.Text.get() + " of " +
                       SingleText(order.minutes) + "min(s)' Ticket(s) of Cost " + ticket->costText +
                       " with Expiration Date of " + expiry + kindTexts();
    } else {
        confirmation = "You have choosen to Create and Print " + Text3.Text.get() +
                       " number(s) of " + Text1.Text.get() + "min(s)' Ticket(s) of Cost " +
                       ReadSetting(settings::Currency) + Text2.Text.get() +
                       " with Expiration Date of " + expiry + kindTexts();
    }
    if (MsgBox(confirmation, kQuestion) != msgbox::Yes) {
        return;
    }
    if (!quick) {
        order.minutes = static_cast<float>(Val(Text1.Text.get()));
        order.count = static_cast<float>(Val(Text3.Text.get()));
        order.cost = static_cast<float>(Val(Text2.Text.get()));
        order.vip = Check10.Value == 1;
    }
    order.timeTicket = Check8.Value == 1;
    order.once = Check9.Value == 1;
    order.staff = wire::UpperAscii(Label10.Caption.get());

    Pg.Max = ToWholeNumber(order.count).value_or(0);
    Loop().yield();
    Loop().pause(50);
    Pg.Value = 0;
    batchText_.clear();
    if (!Server().IsConnected()) {
        NotConnected();
        return;
    }
    batchWaiting_ = true;
    requestTimedOut_ = false;
    Server().Send(pos_request::TicketBatch(order));
    Loop().yield();
    Timer1.SetInterval(kRequestTimeOutMs);
    Timer1.SetEnabled(true);
    if (!AwaitBatch()) {
        return;
    }
    Timer1.SetInterval(kFirstLineAfterMs);
    Loop().pause(kBeforePrintingMs);
    SetTicketKind(false, false);
    Check10.Value = 0;
    Loop().yield();
    PrintAndSettle(ParseTicketBatch(batchText_), order.count, order.cost);
}

bool FrmPOS::AwaitBatch() {
    const std::int64_t deadline = platform::services().clock().monotonicMs() + kRequestTimeOutMs;
    while (batchWaiting_) {
        WaitAMoment();
        if (!Server().IsConnected()) {
            // The batch cannot come on a connection that is gone: the wait ends at once, as
            // every other point-of-sale request does.
            Timer1.SetEnabled(false);
            batchWaiting_ = false;
            NotConnected();
            return false;
        }
        if (!stop_) {
            continue;
        }
        if (ConfirmCancel()) {
            Server().Send(wire::request::GiveBackBatchText(""));
            Pg.Value = 0;
            Timer1.SetInterval(kFirstLineAfterMs);
            Timer1.SetEnabled(false);
            batchWaiting_ = false;
            return false;
        }
        stop_ = false;
        // STOP paused the request's time-out; it goes on for the time that was left.
        const std::int64_t left = deadline - platform::services().clock().monotonicMs();
        Timer1.SetInterval(static_cast<int>(std::max<std::int64_t>(left, 1)));
        Timer1.SetEnabled(true);
    }
    Timer1.SetEnabled(false);
    if (requestTimedOut_) {
        MsgBox("Request timed out!", msgbox::Critical);
        return false;
    }
    if (batchText_ == "FALSE") {
        return false;
    }
    if (batchText_.empty()) {
        MsgBox("No Ticket(s) to print!", msgbox::Critical);
        return false;
    }
    return true;
}

bool FrmPOS::BatchArrived(std::optional<std::string_view> batch) {
    if (!batchWaiting_) {
        batchText_ = "FALSE";
        return false;
    }
    if (batch) {
        batchText_ = std::string(*batch);
    }
    batchWaiting_ = false;
    return true;
}

void FrmPOS::PrintAndSettle(const std::vector<BatchTicket>& tickets, float count, float cost) {
    const std::string group = BatchGroup(tickets);
    const auto deleteBatch = [&group] { Server().Send(wire::request::GiveBackBatchText(group)); };
    const auto keep = [&] {
        TCost += count * cost;
        ShowTotalCost();
        Warn("Ticket(s) with Ticket Group [" + group + "] saved and printed!");
    };
    while (true) {
        ready_ = true;
        PrintTicketBatch(tickets);
        if (stop_) {
            Pg.Value = 0;
            deleteBatch();
            Warn("Ticket(s) with Ticket Group Cancelled!");
            break;
        }
        if (MsgBox("Did the POS Ticket with Ticket Group [" + group + "] print?", kQuestion) ==
            msgbox::Yes) {
            keep();
            break;
        }
        const int again =
            MsgBox("Do you want to reprint the Ticket Group [" + group + "] again?\r\n" +
                       "YES - Reprint, No - Keep Ticket and cancel Reprint, Cancel - Delete Ticket",
                   msgbox::YesNoCancel | msgbox::Question | msgbox::DefaultButton3);
        if (again == msgbox::No) {
            keep();
            break;
        }
        // Printed again or deleted: the tickets of this print-out no longer count as sold.
        ChangeSales(-static_cast<float>(printRun_.size()));
        if (again == msgbox::Yes) {
            continue;
        }
        deleteBatch();
        Warn("Ticket(s) with Ticket Group [" + group + "] deleted!");
        break;
    }
    Timer1.SetEnabled(false);
    Pg.Value = 0;
}

}  // namespace kestova
