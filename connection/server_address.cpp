#include "connection/server_address.h"

#include <array>
#include <optional>
#include <string>

#include "core/version.h"
#include "platform/services.h"
#include "platform/socket.h"

namespace kestova {
namespace {

constexpr int kAddressParts = 4;
constexpr int kLargestServerPart = 254;
constexpr int kLargestByte = 255;
constexpr std::size_t kMaxPartDigits = 3;

using AddressParts = std::array<int, kAddressParts>;

std::optional<int> AddressPart(std::string_view part, int largestPart) {
    if (part.empty() || part.size() > kMaxPartDigits) {
        return std::nullopt;
    }
    int value = 0;
    for (const char c : part) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value <= largestPart ? std::optional(value) : std::nullopt;
}

std::optional<AddressParts> DottedParts(std::string_view address, int largestPart) {
    AddressParts parts{};
    for (int i = 0; i < kAddressParts; ++i) {
        const std::size_t dot = address.find('.');
        const bool last = i == kAddressParts - 1;
        if ((dot == std::string_view::npos) != last) {
            return std::nullopt;
        }
        const std::optional<int> part = AddressPart(address.substr(0, dot), largestPart);
        if (!part.has_value()) {
            return std::nullopt;
        }
        parts[i] = *part;
        if (!last) {
            address.remove_prefix(dot + 1);
        }
    }
    return parts;
}

}  // namespace

bool IsDottedQuad(std::string_view address, int largestPart) {
    return DottedParts(address, largestPart).has_value();
}

bool IsWellFormedServerAddress(std::string_view address) {
    return IsDottedQuad(address, kLargestServerPart);
}

void TellInvalidServerAddress() {
    platform::services().dialogs().MsgBox(std::string(kInvalidAddressMessage),
                                          platform::msgbox::Critical, VersionTitle());
}

bool IsValidServerAddress(std::string_view address) {
    if (IsWellFormedServerAddress(address)) {
        return true;
    }
    TellInvalidServerAddress();
    return false;
}

bool ConnectToAddress(platform::Socket& socket, std::string_view address, int port) {
    const std::optional<AddressParts> parts = DottedParts(address, kLargestByte);
    if (!parts.has_value()) {
        return false;
    }
    // Written out without leading zeros: a socket reads "010" as the octal 8.
    std::string plain;
    for (const int part : *parts) {
        plain += (plain.empty() ? "" : ".") + std::to_string(part);
    }
    socket.RemoteHost = plain;
    socket.RemotePort = port;
    socket.Connect();
    return true;
}

}  // namespace kestova
