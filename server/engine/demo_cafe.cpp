#include "server/engine/demo_cafe.h"

#include <algorithm>
#include <cmath>

namespace zarnevo {
namespace {

// Mean times between events, in simulated seconds.
constexpr double kComputerLeaves = 3600;    // per ready computer
constexpr double kComputerArrives = 600;    // per empty slot
constexpr double kUserArrives = 240;        // per ready computer
constexpr double kUserLeavesEarly = 1800;   // per session
constexpr double kUserTogglesPause = 1200;  // per session
constexpr double kRatesMove = 20;           // per session
constexpr double kDropsOff = 5400;          // per running session: the network fails it
// A running session's computer is off the network for this long, plus up to as much again.
constexpr int kAwaySeconds = 20;
// The first sessions of the café are about to end, so the operator soon meets the console's
// warnings; the others have from ten minutes to nearly two hours left.
constexpr double kEndingSessions[] = {210, 480};

std::string TwoDigits(int number) {
    return (number < 10 ? "0" : "") + std::to_string(number);
}

std::string LoopbackAddress(int slot) {
    return "127.0.1." + std::to_string(slot % 250 + 1);
}

}  // namespace

void PopulateFixedCafe(Cafe& cafe) {
    for (int slot = 1; slot <= cafe.slots(); ++slot) {
        Client& c = cafe.edit(slot);
        c.present = true;
        c.name = "PC" + TwoDigits(slot);
        c.ip = LoopbackAddress(slot);
        c.mode = ClientMode::Ready;
    }
}

double DemoCafe::uniform() {
    return static_cast<double>(random_.next() >> 11) / 9007199254740992.0;
}

int DemoCafe::below(int limit) {
    return limit <= 1 ? 0 : static_cast<int>(random_.next() % static_cast<std::uint64_t>(limit));
}

bool DemoCafe::happens(double meanSeconds, double seconds) {
    return uniform() < 1.0 - std::exp(-seconds / meanSeconds);
}

void DemoCafe::arrive(Cafe& cafe, int slot) {
    static constexpr const char* kNames[] = {"ORION", "VEGA",   "LYRA",  "ATLAS",  "NOVA",
                                             "RIGEL", "SIRIUS", "ELARA", "CASTOR", "POLLUX",
                                             "DENEB", "ALTAIR", "MIRA",  "IZAR",   "HADAR"};
    Client& c = cafe.edit(slot);
    c = Client{};
    c.present = true;
    c.name = std::string(kNames[(slot - 1) % std::size(kNames)]) + "-" + TwoDigits(slot);
    c.ip = LoopbackAddress(slot);
    c.mode = ClientMode::Ready;
    c.quotaKb = 50'000 + 10'000 * below(10);
    c.leftQuotaKb = c.quotaKb;
}

void DemoCafe::populate(Cafe& cafe) {
    for (int slot = 1; slot <= cafe.slots(); ++slot) {
        if (below(4) == 0)
            continue;  // about a quarter of the slots start empty
        arrive(cafe, slot);
    }
    // A few computers in each of the states an operator meets.
    const ClientMode special[] = {ClientMode::Paused, ClientMode::Disabled, ClientMode::SelfTimer,
                                  ClientMode::Administrator};
    int next = 0;
    std::size_t ending = 0;
    for (int slot = 1; slot <= cafe.slots(); ++slot) {
        if (!cafe.client(slot).present)
            continue;
        Client& c = cafe.edit(slot);
        if (next < static_cast<int>(std::size(special)) && slot % 3 == 0) {
            c.mode = special[next++];
            if (c.mode == ClientMode::Paused) {
                c.user = kAllocatedUser;
                c.secondsLeft = 1800;
            }
        } else if (below(3) == 0) {
            c.mode = ClientMode::LoggedIn;
            c.user = kAllocatedUser;
            c.secondsLeft = ending < std::size(kEndingSessions) ? kEndingSessions[ending++]
                                                                : 600 + 300 * below(20);
        }
        if (!c.user.empty())
            moveRates(c, 0);
    }
}

void DemoCafe::moveRates(Client& c, double seconds) {
    const double used = c.downRate * seconds;
    c.leftQuotaKb = std::max<std::int64_t>(0, c.leftQuotaKb - std::llround(used));
    c.downRate = c.leftQuotaKb > 0 ? 5.0 + uniform() * 120.0 : 0.0;
    c.upRate = 1.0 + uniform() * 30.0;
}

void DemoCafe::step(Cafe& cafe, double seconds, const Hooks& hooks) {
    std::optional<std::vector<Ticket>> tickets;  // fetched only when a user arrives
    for (int slot = 1; slot <= cafe.slots(); ++slot) {
        const Client& c = cafe.client(slot);
        if (!c.present) {
            if (happens(kComputerArrives, seconds))
                arrive(cafe, slot);
            continue;
        }
        if (c.awaySeconds > 0)
            continue;
        if (c.mode == ClientMode::Ready) {
            if (happens(kComputerLeaves, seconds)) {
                cafe.edit(slot).present = false;
            } else if (happens(kUserArrives, seconds)) {
                if (!tickets)
                    tickets = hooks.usableTickets();
                if (!tickets->empty()) {
                    const std::size_t pick =
                        static_cast<std::size_t>(below(static_cast<int>(tickets->size())));
                    const Ticket chosen = (*tickets)[pick];
                    if (hooks.login(slot, chosen.user, chosen.password)) {
                        tickets->erase(tickets->begin() + static_cast<std::ptrdiff_t>(pick));
                        moveRates(cafe.edit(slot), 0);
                    }
                }
            }
            continue;
        }
        if (c.mode != ClientMode::LoggedIn && c.mode != ClientMode::Paused)
            continue;
        if (happens(kUserLeavesEarly, seconds)) {
            hooks.giveBack(cafe.logOff(slot));
        } else if (c.mode == ClientMode::LoggedIn && happens(kDropsOff, seconds)) {
            cafe.takeAway(slot, kAwaySeconds + below(kAwaySeconds), false, "Disconnected");
        } else if (happens(kUserTogglesPause, seconds)) {
            cafe.togglePause(slot);
        } else if (c.mode == ClientMode::LoggedIn && happens(kRatesMove, seconds)) {
            moveRates(cafe.edit(slot), kRatesMove);
        }
    }
}

}  // namespace zarnevo
