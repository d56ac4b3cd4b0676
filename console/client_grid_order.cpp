#include "console/client_grid_order.h"

#include <string>

#include "console/client_grid.h"
#include "core/ascii_text.h"
#include "core/convert.h"

namespace kestova::client_grid {
namespace {

// Hours beyond five digits would overflow the seconds; no time of use comes near.
constexpr std::size_t kMostHourDigits = 5;
constexpr int kMinutesPerHour = 60;
constexpr int kSecondsPerMinute = 60;
constexpr int kHalfDayHours = 12;

constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

template <typename T>
int Sign(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

// The number a cell starts with ("3." is 3, "90.5" is 90.5); nothing when it starts otherwise.
std::optional<double> LeadingNumber(std::string_view text) {
    text = TrimBlanks(text);
    std::string_view digits = text;
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
        digits.remove_prefix(1);
    }
    if (!digits.empty() && digits.front() == '.') {
        digits.remove_prefix(1);
    }
    if (digits.empty() || !IsDigit(digits.front())) {
        return std::nullopt;
    }
    return Val(text);
}

// Reads one group of digits at `at`; nothing when there is none.
std::optional<int> DigitGroup(std::string_view text, std::size_t& at, std::size_t most) {
    const std::size_t start = at;
    int value = 0;
    while (at < text.size() && IsDigit(text[at]) && at - start < most) {
        value = value * 10 + (text[at] - '0');
        ++at;
    }
    return at > start ? std::optional<int>(value) : std::nullopt;
}

enum class CellKind { Name, Number, Time };

CellKind KindOf(int column) {
    switch (column) {
        case kNumber:
        case kPort:
        case kLeftQuota:
        case kOrgQuota:
        case kDownRate:
        case kUpRate:
            return CellKind::Number;
        case kTime:
        case kLogInTime:
            return CellKind::Time;
        default:
            return CellKind::Name;
    }
}

// Values first, in their order; texts that hold none after them, in natural order.
template <typename Read>
int CompareValues(std::string_view a, std::string_view b, Read read) {
    const auto x = read(a);
    const auto y = read(b);
    if (x.has_value() && y.has_value()) {
        return Sign(*x, *y);
    }
    if (x.has_value() != y.has_value()) {
        return x.has_value() ? -1 : 1;
    }
    return CompareNatural(a, b);
}

}  // namespace

int CompareNatural(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            // Leading zeros say nothing of the value; then the longer run is the larger number.
            while (i < a.size() && a[i] == '0') {
                ++i;
            }
            while (j < b.size() && b[j] == '0') {
                ++j;
            }
            std::size_t endA = i;
            std::size_t endB = j;
            while (endA < a.size() && IsDigit(a[endA])) {
                ++endA;
            }
            while (endB < b.size() && IsDigit(b[endB])) {
                ++endB;
            }
            if (endA - i != endB - j) {
                return Sign(endA - i, endB - j);
            }
            if (const int digits = a.substr(i, endA - i).compare(b.substr(j, endB - j));
                digits != 0) {
                return digits < 0 ? -1 : 1;
            }
            i = endA;
            j = endB;
            continue;
        }
        const auto x = static_cast<unsigned char>(LowerAscii(a[i]));
        const auto y = static_cast<unsigned char>(LowerAscii(b[j]));
        if (x != y) {
            return Sign(x, y);
        }
        ++i;
        ++j;
    }
    return Sign(a.size() - i, b.size() - j);
}

std::optional<int> TimeSeconds(std::string_view text) {
    text = TrimBlanks(text);
    std::size_t at = 0;
    const std::optional<int> hours = DigitGroup(text, at, kMostHourDigits);
    if (!hours.has_value() || at >= text.size() || text[at] != ':') {
        return std::nullopt;
    }
    ++at;
    // Minutes and seconds always have two digits.
    const std::size_t minutesAt = at;
    const std::optional<int> minutes = DigitGroup(text, at, 2);
    if (!minutes.has_value() || at - minutesAt != 2 || *minutes >= kMinutesPerHour) {
        return std::nullopt;
    }
    int seconds = 0;
    if (at < text.size() && text[at] == ':') {
        ++at;
        const std::size_t secondsAt = at;
        const std::optional<int> read = DigitGroup(text, at, 2);
        if (!read.has_value() || at - secondsAt != 2 || *read >= kSecondsPerMinute) {
            return std::nullopt;
        }
        seconds = *read;
    }
    int hourOfDay = *hours;
    if (const std::string_view half = TrimBlanks(text.substr(at)); !half.empty()) {
        const bool pm = EqualsIgnoringCase(half, "PM");
        if ((!pm && !EqualsIgnoringCase(half, "AM")) || *hours < 1 || *hours > kHalfDayHours) {
            return std::nullopt;
        }
        hourOfDay = *hours % kHalfDayHours + (pm ? kHalfDayHours : 0);
    }
    return (hourOfDay * kMinutesPerHour + *minutes) * kSecondsPerMinute + seconds;
}

int CompareCells(int column, std::string_view a, std::string_view b) {
    switch (KindOf(column)) {
        case CellKind::Number:
            return CompareValues(a, b, LeadingNumber);
        case CellKind::Time:
            return CompareValues(a, b, TimeSeconds);
        case CellKind::Name:
            break;
    }
    return CompareNatural(a, b);
}

bool SortsBefore(const ui::Grid& grid, int column, int left, int right) {
    const int order =
        CompareCells(column, grid.TextMatrix(left, column), grid.TextMatrix(right, column));
    return order != 0 ? order < 0 : left < right;
}

bool MatchesFilter(const ui::Grid& grid, int row, std::string_view text) {
    const std::string wanted = LowerAscii(TrimBlanks(text));
    if (wanted.empty()) {
        return true;
    }
    for (const int column : {kClientName, kUsername, kClientIP}) {
        if (LowerAscii(grid.TextMatrix(row, column)).find(wanted) != std::string::npos) {
            return true;
        }
    }
    return false;
}

}  // namespace kestova::client_grid
