#include "platform/config_dir.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace platform {
namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

std::filesystem::path HomeDirectory() {
    std::string home = Environment("HOME");
    if (home.empty()) {
        // A session without $HOME (a service, a bare test runner) still has a password entry.
        if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir) {
            home = entry->pw_dir;
        }
    }
    return home.empty() ? std::filesystem::current_path() : std::filesystem::path(home);
}

// $XDG_CONFIG_HOME when set to an absolute path (the only kind the desktop standard allows),
// else ~/.config.
std::filesystem::path UserConfigHome() {
    const std::filesystem::path xdg = Environment("XDG_CONFIG_HOME");
    return xdg.is_absolute() ? xdg : HomeDirectory() / ".config";
}

// The same for $XDG_DATA_HOME, else ~/.local/share.
std::filesystem::path UserDataHome() {
    const std::filesystem::path xdg = Environment("XDG_DATA_HOME");
    return xdg.is_absolute() ? xdg : HomeDirectory() / ".local" / "share";
}

}  // namespace

std::filesystem::path ConfigDirectory() {
    const std::string own = Environment("KESTOVA_CONFIG_DIR");
    if (!own.empty()) {
        return own;
    }
    return UserConfigHome() / "kestova";
}

std::filesystem::path DataDirectory() {
    const std::string own = Environment("KESTOVA_CONFIG_DIR");
    if (!own.empty()) {
        return own;
    }
    return UserDataHome() / "kestova";
}

std::filesystem::path AutostartDirectory() {
    // A console run with its own settings folder (a test, the demo) keeps its autostart entry
    // there too, so it never changes what the real desktop session starts.
    const std::string own = Environment("KESTOVA_CONFIG_DIR");
    if (!own.empty()) {
        return std::filesystem::path(own) / "autostart";
    }
    return UserConfigHome() / "autostart";
}

}  // namespace platform
