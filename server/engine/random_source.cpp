#include "server/engine/random_source.h"

#include <sodium.h>

#include "server/engine/password_hash.h"

namespace zarnevo {

char RandomSource::pick(std::string_view alphabet) {
    // Reject bytes at or above the largest multiple of the alphabet's size, so every character
    // is equally likely.
    const unsigned limit = 256 - 256 % alphabet.size();
    for (;;) {
        std::uint8_t byte = 0;
        fill(std::span<std::uint8_t>(&byte, 1));
        if (byte < limit)
            return alphabet[byte % alphabet.size()];
    }
}

std::string RandomSource::text(std::string_view alphabet, std::size_t length) {
    std::string out;
    out.reserve(length);
    for (std::size_t i = 0; i < length; ++i)
        out.push_back(pick(alphabet));
    return out;
}

SystemRandom::SystemRandom() {
    InitCrypto();
}

void SystemRandom::fill(std::span<std::uint8_t> bytes) {
    randombytes_buf(bytes.data(), bytes.size());
}

char SystemRandom::pick(std::string_view alphabet) {
    return alphabet[randombytes_uniform(static_cast<std::uint32_t>(alphabet.size()))];
}

std::uint64_t SeededRandom::next() {
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

void SeededRandom::fill(std::span<std::uint8_t> bytes) {
    for (std::uint8_t& byte : bytes)
        byte = static_cast<std::uint8_t>(next() >> 56);
}

}  // namespace zarnevo
