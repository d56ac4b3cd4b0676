#include "server/engine/switches.h"

#include "core/wire/framing.h"
#include "core/wire/replies.h"
#include "server/engine/texts.h"

namespace zarnevo {

const std::vector<SwitchInfo>& Switches() {
    // DOWNBILL on offers the point of sale; DISLOG on refuses ticket log-ins; CMESS on silences
    // client messages; SHUTREST on lets every operator restart and shut down clients.
    using namespace wire::reply;
    static const std::vector<SwitchInfo> kSwitches = {
        {DownBill, true}, {AddPause, true}, {AddTime, true},   {CMess, false},
        {PosType, true},  {DisLog, false},  {ShutRest, false}, {Prints, true}};
    return kSwitches;
}

namespace {

const SwitchInfo* FindSwitch(std::string_view keyword) {
    // Compared in place: every console that connects or greets has every switch looked up.
    for (const SwitchInfo& info : Switches()) {
        if (wire::IsUpperAsciiOf(info.keyword, keyword))
            return &info;
    }
    return nullptr;
}

}  // namespace

std::optional<bool> CafeSwitches::get(std::string_view keyword) const {
    const SwitchInfo* info = FindSwitch(keyword);
    if (!info)
        return std::nullopt;
    return valueOf(*info);
}

bool CafeSwitches::set(std::string_view keyword, bool value) {
    const SwitchInfo* info = FindSwitch(keyword);
    if (!info || valueOf(*info) == value)
        return false;
    store_.putSetting(info->keyword, TruthText(value));
    return true;
}

bool CafeSwitches::toggle(std::string_view keyword) {
    const auto current = get(keyword);
    return current && set(keyword, !*current);
}

std::string CafeSwitches::switchMessage(std::string_view keyword) const {
    const SwitchInfo* info = FindSwitch(keyword);
    return info ? messageOf(*info) : std::string();
}

std::string CafeSwitches::quickTypeMessage() const {
    const std::string money = currency();
    std::string types;
    for (const QuickTicketType& type : store_.quickTicketTypes()) {
        types += QuickTypeName(type, money) + "|";
    }
    return wire::MessageText(wire::reply::QuickType, types);
}

std::vector<std::string> CafeSwitches::pushMessages() const {
    std::vector<std::string> messages;
    messages.reserve(Switches().size() + 1);
    for (const SwitchInfo& info : Switches())
        messages.push_back(messageOf(info));
    messages.push_back(quickTypeMessage());
    return messages;
}

bool CafeSwitches::valueOf(const SwitchInfo& info) const {
    const auto stored = store_.setting(info.keyword);
    if (!stored)
        return info.initial;
    return ParseTruth(*stored).value_or(info.initial);
}

std::string CafeSwitches::messageOf(const SwitchInfo& info) const {
    const bool on = valueOf(info);
    // The console tests DOWNBILL against "TRUE" exactly; the others read any truth text.
    const std::string value =
        info.keyword == wire::reply::DownBill ? (on ? "TRUE" : "FALSE") : TruthText(on);
    return wire::MessageText(info.keyword, value);
}

std::vector<std::string> CafeSwitches::posSettings() const {
    return {settingOr("Stitle", "1"),   settingOr("Type", "1"),       settingOr("SGroup", "1"),
            settingOr("SUserL", "0"),   settingOr("SAddr", "1"),      settingOr("SPassL", "0"),
            settingOr("POSspeed", "1"), settingOr("QuickTicket", "0")};
}

std::string CafeSwitches::currency() const {
    return settingOr("Currency", "N");
}

int CafeSwitches::ticketValidDays() const {
    const auto days = ParseCount(settingOr("TicketValidDays", "5"), 3650);
    return days ? static_cast<int>(*days) : 5;
}

std::string CafeSwitches::settingOr(std::string_view key, std::string_view fallback) const {
    return store_.setting(key).value_or(std::string(fallback));
}

std::string QuickTypeName(const QuickTicketType& type, std::string_view currency) {
    // The console reads a VIP entry as neither time ticket nor once, so VIP entries say so.
    std::string kind = "Normal Ticket";
    if (!type.vip && type.timeTicket)
        kind = type.once ? "Time Once" : "Time Ticket";
    std::string name = std::to_string(type.minutes) + "min(s) - " + std::string(currency) +
                       MoneyText(type.cost) + " [" + kind + "]";
    if (type.vip)
        name += " - VIP";
    return name;
}

}  // namespace zarnevo
