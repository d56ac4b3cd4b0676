#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace zarnevo {

// Where ticket credentials and password salts get their randomness from. The default reads the
// operating system's cryptographic source; tests install a seeded one to get repeatable output.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void fill(std::span<std::uint8_t> bytes) = 0;

    // A uniformly chosen character of the alphabet (no character is favoured).
    virtual char pick(std::string_view alphabet);
    std::string text(std::string_view alphabet, std::size_t length);
};

// libsodium's randombytes (the operating system's cryptographic source); the constructor throws
// std::runtime_error when the library cannot start.
class SystemRandom final : public RandomSource {
public:
    SystemRandom();
    void fill(std::span<std::uint8_t> bytes) override;
    char pick(std::string_view alphabet) override;
};

// A deterministic generator (splitmix64) for tests and the seeded demo. Not for production
// credentials.
class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(std::uint64_t seed) : state_(seed) {}
    void fill(std::span<std::uint8_t> bytes) override;
    std::uint64_t next();

private:
    std::uint64_t state_;
};

}  // namespace zarnevo
