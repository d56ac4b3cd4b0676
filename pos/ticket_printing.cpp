// The print-out of a ticket batch: one ticket after the other, each line on a tick of Timer1,
// with the staff member's STOP and a printer that stops taking bytes heard between lines.
#include <algorithm>
#include <string>

#include "core/local_time.h"
#include "core/settings.h"
#include "core/settings_table.h"
#include "core/version.h"
#include "platform/services.h"
#include "pos/frm_pos.h"
#include "pos/ticket_printout.h"

namespace kestova {
namespace {

constexpr int kAfterTimeOutMs = 800;

}  // namespace

void FrmPOS::Timer1_Timer() {
    if (batchWaiting_) {
        // The request's time-out: the wait for the batch ends; a batch that comes later is
        // deleted by the reply handler, as nobody waits for it.
        Timer1.SetInterval(kAfterTimeOutMs);
        Timer1.SetEnabled(false);
        requestTimedOut_ = true;
        batchWaiting_ = false;
        return;
    }
    ++lineCounter_;
    const printout::Step step =
        printout::LineAt(lineCounter_, ticket_, Label10.Caption.get(), LocalNow());
    Timer1.SetInterval(step.nextTickMs);
    if (step.line.has_value()) {
        printer_.PrintLine(*step.line);
    }
    if (step.skipsNextLine) {
        ++lineCounter_;
    }
    if (lineCounter_ < printout::LastLine(lastTicket_)) {
        return;
    }
    Timer1.SetEnabled(false);
    lineCounter_ = 0;
    ready_ = true;
    printRun_.back().endsAtByte = printer_.Queued();
    if (Pg.Max > Pg.Value) {
        Pg.Value = Pg.Value + 1;
    }
    if (lastTicket_) {
        Command2.Enabled = true;
    }
}

void FrmPOS::PrintTicketBatch(const std::vector<BatchTicket>& tickets) {
    printRun_.clear();
    if (tickets.empty()) {
        return;
    }
    lastTicket_ = false;
    if (!printer_.IsOpen()) {
        // The line failed during an earlier print-out: it may be back.
        printer_.Open(ReadSetting(settings::Com));
    }
    for (std::size_t k = 0; k < tickets.size(); ++k) {
        while (!ready_) {
            if (!AwaitPrinter()) {
                return;
            }
        }
        StartTicket(tickets[k], k + 1 == tickets.size());
    }
    // The questions that follow ask what is on paper: the last ticket first comes out whole.
    while (!ready_ || !printer_.Idle()) {
        if (!AwaitPrinter()) {
            return;
        }
    }
}

bool FrmPOS::AwaitPrinter() {
    WaitAMoment();
    if (stop_) {
        if (ConfirmCancel()) {
            Timer1.SetEnabled(false);
            ChangeSales(-static_cast<float>(printRun_.size()));
            lastTicket_ = false;
            ready_ = false;
            // A clean end of the line on paper; what the printer still holds stays queued.
            printer_.PrintLine("");
            return false;
        }
        stop_ = false;
        if (!ready_) {
            Timer1.SetEnabled(true);
        }
    }
    if (printer_.Stalled()) {
        ReportPrinterStopped();
        return false;
    }
    return true;
}

void FrmPOS::StartTicket(const BatchTicket& ticket, bool last) {
    Timer1.SetEnabled(false);
    ready_ = false;
    ticket_ = ticket;
    ChangeSales(1);
    lastTicket_ = last;
    printRun_.push_back({&ticket, 0});
    Timer1.SetEnabled(true);
}

bool FrmPOS::ConfirmCancel() {
    return platform::services().dialogs().MsgBox(
               "Are you sure you want to Cancel Ticket Creation and Printing?",
               platform::msgbox::YesNo | platform::msgbox::Question |
                   platform::msgbox::DefaultButton2,
               VersionTitle()) == platform::msgbox::Yes;
}

void FrmPOS::ReportPrinterStopped() {
    Timer1.SetEnabled(false);
    lineCounter_ = 0;
    lastTicket_ = false;
    const std::uint64_t taken = printer_.Taken();
    const auto unfinished =
        std::find_if(printRun_.begin(), printRun_.end(),
                     [taken](const auto& t) { return t.endsAtByte == 0 || t.endsAtByte > taken; });
    if (unfinished == printRun_.end()) {
        return;
    }
    platform::services().dialogs().MsgBox(
        "The POS stopped printing! Ticket [" + unfinished->ticket->groupAndNumber +
            "] (Username: " + unfinished->ticket->user + ") is not printed whole.\r\n" +
            "Check the POS, then reprint the Ticket Group.",
        platform::msgbox::Exclamation, VersionTitle());
}

}  // namespace kestova
