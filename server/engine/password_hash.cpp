#include "server/engine/password_hash.h"

#include <array>

#include "server/engine/random_source.h"

namespace zarnevo {
namespace {

// Rounds of hashing, so that a stolen database costs an attacker more than one hash per guess.
constexpr int kStretchRounds = 10000;

}  // namespace

PasswordHash HashPasswordWithSalt(std::string_view password, std::string_view salt) {
    std::string digest = Sha256Hex(std::string(salt) + std::string(password));
    for (int round = 1; round < kStretchRounds; ++round) {
        digest = Sha256Hex(digest + std::string(salt) + std::string(password));
    }
    return PasswordHash{std::string(salt), digest};
}

PasswordHash HashPassword(std::string_view password, RandomSource& random) {
    return HashPasswordWithSalt(password, random.text("0123456789abcdef", 32));
}

bool VerifyPassword(std::string_view password, const PasswordHash& stored) {
    const std::string candidate = HashPasswordWithSalt(password, stored.salt).hash;
    if (candidate.size() != stored.hash.size())
        return false;
    unsigned char difference = 0;
    for (std::size_t i = 0; i < candidate.size(); ++i) {
        difference |= static_cast<unsigned char>(candidate[i] ^ stored.hash[i]);
    }
    return difference == 0;
}

}  // namespace zarnevo
