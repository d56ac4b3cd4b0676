#include "server/engine/random_source.h"

#include <sys/random.h>

#include <cerrno>
#include <fstream>
#include <stdexcept>

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

void SystemRandom::fill(std::span<std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = getrandom(bytes.data() + done, bytes.size() - done, 0);
        if (got > 0) {
            done += static_cast<std::size_t>(got);
        } else if (got < 0 && errno == EINTR) {
            continue;
        } else {
            break;
        }
    }
    if (done == bytes.size())
        return;
    std::ifstream urandom("/dev/urandom", std::ios::binary);
    urandom.read(reinterpret_cast<char*>(bytes.data() + done),
                 static_cast<std::streamsize>(bytes.size() - done));
    if (!urandom)
        throw std::runtime_error("no cryptographic random source available");
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
