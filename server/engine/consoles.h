#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "server/engine/accounts.h"
#include "server/engine/outbox.h"

// The consoles connected to the server: who is logged in on each, which POS staff member signed
// in there, and when each was last heard from (the keep-alive probe drops silent ones).
namespace zarnevo {

// A console is probed this often and dropped when it has said nothing for the silence limit
// (three probes unanswered).
inline constexpr std::int64_t kProbeIntervalMs = 20'000;
inline constexpr std::int64_t kSilenceLimitMs = 3 * kProbeIntervalMs + 5'000;

struct ConsoleSession {
    std::int64_t lastHeardMs = 0;
    std::int64_t lastProbeMs = 0;
    bool greeted = false;      // the console has greeted; nothing is answered before
    std::string operatorName;  // empty until an operator logs in
    std::string rights;        // "ADMINISTRATOR", "USER", "VIEWER"; empty when not logged in
    std::string staff;         // POS staff signed in on this console, upper case
    std::int64_t staffSignInMs = 0;

    std::string address;  // where the connection comes from

    // Log-in and sign-in refusals since the last success; past a few, refusals wait.
    int failedLogins = 0;
    // A log-in that waits for its turn (login_guard.h), tried again as time passes.
    std::optional<std::pair<LoginKind, std::string>> waitingLogin;
    std::uint64_t checking = 0;  // the password check under way; 0 when none
    std::string heldRefusal;     // a refusal answered only at refusalDueMs
    std::int64_t refusalDueMs = 0;
    // What the console sent while it waited for any of them, handled in order afterwards.
    std::deque<std::string> held;
    std::size_t droppedWhileWaiting = 0;

    bool waiting() const { return waitingLogin || checking != 0 || !heldRefusal.empty(); }
};

class Consoles {
public:
    void add(ConsoleId id, std::string_view address, std::int64_t nowMs);
    void remove(ConsoleId id);
    bool contains(ConsoleId id) const { return sessions_.contains(id); }
    ConsoleSession* find(ConsoleId id);
    void heard(ConsoleId id, std::int64_t nowMs);

    std::vector<ConsoleId> ids() const;
    // The consoles that have greeted: only they are told of changes.
    std::vector<ConsoleId> greetedIds() const;

    struct KeepAlive {
        std::vector<ConsoleId> probe;
        std::vector<ConsoleId> drop;
    };
    // Which consoles to probe now (only those that greeted) and which to drop; the dropped ones
    // are removed here.
    KeepAlive keepAlive(std::int64_t nowMs);

private:
    std::map<ConsoleId, ConsoleSession> sessions_;
};

}  // namespace zarnevo
