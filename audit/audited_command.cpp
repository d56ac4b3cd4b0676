#include "audit/audited_command.h"

#include <charconv>
#include <functional>
#include <map>
#include <set>
#include <vector>

#include "core/wire/framing.h"
#include "core/wire/request_keywords.h"
#include "core/wire/request_texts.h"

namespace kestova {
namespace {

namespace request = wire::request;

using Values = std::vector<std::string>;  // the elements after the keyword
using Describe = std::function<AuditedCommand(const Values&)>;

constexpr std::string_view kPasswordLead = "Password = '";
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

// The client's own commands: KESTOVA, the port and the word, some with an argument after one bar.
AuditedCommand ClientCommand(const Values& values) {
    const std::string& command = ValueAt(values, 1);
    const std::size_t bar = command.find('|');
    const std::string word = wire::UpperAscii(Trimmed(std::string_view(command).substr(0, bar)));
    const std::string argument = bar == std::string::npos ? "" : command.substr(bar + 1);
    static const std::map<std::string_view, std::string, std::less<>> kWords = {
        {request::client::EndTimer, "End timer"},
        {request::client::Reload, "Restart timer only"},
        {request::client::Restart, "Restart computer"},
        {request::client::Shutdown, "Shut down computer"},
        {request::client::Enable, "Enable"},
        {request::client::Disable, "Disable"},
        {request::client::Relocate, "Relocate timer"},
        {request::client::ClearDesktop, "Clear desktop"},
    };
    std::string what;
    if (const auto known = kWords.find(word); known != kWords.end()) {
        what = known->second;
    } else if (word == request::client::ChangeName) {
        what = "Rename to " + Quoted(argument);
    } else if (word == request::client::Message) {
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
    const std::size_t user = plain.find(request::UserNameLead);
    const std::size_t tail = plain.find(request::PasswordLead);
    if (user != std::string_view::npos && tail != std::string_view::npos &&
        user + request::UserNameLead.size() <= tail) {
        command.name = plain.substr(user + request::UserNameLead.size(),
                                    tail - user - request::UserNameLead.size());
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

// A batch of tickets (wire::request::TicketBatchText), or one given back for deletion (without a
// group: the request given up before the batch came).
AuditedCommand TicketBatch(const Values& values) {
    const std::string& request = ValueAt(values, 0);
    if (wire::UpperAscii(request) == wire::request::BatchGivenBack) {
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
    std::string_view text = ValueAt(values, 0);
    if (text.starts_with(request::ServerMessageLead)) {
        text.remove_prefix(request::ServerMessageLead.size());
    }
    return "Message to the server " + Quoted(text);
}

const std::map<std::string_view, Describe, std::less<>>& Commands() {
    static const std::map<std::string_view, Describe, std::less<>> table = {
        {request::Allocate,
         [](const Values& v) {
             const bool add = wire::UpperAscii(ValueAt(v, 1)) == "TRUE";
             return ForClient((add ? "Add " : "Allocate ") + Duration(ValueAt(v, 0)),
                              Count(ValueAt(v, 2)));
         }},
        {request::Deallocate,
         [](const Values& v) {
             return ForClient("Take away " + Duration(ValueAt(v, 0)), Count(ValueAt(v, 1)));
         }},
        {request::Pause,
         [](const Values& v) { return ForClient("Pause or resume", Count(ValueAt(v, 0))); }},
        {request::LogOff,
         [](const Values& v) { return ForClient("Log off", Count(ValueAt(v, 0))); }},
        {request::AllowPrint,
         [](const Values& v) { return ForClient("Allow printing", Count(ValueAt(v, 0))); }},
        {request::PreventPrint,
         [](const Values& v) { return ForClient("Prevent printing", Count(ValueAt(v, 0))); }},
        // These two number the client by its grid row.
        {request::Disconnect,
         [](const Values& v) { return ForClient("Reconnect", PortOfRow(ValueAt(v, 0))); }},
        {request::UpdateClient,
         [](const Values& v) {
             return ForClient("Send the café's settings", PortOfRow(ValueAt(v, 0)));
         }},
        {request::Kestova, ClientCommand},
        {request::PauseAll, [](const Values&) { return CafeWide("Pause all clients"); }},
        {request::UnpauseAll, [](const Values&) { return CafeWide("Resume all clients"); }},
        {request::Reset, [](const Values&) { return CafeWide("Reconnect all clients"); }},
        {request::DisLog, [](const Values&) { return CafeWide("Switch client logging"); }},
        {request::AllowPause, [](const Values&) { return CafeWide("Switch pausing by clients"); }},
        {request::AllowTime, [](const Values&) { return CafeWide("Switch adding tickets"); }},
        {request::DisMess, [](const Values&) { return CafeWide("Switch client messages"); }},
        {request::Broadcast, [](const Values&) { return CafeWide("Search for clients"); }},
        {request::SMessage, [](const Values& v) { return CafeWide(MessageToServer(v)); }},
        {request::PosTicket, TicketBatch},
        {request::Activate1, [](const Values& v) { return ByUser("Activate", v); }},
        {request::Deactivate1, [](const Values& v) { return ByUser("Deactivate", v); }},
        {request::Activate2, [](const Values& v) { return ByNumber("Activate", v); }},
        {request::Deactivate2, [](const Values& v) { return ByNumber("Deactivate", v); }},
        {request::MActivate1, [](const Values& v) { return WholeGroup("Activate", v); }},
        {request::MDeactivate1, [](const Values& v) { return WholeGroup("Deactivate", v); }},
        {request::MActivate2, [](const Values& v) { return Range("Activate", v); }},
        {request::MDeactivate2, [](const Values& v) { return Range("Deactivate", v); }},
    };
    return table;
}

// Requests that change nothing: the client list, the keep-alive answer, the greeting, a
// client's information, the POS figures, ticket look-ups and searches, summaries and reports.
// The list request also asks the server for the console's own settings again.
const std::set<std::string_view, std::less<>>& Requests() {
    static const std::set<std::string_view, std::less<>> keywords = {
        request::Update,         request::YesConnect,
        request::Authenticating, request::ClientInformation,
        request::UpdatePos,      request::Ticket1,
        request::Ticket2,        request::Search,
        request::PosSummary,     request::ReportSummary,
        request::ReportSummary2};
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
    if (keyword == request::Login) {
        return LogIn("Operator log-in", Sender::OperatorLogIn, plainMessage);
    }
    if (keyword == request::PosLog) {
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
