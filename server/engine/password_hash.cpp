#include "server/engine/password_hash.h"

#include <sodium.h>

#include <array>
#include <stdexcept>

namespace zarnevo {
namespace {

// Rounds of the older hash, so that it is verified exactly as it was made.
constexpr int kLegacyRounds = 10000;
constexpr std::string_view kArgon2idPrefix = "$argon2id$";

struct Limits {
    unsigned long long ops;
    std::size_t memory;
};

Limits LimitsOf(PasswordCost cost) {
    if (cost == PasswordCost::Minimal)
        return {crypto_pwhash_OPSLIMIT_MIN, crypto_pwhash_MEMLIMIT_MIN};
    return {crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE};
}

bool IsArgon2id(const PasswordHash& stored) {
    return stored.salt.empty() && stored.hash.starts_with(kArgon2idPrefix) &&
           stored.hash.size() < crypto_pwhash_STRBYTES;
}

bool IsLegacy(const PasswordHash& stored) {
    return stored.salt.size() == 32 && stored.hash.size() == 64;
}

}  // namespace

void InitCrypto() {
    static const bool ready = sodium_init() >= 0;
    if (!ready)
        throw std::runtime_error("the cryptography library libsodium could not start");
}

std::string Sha256Hex(std::string_view bytes) {
    InitCrypto();
    std::array<unsigned char, crypto_hash_sha256_BYTES> digest{};
    crypto_hash_sha256(digest.data(), reinterpret_cast<const unsigned char*>(bytes.data()),
                       bytes.size());
    std::array<char, crypto_hash_sha256_BYTES * 2 + 1> hex{};
    sodium_bin2hex(hex.data(), hex.size(), digest.data(), digest.size());
    return std::string(hex.data(), digest.size() * 2);
}

PasswordHash LegacyPasswordHash(std::string_view password, std::string_view salt) {
    const std::string saltAndPassword = std::string(salt) + std::string(password);
    std::string digest = Sha256Hex(saltAndPassword);
    for (int round = 1; round < kLegacyRounds; ++round)
        digest = Sha256Hex(digest + saltAndPassword);
    return PasswordHash{std::string(salt), digest};
}

PasswordHash HashPassword(std::string_view password, PasswordCost cost) {
    InitCrypto();
    const Limits limits = LimitsOf(cost);
    std::array<char, crypto_pwhash_STRBYTES> text{};
    if (crypto_pwhash_str(text.data(), password.data(), password.size(), limits.ops,
                          limits.memory) != 0) {
        throw std::runtime_error("not enough memory to hash a password");
    }
    return PasswordHash{{}, std::string(text.data())};
}

bool VerifyPassword(std::string_view password, const PasswordHash& stored) {
    InitCrypto();
    if (IsArgon2id(stored)) {
        return crypto_pwhash_str_verify(stored.hash.c_str(), password.data(), password.size()) == 0;
    }
    if (!IsLegacy(stored))
        return false;
    const std::string candidate = LegacyPasswordHash(password, stored.salt).hash;
    return sodium_memcmp(candidate.data(), stored.hash.data(), candidate.size()) == 0;
}

PasswordVerdict CheckPassword(std::string_view password, const PasswordHash& stored,
                              PasswordCost cost) {
    PasswordVerdict verdict;
    verdict.matches = VerifyPassword(password, stored);
    if (!verdict.matches)
        return verdict;
    const Limits limits = LimitsOf(cost);
    if (!IsArgon2id(stored) ||
        crypto_pwhash_str_needs_rehash(stored.hash.c_str(), limits.ops, limits.memory) != 0) {
        verdict.renewed = HashPassword(password, cost);
    }
    return verdict;
}

}  // namespace zarnevo
