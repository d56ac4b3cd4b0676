#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "dispatch/reply.h"

namespace kestova {

class KestovaMain;

// The `DataArrival` event of the server connection: hands the read to the main window's receive
// path (ListenReceiver), which dispatches each message once its burst has settled.
void ListenDataArrival(KestovaMain& main);

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

// Every reply the server sends, with its handler.
std::span<const KeywordRoute> KeywordTable();
// The handler of an upper-cased keyword; nullptr for a keyword the console does not know.
ReplyHandler FindReplyHandler(std::string_view keyword);

}  // namespace kestova
