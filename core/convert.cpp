#include "core/convert.h"

#include "core/ascii_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

namespace kestova {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Parses a plain decimal number text (already checked) the same way whatever the locale.
double ParseDecimal(const std::string& text) {
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large is infinite, too small is zero, keeping the sign.
        const bool negative = !text.empty() && text.front() == '-';
        const bool tiny = text.find("e-") != std::string::npos;
        const double magnitude = tiny ? 0.0 : std::numeric_limits<double>::infinity();
        return negative ? -magnitude : magnitude;
    }
    return value;
}

// Length of the longest prefix of text that is a number (sign, digits, point, exponent), with
// its characters copied to out; 0 when there is none.
std::size_t ScanNumber(std::string_view text, std::string& out, bool skipInnerBlanks) {
    std::size_t i = 0;
    auto skip = [&] {
        while (skipInnerBlanks && i < text.size() && IsBlank(text[i])) {
            ++i;
        }
    };
    out.clear();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') {
            out.push_back('-');
        }
        ++i;
        skip();
    }
    bool digits = false;
    while (i < text.size() && IsDigit(text[i])) {
        out.push_back(text[i++]);
        digits = true;
        skip();
    }
    if (i < text.size() && text[i] == '.') {
        out.push_back('.');
        ++i;
        skip();
        while (i < text.size() && IsDigit(text[i])) {
            out.push_back(text[i++]);
            digits = true;
            skip();
        }
    }
    if (!digits) {
        out.clear();
        return 0;
    }
    std::size_t end = i;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::string exponent = "e";
        ++i;
        skip();
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            exponent.push_back(text[i++]);
            skip();
        }
        bool exponentDigits = false;
        while (i < text.size() && IsDigit(text[i])) {
            exponent.push_back(text[i++]);
            exponentDigits = true;
            skip();
        }
        if (exponentDigits) {
            out += exponent;
            end = i;
        }
    }
    return end;
}

}  // namespace

bool IsNumeric(std::string_view text) {
    const std::string_view trimmed = TrimBlanks(text);
    if (trimmed.empty()) {
        return false;
    }
    std::string number;
    return ScanNumber(trimmed, number, false) == trimmed.size();
}

double Val(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && IsBlank(text[start])) {
        ++start;
    }
    std::string number;
    if (ScanNumber(text.substr(start), number, true) == 0) {
        return 0;
    }
    return ParseDecimal(number);
}

double RoundHalfEven(double value) {
    if (!std::isfinite(value)) {
        return value;
    }
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction > 0.5) {
        return floor + 1;
    }
    if (fraction < 0.5) {
        return floor;
    }
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

std::optional<std::int32_t> ToWholeNumber(double value) {
    const double rounded = RoundHalfEven(value);
    if (!std::isfinite(rounded) || rounded < std::numeric_limits<std::int32_t>::min() ||
        rounded > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(rounded);
}

std::optional<std::int32_t> ToWholeNumber(std::string_view text) {
    const auto number = ToNumber(text);
    if (!number) {
        return std::nullopt;
    }
    return ToWholeNumber(*number);
}

std::optional<double> ToNumber(std::string_view text) {
    if (!IsNumeric(text)) {
        return std::nullopt;
    }
    std::string number;
    ScanNumber(TrimBlanks(text), number, false);
    return ParseDecimal(number);
}

std::optional<double> ToMoney(std::string_view text) {
    const auto number = ToNumber(text);
    if (!number || !std::isfinite(*number)) {
        return std::nullopt;
    }
    return RoundHalfEven(*number * 10000.0) / 10000.0;
}

std::optional<bool> ToTruth(std::string_view text) {
    const std::string_view trimmed = TrimBlanks(text);
    if (EqualsIgnoringCase(trimmed, "true")) {
        return true;
    }
    if (EqualsIgnoringCase(trimmed, "false")) {
        return false;
    }
    const auto number = ToNumber(trimmed);
    if (!number) {
        return std::nullopt;
    }
    return *number != 0;
}

std::string BoolText(bool value) {
    return value ? "True" : "False";
}

std::string SingleText(float value) {
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-Infinity" : "Infinity";
    }
    if (value == 0) {
        return "0";
    }
    // The shortest digits that read back to the same float, as d.ddde±x.
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::scientific);
    const std::string_view scientific(buffer.data(),
                                      static_cast<std::size_t>(result.ptr - buffer.data()));
    const std::size_t e = scientific.find('e');
    std::string_view mantissa = scientific.substr(0, e);
    int exponent = 0;
    std::from_chars(scientific.data() + e + 1 + (scientific[e + 1] == '+' ? 1 : 0),
                    scientific.data() + scientific.size(), exponent);

    std::string out;
    if (mantissa.front() == '-') {
        out.push_back('-');
        mantissa.remove_prefix(1);
    }
    std::string digits;
    for (char c : mantissa) {
        if (c != '.') {
            digits.push_back(c);
        }
    }
    const float magnitude = std::fabs(value);
    if (magnitude >= 1e-4f && magnitude < 1e7f) {
        if (exponent >= 0) {
            const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
            if (digits.size() <= integerDigits) {
                out += digits + std::string(integerDigits - digits.size(), '0');
            } else {
                out += digits.substr(0, integerDigits) + "." + digits.substr(integerDigits);
            }
        } else {
            out += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
        }
        return out;
    }
    out.push_back(digits.front());
    if (digits.size() > 1) {
        out += "." + digits.substr(1);
    }
    out += exponent < 0 ? "E-" : "E+";
    const int absExponent = exponent < 0 ? -exponent : exponent;
    if (absExponent < 10) {
        out.push_back('0');
    }
    out += std::to_string(absExponent);
    return out;
}

