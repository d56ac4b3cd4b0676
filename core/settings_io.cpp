#include "core/settings_io.h"

#include <string>

#include "platform/services.h"

namespace kestova {

IniDocument LoadSettingsFile(std::string_view fileName) {
    const auto text = platform::services().files().read(std::string(fileName));
    return text ? IniDocument::Parse(*text) : IniDocument{};
}

bool SaveSettingsFile(std::string_view fileName, const IniDocument& document) {
    return platform::services().files().writeAtomically(std::string(fileName),
                                                        document.Serialize());
}

}  // namespace kestova
