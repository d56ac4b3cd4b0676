#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

// The café's client computers as the server sees them: one slot per console grid row, each
// holding at most one client computer with its session. Slots are numbered 1..slots (the
// console's row); a console addresses most commands by port = slot - 1.
namespace zarnevo {

enum class ClientMode { Ready, LoggedIn, Paused, Disabled, SelfTimer, Invisible, Administrator };

// The "Information" text of a mode as the console compares it.
const char* ModeText(ClientMode mode);

struct Client {
    bool present = false;  // a client computer is connected in this slot
    std::string name;
    std::string ip;
    ClientMode mode = ClientMode::Ready;
    std::string user;    // who is logged in; empty when nobody
    std::string ticket;  // the ticket's user name when the session runs on a ticket
    double secondsLeft = 0;
    std::int64_t loginAtMs = 0;
    bool printingAllowed = true;
    std::string message;  // shown on the client's screen; empty when none
    std::int64_t quotaKb = 0;
    std::int64_t leftQuotaKb = 0;
    double downRate = 0;  // kB/s
    double upRate = 0;
    double awaySeconds = 0;  // > 0: restarting, reconnecting or off; back after this many seconds
    std::string awayState;   // the state shown meanwhile, e.g. "Restarting"
};

// The time a session had left when it ended, to be given back to its ticket.
struct SessionEnd {
    std::string ticket;
    std::int64_t secondsLeft = 0;
};

// The user name shown for time an operator allocated without a ticket.
inline constexpr const char* kAllocatedUser = "ALLOCATED";

class Cafe {
public:
    explicit Cafe(int slots);

    int slots() const { return static_cast<int>(clients_.size()); }
    bool validSlot(int slot) const { return slot >= 1 && slot <= slots(); }
    const Client& client(int slot) const { return clients_.at(static_cast<std::size_t>(slot - 1)); }
    // A changeable client; the slot is remembered as changed for the next push.
    Client& edit(int slot);

    // The UPDATE record of a slot: 15 fields joined by "==".
    std::string record(int slot) const;

    // Sessions. Each returns what it ended, if anything, and marks the slot changed.
    bool allocate(int slot, std::int64_t seconds, bool addToCurrent, std::int64_t nowMs);
    std::optional<SessionEnd> deallocate(int slot, std::int64_t seconds);
    bool togglePause(int slot);
    bool setPaused(int slot, bool paused);
    std::optional<SessionEnd> logOff(int slot);
    bool startTicketSession(int slot, const std::string& ticket, std::int64_t seconds,
                            std::int64_t nowMs);
    // The client drops its connection and is back after the given simulated seconds, shown
    // meanwhile with the state text; a restart or shut-down also ends the session.
    std::optional<SessionEnd> takeAway(int slot, double seconds, bool endSession,
                                       std::string state);
    bool setDisabled(int slot, bool disabled, std::optional<SessionEnd>& ended);

    // Counts running time down by the simulated seconds and brings back clients whose away
    // time is over. Sessions whose time runs out end.
    std::vector<SessionEnd> elapse(double seconds);

    // Sessions that were already running when the server started are dated from the first moment
    // the server knows the time.
    void dateUndatedSessions(std::int64_t nowMs);

    // Slots changed since the last call, in order.
    std::vector<int> takeChanged();

private:
    std::optional<SessionEnd> endSession(Client& client);

    std::vector<Client> clients_;
    std::set<int> changed_;
};

}  // namespace zarnevo
