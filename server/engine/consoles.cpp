#include "server/engine/consoles.h"

namespace zarnevo {

void Consoles::add(ConsoleId id, std::string_view address, std::int64_t nowMs) {
    ConsoleSession session;
    session.address = address;
    session.lastHeardMs = nowMs;
    session.lastProbeMs = nowMs;
    sessions_[id] = std::move(session);
}

void Consoles::remove(ConsoleId id) {
    sessions_.erase(id);
}

ConsoleSession* Consoles::find(ConsoleId id) {
    const auto it = sessions_.find(id);
    return it == sessions_.end() ? nullptr : &it->second;
}

void Consoles::heard(ConsoleId id, std::int64_t nowMs) {
    if (ConsoleSession* session = find(id))
        session->lastHeardMs = nowMs;
}

std::vector<ConsoleId> Consoles::ids() const {
    std::vector<ConsoleId> out;
    for (const auto& [id, session] : sessions_)
        out.push_back(id);
    return out;
}

std::vector<ConsoleId> Consoles::greetedIds() const {
    std::vector<ConsoleId> out;
    for (const auto& [id, session] : sessions_) {
        if (session.greeted)
            out.push_back(id);
    }
    return out;
}

Consoles::KeepAlive Consoles::keepAlive(std::int64_t nowMs) {
    KeepAlive result;
    for (auto it = sessions_.begin(); it != sessions_.end();) {
        ConsoleSession& session = it->second;
        if (nowMs - session.lastHeardMs > kSilenceLimitMs) {
            result.drop.push_back(it->first);
            it = sessions_.erase(it);
            continue;
        }
        if (session.greeted && nowMs - session.lastProbeMs >= kProbeIntervalMs) {
            session.lastProbeMs = nowMs;
            result.probe.push_back(it->first);
        }
        ++it;
    }
    return result;
}

}  // namespace zarnevo