namespace {

// "#,#0.00" (or "0.00" without separators) of a whole number of cents given by its decimal
// digits (no sign).
std::string GroupedCents(bool negative, std::string digits, bool thousandsSeparators = true) {
    if (digits.size() < 3) {
        digits.insert(0, 3 - digits.size(), '0');
    }
    const std::string whole = digits.substr(0, digits.size() - 2);
    std::string out = negative ? "-" : "";
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (thousandsSeparators && i > 0 && (whole.size() - i) % 3 == 0) {
            out.push_back(',');
        }
        out.push_back(whole[i]);
    }
    out += "." + digits.substr(digits.size() - 2);
    return out;
}

// Whole numbers fit a double exactly up to 2^53.
constexpr double kLargestExactWhole = 9007199254740992.0;

}  // namespace

std::string MoneyFormat(double amount) {
    if (!std::isfinite(amount)) {
        return std::isnan(amount) ? "NaN" : (amount < 0 ? "-Infinity" : "Infinity");
    }
    const double cents = RoundHalfEven(amount * 100.0);
    // Beyond 2^53 cents the amount has no cents anyway.
    char buffer[400];
    const int length = std::snprintf(buffer, sizeof buffer, "%.0f", std::fabs(cents));
    return GroupedCents(cents < 0,
                        std::string(buffer, static_cast<std::size_t>(length > 0 ? length : 0)));
}

std::optional<std::int64_t> ToCents(std::string_view text) {
    const auto money = ToMoney(text);
    if (!money) {
        return std::nullopt;
    }
    // The four decimal places as a whole number first, then to cents in whole numbers, so that
    // a tie is seen as a tie and not as the binary fraction nearest to it.
    const double tenThousandths = RoundHalfEven(*money * 10000.0);
    if (!(std::fabs(tenThousandths) < kLargestExactWhole)) {
        return std::nullopt;
    }
    const auto units = static_cast<std::int64_t>(tenThousandths);
    std::int64_t cents = units / 100;
    const std::int64_t rest = units % 100;  // same sign as units
    const std::int64_t away = rest < 0 ? -1 : 1;
    const std::int64_t half = rest < 0 ? -rest : rest;
    if (half > 50 || (half == 50 && cents % 2 != 0)) {
        cents += away;
    }
    return cents;
}

std::string CentsFormat(std::int64_t cents, bool thousandsSeparators) {
    // The magnitude as unsigned, so that the most negative amount has one too.
    const std::uint64_t magnitude =
        cents < 0 ? 0 - static_cast<std::uint64_t>(cents) : static_cast<std::uint64_t>(cents);
    return GroupedCents(cents < 0, std::to_string(magnitude), thousandsSeparators);
}

std::string MoneyText(double amount) {
    return "#" + MoneyFormat(amount);
}

}  // namespace kestova
