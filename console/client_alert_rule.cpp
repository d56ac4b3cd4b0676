#include "console/client_alert_rule.h"

#include "console/client_state.h"

namespace kestova {

std::optional<ClientAlert> ClientAlertRule::observe(int slot, const ClientSighting& seen) {
    Watch& watch = slots_[slot];
    if (!seen.connected) {
        const bool droppedInUse = watch.connected && watch.inUse;
        watch.connected = false;
        watch.inUse = false;
        if (droppedInUse) {
            return ClientAlert{AlertKind::DroppedOff, watch.client, watch.user};
        }
        return std::nullopt;
    }
    std::optional<ClientAlert> alert = timeAlert(watch, seen);
    watch.connected = true;
    watch.inUse = TimeRunsDown(seen.information);
    watch.client = seen.client;
    watch.user = seen.user;
    return alert;
}

std::optional<ClientAlert> ClientAlertRule::timeAlert(Watch& watch,
                                                      const ClientSighting& seen) const {
    const ClientState state =
        ClassifyClient({seen.user, seen.time, seen.information}, alertMinutes_);
    const bool sessionGoesOn = state == ClientState::InUse || state == ClientState::EndingSoon ||
                               state == ClientState::Paused;
    if (!sessionGoesOn || seen.user != watch.user) {
        // A session ended, or another user's began. The server ends a session whose time runs
        // out: one that ends in its last minute ran out, as far as the operator can tell.
        const bool ranOut = !sessionGoesOn && watch.connected && watch.inUse && watch.minutesLeft &&
                            *watch.minutesLeft <= 1 && !watch.toldTimeUp;
        watch.toldEndingSoon = false;
        watch.toldTimeUp = false;
        watch.minutesLeft.reset();
        if (!sessionGoesOn) {
            return ranOut && alertMinutes_ > 0
                       ? std::optional(ClientAlert{AlertKind::TimeUp, watch.client, watch.user})
                       : std::nullopt;
        }
    }
    const std::optional<int> left =
        TimeRunsDown(seen.information) ? MinutesLeft(seen.time) : std::nullopt;
    if (!left) {
        return std::nullopt;  // paused or timing itself, or a change of time on its way
    }
    watch.minutesLeft = left;
    if (*left >= alertMinutes_) {
        watch.toldEndingSoon = false;
    }
    if (*left > 0) {
        watch.toldTimeUp = false;
    }
    if (alertMinutes_ == 0) {
        return std::nullopt;
    }
    if (*left == 0 && !watch.toldTimeUp) {
        watch.toldTimeUp = true;
        watch.toldEndingSoon = true;
        return ClientAlert{AlertKind::TimeUp, std::string(seen.client), std::string(seen.user)};
    }
    if (*left < alertMinutes_ && !watch.toldEndingSoon) {
        watch.toldEndingSoon = true;
        return ClientAlert{AlertKind::EndingSoon, std::string(seen.client), std::string(seen.user),
                           *left};
    }
    return std::nullopt;
}

}  // namespace kestova
