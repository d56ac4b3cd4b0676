#include "core/audit/entry.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <limits>
#include <nlohmann/json.hpp>
#include <utility>

namespace audit {
namespace {

using Json = nlohmann::ordered_json;

constexpr std::array<std::string_view, 9> kKeys = {"seq",  "time",  "who",  "what", "client",
                                                   "port", "group", "wire", "prev"};
constexpr std::size_t kHashDigits = 64;

// The rules for the values both readers check alike.
bool IsSeal(std::string_view text) {
    return text.size() == kHashDigits && std::all_of(text.begin(), text.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}
bool IsPort(std::uint64_t value) {
    return value <= static_cast<std::uint64_t>(std::numeric_limits<int>::max());
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

// Whether the parser's first token in the line opens an object: it passes over a byte-order mark
// at the start and white space.
bool OpensObject(std::string_view line) {
    if (line.starts_with("\xEF\xBB\xBF")) {
        line.remove_prefix(3);
    }
    const std::size_t first = line.find_first_not_of(" \t\n\r");
    return first != std::string_view::npos && line[first] == '{';
}

// Reads a line's JSON events straight into an entry and stops the parser at the first event no
// entry line has. Lines are read again and again (verifying, finding the tail, listing), and a
// document of the whole line would cost far more than the entry.
class EntryReader : public nlohmann::json_sax<Json> {
public:
    explicit EntryReader(std::size_t lineLength) : lineLength_(lineLength) {}

    Entry entry;

    bool complete() const { return closed_; }
    // Every event so far was an entry's, and then the line ended.
    bool ranOut() const { return ranOut_; }

    bool start_object(std::size_t) override { return !std::exchange(opened_, true); }
    bool key(string_t& name) override {
        if (!opened_ || valueDue_ || next_ == kKeys.size() || name != kKeys[next_]) {
            return false;
        }
        valueDue_ = true;
        return true;
    }
    bool end_object() override {
        closed_ = !valueDue_ && next_ == kKeys.size();
        return closed_;
    }

    bool number_unsigned(number_unsigned_t value) override {
        if (due("seq") && value >= 1 &&
            value <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
            entry.seq = static_cast<std::int64_t>(value);
            return taken();
        }
        if (due("port") && IsPort(value)) {
            entry.port = static_cast<int>(value);
            return taken();
        }
        return false;
    }
    bool null() override { return due("port") && taken(); }
    bool string(string_t& value) override {
        // The text fields, by their key's place; nullptr where the value is no text.
        static constexpr std::array<std::string Entry::*, kKeys.size()> kTextFields = {
            nullptr, &Entry::time,  &Entry::who,  &Entry::what, &Entry::client,
            nullptr, &Entry::group, &Entry::wire, &Entry::prev};
        if (!valueDue_ || kTextFields[next_] == nullptr) {
            return false;
        }
        if (due("prev") && !IsSeal(value)) {
            return false;
        }
        // Copied, not moved: the parser then keeps its buffer for the next string.
        entry.*kTextFields[next_] = value;
        return taken();
    }

    bool boolean(bool) override { return false; }
    bool number_integer(number_integer_t) override { return false; }
    bool number_float(number_float_t, const string_t&) override { return false; }
    bool binary(binary_t&) override { return false; }
    bool start_array(std::size_t) override { return false; }
    bool end_array() override { return false; }
    bool parse_error(std::size_t position, const std::string&,
                     const nlohmann::detail::exception&) override {
        // The parser places an error that the end of the input caused past the last byte.
        ranOut_ = position > lineLength_;
        return false;
    }

private:
    // The value of the named key is what comes next.
    bool due(std::string_view name) const { return valueDue_ && kKeys[next_] == name; }
    bool taken() {
        valueDue_ = false;
        ++next_;
        return true;
    }

    std::size_t lineLength_;
    bool opened_ = false;
    bool valueDue_ = false;  // a key was read; its value comes next
    bool closed_ = false;
    bool ranOut_ = false;
    std::size_t next_ = 0;  // the place of the key due next
};

// Reads the line FormatLine writes when every text is printable ASCII without quotes or
// backslashes, as nearly every entry's is, without a JSON parser: exactly that form, or nothing.
class WrittenFormReader {
public:
    explicit WrittenFormReader(std::string_view line) : rest_(line) {}

    bool at(std::string_view text) {
        if (!rest_.starts_with(text)) {
            return false;
        }
        rest_.remove_prefix(text.size());
        return true;
    }
    bool atEnd() const { return rest_.empty(); }

    // A whole number as JSON writes it (no sign, no leading zero), short enough not to overflow.
    std::optional<std::uint64_t> number() {
        const std::size_t digits = rest_.find_first_not_of("0123456789");
        const std::size_t length = digits == std::string_view::npos ? rest_.size() : digits;
        if (length == 0 || length > 18 || (length > 1 && rest_.front() == '0')) {
            return std::nullopt;
        }
        std::uint64_t value = 0;
        for (const char digit : rest_.substr(0, length)) {
            value = value * 10 + static_cast<std::uint64_t>(digit - '0');
        }
        rest_.remove_prefix(length);
        return value;
    }

    bool text(std::string& into) {
        if (!at("\"")) {
            return false;
        }
        std::size_t length = 0;
        while (length < rest_.size() && rest_[length] >= ' ' && rest_[length] <= '~' &&
               rest_[length] != '"' && rest_[length] != '\\') {
            ++length;
        }
        if (length == rest_.size() || rest_[length] != '"') {
            return false;
        }
        into.assign(rest_.substr(0, length));
        rest_.remove_prefix(length + 1);
        return true;
    }

private:
    std::string_view rest_;
};

}  // namespace

namespace detail {

std::optional<Entry> ParseWrittenForm(std::string_view line) {
    WrittenFormReader reader(line);
    Entry entry;
    if (!reader.at("{\"seq\":")) {
        return std::nullopt;
    }
    const auto seq = reader.number();
    if (!seq || *seq == 0 || !reader.at(",\"time\":") || !reader.text(entry.time) ||
        !reader.at(",\"who\":") || !reader.text(entry.who) || !reader.at(",\"what\":") ||
        !reader.text(entry.what) || !reader.at(",\"client\":") || !reader.text(entry.client) ||
        !reader.at(",\"port\":")) {
        return std::nullopt;
    }
    entry.seq = static_cast<std::int64_t>(*seq);
    if (!reader.at("null")) {
        const auto port = reader.number();
        if (!port || !IsPort(*port)) {
            return std::nullopt;
        }
        entry.port = static_cast<int>(*port);
    }
    if (!reader.at(",\"group\":") || !reader.text(entry.group) || !reader.at(",\"wire\":") ||
        !reader.text(entry.wire) || !reader.at(",\"prev\":") || !reader.text(entry.prev) ||
        !reader.at("}") || !reader.atEnd() || !IsSeal(entry.prev)) {
        return std::nullopt;
    }
    return entry;
}

std::optional<Entry> ParseAnyJson(std::string_view line) {
    // A line whose first token opens no object holds no entry: passed over without a parser.
    if (!OpensObject(line)) {
        return std::nullopt;
    }
    EntryReader reader(line.size());
    if (!Json::sax_parse(line.begin(), line.end(), &reader) || !reader.complete()) {
        return std::nullopt;
    }
    return std::move(reader.entry);
}

}  // namespace detail

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
    if (auto entry = detail::ParseWrittenForm(line)) {
        return entry;
    }
    return detail::ParseAnyJson(line);
}

bool IsCutOffEntry(std::string_view line) {
    if (!OpensObject(line)) {
        return false;
    }
    EntryReader reader(line.size());
    return !Json::sax_parse(line.begin(), line.end(), &reader) && reader.ranOut();
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
