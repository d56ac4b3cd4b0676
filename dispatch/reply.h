#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestova {

class KestovaMain;

// One keyword/value pair of a received message as the dispatcher walks it: the keyword at the
// cursor and the elements after it. A value past the end of the message is absent, and the steps
// of a handler that need it are skipped.
class Reply {
public:
    Reply(const std::vector<std::string>& elements, std::size_t cursor)
        : elements_(elements), cursor_(cursor) {}

    // The keyword as received (the look-up compares it upper-cased).
    std::string_view Keyword() const { return elements_[cursor_]; }
    // Value n (1 is the element right after the keyword), exactly as received.
    std::optional<std::string_view> Value(std::size_t n) const {
        const std::size_t index = cursor_ + n;
        if (index >= elements_.size()) {
            return std::nullopt;
        }
        return std::string_view(elements_[index]);
    }

private:
    const std::vector<std::string>& elements_;
    std::size_t cursor_;
};

using ReplyHandler = void (*)(KestovaMain& main, const Reply& reply);

}  // namespace kestova
