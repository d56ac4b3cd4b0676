#include "core/convert.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

namespace {

using namespace kestova;

TEST(IsNumeric, AcceptsSignedDecimalsWithExponentAndSurroundingBlanks) {
    for (const char* text : {"0", "12", "-3", "+4", "3.5", ".5", "5.", " 42 ", "\t7\n", "1e5",
                             "1E-3", "-2.5e+2", "007"}) {
        EXPECT_TRUE(IsNumeric(text)) << text;
    }
}

TEST(IsNumeric, RejectsEmptyBlankAndMalformedText) {
    for (const char* text : {"", " ", ".", "-", "+", "e5", "1e", "1e+", "12abc", "1 2", "1,000",
                             "0x1F", "--1", "1.2.3", "True", "- 1"}) {
        EXPECT_FALSE(IsNumeric(text)) << text;
    }
}

TEST(Val, ReadsTheLeadingNumberAndIgnoresTheRest) {
    EXPECT_EQ(Val("12abc"), 12);
    EXPECT_EQ(Val(" 3.5x"), 3.5);
    EXPECT_EQ(Val("abc"), 0);
    EXPECT_EQ(Val(""), 0);
    EXPECT_EQ(Val("-7 days"), -7);
    EXPECT_EQ(Val("1e3x"), 1000);
    // An exponent marker without digits is not part of the number.
    EXPECT_EQ(Val("2e"), 2);
    EXPECT_EQ(Val("1 000"), 1000);
    EXPECT_EQ(Val(".25"), 0.25);
}

TEST(Val, HugeAndTinyTextsSaturateInsteadOfFailing) {
    EXPECT_TRUE(std::isinf(Val("1e999")));
    EXPECT_EQ(Val("1e-999"), 0);
    EXPECT_TRUE(std::isinf(Val("-1e999")));
}

TEST(WholeNumber, RoundsHalfToEven) {
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(-3.5), -4);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
    EXPECT_EQ(RoundHalfEven(2.5001), 3);
    EXPECT_EQ(ToWholeNumber(0.5), 0);
    EXPECT_EQ(ToWholeNumber(1.5), 2);
}

TEST(WholeNumber, ConvertsNumericTextAndFailsOtherwise) {
    EXPECT_EQ(ToWholeNumber("20"), 20);
    EXPECT_EQ(ToWholeNumber(" 2.5 "), 2);
    EXPECT_EQ(ToWholeNumber("3.5"), 4);
    EXPECT_EQ(ToWholeNumber("-2.5"), -2);
    EXPECT_EQ(ToWholeNumber("1e3"), 1000);
    EXPECT_FALSE(ToWholeNumber("abc"));
    EXPECT_FALSE(ToWholeNumber("12abc"));
    EXPECT_FALSE(ToWholeNumber(""));
}

