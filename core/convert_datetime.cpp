#include <array>
#include <cctype>
#include <string>
#include <vector>

#include "core/ascii_text.h"
#include "core/convert.h"

// The date and time half of the conversions: one pattern language for every date the program
// shows or prints, and the reading of the dates the server and typed fields give.
namespace kestova {
namespace {

constexpr std::array<std::string_view, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

std::string Padded(int value, std::size_t width) {
    std::string text = std::to_string(value < 0 ? -value : value);
    if (text.size() < width) {
        text.insert(0, width - text.size(), '0');
    }
    return value < 0 ? "-" + text : text;
}

std::string_view MonthName(int month) {
    return month >= 1 && month <= 12 ? kMonthNames[static_cast<std::size_t>(month - 1)] : "";
}

// The day-period markers, longest first; the flag says whether they give lower case.
struct Marker {
    std::string_view text;
    bool lower;
};
constexpr std::array<Marker, 3> kMarkers = {{{"AM/PM", false}, {"am/pm", true}, {"AMPM", false}}};

const Marker* MarkerAt(std::string_view pattern, std::size_t at) {
    for (const Marker& marker : kMarkers) {
        if (pattern.substr(at, marker.text.size()) == marker.text) {
            return &marker;
        }
    }
    return nullptr;
}

bool HasMarker(std::string_view pattern) {
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (MarkerAt(pattern, i) != nullptr) {
            return true;
        }
    }
    return false;
}

// What follows a run of m (after ":" or blanks): seconds make it minutes too.
bool SecondsFollow(std::string_view pattern, std::size_t at) {
    while (at < pattern.size() && (pattern[at] == ':' || pattern[at] == ' ')) {
        ++at;
    }
    return at < pattern.size() && LowerAscii(pattern[at]) == 's';
}

}  // namespace

DateTime ToDateTime(std::chrono::system_clock::time_point when) {
    using namespace std::chrono;
    const auto seconds = floor<std::chrono::seconds>(when);
    const auto dayPoint = floor<days>(seconds);
    const year_month_day date{dayPoint};
    const hh_mm_ss time{seconds - dayPoint};
    return DateTime{static_cast<int>(date.year()),
                    static_cast<int>(static_cast<unsigned>(date.month())),
                    static_cast<int>(static_cast<unsigned>(date.day())),
                    static_cast<int>(time.hours().count()),
                    static_cast<int>(time.minutes().count()),
                    static_cast<int>(time.seconds().count())};
}

std::string FormatDateTime(std::string_view pattern, const DateTime& when) {
    const bool twelveHour = HasMarker(pattern);
    const int hour12 = when.hour % 12 == 0 ? 12 : when.hour % 12;
    const int hour = twelveHour ? hour12 : when.hour;
    std::string out;
    bool afterHour = false;  // an "m" run here means minutes
    std::size_t i = 0;
    while (i < pattern.size()) {
        if (const Marker* marker = MarkerAt(pattern, i)) {
            const bool pm = when.hour >= 12;
            out += marker->lower ? (pm ? "pm" : "am") : (pm ? "PM" : "AM");
            i += marker->text.size();
            afterHour = false;
            continue;
        }
        const char letter = LowerAscii(pattern[i]);
        std::size_t run = 1;
        while (i + run < pattern.size() && LowerAscii(pattern[i + run]) == letter) {
            ++run;
        }
        const std::size_t width = run >= 2 ? 2 : 1;
        switch (letter) {
            case 'y':
                out += run >= 3 ? Padded(when.year, 4) : Padded(when.year % 100, 2);
                break;
            case 'm':
                if (run >= 4) {
                    out += MonthName(when.month);
                } else if (run == 3) {
                    out += MonthName(when.month).substr(0, 3);
                } else if (afterHour || SecondsFollow(pattern, i + run)) {
                    out += Padded(when.minute, width);
                } else {
                    out += Padded(when.month, width);
                }
                break;
            case 'd':
                out += Padded(when.day, width);
                break;
            case 'h':
                out += Padded(hour, width);
                break;
            case 's':
                out += Padded(when.second, width);
                break;
            default:
                out.append(pattern.substr(i, run));
                break;
        }
        if (letter == 'h') {
            afterHour = true;
        } else if (letter != ':' && letter != ' ') {
            afterHour = false;
        }
        i += run;
    }
    return out;
}

