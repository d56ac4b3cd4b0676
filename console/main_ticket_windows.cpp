// The windows the console opens for the point of sale's tickets and the reports.
#include "console/kestova_main.h"
#include "pos/ticket_info.h"
#include "reports/rsummary.h"

namespace kestova {

void KestovaMain::SearchAccount_Click() {
    ShowTicketInfo(*this);
}

void KestovaMain::p_Search_Click() {
    ShowTicketInfo(*this);
}

void KestovaMain::m_report_Click() {
    ShowReportSummary(*this);
}

}  // namespace kestova
