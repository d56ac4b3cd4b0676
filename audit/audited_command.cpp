#include "audit/audited_command.h"

#include <charconv>
#include <functional>
#include <map>
#include <set>
#include <vector>

#include "core/wire/framing.h"

namespace kestova {
namespace {

using Values = std::vector<std::string>;  // the elements after the keyword
using Describe = std::function<AuditedCommand(const Values&)>;

constexpr std::string_view kUserLead = "Username = '";
constexpr std::string_view kPasswordLead = "Password = '";
constexpr std::string_view kPasswordTail = "' and Password = '";
constexpr std::string_view kMask = "****";

const std::string& ValueAt(const Values& values, std::size_t index) {
    static const std::string kNone;
    return index < values.size() ? values[index] : kNone;
}

// A whole number written in digits only, as the server reads ports and seconds.
std::optional<int> Count(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> PortOfRow(std::string_view text) {
    const auto row = Count(text);
    return row && *row >= 1 ? std::optional<int>(*row - 1) : std::nullopt;
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::string Duration(std::string_view seconds) {
    const auto count = Count(seconds);
    if (!count) {
        return Quoted(seconds) + " s";
    }
    return *count % 60 == 0 ? std::to_string(*count / 60) + " min" : std::to_string(*count) + " s";
}

std::string Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    const std::size_t last = text.find_last_not_of(' ');
    return first == std::string_view::npos ? std::string()
                                           : std::string(text.substr(first, last - first + 1));
}

// "a-b-STAFF": the value cut at its last `parts - 1` dashes, so that a user name or group with a
// dash in it stays whole; nothing when it has fewer dashes.
std::optional<Values> CutAtLastDashes(std::string_view value, std::size_t parts) {
    Values pieces(parts);
    for (std::size_t i = parts; i-- > 1;) {
        const std::size_t dash = value.rfind('-');
        if (dash == std::string_view::npos) {
            return std::nullopt;
        }
        pieces[i] = value.substr(dash + 1);
        value = value.substr(0, dash);
    }
    pieces[0] = value;
    return pieces;
}

AuditedCommand ForClient(std::string what, std::optional<int> port) {
    AuditedCommand command;
    command.what = std::move(what);
    command.port = port;
    return command;
}

AuditedCommand CafeWide(std::string what) {
    AuditedCommand command;
    command.what = std::move(what);
    return command;
}

// The client's own commands: "||KESTOVA||port||WORD||", some with an argument after one bar.
AuditedCommand ClientCommand(const Values& values) {
    const std::string& command = ValueAt(values, 1);
    const std::size_t bar = command.find('|');
    const std::string word = wire::UpperAscii(Trimmed(std::string_view(command).substr(0, bar)));
    const std::string argument = bar == std::string::npos ? "" : command.substr(bar + 1);
    static const std::map<std::string, std::string, std::less<>> kWords = {
        {"ENDTIMER", "End timer"},
        {"RELOAD", "Restart timer only"},
        {"RESTART", "Restart computer"},
        {"SHUTDOWN", "Shut down computer"},
        {"ENABLE", "Enable"},
        {"DISABLE", "Disable"},
        {"RELOCATE", "Relocate timer"},
        {"CLEARDESKTOP", "Clear desktop"},
    };
    std::string what;
    if (const auto known = kWords.find(word); known != kWords.end()) {
        what = known->second;
    } else if (word == "CHANGENAME") {
        what = "Rename to " + Quoted(argument);
    } else if (word == "MESSAGE") {
        what = argument.empty() ? "Clear message" : "Message " + Quoted(argument);
    } else {
        what = "Client command " + Quoted(command);
    }
    return ForClient(what, Count(ValueAt(values, 0)));
}

AuditedCommand LogIn(std::string what, Sender sender, std::string_view plain) {
    AuditedCommand command;
    command.what = std::move(what);
    command.sender = sender;
    const std::size_t user = plain.find(kUserLead);
    const std::size_t tail = plain.find(kPasswordTail);
    if (user != std::string_view::npos && tail != std::string_view::npos &&
        user + kUserLead.size() <= tail) {
        command.name = plain.substr(user + kUserLead.size(), tail - user - kUserLead.size());
    }
    command.wire = MaskPassword(plain);
    return command;
}

AuditedCommand ByStaff(std::string what, std::string group, const std::string& staff) {
    AuditedCommand command;
    command.what = std::move(what);
    command.group = std::move(group);
    command.sender = Sender::Staff;
    command.name = staff;
    return command;
}

AuditedCommand AtPos(std::string what, std::string group = {}) {
    AuditedCommand command;
    command.what = std::move(what);
    command.group = std::move(group);
    command.sender = Sender::StaffAtPos;
    return command;
}

// "||POSTICKET||minutes|count|cost|VIP|time|once|STAFF||", or "||POSTICKET||FALSE||group||" for
// the deletion of a batch (without a group: the request given up before the batch came).
AuditedCommand TicketBatch(const Values& values) {
    const std::string& request = ValueAt(values, 0);
    if (wire::UpperAscii(request) == "FALSE") {
        const std::string& group = ValueAt(values, 1);
        return group.empty() ? AtPos("Cancel the ticket batch request")
                             : AtPos("Delete ticket batch", group);
    }
    const Values fields = wire::SplitOn(request, "|");
    if (fields.size() != 7) {
        return AtPos("Ticket batch " + Quoted(request));
    }
    std::string what = "Ticket batch: " + fields[1] + " x " + fields[0] + " min at " + fields[2];
    if (wire::UpperAscii(fields[3]) == "TRUE") {
        what += ", VIP";
    }
    if (fields[4] == "1") {
        what += ", time tickets";
    }
    if (fields[5] == "1") {
        what += ", used once";
    }
    return ByStaff(what, "", fields[6]);
}

// The four ways to (de)activate tickets; `verb` is "Activate" or "Deactivate".
AuditedCommand ByUser(const std::string& verb, const Values& values) {
    const auto parts = CutAtLastDashes(ValueAt(values, 0), 2);
    return parts ? ByStaff(verb + " the ticket of user " + (*parts)[0], "", (*parts)[1])
                 : AtPos(verb + " ticket " + Quoted(ValueAt(values, 0)));
}

AuditedCommand ByNumber(const std::string& verb, const Values& values) {
    const auto parts = CutAtLastDashes(ValueAt(values, 0), 3);
    return parts ? ByStaff(verb + " ticket " + (*parts)[1], (*parts)[0], (*parts)[2])
                 : AtPos(verb + " ticket " + Quoted(ValueAt(values, 0)));
}

AuditedCommand WholeGroup(const std::string& verb, const Values& values) {
    const auto parts = CutAtLastDashes(ValueAt(values, 0), 2);
    return parts ? ByStaff(verb + " every ticket of the group", (*parts)[0], (*parts)[1])
                 : AtPos(verb + " ticket group " + Quoted(ValueAt(values, 0)));
}

AuditedCommand Range(const std::string& verb, const Values& values) {
    const auto parts = CutAtLastDashes(ValueAt(values, 0), 4);
    return parts ? ByStaff(verb + " tickets " + (*parts)[1] + " to " + (*parts)[2], (*parts)[0],
                           (*parts)[3])
                 : AtPos(verb + " tickets " + Quoted(ValueAt(values, 0)));
}

std::string MessageToServer(const Values& values) {
    constexpr std::string_view kLead = "KESTOVA: ";
    std::string_view text = ValueAt(values, 0);
    if (text.starts_with(kLead)) {
        text.remove_prefix(kLead.size());
    }
    return "Message to the server " + Quoted(text);
}

const std::map<std::string, Describe, std::less<>>& Commands() {
    static const std::map<std::string, Describe, std::less<>> table = {
        {"F-ALLOCATE",
         [](const Values& v) {
             const bool add = wire::UpperAscii(ValueAt(v, 1)) == "TRUE";
             return ForClient((add ? "Add " : "Allocate ") + Duration(ValueAt(v, 0)),
                              Count(ValueAt(v, 2)));
         }},
        {"F-DEALLOCATE",
         [](const Values& v) {
             return ForClient("Take away " + Duration(ValueAt(v, 0)), Count(ValueAt(v, 1)));
         }},
        {"F-PAUSE",
         [](const Values& v) { return ForClient("Pause or resume", Count(ValueAt(v, 0))); }},
        {"F-LOGOFF", [](const Values& v) { return ForClient("Log off", Count(ValueAt(v, 0))); }},
        {"F-ALLOWPRINT",
         [](const Values& v) { return ForClient("Allow printing", Count(ValueAt(v, 0))); }},
        {"F-PREVENTPRINT",
         [](const Values& v) { return ForClient("Prevent printing", Count(ValueAt(v, 0))); }},
        // These two number the client by its grid row.
        {"F-DISCONNECT",
         [](const Values& v) { return ForClient("Reconnect", PortOfRow(ValueAt(v, 0))); }},
        {"F-UPDATE",
         [](const Values& v) {
             return ForClient("Send the café's settings", PortOfRow(ValueAt(v, 0)));
         }},
        {"KESTOVA", ClientCommand},
        {"F-PAUSEALL", [](const Values&) { return CafeWide("Pause all clients"); }},
        {"F-UNPAUSEALL", [](const Values&) { return CafeWide("Resume all clients"); }},
        {"F-RESET", [](const Values&) { return CafeWide("Reconnect all clients"); }},
        {"F-DISLOG", [](const Values&) { return CafeWide("Switch client logging"); }},
        {"F-ALLOWPAUSE", [](const Values&) { return CafeWide("Switch pausing by clients"); }},
        {"F-ALLOWTIME", [](const Values&) { return CafeWide("Switch adding tickets"); }},
        {"F-DISMESS", [](const Values&) { return CafeWide("Switch client messages"); }},
        {"F-BROADCAST", [](const Values&) { return CafeWide("Search for clients"); }},
        {"SMESSAGE", [](const Values& v) { return CafeWide(MessageToServer(v)); }},
        {"POSTICKET", TicketBatch},
        {"ACTIVATE1", [](const Values& v) { return ByUser("Activate", v); }},
        {"DEACTIVATE1", [](const Values& v) { return ByUser("Deactivate", v); }},
        {"ACTIVATE2", [](const Values& v) { return ByNumber("Activate", v); }},
        {"DEACTIVATE2", [](const Values& v) { return ByNumber("Deactivate", v); }},
        {"MACTIVATE1", [](const Values& v) { return WholeGroup("Activate", v); }},
        {"MDEACTIVATE1", [](const Values& v) { return WholeGroup("Deactivate", v); }},
        {"MACTIVATE2", [](const Values& v) { return Range("Activate", v); }},
        {"MDEACTIVATE2", [](const Values& v) { return Range("Deactivate", v); }},
    };
    return table;
}

// Requests that change nothing: the client list, the keep-alive answer, the greeting, a
// client's information, the POS figures, ticket look-ups and searches, summaries and reports.
// "||UPDATE||" also asks the server for the console's own settings again.
const std::set<std::string, std::less<>>& Requests() {
    static const std::set<std::string, std::less<>> keywords = {
        "UPDATE",       "YESCONNECT",      "AUTHENTICATING",  "KESTOVA-INFO",
        "F-UPDATEPOS",  "F-TICKET1",       "F-TICKET2",       "F-SEARCH",
        "F-POSSUMMARY", "F-REPORTSUMMARY", "F-REPORTSUMMARY2"};
    return keywords;
}

}  // namespace

std::string MaskPassword(std::string_view plainMessage) {
    const std::size_t password = plainMessage.find(kPasswordLead);
    if (password != std::string_view::npos) {
        return std::string(plainMessage.substr(0, password + kPasswordLead.size())) +
               std::string(kMask) + "'||";
    }
    const std::vector<std::string> elements = wire::SplitElements(plainMessage);
    const auto first = wire::FirstPairIndex(elements);
    return "||" + (first ? elements[*first] : std::string()) + "||" + std::string(kMask) + "||";
}

std::optional<AuditedCommand> AuditedCommandOf(std::string_view plainMessage) {
    const std::vector<std::string> elements = wire::SplitElements(plainMessage);
    const auto first = wire::FirstPairIndex(elements);
    if (!first) {
        return std::nullopt;
    }
    const std::string keyword = wire::UpperAscii(elements[*first]);
    if (keyword == "F-LOGIN") {
        return LogIn("Operator log-in", Sender::OperatorLogIn, plainMessage);
    }
    if (keyword == "F-POSLOG") {
        return LogIn("Staff sign-in", Sender::Staff, plainMessage);
    }
    if (Requests().contains(keyword)) {
        return std::nullopt;
    }
    const Values values(elements.begin() + static_cast<std::ptrdiff_t>(*first) + 1, elements.end());
    const auto rule = Commands().find(keyword);
    AuditedCommand command = rule != Commands().end()
                                 ? rule->second(values)
                                 : CafeWide("Unrecognised command " + Quoted(keyword));
    command.wire = plainMessage;
    return command;
}

}  // namespace kestova
