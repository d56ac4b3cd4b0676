#include "qt/platform/serial_port.h"

#include <QRegularExpression>

#include "qt/platform/text.h"

namespace qtplatform {

QtSerialPort::QtSerialPort() {
    QObject::connect(&port_, &QSerialPort::errorOccurred, &port_,
                     [this](QSerialPort::SerialPortError error) {
                         // A line that went away (unplugged adapter) would keep its queue
                         // forever: close it so the count drops and the next open can retry.
                         if (error == QSerialPort::ResourceError && port_.isOpen()) {
                             qWarning("kestova: serial line %s lost: %s", name_.c_str(),
                                      qPrintable(port_.errorString()));
                             port_.clear(QSerialPort::Output);
                             port_.close();
                         }
                     });
}

QString QtSerialPort::devicePath(const std::string& name) {
    const QString text = toQt(name).trimmed();
    if (text.contains('/')) {
        return text;
    }
    static const QRegularExpression comName("^COM([0-9]+)$",
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = comName.match(text);
    if (match.hasMatch() && match.captured(1).toInt() >= 1) {
        return QStringLiteral("/dev/ttyS%1").arg(match.captured(1).toInt() - 1);
    }
    return text;
}

void QtSerialPort::setPortName(const std::string& name) {
    name_ = name;
    if (!port_.isOpen()) {
        port_.setPortName(devicePath(name));
    }
}

bool QtSerialPort::setOpen(bool open) {
    if (!open) {
        if (port_.isOpen()) {
            port_.clear(QSerialPort::Output);
            port_.close();
        }
        return true;
    }
    if (port_.isOpen()) {
        return true;
    }
    port_.setPortName(devicePath(name_));
    if (!port_.open(QIODevice::ReadWrite)) {
        return false;
    }
    const bool configured =
        port_.setBaudRate(QSerialPort::Baud9600) && port_.setParity(QSerialPort::NoParity) &&
        port_.setDataBits(QSerialPort::Data8) && port_.setStopBits(QSerialPort::OneStop) &&
        port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        port_.close();
    }
    return configured;
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
