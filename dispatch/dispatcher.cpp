#include "dispatch/dispatcher.h"

#include <algorithm>

#include "core/wire/framing.h"

namespace kestova {
namespace {

std::vector<KeywordRoute>& Routes() {
    static std::vector<KeywordRoute> routes;
    return routes;
}

std::vector<KeywordRoute>::iterator RouteOf(std::string_view keyword) {
    std::vector<KeywordRoute>& routes = Routes();
    return std::find_if(routes.begin(), routes.end(),
                        [keyword](const KeywordRoute& r) { return r.keyword == keyword; });
}

}  // namespace

void RegisterReplyHandler(std::string_view keyword, ReplyHandler handler) {
    const auto route = RouteOf(keyword);
    if (route != Routes().end()) {
        route->handler = handler;
    } else {
        Routes().push_back({keyword, handler});
    }
}

std::span<const KeywordRoute> KeywordTable() {
    return Routes();
}

ReplyHandler FindReplyHandler(std::string_view keyword) {
    const auto route = RouteOf(keyword);
    return route == Routes().end() ? nullptr : route->handler;
}

void DispatchElements(KestovaMain& main, const std::vector<std::string>& elements) {
    const auto first = wire::FirstPairIndex(elements);
    if (!first.has_value()) {
        return;
    }
    // The step is always two elements, whatever number of values a reply carries: the values
    // beyond the first are examined as keywords too, and pass over unless one equals a keyword.
    for (std::size_t cursor = *first; cursor < elements.size(); cursor += 2) {
        if (const ReplyHandler handler = FindReplyHandler(wire::UpperAscii(elements[cursor]))) {
            handler(main, Reply(elements, cursor));
        }
    }
}

void DispatchMessage(KestovaMain& main, std::string_view plainMessage) {
    DispatchElements(main, wire::SplitElements(plainMessage));
}

}  // namespace kestova
