#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "server/engine/store.h"

// The café-wide switches every console is told about, kept in the store under their keywords,
// and the point-of-sale settings that travel with the staff figures.
namespace zarnevo {

struct SwitchInfo {
    std::string_view keyword;  // the reply keyword the console reads it by, e.g. ADDPAUSE
    bool initial;
};

// DOWNBILL, ADDPAUSE, ADDTIME, CMESS, POSTYPE, DISLOG, SHUTREST, PRINTS, in the order they are
// pushed.
const std::vector<SwitchInfo>& Switches();

class CafeSwitches {
public:
    explicit CafeSwitches(Store& store) : store_(store) {}

    // Nothing for a keyword that is not a switch.
    std::optional<bool> get(std::string_view keyword) const;
    // True when the value changed (and was stored).
    bool set(std::string_view keyword, bool value);
    bool toggle(std::string_view keyword);

    // One message per switch, then the quick-ticket list, each to be sent on its own.
    std::vector<std::string> pushMessages() const;
    std::string switchMessage(std::string_view keyword) const;
    std::string quickTypeMessage() const;

    // The point-of-sale print settings "Stitle", "Type", "SGroup", "SUserL", "SAddr", "SPassL",
    // "POSspeed" and the quick-ticket option, in the order the staff-figures reply carries them.
    std::vector<std::string> posSettings() const;
    std::string currency() const;  // shown before a quick-ticket cost
    int ticketValidDays() const;   // validity of a new ticket from its sale

private:
    bool valueOf(const SwitchInfo& info) const;
    std::string messageOf(const SwitchInfo& info) const;
    std::string settingOr(std::string_view key, std::string_view fallback) const;
    Store& store_;
};

// The quick-ticket entry text the console splits up: "30min(s) - N50.00 [Time Once]".
std::string QuickTypeName(const QuickTicketType& type, std::string_view currency);

}  // namespace zarnevo
