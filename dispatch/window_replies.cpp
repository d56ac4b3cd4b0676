#include "dispatch/window_replies.h"

// Passed over until the windows these replies fill are part of the console.
namespace kestova {

void HandleTicketSearchAnswer(KestovaMain& /*main*/, const Reply& /*reply*/) {}
void HandleReportSummary(KestovaMain& /*main*/, const Reply& /*reply*/) {}
void HandleNoReportSummary(KestovaMain& /*main*/, const Reply& /*reply*/) {}

}  // namespace kestova
