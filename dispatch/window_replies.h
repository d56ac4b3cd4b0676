#pragma once

#include "dispatch/reply.h"

// The answers for the ticket information window and the report window. Those windows are not
// part of the console yet; until they are, each handler passes its reply over without touching
// anything.
namespace kestova {

void HandleTicketSearchAnswer(KestovaMain& main, const Reply& reply);  // F-SEARCH
void HandleReportSummary(KestovaMain& main, const Reply& reply);       // REPORTSUMMARY
void HandleNoReportSummary(KestovaMain& main, const Reply& reply);     // NOREPORTSUMMARY

}  // namespace kestova
