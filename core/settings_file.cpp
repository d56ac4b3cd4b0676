#include "core/settings_file.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace kestova {
namespace {

// Within a line only spaces and tabs are blanks: line breaks have already split the lines.
bool IsLineBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

std::string_view TrimLineBlanks(std::string_view text) {
    while (!text.empty() && IsLineBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsLineBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// What a text is written as: the name of a section, the key or the value of an entry.
enum class Role { Section, Key, Value };

bool NeedsQuotes(std::string_view text, Role role) {
    if (text.empty()) {
        return role == Role::Key;
    }
    if (IsLineBlank(text.front()) || IsLineBlank(text.back()) || text.front() == '"') {
        return true;
    }
    for (char c : text) {
        if (IsControl(c) || (role == Role::Key && c == '=')) {
            return true;
        }
    }
    return role == Role::Key && (text.front() == '[' || text.front() == ';' || text.front() == '#');
}

// Appends `text` in quotes, with its quotes, backslashes and control characters escaped. Runs of
// plain characters go in whole: a file is written at every settings change.
void AppendQuoted(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out.push_back('"');
    std::size_t plainFrom = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\\' && c != '"' && !IsControl(c)) {
            continue;
        }
        out.append(text.substr(plainFrom, i - plainFrom));
        plainFrom = i + 1;
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '"':
                out += "\\\"";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default: {
                const auto byte = static_cast<unsigned char>(c);
                out += "\\x";
                out.push_back(kHex[byte >> 4]);
                out.push_back(kHex[byte & 0xF]);
            }
        }
    }
    out.append(text.substr(plainFrom));
    out.push_back('"');
}

void AppendComments(std::string& out, const IniComments& comments) {
    for (const std::string& comment : comments) {
        out += comment;
        out.push_back('\n');
    }
}

// Comments that lost the line they stood above go before the lines below it.
void MoveCommentsBefore(IniComments& comments, IniComments& target) {
    target.insert(target.begin(), std::make_move_iterator(comments.begin()),
                  std::make_move_iterator(comments.end()));
    comments.clear();
}

void AppendWritten(std::string& out, std::string_view text, Role role) {
    if (NeedsQuotes(text, role)) {
        AppendQuoted(out, text);
    } else {
        out.append(text);
    }
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    c = LowerAscii(c);
    return (c >= 'a' && c <= 'f') ? c - 'a' + 10 : -1;
}

// Reads a quoted text at the start of `text` (which begins with '"'); on success `rest` is what
// follows the closing quote.
std::optional<std::string> ReadQuoted(std::string_view text, std::string_view& rest) {
    std::string out;
    std::size_t i = 1;
    while (i < text.size()) {
        const std::size_t special = std::min(text.find_first_of("\"\\", i), text.size());
        out.append(text.substr(i, special - i));
        i = special;
        if (i == text.size()) {
            break;
        }
        if (text[i] == '"') {
            rest = text.substr(i + 1);
            return out;
        }
        if (i + 1 >= text.size()) {
            return std::nullopt;
        }
        const char escaped = text[i + 1];
        i += 2;
        switch (escaped) {
            case '\\':
            case '"':
                out.push_back(escaped);
                break;
            case 'n':
                out.push_back('\n');
                break;
            case 'r':
                out.push_back('\r');
                break;
            case 't':
                out.push_back('\t');
                break;
            case 'x': {
                if (i + 1 >= text.size()) {
                    return std::nullopt;
                }
                const int high = HexValue(text[i]);
                const int low = HexValue(text[i + 1]);
                if (high < 0 || low < 0) {
                    return std::nullopt;
                }
                out.push_back(static_cast<char>(high * 16 + low));
                i += 2;
                break;
            }
            default:
                return std::nullopt;
        }
    }
    return std::nullopt;
}

// A whole field: quoted (with nothing but blanks after it) or plain.
std::optional<std::string> ReadField(std::string_view text) {
    text = TrimLineBlanks(text);
    if (text.empty() || text.front() != '"') {
        return std::string(text);
    }
    std::string_view rest;
    auto value = ReadQuoted(text, rest);
    if (!value || !TrimLineBlanks(rest).empty()) {
        return std::nullopt;
    }
    return value;
}

struct ParsedEntry {
    std::string key;
    std::string value;
};

std::optional<ParsedEntry> ReadEntry(std::string_view line) {
    std::string key;
    std::string_view afterKey;
    if (line.front() == '"') {
        auto quoted = ReadQuoted(line, afterKey);
        if (!quoted) {
            return std::nullopt;
        }
        key = std::move(*quoted);
        afterKey = TrimLineBlanks(afterKey);
        if (afterKey.empty() || afterKey.front() != '=') {
            return std::nullopt;
        }
    } else {
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            return std::nullopt;
        }
        key = std::string(TrimLineBlanks(line.substr(0, equals)));
        if (key.empty()) {
            return std::nullopt;
        }
        afterKey = line.substr(equals);
    }
    auto value = ReadField(afterKey.substr(1));
    if (!value) {
        return std::nullopt;
    }
    return ParsedEntry{std::move(key), std::move(*value)};
}

