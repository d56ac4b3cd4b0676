#pragma once

#include <QSerialPort>

#include "platform/serial_port.h"

namespace qtplatform {

// The receipt printer's line over QSerialPort. Output is queued in QSerialPort's write buffer and
// written as the line accepts it; nothing here waits on the GUI thread.
class QtSerialPort : public platform::SerialPort {
public:
    QtSerialPort();

    void setPortName(const std::string& device) override;
    std::string portName() const override { return device_; }
    OpenResult open() override;
    void close() override;
    bool isOpen() const override { return port_.isOpen(); }
    std::size_t outBufferCount() const override;
    void output(const std::string& bytes) override;

private:
    QSerialPort port_;
    std::string device_;
};

}  // namespace qtplatform