namespace {

struct Token {
    bool number;
    std::string text;
    bool afterColon;  // the separator before it was ":"
};

std::optional<std::vector<Token>> Tokenize(std::string_view text) {
    std::vector<Token> tokens;
    bool colon = false;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        const bool digit = c >= '0' && c <= '9';
        const bool alpha = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (digit || alpha) {
            std::size_t end = i;
            while (end < text.size() && (digit ? (text[end] >= '0' && text[end] <= '9')
                                               : ((text[end] >= 'a' && text[end] <= 'z') ||
                                                  (text[end] >= 'A' && text[end] <= 'Z')))) {
                ++end;
            }
            tokens.push_back(Token{digit, std::string(text.substr(i, end - i)), colon});
            colon = false;
            i = end;
            continue;
        }
        if (c == ':') {
            colon = true;
        } else if (c != '/' && c != '-' && c != '.' && c != ',' && c != ' ' && c != '\t') {
            return std::nullopt;
        }
        ++i;
    }
    return tokens;
}

std::optional<int> SmallNumber(const Token& token, std::size_t maxDigits) {
    if (!token.number || token.text.empty() || token.text.size() > maxDigits) {
        return std::nullopt;
    }
    return std::stoi(token.text);
}

std::optional<int> MonthOf(const Token& token) {
    if (token.number) {
        return SmallNumber(token, 2);
    }
    std::string lower;
    for (char c : token.text) {
        lower.push_back(LowerAscii(c));
    }
    for (std::size_t m = 0; m < kMonthNames.size(); ++m) {
        std::string name;
        for (char c : kMonthNames[m]) {
            name.push_back(LowerAscii(c));
        }
        if (lower == name || lower == name.substr(0, 3)) {
            return static_cast<int>(m) + 1;
        }
    }
    return std::nullopt;
}

std::optional<int> YearOf(const Token& token) {
    if (!token.number || (token.text.size() != 2 && token.text.size() != 4)) {
        return std::nullopt;
    }
    const int year = std::stoi(token.text);
    if (token.text.size() == 4) {
        return year;
    }
    return year < 30 ? 2000 + year : 1900 + year;
}

// Reads "H:MM[:SS] [AM|PM]" from the tokens after the date.
bool ReadTime(const std::vector<Token>& tokens, std::size_t at, DateTime& when) {
    if (at < tokens.size() && !tokens[at].number && LowerAscii(tokens[at].text[0]) == 't' &&
        tokens[at].text.size() == 1) {
        ++at;
    }
    if (at == tokens.size()) {
        return true;
    }
    const auto hour = SmallNumber(tokens[at], 2);
    if (!hour || at + 1 >= tokens.size() || !tokens[at + 1].afterColon) {
        return false;
    }
    const auto minute = SmallNumber(tokens[at + 1], 2);
    at += 2;
    std::optional<int> second = 0;
    if (at < tokens.size() && tokens[at].afterColon) {
        second = SmallNumber(tokens[at], 2);
        ++at;
    }
    if (!minute || !second || *minute > 59 || *second > 59) {
        return false;
    }
    int h = *hour;
    if (at < tokens.size() && !tokens[at].number) {
        std::string period;
        for (char c : tokens[at].text) {
            period.push_back(LowerAscii(c));
        }
        if ((period != "am" && period != "pm") || h < 1 || h > 12) {
            return false;
        }
        h = h % 12 + (period == "pm" ? 12 : 0);
        ++at;
    }
    if (at != tokens.size() || h > 23) {
        return false;
    }
    when.hour = h;
    when.minute = *minute;
    when.second = *second;
    return true;
}

}  // namespace

std::optional<DateTime> ParseDateTime(std::string_view text) {
    const auto tokens = Tokenize(text);
    if (!tokens || tokens->size() < 3 || (*tokens)[0].afterColon || (*tokens)[1].afterColon ||
        (*tokens)[2].afterColon) {
        return std::nullopt;
    }
    const auto& t = *tokens;
    std::optional<int> year;
    std::optional<int> month;
    std::optional<int> day;
    if (t[0].number && t[0].text.size() == 4) {
        year = YearOf(t[0]);
        month = MonthOf(t[1]);
        day = SmallNumber(t[2], 2);
    } else {
        day = SmallNumber(t[0], 2);
        month = MonthOf(t[1]);
        year = YearOf(t[2]);
    }
    if (!year || !month || !day || *month < 1 || *month > 12 || *day < 1 ||
        *day > DaysInMonth(*year, *month)) {
        return std::nullopt;
    }
    DateTime when{*year, *month, *day, 0, 0, 0};
    if (!ReadTime(t, 3, when)) {
        return std::nullopt;
    }
    return when;
}

DateTime AddDays(const DateTime& when, int days) {
    using namespace std::chrono;
    const sys_days start{year{when.year} / month{static_cast<unsigned>(when.month)} /
                         day{static_cast<unsigned>(when.day)}};
    const year_month_day moved{start + std::chrono::days{days}};
    DateTime out = when;
    out.year = static_cast<int>(moved.year());
    out.month = static_cast<int>(static_cast<unsigned>(moved.month()));
    out.day = static_cast<int>(static_cast<unsigned>(moved.day()));
    return out;
}

}  // namespace kestova
