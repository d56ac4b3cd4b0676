#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pos/receipt_printer.h"
#include "pos/ticket_batch.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace kestova {

// Ticket generation: a signed-in staff member asks the server for a batch of tickets, manual
// (minutes, cost, number) or quick (a ticket type and a number of print-outs), prints them on the
// receipt printer one line per tick of Timer1, and settles whether they printed: kept, printed
// again or deleted on the server. The staff member's sales figures show beside it.
class FrmPOS : public ui::Form {
public:
    FrmPOS();

    ui::Frame Frame1{*this, "Frame1"};  // the window's body
    // "POS Generation and Print"
    ui::Frame Frame3{*this, "Frame3"};
    // Manual entry: minutes, cost of one ticket, number of tickets, and the kind.
    ui::Frame Frame4{*this, "Frame4"};
    ui::TextBox Text1{*this, "Text1"};
    ui::TextBox Text2{*this, "Text2"};
    ui::TextBox Text3{*this, "Text3"};
    ui::CheckBox Check8{*this, "Check8"};    // "Time Ticket"
    ui::CheckBox Check9{*this, "Check9"};    // "Only Once", offered for time tickets
    ui::CheckBox Check10{*this, "Check10"};  // "Use VIP"
    // Quick tickets: a type from the server's list and a number of print-outs.
    ui::Frame Frame5{*this, "Frame5"};
    ui::ComboBox Combo1{*this, "Combo1"};
    ui::ComboBox Combo2{*this, "Combo2"};
    ui::Button Command2{*this, "Command2"};  // "Create and Print POS Ticket"
    ui::Button Command3{*this, "Command3"};  // "Close", "STOP" while a batch is under way
    // "Staff Information and Activity"
    ui::Frame Frame2{*this, "Frame2"};
    ui::Label Label10{*this, "Label10"};     // staff member
    ui::Label Label11{*this, "Label11"};     // sign-in time
    ui::Label Label12{*this, "Label12"};     // sales since the sign-in
    ui::Label Label13{*this, "Label13"};     // sales today
    ui::Label Label14{*this, "Label14"};     // cost of today's sales
    ui::Button Command1{*this, "Command1"};  // "Refresh"
    ui::ProgressBar Pg{*this, "Pg"};
    // Times out a ticket request, then paces the print-out line by line.
    ui::Timer Timer1{*this, "Timer1", 0, false};

    // Total cost of the tickets sold today, as the server counts it and this window adds to it.
    float TCost = 0;

    // The window's first state, from its load.
    void LoadPOS();
    // Idle: the inputs and the create button enabled and "Close"; busy: "STOP".
    void SetIdle(bool enabled);
    // Shows the quick-ticket list (QuickTicket 1) or the manual entry.
    void ShowQuickTickets(bool quick);
    // Fills the quick-ticket list with "None" and the ticket types the server last sent.
    void FillQuickTicketTypes();

    void Form_Load();
    void Form_Activate();
    void Form_QueryUnload(int& cancel, int unloadMode);
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Check8_Click();
    void Timer1_Timer();

private:
    // The ticket batch: request, print, settle. In ticket_generation.cpp.
    void GenerateTickets();
    // Waits for the server's batch; false when none is to be printed.
    bool AwaitBatch();
    // Prints the batch and asks until it is kept or deleted.
    void PrintAndSettle(const std::vector<BatchTicket>& tickets, float count, float cost);
    // The print-out of every ticket, one after the other. In ticket_printing.cpp.
    void PrintTicketBatch(const std::vector<BatchTicket>& tickets);
    // One moment of the wait for the printer, hearing STOP and noticing a printer that took
    // nothing for too long; false when printing ends (cancelled, or the printer stopped).
    bool AwaitPrinter();
    // Asks whether to cancel; true when the staff member confirms.
    bool ConfirmCancel();
    // The printer stopped taking bytes: printing ends and the staff member hears which ticket
    // is not on paper.
    void ReportPrinterStopped();
    void StartTicket(const BatchTicket& ticket, bool last);

    // Checks "Time Ticket" and "Only Once" as given; "Only Once" is offered for time tickets only.
    void SetTicketKind(bool timeTicket, bool once);
    void ChangeSales(float tickets);
    void ShowTotalCost();
    // Waits a moment with the operator's clicks held, then lets them through (STOP).
    void WaitAMoment();
    // The console's connection is gone: says so and closes.
    void NotConnected();

    ReceiptPrinter printer_;
    // The ticket being printed and the print-out state of its lines.
    BatchTicket ticket_;
    std::int16_t lineCounter_ = 0;
    bool ready_ = false;
    bool lastTicket_ = false;
    bool stop_ = false;
    bool requestTimedOut_ = false;
    // Between the create button and the end of the batch's questions.
    bool busy_ = false;
    float salesOnLogin_ = 0;

    // Every ticket of the print run so far, with the printer's byte count at its end (0 while
    // it prints), to tell which ticket a stopped printer left unfinished.
    struct TicketOnPaper {
        const BatchTicket* ticket;
        std::uint64_t endsAtByte;
    };
    std::vector<TicketOnPaper> printRun_;
};

}  // namespace kestova
