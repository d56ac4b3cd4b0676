// The texts of the point of sale and the reports on arbitrary input: the ticket batch the server
// sends and each ticket's print-out under any layout settings, the quick-ticket entries, the
// ticket and cost report with its text and spreadsheet layouts, and CSV of any fields. What is
// read keeps the server's fields, the sums in cents are the sums of the lines, and CSV reads
// back as the fields it was made from.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings.h"
#include "core/settings_file.h"
#include "core/settings_table.h"
#include "core/wire/codepage.h"
#include "core/wire/framing.h"
#include "fuzz/fuzz_check.h"
#include "pos/csv.h"
#include "pos/ticket_batch.h"
#include "pos/ticket_order.h"
#include "pos/ticket_printout.h"
#include "reports/report_csv.h"
#include "reports/report_text.h"
#include "reports/sales_report.h"
#include "tests/sim/sim_services.h"

namespace {

using namespace kestova;

sim::SimServices& Services() {
    static sim::SimServices services;
    static sim::InstalledServices installed(services);
    return services;
}

// Text as it comes off the wire: any bytes of the server's code page, as UTF-8.
std::string ServerText(FuzzedDataProvider& input, std::size_t maxLength) {
    return wire::Cp1252ToUtf8(input.ConsumeRandomLengthString(maxLength));
}

// Reads a CSV text back into its rows (RFC 4180, after the byte-order mark).
std::vector<std::vector<std::string>> ReadCsv(std::string_view text) {
    FUZZ_CHECK(text.starts_with("\xEF\xBB\xBF"));
    text.remove_prefix(3);
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    std::string field;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c != '"') {
                field += c;
            } else if (i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == '"') {
            FUZZ_CHECK(field.empty());
            quoted = true;
        } else if (c == ',') {
            row.push_back(std::move(field));
            field.clear();
        } else if (c == '\r') {
            FUZZ_CHECK(i + 1 < text.size() && text[i + 1] == '\n');
            ++i;
            row.push_back(std::move(field));
            field.clear();
            rows.push_back(std::move(row));
            row.clear();
        } else {
            FUZZ_CHECK(c != '\n');
            field += c;
        }
    }
    FUZZ_CHECK(!quoted && field.empty() && row.empty());
    return rows;
}

// The CSV text of the rows reads back as their fields; a text a spreadsheet would take for a
// formula has an apostrophe in front.
void CheckCsv(const std::vector<CsvRow>& rows) {
    const std::vector<std::vector<std::string>> read = ReadCsv(CsvText(rows));
    FUZZ_CHECK(read.size() == rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        FUZZ_CHECK(read[r].size() == rows[r].size());
        for (std::size_t f = 0; f < rows[r].size(); ++f) {
            const CsvField& field = rows[r][f];
            const bool formula =
                !field.number && !field.text.empty() &&
                std::string_view("=+-@\t\r").find(field.text[0]) != std::string_view::npos;
            FUZZ_CHECK(read[r][f] == (formula ? "'" : "") + field.text);
        }
    }
}

