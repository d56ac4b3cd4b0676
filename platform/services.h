#pragma once

#include <memory>
#include <string>

#include "platform/append_log.h"
#include "platform/autostart.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/event_loop.h"
#include "platform/export_files.h"
#include "platform/file_store.h"
#include "platform/instance_guard.h"
#include "platform/notifier.h"
#include "platform/printer.h"
#include "platform/serial_port.h"
#include "platform/shell.h"
#include "platform/socket.h"

namespace platform {

// Everything the program reaches the world through. The Qt program installs real services at
// start; a test installs the simulated ones. Windows find them here rather than through their
// constructors because, like the original design, any window may need any service.
class Services {
public:
    virtual ~Services() = default;
    virtual EventLoop& loop() = 0;
    virtual Clock& clock() = 0;
    virtual Dialogs& dialogs() = 0;
    virtual FileStore& files() = 0;
    virtual Shell& shell() = 0;
    virtual InstanceGuard& instanceGuard() = 0;
    virtual Autostart& autostart() = 0;
    // The audit log of the commands sent to the server.
    virtual AppendLog& auditLog() = 0;
    virtual ExportFiles& exportFiles() = 0;
    // Desktop notifications and the alert sound.
    virtual Notifier& notifier() = 0;
    virtual std::unique_ptr<Socket> createSocket() = 0;
    virtual std::unique_ptr<SerialPort> createSerialPort() = 0;
    // The system's default printer.
    virtual std::unique_ptr<Printer> createPrinter() = 0;
    // A printer whose document becomes the PDF file at the path (replaced whole when the
    // document ends, never left half-written); its device name is the path.
    virtual std::unique_ptr<Printer> createPdfPrinter(const std::string& pdfPath) = 0;
    // Full path of the running program and the folder it lives in.
    virtual std::string executablePath() const = 0;
};

// The installed services; installing replaces the previous ones (nullptr uninstalls).
Services& services();
bool hasServices();
void installServices(Services* services);

}  // namespace platform
