// The console's commands for client computers and the café-wide switches it flips.
#include <cmath>

#include "core/wire/codepage.h"
#include "core/wire/framing.h"
#include "core/wire/replies.h"
#include "core/wire/request_keywords.h"
#include "server/engine/engine_impl.h"
#include "server/engine/texts.h"

namespace zarnevo {
namespace {

namespace reply = wire::reply;
namespace request = wire::request;
namespace word = wire::request::client;

// How long a simulated client stays away, in simulated seconds.
constexpr double kReconnectSeconds = 3;
constexpr double kRestartSeconds = 45;
constexpr double kShutdownSeconds = 600;  // until someone switches it on again
constexpr std::int64_t kMaxSeconds = 9999LL * 60;
constexpr std::size_t kMaxClientName = 20;

// The switch each café-wide toggle flips.
struct Toggle {
    std::string_view request;
    std::string_view keyword;
};
constexpr Toggle kToggles[] = {{request::DisLog, reply::DisLog},
                               {request::AllowPause, reply::AddPause},
                               {request::AllowTime, reply::AddTime},
                               {request::DisMess, reply::CMess}};

bool MayCommand(const ConsoleSession& session) {
    return session.rights == "ADMINISTRATOR" || session.rights == "USER";
}

// A client name travels inside the UPDATE record, whose fields are joined by "==": a bar
// becomes a space, a run of "=" shrinks to one, and no "=" stays at either end, where it would
// run into a field separator ("PC=" would make "PC=====00:00").
std::string CleanClientName(std::string_view raw) {
    std::string name;
    for (char c : raw) {
        if (c == '|')
            c = ' ';
        if (c == '=' && !name.empty() && name.back() == '=')
            continue;
        name.push_back(c);
    }
    const auto first = name.find_first_not_of(" \t\r\n=");
    if (first == std::string::npos)
        return {};
    return name.substr(first, name.find_last_not_of(" \t\r\n=") - first + 1);
}

std::string ClientInformation(const Client& c, int slot) {
    const std::vector<std::string> lines = {
        "Client: " + c.name,
        "Slot: " + std::to_string(slot),
        "IP Address: " + c.ip,
        "Information: " + std::string(ModeText(c.mode)),
        "User: " + (c.user.empty() ? std::string("-") : c.user),
        "Time Left: " + DurationText(std::llround(c.secondsLeft)),
        "Logged in at: " + (c.loginAtMs > 0 ? LogTimeText(c.loginAtMs) : std::string("-")),
        "Printing: " + std::string(c.printingAllowed ? "Allowed" : "Prevented"),
        "Quota: " + std::to_string(c.leftQuotaKb) + " of " + std::to_string(c.quotaKb) + " Kb",
        "Message: " + (c.message.empty() ? std::string("-") : c.message)};
    return Join(lines, "\r\n");
}

}  // namespace

bool Engine::Impl::handleClientCommand(ConsoleId console, ConsoleSession& session,
                                       const Request& request, std::int64_t nowMs) {
    static const std::set<std::string_view, std::less<>> kOwn = {
        request::Allocate,     request::Deallocate,   request::Pause,
        request::PauseAll,     request::UnpauseAll,   request::LogOff,
        request::Disconnect,   request::Reset,        request::AllowPrint,
        request::PreventPrint, request::UpdateClient, request::ClientInformation,
        request::Kestova,      request::Broadcast,    request::DisLog,
        request::AllowPause,   request::AllowTime,    request::DisMess};
    const std::string& keyword = request.keyword;
    if (!kOwn.contains(keyword))
        return false;
    if (!MayCommand(session)) {
        log(keyword + " refused: no operator with command rights is logged in on that console");
        return true;
    }

    for (const Toggle& toggle : kToggles) {
        if (keyword == toggle.request) {
            switches.toggle(toggle.keyword);
            log(std::string(toggle.keyword) + " switched " +
                TruthText(switches.get(toggle.keyword).value_or(false)) + " by " +
                session.operatorName);
            pushSwitchToAll(toggle.keyword);
            return true;
        }
    }
    if (keyword == request::PauseAll || keyword == request::UnpauseAll) {
        for (int slot = 1; slot <= cafe.slots(); ++slot)
            cafe.setPaused(slot, keyword == request::PauseAll);
        return true;
    }
    if (keyword == request::Reset) {
        if (session.rights != "ADMINISTRATOR") {
            log("F-RESET refused: needs an administrator");
            return true;
        }
        for (int slot = 1; slot <= cafe.slots(); ++slot) {
            cafe.takeAway(slot, kReconnectSeconds, false, "Reconnecting");
        }
        return true;
    }
    if (keyword == request::Broadcast) {
        int connected = 0;
        for (int slot = 1; slot <= cafe.slots(); ++slot) {
            connected += cafe.client(slot).present && cafe.client(slot).awaySeconds <= 0;
        }
        sendAll(wire::MessageText(
            reply::CMessage,
            "Client search completed: " + std::to_string(connected) + " client(s) connected."));
        sendAll(wire::MessageText(reply::UpdateX));
        return true;
    }

    // The rest address one client: by row for F-DISCONNECT and F-UPDATE, by port (row - 1)
    // for everything else. F-ALLOCATE and F-DEALLOCATE carry the seconds first.
    const bool byRow = keyword == request::Disconnect || keyword == request::UpdateClient;
    const std::size_t portIndex = keyword == request::Allocate     ? 2
                                  : keyword == request::Deallocate ? 1
                                                                   : 0;
    const auto number = ParseCount(request.value(portIndex), 1'000'000);
    const int slot = number ? static_cast<int>(*number) + (byRow ? 0 : 1) : 0;
    if (!cafe.validSlot(slot) || !cafe.client(slot).present) {
        log(keyword + " ignored: no client at " + (byRow ? "row " : "port ") +
            request.value(portIndex));
        return true;
    }
    const std::string name = cafe.client(slot).name;

    if (keyword == request::Allocate) {
        const auto seconds = ParseCount(request.value(0), kMaxSeconds);
        const auto add = ParseTruth(request.value(1));
        if (!seconds || *seconds == 0 || !add) {
            log("F-ALLOCATE ignored: malformed");
        } else if (!cafe.allocate(slot, *seconds, *add, nowMs)) {
            log("F-ALLOCATE refused: " + name + " is " + ModeText(cafe.client(slot).mode));
        } else {
            log(std::to_string(*seconds / 60) + " min(s) " +
                (*add ? "added to " : "allocated to ") + name);
        }
    } else if (keyword == request::Deallocate) {
        const auto seconds = ParseCount(request.value(0), kMaxSeconds);
        if (!seconds || *seconds == 0) {
            log("F-DEALLOCATE ignored: malformed");
        } else {
            giveBack(cafe.deallocate(slot, *seconds));
        }
    } else if (keyword == request::Pause) {
        cafe.togglePause(slot);
    } else if (keyword == request::LogOff) {
        giveBack(cafe.logOff(slot));
    } else if (keyword == request::Disconnect) {
        cafe.takeAway(slot, kReconnectSeconds, false, "Reconnecting");
    } else if (keyword == request::AllowPrint || keyword == request::PreventPrint) {
        cafe.edit(slot).printingAllowed = keyword == request::AllowPrint;
    } else if (keyword == request::UpdateClient) {
        cafe.edit(slot);  // the client takes the café's settings again; its record is re-sent
        log("settings sent to " + name);
    } else if (keyword == request::ClientInformation) {
        // Only the console that asked opens its message window on it.
        send(console,
             wire::MessageText(reply::CMessage, ClientInformation(cafe.client(slot), slot)));
        return true;
    } else {
        // KESTOVA: the client's own keyword, with an argument after one bar for some.
        const std::string command = request.value(1);
        const std::size_t bar = command.find('|');
        const std::string sub = wire::UpperAscii(Trim(command.substr(0, bar)));
        const std::string argument = bar == std::string::npos ? "" : command.substr(bar + 1);
        if (sub == word::EndTimer) {
            giveBack(cafe.logOff(slot));
        } else if (sub == word::Reload) {
            cafe.takeAway(slot, kReconnectSeconds, false, "Restarting Client");
        } else if (sub == word::Restart || sub == word::Shutdown) {
            if (session.operatorName != "ADMINISTRATOR" &&
                !switches.get(reply::ShutRest).value_or(false)) {
                log(sub + " refused: shut-down permission is off for " + session.operatorName);
                return true;
            }
            const bool restart = sub == word::Restart;
            giveBack(cafe.takeAway(slot, restart ? kRestartSeconds : kShutdownSeconds, true,
                                   restart ? "Restarting" : "Shut down"));
        } else if (sub == word::Enable || sub == word::Disable) {
            std::optional<SessionEnd> ended;
            cafe.setDisabled(slot, sub == word::Disable, ended);
            giveBack(ended);
        } else if (sub == word::Relocate || sub == word::ClearDesktop) {
            if (sub == word::ClearDesktop)
                cafe.edit(slot).message.clear();
            cafe.edit(slot);
        } else if (sub == word::ChangeName) {
            const std::string newName = CleanClientName(argument);
            if (newName.empty() || wire::CharacterCount(newName) > kMaxClientName) {
                log("CHANGENAME refused for " + name + ": the name must have 1 to 20 characters");
                return true;
            }
            cafe.edit(slot).name = newName;
        } else if (sub == word::Message) {
            cafe.edit(slot).message = argument;
        } else {
            log("KESTOVA " + sub + " ignored: unknown client command");
            return true;
        }
    }
    log(keyword + " done on " + name + " by " + session.operatorName);
    return true;
}

}  // namespace zarnevo
