#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "audit/trail_rows.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/grid.h"

namespace kestova {

// The most entries the table lists at once; the filters narrow a longer log, and the export
// writes every entry they let through.
inline constexpr std::size_t kMostEntriesListed = 5000;

// "Audit Trail" (Tools menu): the commands sent from this console, newest first, filtered by
// operator, client and day, with the verification of the log's chain and an export to CSV. It
// reads the log afresh each time it is opened and on "Refresh".
class AuditTrail : public ui::Form {
public:
    AuditTrail();

    ui::Label lblOperator{*this, "lblOperator"};
    ui::ComboBox cboOperator{*this, "cboOperator"};
    ui::Label lblClient{*this, "lblClient"};
    ui::TextBox txtClient{*this, "txtClient"};
    ui::Label lblDay{*this, "lblDay"};
    ui::ComboBox cboDay{*this, "cboDay"};
    ui::Grid grdEntries{*this, "grdEntries", 1, 8};
    // How many entries are listed, of how many.
    ui::Label lblCount{*this, "lblCount"};
    // The verification of the chain: intact, or where it is broken.
    ui::Label lblVerify{*this, "lblVerify"};
    ui::Button cmdRefresh{*this, "cmdRefresh"};
    ui::Button cmdExport{*this, "cmdExport"};
    ui::Button cmdClose{*this, "cmdClose"};

    // The filters' first items.
    static constexpr const char* kEveryone = "(everyone)";
    static constexpr const char* kEveryDay = "(every day)";

private:
    void Form_Activate();
    void cboOperator_Click();
    void cboDay_Click();
    void txtClient_Change();
    void cmdRefresh_Click();
    void cmdExport_Click();
    void cmdClose_Click();

    // Reads and verifies the log, and lists it under the filters chosen.
    void LoadLog();
    void FillFilter(ui::ComboBox& combo, const char* all, const std::vector<std::string>& items);
    TrailFilter ChosenFilter() const;
    void ListEntries();

    std::vector<TrailRow> rows_;             // the whole log, newest first
    std::vector<const TrailRow*> matching_;  // those the filters let through
};

}  // namespace kestova
