#include "server/engine/login_guard.h"

#include <algorithm>

#include "core/wire/framing.h"

namespace zarnevo {
namespace {

std::string PairKey(const LoginSource& source) {
    return source.address + '\n' + source.account;
}

}  // namespace

std::int64_t RefusalDelayMs(int refusals) {
    const int beyond = refusals - kFreeLoginFailures;
    if (beyond <= 0)
        return 0;
    std::int64_t delay = kFirstRefusalDelayMs;
    for (int i = 1; i < beyond && delay < kLongestRefusalDelayMs; ++i)
        delay *= 2;
    return std::min(delay, kLongestRefusalDelayMs);
}

std::string AccountKey(bool staff, std::string_view name) {
    return (staff ? "staff " : "operator ") +
           wire::UpperAscii(name.substr(0, kMaxCountedNameLength));
}

bool LoginGuard::mayStart(const LoginSource& source, std::int64_t nowMs) const {
    return opens(byAddress_, source.address, nowMs) &&
           (source.account.empty() || opens(byAddressAndAccount_, PairKey(source), nowMs));
}

void LoginGuard::start(const LoginSource& source) {
    if (Count* count = counted(byAddress_, source.address))
        ++count->trying;
    if (source.account.empty())
        return;
    if (Count* count = counted(byAddressAndAccount_, PairKey(source)))
        ++count->trying;
}

std::int64_t LoginGuard::refused(const LoginSource& source, std::int64_t nowMs) {
    std::int64_t delay = refuse(byAddress_, source.address, nowMs);
    if (!source.account.empty()) {
        delay = std::max(delay, refuse(byAddressAndAccount_, PairKey(source), nowMs));
        delay = std::max(delay, refuse(byAccount_, source.account, nowMs));
    }
    return delay;
}

void LoginGuard::accepted(const LoginSource& source) {
    startAgain(byAddress_, source.address);
    if (!source.account.empty())
        startAgain(byAddressAndAccount_, PairKey(source));
}

void LoginGuard::expire(std::int64_t nowMs) {
    for (Counts* counts : {&byAddress_, &byAddressAndAccount_, &byAccount_}) {
        std::erase_if(*counts, [nowMs](const auto& entry) {
            return entry.second.trying == 0 && nowMs - entry.second.lastMs > kRefusalMemoryMs;
        });
    }
}

std::size_t LoginGuard::remembered() const {
    return byAddress_.size() + byAddressAndAccount_.size() + byAccount_.size();
}

bool LoginGuard::opens(const Counts& counts, std::string_view key, std::int64_t nowMs) {
    const auto it = counts.find(key);
    if (it == counts.end())
        return true;
    // One at a time, so that a guesser's checks never crowd out another address's.
    return nowMs >= it->second.openAtMs && it->second.trying == 0;
}

LoginGuard::Count* LoginGuard::counted(Counts& counts, const std::string& key) {
    if (const auto it = counts.find(key); it != counts.end())
        return &it->second;
    if (counts.size() >= kMaxRememberedCounts) {
        // The count refused longest ago gives way; one with a try under way never does.
        auto oldest = counts.end();
        for (auto it = counts.begin(); it != counts.end(); ++it) {
            if (it->second.trying == 0 &&
                (oldest == counts.end() || it->second.lastMs < oldest->second.lastMs)) {
                oldest = it;
            }
        }
        if (oldest == counts.end())
            return nullptr;
        counts.erase(oldest);
    }
    return &counts[key];
}

std::int64_t LoginGuard::refuse(Counts& counts, const std::string& key, std::int64_t nowMs) {
    Count* count = counted(counts, key);
    if (!count)
        return RefusalDelayMs(kFreeLoginFailures + 1);
    count->trying = std::max(0, count->trying - 1);
    count->lastMs = nowMs;
    const std::int64_t delay = RefusalDelayMs(++count->refusals);
    count->openAtMs = nowMs + delay;
    return delay;
}

void LoginGuard::startAgain(Counts& counts, std::string_view key) {
    const auto it = counts.find(key);
    if (it == counts.end())
        return;
    Count& count = it->second;
    count.trying = std::max(0, count.trying - 1);
    count.refusals = 0;
    count.openAtMs = 0;
    if (count.trying == 0)
        counts.erase(it);
}

}  // namespace zarnevo
