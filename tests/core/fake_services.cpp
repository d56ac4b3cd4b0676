#include "fake_services.h"

#include <stdexcept>

namespace coretest {
namespace {

[[noreturn]] void Unexpected(const char* service) {
    throw std::logic_error(std::string("the stores' tests do not provide ") + service);
}

}  // namespace

std::optional<std::string> MemoryFileStore::read(const std::string& fileName) const {
    const auto it = files.find(fileName);
    if (it == files.end()) {
        return std::nullopt;
    }
    return it->second;
}

bool MemoryFileStore::writeAtomically(const std::string& fileName, const std::string& content) {
    if (failWrites) {
        return false;
    }
    ++writeCount;
    files[fileName] = content;
    return true;
}

bool RecordingAutostart::add(const std::string& entryName, const std::string& executablePath) {
    entries[entryName] = executablePath;
    return true;
}

bool RecordingAutostart::remove(const std::string& entryName) {
    entries.erase(entryName);
    return true;
}

bool RecordingAutostart::exists(const std::string& entryName) const {
    return entries.count(entryName) != 0;
}

FakeServices::FakeServices() {
    platform::installServices(this);
}
FakeServices::~FakeServices() {
    platform::installServices(nullptr);
}

platform::EventLoop& FakeServices::loop() {
    Unexpected("an event loop");
}
platform::Clock& FakeServices::clock() {
    Unexpected("a clock");
}
platform::Dialogs& FakeServices::dialogs() {
    Unexpected("dialogs");
}
platform::Shell& FakeServices::shell() {
    Unexpected("a shell");
}
platform::InstanceGuard& FakeServices::instanceGuard() {
    Unexpected("an instance guard");
}
std::unique_ptr<platform::Socket> FakeServices::createSocket() {
    Unexpected("sockets");
}
std::unique_ptr<platform::SerialPort> FakeServices::createSerialPort() {
    Unexpected("serial ports");
}
std::unique_ptr<platform::Printer> FakeServices::createPrinter() {
    Unexpected("printers");
}

}  // namespace coretest
