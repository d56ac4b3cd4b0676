#pragma once

#include <optional>
#include <string>

#include "core/convert.h"
#include "pos/ticket_batch.h"

// The print-out of one ticket on the receipt printer: a fixed sequence of short lines, one per
// tick of the point-of-sale window's print timer. The layout settings of section "POS" (and the
// title and address of "Option") are read at the tick that needs them, so a change the server
// pushes takes effect on the next line.
namespace kestova::printout {

// What the tick at line counter n does.
struct Step {
    // The line to print (without its CR LF); nothing when this tick's line is switched off.
    std::optional<std::string> line;
    // Until the next tick.
    int nextTickMs = 0;
    // The counter moves on by one more: the next line is left out without a tick of its own.
    bool skipsNextLine = false;
};

// The tick of line counter `counter` (1 and up) of the ticket, signed by the staff member at
// the local time `now`.
Step LineAt(int counter, const BatchTicket& ticket, const std::string& staff, const DateTime& now);

// The counter at which the print-out of a ticket ends: two empty lines after an ordinary ticket,
// seven after the last ticket of a batch, which tears off at the cutter.
int LastLine(bool lastTicket);

}  // namespace kestova::printout
