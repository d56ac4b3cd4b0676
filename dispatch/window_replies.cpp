#include "dispatch/window_replies.h"

#include "connection/server_link.h"
#include "console/kestova_main.h"
#include "pos/ticket_info.h"
#include "program/kestova_code.h"
#include "reports/rsummary.h"

namespace kestova {
namespace {

// The report window is open and its request pending; the console is busy while it shows.
RSummary* WaitingReportWindow(const KestovaMain& main) {
    if (!main.IsBusy()) {
        return nullptr;
    }
    RSummary& report = RSummaryWindow();
    return report.IsLoaded() && report.AwaitingReport() ? &report : nullptr;
}

}  // namespace

void HandleTicketSearchAnswer(KestovaMain& /*main*/, const Reply& reply) {
    TicketInfo& search = TicketInfoWindow();
    if (!Server().IsConnected() || !search.IsLoaded()) {
        return;
    }
    search.SearchAnswered(reply.Value(1), reply.Value(2));
}

void HandleReportSummary(KestovaMain& main, const Reply& reply) {
    if (RSummary* report = WaitingReportWindow(main)) {
        report->ReportArrived(reply.Value(1));
    }
}

void HandleNoReportSummary(KestovaMain& main, const Reply& /*reply*/) {
    if (RSummary* report = WaitingReportWindow(main)) {
        report->NoReportArrived();
    }
}

}  // namespace kestova
