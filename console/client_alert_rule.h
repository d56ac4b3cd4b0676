#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

// When a client needs the operator: its time is nearly out, its time is up, or it dropped off
// the network while in use. Each is told once, not at every record the server sends.
namespace kestova {

enum class AlertKind {
    EndingSoon,  // fewer minutes left than the threshold
    TimeUp,      // no time left: the time reads 00:00, or the session ended in its last minute
    DroppedOff,  // in use, and then no longer connected
};

struct ClientAlert {
    AlertKind kind;
    std::string client;
    std::string user;
    int minutesLeft = 0;  // when ending soon
};

// What one client record showed of the client in its slot.
struct ClientSighting {
    bool connected = false;  // shown in the grid ("Connected.")
    std::string_view client;
    std::string_view user;
    std::string_view time;
    std::string_view information;
};

class ClientAlertRule {
public:
    // Time alerts for fewer minutes left than this; 0 (or less) turns them off. Being dropped
    // off the network is told whatever the threshold.
    void setAlertMinutes(int minutes) { alertMinutes_ = minutes > 0 ? minutes : 0; }
    int alertMinutes() const { return alertMinutes_; }

    // Takes the newest record of a slot and says what, if anything, the operator is to be told.
    // A warning is given once: ending soon again only after the time was topped up to the
    // threshold, time up again only after more time was given; a new user starts afresh.
    std::optional<ClientAlert> observe(int slot, const ClientSighting& seen);

private:
    struct Watch {
        bool connected = false;
        bool inUse = false;
        std::string client;
        std::string user;
        std::optional<int> minutesLeft;
        bool toldEndingSoon = false;
        bool toldTimeUp = false;
    };

    std::optional<ClientAlert> timeAlert(Watch& watch, const ClientSighting& seen) const;

    int alertMinutes_ = 5;
    std::map<int, Watch> slots_;
};

}  // namespace kestova
