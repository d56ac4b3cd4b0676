#include "server/engine/request.h"

#include "core/wire/framing.h"
#include "core/wire/request_texts.h"
#include "server/engine/texts.h"

namespace zarnevo {

const std::string& Request::value(std::size_t i) const {
    static const std::string kEmpty;
    return i < values.size() ? values[i] : kEmpty;
}

std::optional<Request> ParseRequest(std::string_view plain) {
    const std::vector<std::string> elements = SplitOn(plain, "||");
    std::size_t at = 0;
    while (at < elements.size() && Trim(elements[at]).empty())
        ++at;
    if (at == elements.size())
        return std::nullopt;

    Request request;
    request.keyword = wire::UpperAscii(Trim(elements[at]));
    request.values.assign(elements.begin() + static_cast<std::ptrdiff_t>(at) + 1, elements.end());
    while (!request.values.empty() && request.values.back().empty())
        request.values.pop_back();

    // The raw value starts after the keyword's own separator.
    std::size_t offset = 0;
    for (std::size_t i = 0; i <= at; ++i)
        offset += elements[i].size() + 2;
    if (offset <= plain.size()) {
        std::string_view rest = plain.substr(offset);
        while (!rest.empty() && rest.back() == '|')
            rest.remove_suffix(1);
        request.rawValue = std::string(rest);
    }
    return request;
}

namespace {

// Case-insensitive search of an ASCII needle.
std::size_t FindNoCase(std::string_view haystack, std::string_view needle, std::size_t from = 0) {
    const std::string upperHaystack = wire::UpperAscii(haystack);
    return upperHaystack.find(wire::UpperAscii(needle), from);
}

}  // namespace

std::optional<Credentials> ParseConditionText(std::string_view raw) {
    const std::string text = Trim(raw);
    // The console's own spelling, compared without regard to case.
    constexpr std::string_view kUserStart = wire::request::UserNameLead;
    constexpr std::string_view kMiddle = wire::request::PasswordLead;
    if (FindNoCase(text, kUserStart) != 0)
        return std::nullopt;
    const std::size_t middle = FindNoCase(text, kMiddle, kUserStart.size());
    if (middle == std::string::npos)
        return std::nullopt;
    const std::size_t passwordStart = middle + kMiddle.size();
    if (text.size() <= passwordStart || text.back() != '\'')
        return std::nullopt;
    return Credentials{text.substr(kUserStart.size(), middle - kUserStart.size()),
                       text.substr(passwordStart, text.size() - 1 - passwordStart)};
}

}  // namespace zarnevo
