#include "core/display_text.h"

namespace kestova {

std::string CutForDisplay(std::string_view utf8, std::size_t maxChars, std::string_view mark) {
    std::size_t chars = 0;
    for (std::size_t at = 0; at < utf8.size(); ++at) {
        // Every byte but a continuation byte starts a character.
        if ((static_cast<unsigned char>(utf8[at]) & 0xC0) != 0x80 && chars++ == maxChars) {
            return std::string(utf8.substr(0, at)) + std::string(mark);
        }
    }
    return std::string(utf8);
}

}  // namespace kestova
