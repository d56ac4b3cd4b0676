#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "dispatch/reply.h"

namespace kestova {

// Runs the handlers of one decoded message's elements: from the first element that is not empty,
// two elements at a time, the upper-cased keyword selects the handler; a keyword nobody knows,
// and a value the walk lands on, are passed over. Each call keeps its own elements, so a handler
// that lets events run may be re-entered by the next message without harm.
void DispatchElements(KestovaMain& main, const std::vector<std::string>& elements);
// The same on one decoded message.
void DispatchMessage(KestovaMain& main, std::string_view plainMessage);

struct KeywordRoute {
    std::string_view keyword;
    ReplyHandler handler;
};

// The keyword table is filled from above: each window's folder registers the handlers of the
// replies that concern it (program/'s RegisterReplyHandlers calls them all). The keyword is
// upper-case and outlives the table (the constants of core/wire/replies.h); registering a keyword
// again replaces its handler.
void RegisterReplyHandler(std::string_view keyword, ReplyHandler handler);
// Every reply registered, with its handler.
std::span<const KeywordRoute> KeywordTable();
// The handler of an upper-cased keyword; nullptr for a keyword nobody registered.
ReplyHandler FindReplyHandler(std::string_view keyword);

}  // namespace kestova
