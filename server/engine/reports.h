#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "server/engine/store.h"

// Figures and summaries made from the stored sales and batches.
namespace zarnevo {

// A staff member's net sales of the local day that holds the moment.
struct StaffFigures {
    std::int64_t tickets = 0;
    Cents cost = 0;
};
StaffFigures FiguresOfDay(const Store& store, std::string_view staff, std::int64_t dayMs);

// The sales summary of one staff member for the local day holding dayMs: "minutes-price-count"
// records joined by "-", one per ticket kind with net sales; empty when there are none.
std::string SalesSummaryText(const Store& store, std::string_view staff, std::int64_t dayMs);

// The day report: "minutes-price-count-staff" records joined by "-", the records of one staff
// member together (staff in name order); empty when the day has none.
enum class DayReport {
    TicketsMade,  // tickets made that day, by the staff member who asked for them
    PosSales,     // net point-of-sale sales that day, by the staff member who sold them
};
std::string DayReportText(const Store& store, DayReport kind, std::int64_t dayStartMs);

// "5-3-2004" → the start of that local day; nothing for anything that is not such a date.
std::optional<std::int64_t> ParseReportDate(std::string_view text);

// The ticket search answer's information text (lines joined by CR LF; never the password).
std::string TicketInformationText(const Ticket& ticket, std::string_view inUseOn,
                                  std::int64_t nowMs);

}  // namespace zarnevo
