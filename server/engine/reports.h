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

// The day report, the same for both reports a console asks for: the day's net sales as
// "minutes-price-count-staff" records joined by "-", the records of one staff member together
// (staff in name order); empty when the day has none. It is made from the same sales as every
// staff member's figures and summary, so the figures of a day always agree.
std::string DayReportText(const Store& store, std::int64_t dayStartMs);

// "5-3-2004" → the start of that local day; nothing for anything that is not such a date.
std::optional<std::int64_t> ParseReportDate(std::string_view text);

// The ticket search answer's information text (lines joined by CR LF; never the password).
std::string TicketInformationText(const Ticket& ticket, std::string_view inUseOn,
                                  std::int64_t nowMs);

}  // namespace zarnevo
