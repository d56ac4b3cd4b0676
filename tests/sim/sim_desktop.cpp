#include "tests/sim/sim_desktop.h"

#include <algorithm>
#include <cctype>

namespace sim {
namespace {

std::uint64_t NextVersion() {
    static std::uint64_t version = 0;
    return ++version;
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

}  // namespace

std::optional<std::string> MemoryFileStore::read(const std::string& fileName) const {
    ++reads_;
    const auto it = files_.find(fileName);
    if (it == files_.end()) {
        return std::nullopt;
    }
    return it->second;
}

bool MemoryFileStore::writeAtomically(const std::string& fileName, const std::string& content) {
    if (failWrites_) {
        ++failedWrites_;
        return false;
    }
    ++writes_;
    files_[fileName] = content;
    versions_[fileName] = NextVersion();
    return true;
}

void MemoryFileStore::put(const std::string& fileName, std::string content) {
    files_[fileName] = std::move(content);
    versions_[fileName] = NextVersion();
}

void MemoryFileStore::remove(const std::string& fileName) {
    files_.erase(fileName);
    versions_.erase(fileName);
}

std::optional<platform::FileStamp> MemoryFileStore::stamp(const std::string& fileName) const {
    const auto it = versions_.find(fileName);
    if (it == versions_.end()) {
        return std::nullopt;
    }
    return platform::FileStamp{0, 0, it->second, files_.at(fileName).size()};
}

std::string MemoryFileStore::contents(const std::string& fileName) const {
    return read(fileName).value_or(std::string{});
}

bool SimShell::open(const std::string& fileOrUrl) {
    opened_.push_back(fileOrUrl);
    return !failOpens_;
}

int SimInstanceGuard::windowsTitled(const std::string& title) {
    const auto it = windows_.find(Upper(title));
    return it == windows_.end() ? 0 : it->second;
}

void SimInstanceGuard::setWindowsTitled(const std::string& title, int count) {
    windows_[Upper(title)] = count;
}

bool SimAutostart::add(const std::string& entryName, const std::string& executablePath) {
    if (failChanges_) {
        return false;
    }
    entries_[entryName] = executablePath;
    return true;
}

bool SimAutostart::remove(const std::string& entryName) {
    if (failChanges_) {
        return false;
    }
    entries_.erase(entryName);
    return true;
}

}  // namespace sim
