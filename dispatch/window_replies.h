#pragma once

#include "dispatch/reply.h"

// The answers for the ticket information window and the report window. Each reaches its window
// only while that window waits for it: a late answer (after a cancel, a time-out, a stop, or
// with the window closed) is passed over, so it can neither load a closed window nor put a
// report under the heading of another day.
namespace kestova {

void HandleTicketSearchAnswer(KestovaMain& main, const Reply& reply);  // F-SEARCH
void HandleReportSummary(KestovaMain& main, const Reply& reply);       // REPORTSUMMARY
void HandleNoReportSummary(KestovaMain& main, const Reply& reply);     // NOREPORTSUMMARY

}  // namespace kestova
