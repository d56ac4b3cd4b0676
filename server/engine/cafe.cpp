#include "server/engine/cafe.h"

#include <cmath>
#include <cstdio>

#include "server/engine/texts.h"

namespace zarnevo {
namespace {

std::string RateText(double rate) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", rate);
    return buffer;
}

bool InSession(const Client& client) {
    return client.mode == ClientMode::LoggedIn || client.mode == ClientMode::Paused;
}

}  // namespace

const char* ModeText(ClientMode mode) {
    switch (mode) {
        case ClientMode::Ready:
            return "Ready";
        case ClientMode::LoggedIn:
            return "Logged in";
        case ClientMode::Paused:
            return "Paused";
        case ClientMode::Disabled:
            return "Disabled";
        case ClientMode::SelfTimer:
            return "Self Timer Mode";
        case ClientMode::Invisible:
            return "Invisible Mode";
        case ClientMode::Administrator:
            return "Administrator Mode";
    }
    return "";
}

Cafe::Cafe(int slots) : clients_(static_cast<std::size_t>(slots < 1 ? 1 : slots)) {}

Client& Cafe::edit(int slot) {
    changed_.insert(slot);
    return clients_.at(static_cast<std::size_t>(slot - 1));
}

std::string Cafe::record(int slot) const {
    const Client& c = client(slot);
    const bool shown = c.present && c.awaySeconds <= 0;
    // Written into one string: a change of most slots sends a record per slot to every console.
    std::string record = std::to_string(slots());
    record.reserve(160);
    const auto field = [&record](std::string_view text) {
        record += "==";
        record += text;
    };
    field(std::to_string(slot));
    field(std::to_string(slot) + ".");
    if (shown) {
        field(c.name);
        field(c.user);
        field(DurationText(std::llround(c.secondsLeft)));
        field(ModeText(c.mode));
        field("Connected.");
        field(c.ip);
        field(c.loginAtMs > 0 ? ClockText(c.loginAtMs) : "");
        field(std::to_string(1000 + slot));
        field(std::to_string(c.leftQuotaKb));
        field(std::to_string(c.quotaKb));
        field(RateText(c.downRate));
        field(RateText(c.upRate));
    } else {
        record += "========";  // name, user, time left and mode: none
        field(c.present ? c.awayState : "Disconnected");
        record += "====";  // address and log-in time: none
        field(std::to_string(1000 + slot));
        field("0==0==0==0");  // quota left, quota and rates
    }
    return record;
}

bool Cafe::allocate(int slot, std::int64_t seconds, bool addToCurrent, std::int64_t nowMs) {
    if (!validSlot(slot) || seconds <= 0)
        return false;
    const Client& current = client(slot);
    if (!current.present || current.awaySeconds > 0)
        return false;
    if (current.mode != ClientMode::Ready && !InSession(current))
        return false;
    Client& c = edit(slot);
    if (addToCurrent && InSession(c)) {
        c.secondsLeft += static_cast<double>(seconds);
        return true;
    }
    // A new allocation replaces what the client had; a ticket keeps what it had left.
    if (!InSession(c)) {
        c.user = kAllocatedUser;
        c.loginAtMs = nowMs;
    }
    c.secondsLeft = static_cast<double>(seconds);
    c.mode = ClientMode::LoggedIn;
    return true;
}

std::optional<SessionEnd> Cafe::deallocate(int slot, std::int64_t seconds) {
    if (!validSlot(slot) || seconds <= 0 || !InSession(client(slot)))
        return std::nullopt;
    Client& c = edit(slot);
    c.secondsLeft -= static_cast<double>(seconds);
    if (c.secondsLeft > 0)
        return std::nullopt;
    c.secondsLeft = 0;
    return endSession(c);
}

bool Cafe::togglePause(int slot) {
    if (!validSlot(slot) || !InSession(client(slot)))
        return false;
    return setPaused(slot, client(slot).mode != ClientMode::Paused);
}

