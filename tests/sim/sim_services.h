#pragma once

#include <memory>
#include <string>

#include "platform/services.h"
#include "tests/sim/sim_desktop.h"
#include "tests/sim/sim_devices.h"
#include "tests/sim/sim_dialogs.h"
#include "tests/sim/sim_files.h"
#include "tests/sim/sim_loop.h"
#include "tests/sim/sim_network.h"
#include "tests/sim/sim_notifier.h"

namespace sim {

// The whole simulated platform, one object per test. Each service is reachable with its concrete
// type so a test can script it and inspect what the program did with it.
class SimServices : public platform::Services {
public:
    SimServices();
    SimServices(const SimServices&) = delete;
    SimServices& operator=(const SimServices&) = delete;

    SimLoop& loop() override { return loop_; }
    SimClock& clock() override { return clock_; }
    SimDialogs& dialogs() override { return dialogs_; }
    MemoryFileStore& files() override { return files_; }
    SimShell& shell() override { return shell_; }
    SimInstanceGuard& instanceGuard() override { return instanceGuard_; }
    SimAutostart& autostart() override { return autostart_; }
    MemoryAppendLog& auditLog() override { return auditLog_; }
    SimExportFiles& exportFiles() override { return exportFiles_; }
    SimNotifier& notifier() override { return notifier_; }
    std::unique_ptr<platform::Socket> createSocket() override { return network_.createSocket(); }
    std::unique_ptr<platform::SerialPort> createSerialPort() override;
    std::unique_ptr<platform::Printer> createPrinter() override;
    std::unique_ptr<platform::Printer> createPdfPrinter(const std::string& pdfPath) override;
    std::string executablePath() const override { return executablePath_; }

    SimNetwork& network() { return network_; }
    SimSerialLines& serialLines() { return serialLines_; }
    SimPrintSpool& printers() { return printSpool_; }
    void setExecutablePath(std::string path) { executablePath_ = std::move(path); }

private:
    // The loop first: everything else schedules on it and must go before it.
    SimLoop loop_;
    SimClock clock_{loop_};
    SimDialogs dialogs_{loop_};
    MemoryFileStore files_;
    SimShell shell_;
    SimInstanceGuard instanceGuard_;
    SimAutostart autostart_;
    MemoryAppendLog auditLog_;
    SimExportFiles exportFiles_;
    SimNotifier notifier_{loop_};
    SimNetwork network_{loop_};
    SimSerialLines serialLines_{loop_};
    SimPrintSpool printSpool_;
    std::string executablePath_ = "/opt/kestova/bin/kestova";
};

// Installs services for its lifetime and puts the previous ones back afterwards.
class InstalledServices {
public:
    explicit InstalledServices(platform::Services& services);
    ~InstalledServices();
    InstalledServices(const InstalledServices&) = delete;
    InstalledServices& operator=(const InstalledServices&) = delete;

private:
    platform::Services* previous_;
};

}  // namespace sim
