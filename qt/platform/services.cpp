#include "qt/platform/services.h"

#include <QCoreApplication>

#include "qt/platform/printer.h"
#include "qt/platform/serial_port.h"
#include "qt/platform/socket.h"
#include "qt/platform/text.h"

namespace qtplatform {

std::unique_ptr<platform::Socket> QtServices::createSocket() {
    return std::make_unique<QtSocket>();
}

std::unique_ptr<platform::SerialPort> QtServices::createSerialPort() {
    return std::make_unique<QtSerialPort>();
}

std::unique_ptr<platform::Printer> QtServices::createPrinter() {
    return std::make_unique<QtPrinter>();
}

std::unique_ptr<platform::Printer> QtServices::createPdfPrinter(const std::string& pdfPath) {
    return QtPrinter::toPdf(toQt(pdfPath));
}

std::string QtServices::executablePath() const {
    return fromQt(QCoreApplication::applicationFilePath());
}

}  // namespace qtplatform
