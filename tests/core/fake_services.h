#pragma once

#include <map>
#include <string>

#include "platform/services.h"

// Just enough of the platform for the stores: an in-memory file store that can be told to fail
// its writes, and a recording autostart. Any other service fails the test that reaches it.
namespace coretest {

class MemoryFileStore : public platform::FileStore {
public:
    std::optional<std::string> read(const std::string& fileName) const override;
    bool writeAtomically(const std::string& fileName, const std::string& content) override;

    std::map<std::string, std::string> files;
    bool failWrites = false;
    int writeCount = 0;
};

class RecordingAutostart : public platform::Autostart {
public:
    bool add(const std::string& entryName, const std::string& executablePath) override;
    bool remove(const std::string& entryName) override;
    bool exists(const std::string& entryName) const override;

    std::map<std::string, std::string> entries;  // name -> executable path
};

// Installs itself for the lifetime of the object.
class FakeServices : public platform::Services {
public:
    FakeServices();
    ~FakeServices() override;

    platform::EventLoop& loop() override;
    platform::Clock& clock() override;
    platform::Dialogs& dialogs() override;
    platform::FileStore& files() override { return fileStore; }
    platform::Shell& shell() override;
    platform::InstanceGuard& instanceGuard() override;
    platform::Autostart& autostart() override { return autostartEntries; }
    std::unique_ptr<platform::Socket> createSocket() override;
    std::unique_ptr<platform::SerialPort> createSerialPort() override;
    std::unique_ptr<platform::Printer> createPrinter() override;
    std::string executablePath() const override { return "/opt/kestova/bin/kestova"; }

    MemoryFileStore fileStore;
    RecordingAutostart autostartEntries;
};

}  // namespace coretest
