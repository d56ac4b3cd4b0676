#pragma once

#include <optional>
#include <string>
#include <string_view>

// Password hashes through libsodium: Argon2id for every new hash, and the salted, stretched
// SHA-256 of older databases still verified until it is replaced. The clear password is never
// stored or logged.
namespace zarnevo {

// How much work a new hash costs. Interactive is libsodium's level for log-ins (about 64 MiB and
// a few tens of milliseconds); Minimal is the least Argon2id allows, for tests and benchmarks
// that make many accounts, never for a café's own.
enum class PasswordCost { Interactive, Minimal };

// A stored password. An Argon2id hash is the string libsodium writes ("$argon2id$v=19$m=..."),
// which carries its own salt and limits; salt stays empty. A hash of an older version is 64 hex
// digits of stretched SHA-256 with its own 32-hex-digit salt.
struct PasswordHash {
    std::string salt;
    std::string hash;
    bool operator==(const PasswordHash&) const = default;
};

// Makes libsodium ready; the program calls it once at start, and every entry point here calls it
// again (that costs nothing). Throws std::runtime_error when the library cannot start.
void InitCrypto();

PasswordHash HashPassword(std::string_view password, PasswordCost cost = PasswordCost::Interactive);

// Whether the password is the stored one, in constant time with respect to the contents.
bool VerifyPassword(std::string_view password, const PasswordHash& stored);

struct PasswordVerdict {
    bool matches = false;
    // When the password matches a hash of an older kind or of other limits than cost: the same
    // password hashed anew, to be stored in its place.
    std::optional<PasswordHash> renewed;
};
PasswordVerdict CheckPassword(std::string_view password, const PasswordHash& stored,
                              PasswordCost cost);

// The hash older versions stored: SHA-256 over salt and password, stretched over 10,000 rounds.
// Only to verify what such a version left behind.
PasswordHash LegacyPasswordHash(std::string_view password, std::string_view salt);
// Lowercase hex SHA-256 of the bytes.
std::string Sha256Hex(std::string_view bytes);

}  // namespace zarnevo
