#pragma once

#include <string>
#include <string_view>

namespace zarnevo {

class RandomSource;

// A salted password hash: SHA-256 over salt + password, both kept as lowercase hex. The clear
// password is never stored or logged.
struct PasswordHash {
    std::string salt;  // 32 hex digits (16 random bytes)
    std::string hash;  // 64 hex digits
    bool operator==(const PasswordHash&) const = default;
};

PasswordHash HashPassword(std::string_view password, RandomSource& random);
PasswordHash HashPasswordWithSalt(std::string_view password, std::string_view salt);
// Compares in constant time with respect to the contents.
bool VerifyPassword(std::string_view password, const PasswordHash& stored);

// Lowercase hex SHA-256 of the bytes.
std::string Sha256Hex(std::string_view bytes);

}  // namespace zarnevo
