#include "reports/report_replies.h"

#include "core/wire/replies.h"
#include "dispatch/dispatcher.h"

namespace kestova {

void RegisterReportReplies() {
    RegisterReplyHandler(wire::reply::ReportSummary, HandleReportSummary);
    RegisterReplyHandler(wire::reply::NoReportSummary, HandleNoReportSummary);
}

}  // namespace kestova
