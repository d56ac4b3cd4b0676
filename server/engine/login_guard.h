#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

// Refused log-ins and sign-ins counted by where they come from and whom they name, so that a
// guesser gains nothing by spreading its tries over connections: the tries of an address are
// checked one at a time and, past a few refusals, each only after the delay its last refusal
// earned; every refusal naming a much-guessed account is answered late. A try from an address
// that has not been refused is checked at once, so guessing from elsewhere never locks the
// rightful operator out.
namespace zarnevo {

// Refusals beyond this many are answered after a delay: the first delay, doubled for each
// further refusal up to the longest.
inline constexpr int kFreeLoginFailures = 5;
inline constexpr std::int64_t kFirstRefusalDelayMs = 1'000;
inline constexpr std::int64_t kLongestRefusalDelayMs = 30'000;
// Nothing for the first few refusals, then the first delay, doubling up to the longest.
std::int64_t RefusalDelayMs(int refusals);

// A count is forgotten this long after its last refusal, and no more than this many of each kind
// are kept (the oldest give way), so that tries from ever new names cannot exhaust memory.
inline constexpr std::int64_t kRefusalMemoryMs = 15 * 60'000;
inline constexpr std::size_t kMaxRememberedCounts = 4'096;
// A longer account name counts as its first characters.
inline constexpr std::size_t kMaxCountedNameLength = 64;

// Who tries: the connection's source address and the account the log-in text names.
struct LoginSource {
    std::string address;
    std::string account;  // kind and name, e.g. "operator ADMINISTRATOR"; empty when none named
};

class LoginGuard {
public:
    // Whether a try may start now; a try that may not waits and asks again.
    bool mayStart(const LoginSource& source, std::int64_t nowMs) const;
    // Every try that starts ends in exactly one of refused() and accepted().
    void start(const LoginSource& source);
    // How long the answer to this refusal waits.
    std::int64_t refused(const LoginSource& source, std::int64_t nowMs);
    // A success starts the address's count again, and its count for this account; the
    // account's own count stays, since the guesser may be elsewhere.
    void accepted(const LoginSource& source);
    // Forgets the counts whose last refusal is older than the memory.
    void expire(std::int64_t nowMs);
    std::size_t remembered() const;

private:
    struct Count {
        int refusals = 0;
        int trying = 0;             // tries started and not yet ended
        std::int64_t openAtMs = 0;  // no try starts before
        std::int64_t lastMs = 0;
    };
    using Counts = std::map<std::string, Count, std::less<>>;

    static bool opens(const Counts& counts, std::string_view key, std::int64_t nowMs);
    static Count* counted(Counts& counts, const std::string& key);
    static std::int64_t refuse(Counts& counts, const std::string& key, std::int64_t nowMs);
    // A success: the count starts again (and goes once no try is under way).
    static void startAgain(Counts& counts, std::string_view key);

    Counts byAddress_;
    Counts byAddressAndAccount_;
    Counts byAccount_;
};

// The account key of a log-in text's name.
std::string AccountKey(bool staff, std::string_view name);

}  // namespace zarnevo
