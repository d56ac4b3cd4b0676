#pragma once

#include "dispatch/reply.h"

// The answers for the report window (reports/rsummary.cpp). They reach it only while it waits
// for one: a late answer (after a cancel, a time-out, a stop, or with the window closed) is
// passed over, so it can neither load a closed window nor put a report under the heading of
// another day.
namespace kestova {

// Registers the handlers below with the dispatcher's keyword table.
void RegisterReportReplies();

void HandleReportSummary(KestovaMain& main, const Reply& reply);    // REPORTSUMMARY
void HandleNoReportSummary(KestovaMain& main, const Reply& reply);  // NOREPORTSUMMARY

}  // namespace kestova
