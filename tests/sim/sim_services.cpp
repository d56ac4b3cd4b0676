#include "tests/sim/sim_services.h"

namespace sim {

SimServices::SimServices() = default;

std::unique_ptr<platform::SerialPort> SimServices::createSerialPort() {
    return std::make_unique<SimSerialPort>(serialLines_);
}

std::unique_ptr<platform::Printer> SimServices::createPrinter() {
    return std::make_unique<SimPrinter>(printSpool_);
}

std::unique_ptr<platform::Printer> SimServices::createPdfPrinter(const std::string& pdfPath) {
    return std::make_unique<SimPrinter>(printSpool_, pdfPath);
}

InstalledServices::InstalledServices(platform::Services& services)
    : previous_(platform::hasServices() ? &platform::services() : nullptr) {
    platform::installServices(&services);
}

InstalledServices::~InstalledServices() {
    platform::installServices(previous_);
}

}  // namespace sim
