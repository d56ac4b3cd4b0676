#include "server/engine/console_keywords.h"

#include <array>

namespace zarnevo {
namespace {

constexpr std::array<std::string_view, 40> kMessageKeywords = {
    "ACTIVATE1",      "ACTIVATE2",       "AUTHENTICATING",   "DEACTIVATE1", "DEACTIVATE2",
    "F-ALLOCATE",     "F-ALLOWPAUSE",    "F-ALLOWPRINT",     "F-ALLOWTIME", "F-BROADCAST",
    "F-DEALLOCATE",   "F-DISCONNECT",    "F-DISLOG",         "F-DISMESS",   "F-LOGIN",
    "F-LOGOFF",       "F-PAUSE",         "F-PAUSEALL",       "F-POSLOG",    "F-POSSUMMARY",
    "F-PREVENTPRINT", "F-REPORTSUMMARY", "F-REPORTSUMMARY2", "F-RESET",     "F-SEARCH",
    "F-TICKET1",      "F-TICKET2",       "F-UNPAUSEALL",     "F-UPDATE",    "F-UPDATEPOS",
    "KESTOVA",        "KESTOVA-INFO",    "MACTIVATE1",       "MACTIVATE2",  "MDEACTIVATE1",
    "MDEACTIVATE2",   "POSTICKET",       "SMESSAGE",         "UPDATE",      "YESCONNECT",
};

}  // namespace

std::span<const std::string_view> ConsoleMessageKeywords() {
    return kMessageKeywords;
}

}  // namespace zarnevo
