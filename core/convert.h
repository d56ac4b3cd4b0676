#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The text conversions the whole program relies on. Every window converts a text to a number, a
// truth value or a date, and a number or date to text, only through these functions, so that the
// rules below hold everywhere alike.
namespace kestova {

// True when the whole text is one number: optional blanks, an optional sign, digits with at most
// one decimal point (at least one digit), an optional exponent ("e" or "E", optional sign,
// digits), optional blanks. "" and " " are not numeric; neither is "1,000" nor "0x1F".
bool IsNumeric(std::string_view text);

// Reads the number at the start of the text and ignores the rest: "12abc" is 12, " 3.5x" is 3.5,
// "abc" is 0. Blanks (space, tab, line feed, carriage return) are skipped anywhere inside the
// number, so "1 000" reads as 1000, the classic reading of a typed figure.
double Val(std::string_view text);

// Rounds to the nearest whole number, a tie to the even one: 2.5 is 2, 3.5 is 4, -2.5 is -2.
double RoundHalfEven(double value);

// Whole-number conversion: the value rounded half to even. Fails when it does not fit 32 bits or
// is not a finite number; the text form fails on text that is not numeric.
std::optional<std::int32_t> ToWholeNumber(double value);
std::optional<std::int32_t> ToWholeNumber(std::string_view text);

// Number conversion of a numeric text (see IsNumeric); fails on anything else.
std::optional<double> ToNumber(std::string_view text);

// Money conversion: a numeric text rounded half to even to four decimal places.
std::optional<double> ToMoney(std::string_view text);

// Truth-value conversion: "True" and "False" in any letter case (surrounding blanks allowed), or a
// numeric text: 0 is false, any other number ("-1", "2.5") is true. Other text fails.
std::optional<bool> ToTruth(std::string_view text);

// The text a truth value is stored and shown as: "True" or "False".
std::string BoolText(bool value);

// The shortest text that reads back to the same single-precision number: 3 is "3", 2.5 is "2.5",
// 0.1f is "0.1". Numbers from 0.0001 up to 10,000,000 are written without an exponent; others as
// "1.5E+07" or "1E-05".
std::string SingleText(float value);

// "#,#0.00": thousands separators and two decimals, rounded half to even: 1234.5 is "1,234.50",
// 0 is "0.00", -1234.5 is "-1,234.50". "##,##0.00" gives the same text.
std::string MoneyFormat(double amount);

// Money conversion to whole cents, for sums that must come out exact: a numeric text rounded
// half to even to four decimal places (as ToMoney) and then to cents ("2.505" is 250, "2.515" is
// 252, "0.1" is 10). Fails on text that is not numeric and on amounts of 2^53 ten-thousandths
// (about 900 billion) or more.
std::optional<std::int64_t> ToCents(std::string_view text);

// "#,#0.00" of a whole number of cents, exact for every amount: 125000 is "1,250.00"; without
// thousands separators "1250.00", the form a spreadsheet reads as a number.
std::string CentsFormat(std::int64_t cents, bool thousandsSeparators = true);

// How the program shows an amount of money: "#" followed by MoneyFormat, as in "#1,250.00".
std::string MoneyText(double amount);

// A calendar date and a time of day, as the clock gives them (the formatting knows no zones).
struct DateTime {
    int year = 1970;
    int month = 1;  // 1 to 12
    int day = 1;    // 1 to 31
    int hour = 0;   // 0 to 23
    int minute = 0;
    int second = 0;
};

// The date and time of a clock reading, in UTC (LocalNow in core/local_time.h gives the time a
// person reads).
DateTime ToDateTime(std::chrono::system_clock::time_point when);

// Formats a date and time by a pattern. Letters are case-insensitive except where told:
//   yyyy  four-digit year          yy  two-digit year
//   mmmm  month name ("December")  mmm month abbreviation ("Dec")
//   mm    two-digit month, or two-digit minutes right after an hour (only ":" or blanks between)
//   m     month, or minutes after an hour, without leading zero
//   dd    two-digit day            d   day without leading zero
//   hh    two-digit hour: 01 to 12 when the pattern holds AMPM, AM/PM or am/pm, else 00 to 23
//   h     hour without leading zero (same clock rule)
//   ss    two-digit seconds
//   AMPM and AM/PM give "AM" or "PM"; am/pm gives "am" or "pm" (these are case-sensitive)
// Any other character is copied as it stands. Examples: "hh:mmAMPM dd-mmm-yy" gives
// "09:05AM 07-Dec-26", "HH:mm dd-MMM-yy" gives "14:05 06-Dec-26", "dd/mmm/yyyy" "05/Mar/2009".
std::string FormatDateTime(std::string_view pattern, const DateTime& when);

// Reads a date (and optionally a time) as the server and typed fields give it: "2009-03-05",
// "2009-03-05 14:05[:30]", "05/03/2009" or "5-3-2009" (day first), "05/Mar/2009", "05-Mar-09",
// "5 March 2009", "05, Mar 2009". Two-digit years 00 to 29 are 2000 to 2029, 30 to 99 are 1930 to
// 1999. Fails on anything else and on dates that do not exist (31/Feb).
std::optional<DateTime> ParseDateTime(std::string_view text);

// Adds whole days to a date (negative days go back); the time of day is kept.
DateTime AddDays(const DateTime& when, int days);

}  // namespace kestova
