#include "audit/audit_trail.h"

#include <algorithm>
#include <set>

#include "core/audit/csv.h"
#include "core/audit/entry.h"
#include "core/audit/verify.h"
#include "core/version.h"
#include "platform/services.h"

namespace kestova {
namespace {

// Column widths in twips, in the order of TrailHeadings(); the wire text takes what is left.
constexpr int kColumnWidths[] = {600, 2200, 1800, 3300, 1500, 600, 1500, 4500};

std::string Count(std::size_t n) {
    return std::to_string(n) + (n == 1 ? " entry" : " entries");
}

std::string Today() {
    const platform::Clock& clock = platform::services().clock();
    const auto now = clock.now();
    return audit::FormatUtcTime(now + clock.utcOffset(now)).substr(0, 10);
}

}  // namespace

AuditTrail::AuditTrail() : ui::Form("AuditTrail") {
    Caption = "Audit Trail";
    lblOperator.Caption = "Operator:";
    lblClient.Caption = "Client:";
    lblDay.Caption = "Day:";
    cboOperator.Style = 2;
    cboDay.Style = 2;
    txtClient.ToolTipText = "A part of the client's name or ticket group, or its port";
    cmdRefresh.Caption = "&Refresh";
    cmdExport.Caption = "&Export CSV...";
    cmdClose.Caption = "&Close";
    cmdClose.Cancel = true;

    grdEntries.SetFixedCols(0);
    const std::vector<std::string>& headings = TrailHeadings();
    for (int col = 0; col < grdEntries.Cols(); ++col) {
        grdEntries.SetTextMatrix(0, col, headings[col]);
        grdEntries.SetColWidth(col, kColumnWidths[col]);
    }

    OnActivate = [this] { Form_Activate(); };
    cboOperator.Click = [this] { cboOperator_Click(); };
    cboDay.Click = [this] { cboDay_Click(); };
    txtClient.Change = [this] { txtClient_Change(); };
    cmdRefresh.Click = [this] { cmdRefresh_Click(); };
    cmdExport.Click = [this] { cmdExport_Click(); };
    cmdClose.Click = [this] { cmdClose_Click(); };
}

void AuditTrail::Form_Activate() {
    LoadLog();
}

void AuditTrail::cboOperator_Click() {
    ListEntries();
}

void AuditTrail::cboDay_Click() {
    ListEntries();
}

void AuditTrail::txtClient_Change() {
    ListEntries();
}

void AuditTrail::cmdRefresh_Click() {
    LoadLog();
}

void AuditTrail::cmdExport_Click() {
    platform::ExportFiles& files = platform::services().exportFiles();
    const std::string path = files.choosePath(
        "Export Audit Trail", "audit-trail-" + Today() + ".csv", "CSV files (*.csv)");
    if (path.empty()) {
        return;
    }
    if (!files.write(path, audit::ToCsv(ExportTable(matching_)))) {
        using namespace platform::msgbox;
        platform::services().dialogs().MsgBox("The audit trail could not be saved to " + path + ".",
                                              OKOnly | Exclamation, VersionTitle());
    }
}

void AuditTrail::cmdClose_Click() {
    Unload();
}

void AuditTrail::LoadLog() {
    platform::AppendLog& file = platform::services().auditLog();
    const std::optional<std::string> log = file.read();
    if (log) {
        rows_ = TrailRowsOf(*log, platform::services().clock());
        const audit::Verification verification = audit::Verify(*log);
        lblVerify.Caption = audit::Describe(verification);
        lblVerify.ForeColor = verification.intact() ? ui::colors::DarkGreen : ui::colors::Red;
    } else {
        rows_.clear();
        lblVerify.Caption = "The audit log " + file.location() + " cannot be read.";
        lblVerify.ForeColor = ui::colors::Red;
    }

    std::set<std::string> operators;
    std::set<std::string, std::greater<>> days;
    for (const TrailRow& row : rows_) {
        if (!row.entry.who.empty()) {
            operators.insert(row.entry.who);
        }
        if (!row.day.empty()) {
            days.insert(row.day);
        }
    }
    FillFilter(cboOperator, kEveryone, {operators.begin(), operators.end()});
    FillFilter(cboDay, kEveryDay, {days.begin(), days.end()});
    ListEntries();
}

// The list afresh, keeping the choice made when the log still has it.
void AuditTrail::FillFilter(ui::ComboBox& combo, const char* all,
                            const std::vector<std::string>& items) {
    const std::string chosen = combo.ListIndex > 0 ? combo.Text.get() : std::string();
    combo.Clear();
    combo.AddItem(all);
    for (const std::string& item : items) {
        combo.AddItem(item);
    }
    const auto found = std::find(items.begin(), items.end(), chosen);
    const int index = found == items.end() ? 0 : 1 + static_cast<int>(found - items.begin());
    combo.ListIndex = index;
    combo.Text = combo.List(index);
}

TrailFilter AuditTrail::ChosenFilter() const {
    TrailFilter filter;
    if (cboOperator.ListIndex > 0) {
        filter.who = cboOperator.Text;
    }
    if (cboDay.ListIndex > 0) {
        filter.day = cboDay.Text;
    }
    const std::string& client = txtClient.Text;
    const std::size_t first = client.find_first_not_of(' ');
    if (first != std::string::npos) {
        filter.client = client.substr(first, client.find_last_not_of(' ') - first + 1);
    }
    return filter;
}

void AuditTrail::ListEntries() {
    const TrailFilter filter = ChosenFilter();
    matching_.clear();
    for (const TrailRow& row : rows_) {
        if (Shows(filter, row)) {
            matching_.push_back(&row);
        }
    }
    const std::size_t listed = std::min(matching_.size(), kMostEntriesListed);
    grdEntries.BeginUpdate();
    grdEntries.SetRows(static_cast<int>(listed) + 1);
    for (std::size_t i = 0; i < listed; ++i) {
        const std::vector<std::string> cells = TrailCells(*matching_[i]);
        for (int col = 0; col < grdEntries.Cols(); ++col) {
            grdEntries.SetTextMatrix(static_cast<int>(i) + 1, col, cells[col]);
        }
    }
    grdEntries.EndUpdate();

    if (listed < matching_.size()) {
        lblCount.Caption = "The newest " + std::to_string(listed) + " of " +
                           Count(matching_.size()) + " are listed; Export CSV writes them all.";
    } else if (matching_.size() < rows_.size()) {
        lblCount.Caption = std::to_string(matching_.size()) + " of " + Count(rows_.size()) + ".";
    } else if (rows_.empty()) {
        lblCount.Caption = "No entries.";
    } else {
        lblCount.Caption = Count(rows_.size()) + ".";
    }
}

}  // namespace kestova
