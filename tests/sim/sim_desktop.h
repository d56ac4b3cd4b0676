#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/autostart.h"
#include "platform/file_store.h"
#include "platform/instance_guard.h"
#include "platform/shell.h"

namespace sim {

// The settings folder in memory. Writes can be made to fail, as on a full or read-only disk; a
// failed write leaves the previous content, like an atomic write does.
class MemoryFileStore : public platform::FileStore {
public:
    std::optional<std::string> read(const std::string& fileName) const override;
    bool writeAtomically(const std::string& fileName, const std::string& content) override;
    std::optional<platform::FileStamp> stamp(const std::string& fileName) const override;
    std::string location(const std::string& fileName) const override { return fileName; }

    void failWrites(bool fail = true) { failWrites_ = fail; }
    // Puts a file in place without counting it as the program's write (another program's).
    void put(const std::string& fileName, std::string content);
    void remove(const std::string& fileName);
    bool exists(const std::string& fileName) const { return files_.count(fileName) != 0; }
    // The file's content, empty when it does not exist.
    std::string contents(const std::string& fileName) const;
    int writeCount() const { return writes_; }
    int readCount() const { return reads_; }
    int failedWriteCount() const { return failedWrites_; }
    const std::map<std::string, std::string>& files() const { return files_; }

private:
    std::map<std::string, std::string> files_;
    // A new version number for every write, unique over all stores of the test program.
    std::map<std::string, std::uint64_t> versions_;
    bool failWrites_ = false;
    int writes_ = 0;
    mutable int reads_ = 0;
    int failedWrites_ = 0;
};

// The desktop's "open with the default program": records what was opened.
class SimShell : public platform::Shell {
public:
    bool open(const std::string& fileOrUrl) override;
    const std::vector<std::string>& opened() const { return opened_; }
    // Opening fails from now on (no program for the file, no browser).
    void failOpens(bool fail = true) { failOpens_ = fail; }

private:
    std::vector<std::string> opened_;
    bool failOpens_ = false;
};

// The single-instance checks, answered from the test's script.
class SimInstanceGuard : public platform::InstanceGuard {
public:
    bool previousInstanceRunning() override {
        ++previousInstanceChecks_;
        return previousInstance_;
    }
    int windowsTitled(const std::string& title) override;

    void setPreviousInstanceRunning(bool running) { previousInstance_ = running; }
    // The desktop shows this many top-level windows with this title (matched without case).
    void setWindowsTitled(const std::string& title, int count);
    int previousInstanceChecks() const { return previousInstanceChecks_; }

private:
    bool previousInstance_ = false;
    std::map<std::string, int> windows_;  // keyed by upper-case title
    int previousInstanceChecks_ = 0;
};

// The start-with-the-system entries.
class SimAutostart : public platform::Autostart {
public:
    bool add(const std::string& entryName, const std::string& executablePath) override;
    bool remove(const std::string& entryName) override;
    bool exists(const std::string& entryName) const override {
        return entries_.count(entryName) != 0;
    }

    // Changes fail from now on (no rights to the autostart folder).
    void failChanges(bool fail = true) { failChanges_ = fail; }
    const std::map<std::string, std::string>& entries() const { return entries_; }

private:
    std::map<std::string, std::string> entries_;
    bool failChanges_ = false;
};

}  // namespace sim
