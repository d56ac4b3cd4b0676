#include "qt/platform/serial_port.h"

#include <QFileInfo>

#include "qt/platform/text.h"

namespace qtplatform {

QtSerialPort::QtSerialPort() {
    QObject::connect(
        &port_, &QSerialPort::errorOccurred, &port_, [this](QSerialPort::SerialPortError error) {
            // A line that went away (unplugged adapter) or fails every write takes
            // nothing more: close it so the next open can retry, and say so.
            const bool lineFailed =
                error == QSerialPort::ResourceError || error == QSerialPort::WriteError;
            if (!lineFailed || !port_.isOpen()) {
                return;
            }
            const std::string description = fromQt(port_.errorString());
            qWarning("kestova: serial line %s lost: %s", device_.c_str(), description.c_str());
            port_.close();
            if (OnError) {
                OnError(description);
            }
        });
}

void QtSerialPort::setPortName(const std::string& device) {
    device_ = device;
}

platform::SerialPort::OpenResult QtSerialPort::open() {
    if (port_.isOpen()) {
        return OpenResult::Opened;
    }
    // A full path is opened as it is: a technician may name a pseudo-terminal or a symbolic link.
    port_.setPortName(toQt(device_));
    if (!port_.open(QIODevice::ReadWrite)) {
        return port_.error() == QSerialPort::DeviceNotFoundError ||
                       !QFileInfo::exists(toQt(device_))
                   ? OpenResult::NoSuchPort
                   : OpenResult::NotOpened;
    }
    const bool configured =
        port_.setBaudRate(QSerialPort::Baud9600) && port_.setParity(QSerialPort::NoParity) &&
        port_.setDataBits(QSerialPort::Data8) && port_.setStopBits(QSerialPort::OneStop) &&
        port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        port_.close();
        return OpenResult::NotOpened;
    }
    return OpenResult::Opened;
}

void QtSerialPort::close() {
    if (port_.isOpen()) {
        port_.flush();  // what the line takes at once still goes out
        port_.close();
    }
}

std::size_t QtSerialPort::outBufferCount() const {
    return port_.isOpen() ? static_cast<std::size_t>(port_.bytesToWrite()) : 0;
}

void QtSerialPort::output(const std::string& bytes) {
    if (port_.isOpen()) {
        port_.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
}

}  // namespace qtplatform