// Templates so that the same search serves the const and the mutable document.
template <typename Sections>
auto FindSection(Sections& sections, std::string_view name) -> decltype(&sections.front()) {
    for (auto& section : sections) {
        if (EqualsIgnoringCase(section.name, name)) {
            return &section;
        }
    }
    return nullptr;
}

template <typename Section>
auto FindEntry(Section& section, std::string_view key) -> decltype(&section.entries.front()) {
    for (auto& entry : section.entries) {
        if (EqualsIgnoringCase(entry.key, key)) {
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace

IniDocument IniDocument::Parse(std::string_view text) {
    IniDocument document;
    // Sections and keys seen so far, by their lower-case names: a file of many entries is read
    // in linear time, not by searching the document for each of them.
    std::unordered_map<std::string, std::size_t> sectionIndex;
    std::unordered_set<std::string> keysSeen;  // section index, '\n', lower-case key
    constexpr std::size_t kNoSection = std::string::npos;
    std::size_t current = kNoSection;
    // Comment lines not yet placed: they go with the next section or entry that is kept.
    IniComments comments;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        line = TrimLineBlanks(line);
        if (line.empty()) {
            continue;
        }
        if (line.front() == ';' || line.front() == '#') {
            // Trailing carriage returns too, so the line reads back as it is written.
            comments.emplace_back(line.substr(0, line.find_last_not_of(" \t\r") + 1));
            continue;
        }
        if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
            current = kNoSection;
            if (auto name = ReadField(line.substr(1, line.size() - 2))) {
                const auto [found, added] =
                    sectionIndex.try_emplace(LowerAscii(*name), document.sections_.size());
                if (added) {
                    document.sections_.push_back(
                        IniSection{std::move(*name), {}, std::exchange(comments, {})});
                }
                current = found->second;
            }
            continue;
        }
        if (current == kNoSection) {
            continue;
        }
        auto entry = ReadEntry(line);
        if (entry &&
            keysSeen.insert(std::to_string(current) + '\n' + LowerAscii(entry->key)).second) {
            document.sections_[current].entries.push_back(IniEntry{
                std::move(entry->key), std::move(entry->value), std::exchange(comments, {})});
        }
    }
    document.trailingComments_ = std::move(comments);
    return document;
}

std::string IniDocument::Serialize() const {
    std::string out;
    for (const IniSection& section : sections_) {
        if (!out.empty()) {
            out.push_back('\n');
        }
        AppendComments(out, section.comments);
        out.push_back('[');
        AppendWritten(out, section.name, Role::Section);
        out += "]\n";
        for (const IniEntry& entry : section.entries) {
            AppendComments(out, entry.comments);
            AppendWritten(out, entry.key, Role::Key);
            out.push_back('=');
            AppendWritten(out, entry.value, Role::Value);
            out.push_back('\n');
        }
    }
    AppendComments(out, trailingComments_);
    return out;
}

const IniSection* IniDocument::findSection(std::string_view name) const {
    return FindSection(sections_, name);
}

const std::string* IniDocument::findValue(std::string_view section, std::string_view key) const {
    const IniSection* found = findSection(section);
    if (found == nullptr) {
        return nullptr;
    }
    const IniEntry* entry = FindEntry(*found, key);
    return entry == nullptr ? nullptr : &entry->value;
}

IniSection& IniDocument::ensureSection(std::string_view name) {
    if (IniSection* found = FindSection(sections_, name)) {
        return *found;
    }
    sections_.push_back(IniSection{std::string(name), {}, {}});
    return sections_.back();
}

void IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value) {
    IniSection& target = ensureSection(section);
    if (IniEntry* entry = FindEntry(target, key)) {
        entry->value = std::string(value);
        return;
    }
    target.entries.push_back(IniEntry{std::string(key), std::string(value), {}});
}

bool IniDocument::eraseValue(std::string_view section, std::string_view key) {
    IniSection* target = FindSection(sections_, section);
    if (target == nullptr) {
        return false;
    }
    std::vector<IniEntry>& entries = target->entries;
    const auto erased = std::find_if(entries.begin(), entries.end(), [&](const IniEntry& entry) {
        return EqualsIgnoringCase(entry.key, key);
    });
    if (erased == entries.end()) {
        return false;
    }
    // The line below it: the next entry, else the next section, else the end of the file.
    const auto nextEntry = std::next(erased);
    const auto nextSection = sections_.begin() + (target - sections_.data()) + 1;
    IniComments& below = nextEntry != entries.end()       ? nextEntry->comments
                         : nextSection != sections_.end() ? nextSection->comments
                                                          : trailingComments_;
    MoveCommentsBefore(erased->comments, below);
    entries.erase(erased);
    return true;
}

}  // namespace kestova
