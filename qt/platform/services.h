#pragma once

#include "platform/append_only_file.h"
#include "platform/config_dir.h"
#include "platform/directory_file_store.h"
#include "platform/services.h"
#include "platform/xdg_autostart.h"
#include "qt/platform/clock.h"
#include "qt/platform/dialogs.h"
#include "qt/platform/event_loop.h"
#include "qt/platform/export_files.h"
#include "qt/platform/instance_guard.h"
#include "qt/platform/notifier.h"
#include "qt/platform/shell.h"

namespace qtplatform {

// The real platform, for the console program. Needs a QApplication to exist first.
class QtServices : public platform::Services {
public:
    platform::EventLoop& loop() override { return loop_; }
    platform::Clock& clock() override { return clock_; }
    platform::Dialogs& dialogs() override { return dialogs_; }
    platform::FileStore& files() override { return files_; }
    platform::Shell& shell() override { return shell_; }
    platform::InstanceGuard& instanceGuard() override { return instanceGuard_; }
    platform::Autostart& autostart() override { return autostart_; }
    platform::AppendLog& auditLog() override { return auditLog_; }
    platform::ExportFiles& exportFiles() override { return exportFiles_; }
    platform::Notifier& notifier() override { return notifier_; }
    std::unique_ptr<platform::Socket> createSocket() override;
    std::unique_ptr<platform::SerialPort> createSerialPort() override;
    std::unique_ptr<platform::Printer> createPrinter() override;
    std::unique_ptr<platform::Printer> createPdfPrinter(const std::string& pdfPath) override;
    std::string executablePath() const override;

private:
    QtEventLoop loop_;
    QtClock clock_;
    QtDialogs dialogs_;
    // The settings folder is fixed when the services are made, as at the program's start.
    platform::DirectoryFileStore files_{platform::ConfigDirectory()};
    QtShell shell_;
    QtInstanceGuard instanceGuard_;
    platform::XdgAutostart autostart_{platform::AutostartDirectory()};
    platform::AppendOnlyFile auditLog_{platform::DataDirectory() / "audit.jsonl"};
    QtExportFiles exportFiles_;
    QtNotifier notifier_;
};

}  // namespace qtplatform
