#pragma once

#include <QSerialPort>
#include <QString>

#include "platform/serial_port.h"

namespace qtplatform {

// The receipt printer's line over QSerialPort. Output is queued in QSerialPort's write buffer and
// written as the line accepts it; nothing here waits on the GUI thread.
class QtSerialPort : public platform::SerialPort {
public:
    QtSerialPort();

    void setPortName(const std::string& name) override;
    std::string portName() const override { return name_; }
    bool setOpen(bool open) override;
    bool isOpen() const override { return port_.isOpen(); }
    std::size_t outBufferCount() const override;
    void output(const std::string& bytes) override;

    // "COM3" is the third serial line, /dev/ttyS2; a name that is already a path is kept.
    static QString devicePath(const std::string& name);

private:
    QSerialPort port_;
    std::string name_;
};

}  // namespace qtplatform
