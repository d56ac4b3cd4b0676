#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/wire/framing.h"
#include "server/engine/store.h"

// The number, money, truth-value and time texts of the server's messages, and their strict
// reading from what a console sends.
namespace zarnevo {

// "100.00", "-2.50": two decimals, no thousands separators.
std::string MoneyText(Cents amount);
// "100", "2.5": the shortest exact form (what the console writes for a cost).
std::string ShortMoneyText(Cents amount);
// A decimal amount with at most two decimals ("100", "2.5", "0.75"); nothing for anything else,
// negative amounts included.
std::optional<Cents> ParseMoney(std::string_view text);
// Decimal digits only (surrounding spaces allowed), within [0, max]; nothing otherwise.
std::optional<std::int64_t> ParseCount(std::string_view text, std::int64_t max);
// "True"/"False" in any case, or a whole number (0 is false).
std::optional<bool> ParseTruth(std::string_view text);
std::string TruthText(bool value);  // "True" / "False"

using wire::SplitOn;  // the same splitting as the console's framing
std::string Join(const std::vector<std::string>& pieces, std::string_view separator);
std::string Trim(std::string_view text);

// A text fit for one line of the server's log: control characters (C0, DEL and the C1 range),
// bytes that are no UTF-8 and the backslash itself are written as escapes ("\n", "\x1b",
// "\u0085", "\\"), so nothing a console sends can start a forged line or steer a terminal.
std::string LogSafe(std::string_view text);

// Local calendar time of a moment (milliseconds since the epoch).
struct LocalTime {
    int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};
LocalTime ToLocal(std::int64_t ms);
// The first millisecond of the local day (month 1..12); nothing for an impossible date.
std::optional<std::int64_t> LocalDayStart(int year, int month, int day);
std::int64_t LocalDayStartOf(std::int64_t ms);
std::int64_t NextLocalDayStart(std::int64_t dayStartMs);

std::string ClockText(std::int64_t ms);          // "14:05"
std::string LogTimeText(std::int64_t ms);        // "02:05PM 06-Dec-26"
std::string IsoDateText(std::int64_t ms);        // "2026-12-06"
std::string DurationText(std::int64_t seconds);  // "01:20" hours:minutes, minutes rounded up

}  // namespace zarnevo
