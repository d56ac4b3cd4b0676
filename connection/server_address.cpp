#include "connection/server_address.h"

#include "platform/services.h"
#include "program/kestova_code.h"

namespace kestova {
namespace {

constexpr int kAddressParts = 4;
constexpr int kLargestServerPart = 254;
constexpr std::size_t kMaxPartDigits = 3;

bool IsAddressPart(std::string_view part, int largestPart) {
    if (part.empty() || part.size() > kMaxPartDigits) {
        return false;
    }
    int value = 0;
    for (const char c : part) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    return value <= largestPart;
}

}  // namespace

bool IsDottedQuad(std::string_view address, int largestPart) {
    int parts = 0;
    while (true) {
        const std::size_t dot = address.find('.');
        if (!IsAddressPart(address.substr(0, dot), largestPart) || ++parts > kAddressParts) {
            return false;
        }
        if (dot == std::string_view::npos) {
            return parts == kAddressParts;
        }
        address.remove_prefix(dot + 1);
    }
}

bool IsWellFormedServerAddress(std::string_view address) {
    return IsDottedQuad(address, kLargestServerPart);
}

bool IsValidServerAddress(std::string_view address) {
    if (IsWellFormedServerAddress(address)) {
        return true;
    }
    platform::services().dialogs().MsgBox(std::string(kInvalidAddressMessage),
                                          platform::msgbox::Critical, VersionTitle());
    return false;
}

}  // namespace kestova