bool Cafe::setPaused(int slot, bool paused) {
    if (!validSlot(slot) || !InSession(client(slot)))
        return false;
    const ClientMode wanted = paused ? ClientMode::Paused : ClientMode::LoggedIn;
    if (client(slot).mode == wanted)
        return false;
    edit(slot).mode = wanted;
    return true;
}

std::optional<SessionEnd> Cafe::logOff(int slot) {
    if (!validSlot(slot) || !InSession(client(slot)))
        return std::nullopt;
    return endSession(edit(slot));
}

bool Cafe::startTicketSession(int slot, const std::string& ticket, std::int64_t seconds,
                              std::int64_t nowMs) {
    if (!validSlot(slot) || seconds <= 0)
        return false;
    const Client& current = client(slot);
    if (!current.present || current.awaySeconds > 0 || current.mode != ClientMode::Ready) {
        return false;
    }
    Client& c = edit(slot);
    c.user = ticket;
    c.ticket = ticket;
    c.secondsLeft = static_cast<double>(seconds);
    c.loginAtMs = nowMs;
    c.mode = ClientMode::LoggedIn;
    return true;
}

std::optional<SessionEnd> Cafe::takeAway(int slot, double seconds, bool endSessionToo,
                                         std::string state) {
    if (!validSlot(slot) || !client(slot).present)
        return std::nullopt;
    Client& c = edit(slot);
    c.awaySeconds = seconds;
    c.awayState = std::move(state);
    if (!endSessionToo || !InSession(c))
        return std::nullopt;
    return endSession(c);
}

bool Cafe::setDisabled(int slot, bool disabled, std::optional<SessionEnd>& ended) {
    if (!validSlot(slot) || !client(slot).present)
        return false;
    const bool isDisabled = client(slot).mode == ClientMode::Disabled;
    if (isDisabled == disabled)
        return false;
    Client& c = edit(slot);
    if (disabled && InSession(c))
        ended = endSession(c);
    c.mode = disabled ? ClientMode::Disabled : ClientMode::Ready;
    return true;
}

std::vector<SessionEnd> Cafe::elapse(double seconds) {
    std::vector<SessionEnd> ended;
    for (int slot = 1; slot <= slots(); ++slot) {
        const Client& c = client(slot);
        if (c.present && c.awaySeconds > 0) {
            Client& away = edit(slot);
            away.awaySeconds -= seconds;
            if (away.awaySeconds <= 0) {
                away.awaySeconds = 0;
                away.awayState.clear();
            }
            continue;
        }
        if (c.mode != ClientMode::LoggedIn || !c.present)
            continue;
        // Only a change of the shown minute is worth a push.
        const std::string before = DurationText(std::llround(c.secondsLeft));
        const double left = c.secondsLeft - seconds;
        if (left <= 0) {
            Client& running = edit(slot);
            running.secondsLeft = 0;
            if (auto end = endSession(running))
                ended.push_back(*end);
            continue;
        }
        if (DurationText(std::llround(left)) != before) {
            edit(slot).secondsLeft = left;
        } else {
            clients_[static_cast<std::size_t>(slot - 1)].secondsLeft = left;
        }
    }
    return ended;
}

void Cafe::dateUndatedSessions(std::int64_t nowMs) {
    for (int slot = 1; slot <= slots(); ++slot) {
        if (InSession(client(slot)) && client(slot).loginAtMs == 0)
            edit(slot).loginAtMs = nowMs;
    }
}

std::vector<int> Cafe::takeChanged() {
    std::vector<int> out(changed_.begin(), changed_.end());
    changed_.clear();
    return out;
}

std::optional<SessionEnd> Cafe::endSession(Client& c) {
    std::optional<SessionEnd> ended;
    if (!c.ticket.empty())
        ended = SessionEnd{c.ticket, std::llround(c.secondsLeft)};
    c.user.clear();
    c.ticket.clear();
    c.secondsLeft = 0;
    c.loginAtMs = 0;
    c.mode = ClientMode::Ready;
    return ended;
}

}  // namespace zarnevo
