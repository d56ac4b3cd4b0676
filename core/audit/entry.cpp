#include "core/audit/entry.h"

#include <array>
#include <cstdio>
#include <limits>
#include <nlohmann/json.hpp>

namespace audit {
namespace {

using Json = nlohmann::ordered_json;

constexpr std::array<std::string_view, 9> kKeys = {"seq",  "time",  "who",  "what", "client",
                                                   "port", "group", "wire", "prev"};
constexpr std::size_t kHashDigits = 64;

bool IsLowerHex(std::string_view text) {
    for (const char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) {
            return false;
        }
    }
    return true;
}

// Reads `width` decimal digits at `at`; nothing when one of them is not a digit.
std::optional<int> Digits(std::string_view text, std::size_t at, std::size_t width) {
    int value = 0;
    for (std::size_t i = at; i < at + width; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

}  // namespace

std::string FormatLine(const Entry& entry) {
    Json object;
    object["seq"] = entry.seq;
    object["time"] = entry.time;
    object["who"] = entry.who;
    object["what"] = entry.what;
    object["client"] = entry.client;
    object["port"] = entry.port.has_value() ? Json(*entry.port) : Json(nullptr);
    object["group"] = entry.group;
    object["wire"] = entry.wire;
    object["prev"] = entry.prev;
    return object.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::optional<Entry> ParseLine(std::string_view line) {
    // The document keeps the last value of a key named twice; such a line is no entry either,
    // since another reader may take the first value.
    std::size_t keys = 0;
    const Json object = Json::parse(
        line,
        [&keys](int depth, Json::parse_event_t event, Json&) {
            keys += depth == 1 && event == Json::parse_event_t::key ? 1 : 0;
            return true;
        },
        false);
    if (!object.is_object() || object.size() != kKeys.size() || keys != kKeys.size()) {
        return std::nullopt;
    }
    std::size_t index = 0;
    for (const auto& item : object.items()) {
        if (item.key() != kKeys[index++]) {
            return std::nullopt;
        }
    }
    for (const char* key : {"time", "who", "what", "client", "group", "wire", "prev"}) {
        if (!object.at(key).is_string()) {
            return std::nullopt;
        }
    }
    const Json& seq = object.at("seq");
    const Json& port = object.at("port");
    if (!seq.is_number_unsigned() || seq.get<std::uint64_t>() < 1 ||
        seq.get<std::uint64_t>() >
            static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
        return std::nullopt;
    }
    if (!port.is_null() && (!port.is_number_unsigned() ||
                            port.get<std::uint64_t>() > std::numeric_limits<int>::max())) {
        return std::nullopt;
    }
    Entry entry;
    entry.seq = static_cast<std::int64_t>(seq.get<std::uint64_t>());
    entry.time = object.at("time").get<std::string>();
    entry.who = object.at("who").get<std::string>();
    entry.what = object.at("what").get<std::string>();
    entry.client = object.at("client").get<std::string>();
    if (!port.is_null()) {
        entry.port = static_cast<int>(port.get<std::uint64_t>());
    }
    entry.group = object.at("group").get<std::string>();
    entry.wire = object.at("wire").get<std::string>();
    entry.prev = object.at("prev").get<std::string>();
    if (entry.prev.size() != kHashDigits || !IsLowerHex(entry.prev)) {
        return std::nullopt;
    }
    return entry;
}

std::string FormatUtcTime(std::chrono::system_clock::time_point when) {
    using namespace std::chrono;
    const sys_seconds seconds = floor<std::chrono::seconds>(when);
    const sys_days day = floor<days>(seconds);
    const year_month_day date(day);
    const hh_mm_ss<std::chrono::seconds> time(seconds - day);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ",
                  static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()), static_cast<int>(time.hours().count()),
                  static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()));
    return text;
}

std::optional<std::chrono::sys_seconds> ParseUtcTime(std::string_view text) {
    using namespace std::chrono;
    // "YYYY-MM-DDTHH:MM:SSZ"
    if (text.size() != 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' ||
        text[13] != ':' || text[16] != ':' || text[19] != 'Z') {
        return std::nullopt;
    }
    const auto y = Digits(text, 0, 4);
    const auto mo = Digits(text, 5, 2);
    const auto d = Digits(text, 8, 2);
    const auto h = Digits(text, 11, 2);
    const auto mi = Digits(text, 14, 2);
    const auto s = Digits(text, 17, 2);
    if (!y || !mo || !d || !h || !mi || !s || *h > 23 || *mi > 59 || *s > 59) {
        return std::nullopt;
    }
    const year_month_day date{year(*y), month(static_cast<unsigned>(*mo)),
                              day(static_cast<unsigned>(*d))};
    if (!date.ok()) {
        return std::nullopt;
    }
    return sys_days(date) + hours(*h) + minutes(*mi) + seconds(*s);
}

}  // namespace audit
