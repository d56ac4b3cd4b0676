#include "core/settings_io.h"

#include <map>
#include <optional>
#include <string>
#include <utility>

#include "core/messages.h"
#include "platform/services.h"

namespace kestova {
namespace {

struct CachedFile {
    const platform::FileStore* store = nullptr;
    std::optional<platform::FileStamp> stamp;
    IniDocument document;
    std::string serialized;  // of the document, to tell a change that makes no difference
    bool failureTold = false;
};

std::map<std::string, CachedFile, std::less<>>& Cache() {
    static std::map<std::string, CachedFile, std::less<>> cache;
    return cache;
}

CachedFile& Current(std::string_view fileName) {
    platform::FileStore& store = platform::services().files();
    const std::string name(fileName);
    const std::optional<platform::FileStamp> stamp = store.stamp(name);
    auto found = Cache().find(fileName);
    if (found != Cache().end() && found->second.store == &store && found->second.stamp == stamp) {
        return found->second;
    }
    const auto text = store.read(name);
    CachedFile& cached = Cache()[name];
    cached.store = &store;
    cached.stamp = stamp;
    cached.document = text ? IniDocument::Parse(*text) : IniDocument{};
    cached.serialized = cached.document.Serialize();
    cached.failureTold = false;  // a file replaced (or another store) may take writes again
    return cached;
}

// The stores report nothing to their callers, so the operator hears of a file that cannot be
// written (a full or read-only disk) here: once, and again only after it could be written.
void TellFailureOnce(CachedFile& cached, const std::string& location) {
    if (std::exchange(cached.failureTold, true)) {
        return;
    }
    ShowNotice("The settings file " + location +
                   " cannot be written: changes to the settings are not kept until it can be.",
               kKestovaServerMessagesTitle);
}

}  // namespace

const IniDocument& SettingsDocument(std::string_view fileName) {
    return Current(fileName).document;
}

bool UpdateSettingsFile(std::string_view fileName,
                        const std::function<void(IniDocument& document)>& change) {
    CachedFile& cached = Current(fileName);
    IniDocument document = cached.document;
    change(document);
    std::string serialized = document.Serialize();
    if (serialized == cached.serialized) {
        return true;
    }
    platform::FileStore& store = platform::services().files();
    const std::string name(fileName);
    if (!store.writeAtomically(name, serialized)) {
        TellFailureOnce(cached, store.location(name));
        return false;
    }
    cached.failureTold = false;
    cached.stamp = store.stamp(name);
    cached.document = std::move(document);
    cached.serialized = std::move(serialized);
    return true;
}

}  // namespace kestova
