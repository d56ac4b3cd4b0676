#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "server/engine/cafe.h"
#include "server/engine/random_source.h"
#include "server/engine/store.h"

// The simulated client computers: a fixed café (every slot a ready computer) or a lively demo
// café whose computers come and go and whose users log in with tickets, pause and leave.
namespace zarnevo {

// Every slot holds a ready client computer "PC01", "PC02", ... on a loopback address.
void PopulateFixedCafe(Cafe& cafe);

class DemoCafe {
public:
    explicit DemoCafe(std::uint64_t seed) : random_(seed) {}

    // Named computers in most slots, some in use on allocated time (the first few of them with
    // only minutes left), one paused, one disabled, one in self-timer and one in administrator
    // mode (when there are slots enough).
    void populate(Cafe& cafe);

    // What the simulation needs from the server: log a user in with a ticket, give a session's
    // time back to its ticket, and the tickets users may hold (activated, time left).
    struct Hooks {
        std::function<bool(int slot, const std::string& user, const std::string& password)> login;
        std::function<void(const std::optional<SessionEnd>&)> giveBack;
        std::function<std::vector<Ticket>()> usableTickets;
    };
    // Lets the given simulated seconds pass: computers leave and arrive, users log in, pause,
    // resume and leave, computers in use drop off the network for a while, download rates and
    // quotas move.
    void step(Cafe& cafe, double seconds, const Hooks& hooks);

private:
    bool happens(double ratePerSecond, double seconds);
    double uniform();  // [0, 1)
    int below(int limit);
    void arrive(Cafe& cafe, int slot);
    void moveRates(Client& client, double seconds);

    SeededRandom random_;
};

}  // namespace zarnevo
