#include "server/engine/texts.h"

#include <cctype>
#include <cstdio>
#include <ctime>

#include "core/wire/framing.h"

namespace zarnevo {

std::string MoneyText(Cents amount) {
    const bool negative = amount < 0;
    const Cents magnitude = negative ? -amount : amount;
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%s%lld.%02lld", negative ? "-" : "",
                  static_cast<long long>(magnitude / 100), static_cast<long long>(magnitude % 100));
    return buffer;
}

std::string ShortMoneyText(Cents amount) {
    std::string text = MoneyText(amount);
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text;
}

std::optional<Cents> ParseMoney(std::string_view raw) {
    const std::string text = Trim(raw);
    if (text.empty() || text.size() > 12)
        return std::nullopt;
    Cents whole = 0;
    std::size_t i = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        whole = whole * 10 + (text[i] - '0');
    }
    if (i == 0)
        return std::nullopt;
    Cents cents = 0;
    if (i < text.size()) {
        if (text[i] != '.')
            return std::nullopt;
        const std::string_view decimals = std::string_view(text).substr(i + 1);
        if (decimals.size() > 2)
            return std::nullopt;
        for (char c : decimals) {
            if (!std::isdigit(static_cast<unsigned char>(c)))
                return std::nullopt;
        }
        if (!decimals.empty())
            cents = (decimals[0] - '0') * 10;
        if (decimals.size() == 2)
            cents += decimals[1] - '0';
    }
    return whole * 100 + cents;
}

std::optional<std::int64_t> ParseCount(std::string_view raw, std::int64_t max) {
    const std::string text = Trim(raw);
    if (text.empty() || text.size() > 18)
        return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > max)
        return std::nullopt;
    return value;
}

std::optional<bool> ParseTruth(std::string_view raw) {
    const std::string text = wire::UpperAscii(Trim(raw));
    if (text == "TRUE")
        return true;
    if (text == "FALSE")
        return false;
    if (const auto number = ParseCount(text.starts_with('-') ? text.substr(1) : text, 1'000'000)) {
        return *number != 0;
    }
    return std::nullopt;
}

std::string TruthText(bool value) {
    return value ? "True" : "False";
}

std::string Join(const std::vector<std::string>& pieces, std::string_view separator) {
    std::string text;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            text += separator;
        text += pieces[i];
    }
    return text;
}

std::string Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return std::string(text.substr(first, last - first + 1));
}

namespace {

// Length of the well-formed UTF-8 sequence at the start of text; 0 when it is none.
std::size_t Utf8SequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80;  // the range of the second byte, narrowed against overlong forms
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    }
    if (length == 0 || text.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
    }
    return length;
}

}  // namespace

std::string LogSafe(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7F) {
            if (c == '\\')
                out += '\\';
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        if (c == '\n' || c == '\r' || c == '\t') {
            out += c == '\n' ? "\\n" : c == '\r' ? "\\r" : "\\t";
            ++i;
            continue;
        }
        const std::size_t length = c < 0x80 ? 0 : Utf8SequenceLength(text.substr(i));
        if (length == 0) {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
            ++i;
        } else if (length == 2 && c == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0) {
            const unsigned char code = static_cast<unsigned char>(text[i + 1]);  // U+0080..U+009F
            out += "\\u00";
            out += kHex[code >> 4];
            out += kHex[code & 0xF];
            i += 2;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
    }
    return out;
}

LocalTime ToLocal(std::int64_t ms) {
    const std::time_t seconds = static_cast<std::time_t>(ms / 1000);
    std::tm parts{};
    localtime_r(&seconds, &parts);
    return LocalTime{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
                     parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

std::optional<std::int64_t> LocalDayStart(int year, int month, int day) {
    if (year < 1970 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31) {
        return std::nullopt;
    }
    std::tm parts{};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_isdst = -1;
    const std::time_t seconds = std::mktime(&parts);
    // mktime normalises 31 February into March: such a date is not a day of that month.
    if (seconds == -1 || parts.tm_mday != day || parts.tm_mon != month - 1)
        return std::nullopt;
    return static_cast<std::int64_t>(seconds) * 1000;
}

std::int64_t LocalDayStartOf(std::int64_t ms) {
    const LocalTime local = ToLocal(ms);
    return LocalDayStart(local.year, local.month, local.day).value_or(ms);
}

std::int64_t NextLocalDayStart(std::int64_t dayStartMs) {
    // 26 hours later is always inside the next local day, whatever the daylight-saving shift.
    return LocalDayStartOf(dayStartMs + 26LL * 3600 * 1000);
}

std::string ClockText(std::int64_t ms) {
    const LocalTime local = ToLocal(ms);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d", local.hour, local.minute);
    return buffer;
}

std::string LogTimeText(std::int64_t ms) {
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const LocalTime local = ToLocal(ms);
    const int hour12 = local.hour % 12 == 0 ? 12 : local.hour % 12;
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d%s %02d-%s-%02d", hour12, local.minute,
                  local.hour < 12 ? "AM" : "PM", local.day, kMonths[local.month - 1],
                  local.year % 100);
    return buffer;
}

std::string IsoDateText(std::int64_t ms) {
    const LocalTime local = ToLocal(ms);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", local.year, local.month, local.day);
    return buffer;
}

std::string DurationText(std::int64_t seconds) {
    if (seconds < 0)
        seconds = 0;
    const std::int64_t minutes = (seconds + 59) / 60;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02lld:%02lld", static_cast<long long>(minutes / 60),
                  static_cast<long long>(minutes % 60));
    return buffer;
}

}  // namespace zarnevo