void CheckTicketBatch(FuzzedDataProvider& input) {
    // The layout settings, as another program might have left them: one file put, not a write
    // for each.
    IniDocument layout;
    for (const settings::Setting* setting :
         {&settings::STitle, &settings::Title, &settings::SGroup, &settings::Type,
          &settings::SUserL, &settings::SPassL, &settings::PosSpeed}) {
        layout.setValue(setting->section, setting->key,
                        input.PickValueInArray({"0", "1", "2", "", "x"}));
    }
    Services().files().put(std::string(kSettingsFileName), layout.Serialize());
    const std::string text = ServerText(input, 4096);
    const std::vector<BatchTicket> tickets = ParseTicketBatch(text);
    const std::vector<std::string> fields = wire::SplitOn(text, "|");
    FUZZ_CHECK(tickets.size() == fields.size() / 9);
    for (std::size_t t = 0; t < tickets.size(); ++t) {
        FUZZ_CHECK(tickets[t].user == fields[9 * t] && tickets[t].password == fields[9 * t + 1]);
        FUZZ_CHECK(tickets[t].cost == fields[9 * t + 3]);
        FUZZ_CHECK(tickets[t].groupAndNumber == fields[5] + "-" + fields[9 * t + 6]);
    }
    // The group the questions name: the first twelve characters, never part of one.
    const std::string group = BatchGroup(tickets);
    if (!tickets.empty()) {
        const std::string& whole = tickets.front().groupAndNumber;
        FUZZ_CHECK(whole.starts_with(group));
        FUZZ_CHECK(wire::CharacterCount(group) ==
                   std::min<std::size_t>(12, wire::CharacterCount(whole)));
        FUZZ_CHECK(group.size() == whole.size() ||
                   (static_cast<unsigned char>(whole[group.size()]) & 0xC0) != 0x80);
    }
    const DateTime now{2026, 12, 7, 9, 0, 0};
    // The first and the last ticket: those between print as the first does.
    for (std::size_t t = 0; t < tickets.size(); t = std::max(t + 1, tickets.size() - 1)) {
        const bool last = t + 1 == tickets.size();
        for (int counter = 1; counter <= printout::LastLine(last); ++counter) {
            FUZZ_CHECK(printout::LineAt(counter, tickets[t], "JOHN", now).nextTickMs > 0);
        }
    }
}

void CheckSalesReport(FuzzedDataProvider& input) {
    const std::string day = ServerText(input, 4);
    const std::string month = ServerText(input, 4);
    const std::string year = ServerText(input, 6);
    const std::string text = ServerText(input, 4096);
    const report::SalesReport sales = report::ReadSalesReport(text);
    std::int64_t tickets = 0;
    std::int64_t cents = 0;
    std::size_t lines = 0;
    for (const report::StaffSales& staff : sales.staff) {
        std::int64_t staffTickets = 0;
        std::int64_t staffCents = 0;
        for (const report::SalesLine& line : staff.lines) {
            FUZZ_CHECK(line.costCents == line.tickets * line.priceCents);
            staffTickets += line.tickets;
            staffCents += line.costCents;
        }
        FUZZ_CHECK(staff.tickets == staffTickets && staff.costCents == staffCents);
        tickets += staffTickets;
        cents += staffCents;
        lines += staff.lines.size();
    }
    FUZZ_CHECK(sales.tickets == tickets && sales.costCents == cents);
    // Every record is a line or is left out.
    const std::size_t fields = wire::SplitOn(text, "-").size();
    if (fields >= 3) {
        FUZZ_CHECK(lines + static_cast<std::size_t>(sales.recordsLeftOut) == (fields + 3) / 4);
    }
    FUZZ_CHECK(report::HeadText("Ticket and Cost Summary", day, month, year)
                   .find(" for " + day + " " + month + ", " + year) != std::string::npos);
    FUZZ_CHECK(report::BodyText(sales, "09:00AM 07-Dec-26").find("09:00AM 07-Dec-26") !=
               std::string::npos);
    const std::vector<CsvRow> rows = report::CsvRows(sales, day + "/" + month + "/" + year);
    FUZZ_CHECK(rows.size() == lines + 2);
    CheckCsv(rows);
}

void CheckAnyCsv(FuzzedDataProvider& input) {
    std::vector<CsvRow> rows(input.ConsumeIntegralInRange(0, 8));
    for (CsvRow& row : rows) {
        row.resize(input.ConsumeIntegralInRange(1, 8));
        for (CsvField& field : row) {
            field = CsvField{input.ConsumeRandomLengthString(24), input.ConsumeBool()};
        }
    }
    CheckCsv(rows);
}

void CheckQuickTicket(FuzzedDataProvider& input) {
    const std::string entry = ServerText(input, 256);
    if (const auto quick = ticket_order::ParseQuickTicket(entry)) {
        FUZZ_CHECK(entry.find(quick->costText) != std::string::npos);
    }
    ticket_order::TrailingNumber(entry);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Services();
    FuzzedDataProvider input(data, size);
    switch (input.ConsumeIntegralInRange(0, 3)) {
        case 0:
            CheckTicketBatch(input);
            break;
        case 1:
            CheckSalesReport(input);
            break;
        case 2:
            CheckAnyCsv(input);
            break;
        default:
            CheckQuickTicket(input);
            break;
    }
    return 0;
}
