#include "core/wire/framing.h"

#include <algorithm>

namespace wire {

std::vector<std::string> SplitOn(std::string_view text, std::string_view separator) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (true) {
        const std::size_t at = text.find(separator, start);
        if (at == std::string_view::npos) {
            pieces.emplace_back(text.substr(start));
            return pieces;
        }
        pieces.emplace_back(text.substr(start, at - start));
        start = at + separator.size();
    }
}

std::vector<std::string> SplitElements(std::string_view plain) {
    if (plain.empty()) {
        return {};
    }
    return SplitOn(plain, kSeparator);
}

std::optional<std::size_t> FirstPairIndex(const std::vector<std::string>& elements) {
    const auto it = std::find_if(elements.begin(), elements.end(), [](const std::string& e) {
        return !e.empty() && e != kSeparator;
    });
    if (it == elements.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(it - elements.begin());
}

bool IsKeywordShaped(std::string_view element) {
    return !element.empty() && element.size() <= kLongestKeyword &&
           std::all_of(element.begin(), element.end(), [](char c) { return IsKeywordChar(c); });
}

std::vector<Pair> SplitPairs(std::string_view plain) {
    const std::vector<std::string> elements = SplitElements(plain);
    std::vector<Pair> pairs;
    const auto first = FirstPairIndex(elements);
    if (!first) {
        return pairs;
    }
    for (std::size_t k = *first; k < elements.size(); k += 2) {
        // The empty element after a message's closing separator starts no pair.
        if (k + 1 == elements.size() && elements[k].empty()) {
            break;
        }
        Pair pair{UpperAscii(elements[k]), {}, k + 1 < elements.size()};
        if (pair.hasValue) {
            pair.value = elements[k + 1];
        }
        pairs.push_back(std::move(pair));
    }
    return pairs;
}

std::string UpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = UpperAscii(c);
    }
    return out;
}

bool IsUpperAsciiOf(std::string_view upper, std::string_view text) {
    return std::equal(upper.begin(), upper.end(), text.begin(), text.end(), [](char u, char c) {
        return u == ((c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c);
    });
}

std::string MessageText(std::string_view keyword, std::span<const std::string_view> values) {
    std::size_t length = keyword.size() + 3 * kSeparator.size();
    for (std::string_view value : values) {
        length += value.size() + kSeparator.size();
    }
    std::string text;
    text.reserve(length);
    text += kSeparator;
    text += keyword;
    text += kSeparator;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) {
            text += kSeparator;
        }
        text += values[i];
    }
    text += kSeparator;
    return text;
}

std::string MessageText(std::string_view keyword, const std::vector<std::string>& values) {
    const std::vector<std::string_view> pieces(values.begin(), values.end());
    return MessageText(keyword, std::span<const std::string_view>(pieces));
}

}  // namespace wire
