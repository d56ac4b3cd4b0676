#include "core/machine_store.h"

#include <algorithm>
#include <array>

#include "core/settings_io.h"
#include "core/wire/codepage.h"

namespace kestova {
namespace {

struct RootName {
    std::string_view name;
    RootKey handle;
};

constexpr std::array<RootName, 7> kRoots = {{{"HKEY_CLASSES_ROOT", kClassesRoot},
                                             {"HKEY_CURRENT_USER", kCurrentUser},
                                             {"HKEY_LOCAL_MACHINE", kLocalMachine},
                                             {"HKEY_USERS", kUsers},
                                             {"HKEY_PERFORMANCE_DATA", kPerformanceData},
                                             {"HKEY_CURRENT_CONFIG", kCurrentConfig},
                                             {"HKEY_DYN_DATA", kDynData}}};

// The section name of a key: the root's name and the sub-key's parts joined by backslashes
// (empty parts, as in a doubled backslash, are left out). Empty for an unknown root.
std::string SectionOf(RootKey root, std::string_view subKey) {
    const std::string_view rootName = RootKeyName(root);
    if (rootName.empty()) {
        return {};
    }
    std::string section(rootName);
    std::size_t start = 0;
    while (start <= subKey.size()) {
        std::size_t end = subKey.find('\\', start);
        if (end == std::string_view::npos) {
            end = subKey.size();
        }
        if (end > start) {
            section += "\\";
            section.append(subKey.substr(start, end - start));
        }
        start = end + 1;
    }
    return section;
}

// A key exists when it is a root, when its section is there, or when a key below it is.
bool KeyExists(const IniDocument& document, std::string_view section) {
    if (section.find('\\') == std::string_view::npos) {
        return true;
    }
    for (const IniSection& existing : document.sections()) {
        const std::string_view name = existing.name;
        if (name.size() >= section.size() &&
            EqualsIgnoringCase(name.substr(0, section.size()), section) &&
            (name.size() == section.size() || name[section.size()] == '\\')) {
            return true;
        }
    }
    return false;
}

// Adds the sections of the key and of every key above it (below the root).
void CreateKey(IniDocument& document, std::string_view section) {
    std::size_t at = section.find('\\');
    while (at != std::string_view::npos) {
        const std::size_t next = section.find('\\', at + 1);
        document.ensureSection(section.substr(0, next));
        at = next;
    }
}

}  // namespace

RootKey RootKeyFromName(std::string_view name) {
    for (const RootName& root : kRoots) {
        if (root.name == name) {
            return root.handle;
        }
    }
    return 0;
}

std::string_view RootKeyName(RootKey root) {
    for (const RootName& known : kRoots) {
        if (known.handle == root) {
            return known.name;
        }
    }
    return {};
}

KeyPath SplitKeyPath(std::string_view path) {
    if (path.substr(0, 5) != "HKEY_" || path.back() == '\\') {
        return KeyPath{0, std::string(path)};
    }
    const std::size_t slash = path.find('\\');
    if (slash == std::string_view::npos) {
        return KeyPath{RootKeyFromName(path), {}};
    }
    return KeyPath{RootKeyFromName(path.substr(0, slash)), std::string(path.substr(slash + 1))};
}

std::string ReadRegistryString(std::string_view path, std::string_view valueName) {
    const KeyPath key = SplitKeyPath(path);
    if (key.root == 0) {
        return {};
    }
    const IniDocument& document = SettingsDocument(kMachineStoreFileName);
    const std::string section = SectionOf(key.root, key.subKey);
    const std::string* value =
        KeyExists(document, section) ? document.findValue(section, valueName) : nullptr;
    if (value == nullptr || wire::CharacterCount(*value) > kRegistryBufferSize) {
        return std::string(kRegistryError);
    }
    // The value comes back through a buffer padded with spaces that is then trimmed: leading
    // spaces are lost, and the text ends at its first zero character.
    std::string_view text = *value;
    text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    return std::string(text.substr(0, text.find('\0')));
}

void CreateRegistryKey(std::string_view path) {
    const KeyPath key = SplitKeyPath(path);
    if (key.root == 0) {
        return;
    }
    UpdateSettingsFile(kMachineStoreFileName, [&](IniDocument& document) {
        CreateKey(document, SectionOf(key.root, key.subKey));
    });
}

void WriteRegistryString(std::string_view path, std::string_view valueName, std::string_view text) {
    const KeyPath key = SplitKeyPath(path);
    if (key.root == 0) {
        return;
    }
    const std::string section = SectionOf(key.root, key.subKey);
    if (!KeyExists(SettingsDocument(kMachineStoreFileName), section)) {
        return;
    }
    UpdateSettingsFile(kMachineStoreFileName,
                       [&](IniDocument& document) { document.setValue(section, valueName, text); });
}

void SetRegistryValue(RootKey root, std::string_view subKey, std::string_view valueName,
                      std::string_view text) {
    const std::string section = SectionOf(root, subKey);
    if (section.empty()) {
        return;
    }
    UpdateSettingsFile(kMachineStoreFileName, [&](IniDocument& document) {
        CreateKey(document, section);
        document.setValue(section, valueName, text);
    });
}

void DeleteRegistryValue(RootKey root, std::string_view subKey, std::string_view valueName) {
    const std::string section = SectionOf(root, subKey);
    if (section.empty()) {
        return;
    }
    UpdateSettingsFile(kMachineStoreFileName,
                       [&](IniDocument& document) { document.eraseValue(section, valueName); });
}

std::string FileNameOfPath(std::string_view path) {
    const std::size_t separator = path.find_last_of("\\/");
    return std::string(separator == std::string_view::npos ? path : path.substr(separator + 1));
}

}  // namespace kestova