TEST(WholeNumber, FailsBeyondThirtyTwoBits) {
    EXPECT_EQ(ToWholeNumber("2147483647"), 2147483647);
    EXPECT_EQ(ToWholeNumber("-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_FALSE(ToWholeNumber("2147483648"));
    EXPECT_FALSE(ToWholeNumber(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(ToWholeNumber("1e999"));
}

TEST(Money, RoundsToFourDecimals) {
    EXPECT_DOUBLE_EQ(*ToMoney("1.23456"), 1.2346);
    EXPECT_DOUBLE_EQ(*ToMoney("12"), 12);
    EXPECT_FALSE(ToMoney("12abc"));
    EXPECT_FALSE(ToMoney("1e999"));
}

TEST(Truth, AcceptsTrueFalseInAnyCaseAndNumbers) {
    EXPECT_EQ(ToTruth("True"), true);
    EXPECT_EQ(ToTruth("false"), false);
    EXPECT_EQ(ToTruth("TRUE"), true);
    EXPECT_EQ(ToTruth(" fAlSe "), false);
    EXPECT_EQ(ToTruth("0"), false);
    EXPECT_EQ(ToTruth("-1"), true);
    EXPECT_EQ(ToTruth("2.5"), true);
    EXPECT_EQ(ToTruth("0.0"), false);
}

TEST(Truth, FailsOnOtherText) {
    EXPECT_FALSE(ToTruth(""));
    EXPECT_FALSE(ToTruth("yes"));
    EXPECT_FALSE(ToTruth("Truee"));
    EXPECT_FALSE(ToTruth("1x"));
}

TEST(Truth, TextRoundTrips) {
    EXPECT_EQ(BoolText(true), "True");
    EXPECT_EQ(BoolText(false), "False");
    EXPECT_EQ(ToTruth(BoolText(true)), true);
    EXPECT_EQ(ToTruth(BoolText(false)), false);
}

TEST(SingleText, GivesTheShortestFormThatReadsBack) {
    EXPECT_EQ(SingleText(3.0f), "3");
    EXPECT_EQ(SingleText(2.5f), "2.5");
    EXPECT_EQ(SingleText(0.1f), "0.1");
    EXPECT_EQ(SingleText(0.0f), "0");
    EXPECT_EQ(SingleText(-0.0f), "0");
    EXPECT_EQ(SingleText(-1.25f), "-1.25");
    EXPECT_EQ(SingleText(60.0f), "60");
    EXPECT_EQ(SingleText(1200.0f), "1200");
    EXPECT_EQ(SingleText(1.0f / 3.0f), "0.33333334");
    EXPECT_EQ(SingleText(0.0001f), "0.0001");
    EXPECT_EQ(SingleText(9999999.0f), "9999999");
}

TEST(SingleText, UsesAnExponentOutsideTheEverydayRange) {
    EXPECT_EQ(SingleText(1e7f), "1E+07");
    EXPECT_EQ(SingleText(15000000.0f), "1.5E+07");
    EXPECT_EQ(SingleText(0.00001f), "1E-05");
    EXPECT_EQ(SingleText(std::numeric_limits<float>::max()), "3.4028235E+38");
    EXPECT_EQ(SingleText(std::numeric_limits<float>::infinity()), "Infinity");
}

TEST(SingleText, EveryTextReadsBackToTheSameFloat) {
    for (float value : {0.1f, 0.2f, 0.3f, 1.1f, 123.456f, 7e-5f, 3.3e9f, 16777217.0f, 0.7f}) {
        const std::string text = SingleText(value);
        EXPECT_EQ(static_cast<float>(std::strtod(text.c_str(), nullptr)), value) << text;
    }
}

TEST(MoneyFormat, ThousandsSeparatorsAndTwoDecimals) {
    EXPECT_EQ(MoneyFormat(1234.5), "1,234.50");
    EXPECT_EQ(MoneyFormat(0), "0.00");
    EXPECT_EQ(MoneyFormat(-1234.5), "-1,234.50");
    EXPECT_EQ(MoneyFormat(0.5), "0.50");
    EXPECT_EQ(MoneyFormat(0.05), "0.05");
    EXPECT_EQ(MoneyFormat(999.999), "1,000.00");
    EXPECT_EQ(MoneyFormat(1234567.891), "1,234,567.89");
    EXPECT_EQ(MoneyFormat(100), "100.00");
    EXPECT_EQ(MoneyFormat(-0.001), "0.00");
    EXPECT_EQ(MoneyText(1250), "#1,250.00");
}

TEST(MoneyFormat, HalfCentsRoundToEven) {
    EXPECT_EQ(MoneyFormat(0.125), "0.12");
    EXPECT_EQ(MoneyFormat(0.375), "0.38");
}

// Sums of money are kept in whole cents: reading a price must round ties exactly, not the binary
// fraction nearest to them.
TEST(ToCents, ReadsPricesToWholeCentsRoundingTiesToEven) {
    const std::pair<const char*, std::optional<std::int64_t>> cases[] = {
        {"2.50", 250},         {"2.505", 250},         {"2.515", 252},
        {"0.1", 10},           {"-1.005", -100},       {" 7 ", 700},
        {"abc", std::nullopt}, {"1e20", std::nullopt}, {"", std::nullopt}};
    for (const auto& [text, cents] : cases) {
        EXPECT_EQ(ToCents(text), cents) << text;
    }
}

TEST(CentsFormat, IsExactForEveryAmountWithOrWithoutSeparators) {
    EXPECT_EQ(CentsFormat(0), "0.00");
    EXPECT_EQ(CentsFormat(-5), "-0.05");
    EXPECT_EQ(CentsFormat(123456789), "1,234,567.89");
    EXPECT_EQ(CentsFormat(123456789, false), "1234567.89");
    EXPECT_EQ(CentsFormat(std::numeric_limits<std::int64_t>::min()), "-92,233,720,368,547,758.08");
}

TEST(MoneyFormat, SurvivesHugeAndNonFiniteAmounts) {
    EXPECT_EQ(MoneyFormat(1e20), "100,000,000,000,000,000,000.00");
    EXPECT_EQ(MoneyFormat(std::numeric_limits<double>::infinity()), "Infinity");
    EXPECT_EQ(MoneyFormat(std::numeric_limits<double>::quiet_NaN()), "NaN");
    EXPECT_FALSE(MoneyFormat(std::numeric_limits<double>::max()).empty());
}

DateTime At(int y, int mo, int d, int h, int mi, int s = 0) {
    return DateTime{y, mo, d, h, mi, s};
}

TEST(FormatDateTime, TwelveHourLogStamp) {
    EXPECT_EQ(FormatDateTime("hh:mmAMPM dd-mmm-yy", At(2026, 12, 7, 9, 5)), "09:05AM 07-Dec-26");
    EXPECT_EQ(FormatDateTime("hh:mmAMPM dd-mmm-yy", At(2026, 12, 6, 14, 5)), "02:05PM 06-Dec-26");
    EXPECT_EQ(FormatDateTime("hh:mmAMPM", At(2026, 1, 1, 0, 0)), "12:00AM");
    EXPECT_EQ(FormatDateTime("hh:mmAMPM", At(2026, 1, 1, 12, 30)), "12:30PM");
    EXPECT_EQ(FormatDateTime("h:mm am/pm", At(2026, 1, 1, 23, 59)), "11:59 pm");
    EXPECT_EQ(FormatDateTime("hh:mm AM/PM", At(2026, 1, 1, 11, 59)), "11:59 AM");
}

TEST(FormatDateTime, TwentyFourHourTicketStamp) {
    EXPECT_EQ(FormatDateTime("HH:mm dd-MMM-yy", At(2026, 12, 6, 14, 5)), "14:05 06-Dec-26");
    EXPECT_EQ(FormatDateTime("HH:mm dd-MMM-yy", At(2026, 12, 6, 0, 0)), "00:00 06-Dec-26");
}

TEST(FormatDateTime, DatesOfTicketsAndPrintOuts) {
    EXPECT_EQ(FormatDateTime("dd/mmm/yyyy", At(2009, 3, 5, 0, 0)), "05/Mar/2009");
    EXPECT_EQ(FormatDateTime("dd/MMM/yy", At(2009, 3, 5, 0, 0)), "05/Mar/09");
    EXPECT_EQ(FormatDateTime("dd, mmm yyyy", At(2026, 9, 30, 0, 0)), "30, Sep 2026");
    EXPECT_EQ(FormatDateTime("d mmmm yyyy", At(2026, 9, 3, 0, 0)), "3 September 2026");
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy", At(2026, 9, 3, 0, 0)), "03/09/2026");
    EXPECT_EQ(FormatDateTime("mm:ss", At(2026, 9, 3, 1, 2, 3)), "02:03");
    EXPECT_EQ(FormatDateTime("[hh:mm:ss]", At(2026, 9, 3, 1, 2, 3)), "[01:02:03]");
}

TEST(FormatDateTime, FromAClockReadingInUtc) {
    using namespace std::chrono;
    const auto when = sys_days{year{2026} / December / 7} + hours{21} + minutes{5} + seconds{9};
    EXPECT_EQ(FormatDateTime("hh:mmAMPM dd-mmm-yy", ToDateTime(when)), "09:05PM 07-Dec-26");
    const DateTime parts = ToDateTime(when);
    EXPECT_EQ(parts.second, 9);
    EXPECT_EQ(FormatDateTime("yyyy", ToDateTime(sys_days{year{1969} / December / 31})), "1969");
}

TEST(ParseDateTime, ReadsTheFormsTheServerAndFieldsGive) {
    const auto check = [](const char* text, int y, int m, int d) {
        const auto parsed = ParseDateTime(text);
        ASSERT_TRUE(parsed) << text;
        EXPECT_EQ(parsed->year, y) << text;
        EXPECT_EQ(parsed->month, m) << text;
        EXPECT_EQ(parsed->day, d) << text;
    };
    check("2009-03-05", 2009, 3, 5);
    check("05/03/2009", 2009, 3, 5);
    check("5-3-2009", 2009, 3, 5);
    check("05/Mar/2009", 2009, 3, 5);
    check("05-mar-09", 2009, 3, 5);
    check("5 March 2009", 2009, 3, 5);
    check("05, Mar 2009", 2009, 3, 5);
    check("29/Feb/2024", 2024, 2, 29);
    check("01-Jan-30", 1930, 1, 1);
}

TEST(ParseDateTime, ReadsATimeAfterTheDate) {
    const auto iso = ParseDateTime("2009-03-05 14:05:30");
    ASSERT_TRUE(iso);
    EXPECT_EQ(iso->hour, 14);
    EXPECT_EQ(iso->minute, 5);
    EXPECT_EQ(iso->second, 30);
    const auto t = ParseDateTime("2009-03-05T08:01");
    ASSERT_TRUE(t);
    EXPECT_EQ(t->hour, 8);
    const auto pm = ParseDateTime("05/Mar/2009 02:05 PM");
    ASSERT_TRUE(pm);
    EXPECT_EQ(pm->hour, 14);
    const auto midnight = ParseDateTime("05/Mar/2009 12:00AM");
    ASSERT_TRUE(midnight);
    EXPECT_EQ(midnight->hour, 0);
}

TEST(ParseDateTime, RejectsWhatIsNoDate) {
    for (const char* text :
         {"", "0", "30", "abc", "31/Feb/2009", "29/Feb/2023", "00/01/2009", "05/13/2009",
          "05/Mar/209", "2009-03-05 25:00", "2009-03-05 10", "05/Mar/2009 13:00 PM", "05/Marc/2009",
          "05/Mar/2009 x", "1/2/3/4", "05/Mar/2009 10:61", "99999999999999999999/1/2009"}) {
        EXPECT_FALSE(ParseDateTime(text)) << text;
    }
}

TEST(AddDays, CrossesMonthsYearsAndLeapDays) {
    const DateTime start = At(2024, 2, 28, 10, 30);
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:mm", AddDays(start, 1)), "29/02/2024 10:30");
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy", AddDays(start, 2)), "01/03/2024");
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy", AddDays(At(2026, 12, 31, 0, 0), 1)), "01/01/2027");
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy", AddDays(At(2026, 1, 1, 0, 0), -1)), "31/12/2025");
}

}  // namespace
