#include "core/audit/chain.h"

#include <sodium.h>

#include <array>

namespace audit {

std::string Sha256Hex(std::string_view bytes) {
    std::array<unsigned char, crypto_hash_sha256_BYTES> digest{};
    crypto_hash_sha256(digest.data(), reinterpret_cast<const unsigned char*>(bytes.data()),
                       bytes.size());
    std::array<char, crypto_hash_sha256_BYTES * 2 + 1> hex{};
    sodium_bin2hex(hex.data(), hex.size(), digest.data(), digest.size());
    return std::string(hex.data(), crypto_hash_sha256_BYTES * 2);
}

namespace {

ChainHead HeadOf(std::string_view log) {
    // From the end backwards: a long log is read only as far as its last entry.
    std::string_view rest = log;
    while (!rest.empty()) {
        if (rest.back() == '\n') {
            rest.remove_suffix(1);
        }
        const std::size_t lineBreak = rest.rfind('\n');
        const std::size_t start = lineBreak == std::string_view::npos ? 0 : lineBreak + 1;
        const std::string_view line = rest.substr(start);
        if (const auto entry = ParseLine(line)) {
            return {entry->seq, Sha256Hex(line)};
        }
        rest = rest.substr(0, start);
    }
    return {};
}

}  // namespace

Tail TailOf(std::string_view log) {
    return {HeadOf(log), !log.empty() && log.back() != '\n'};
}

Appending Append(const Tail& tail, Entry entry) {
    entry.seq = tail.head.seq + 1;
    entry.prev = tail.head.hash;
    const std::string line = FormatLine(entry);
    Appending appending;
    appending.bytes = (tail.cutOff ? "\n" : "") + line + "\n";
    appending.tail = {{entry.seq, Sha256Hex(line)}, false};
    return appending;
}

}  // namespace audit
