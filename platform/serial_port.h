#pragma once

#include <string>

namespace platform {

// The receipt printer's serial line (9600 baud, no parity, 8 data bits, 1 stop bit).
class SerialPort {
public:
    virtual ~SerialPort() = default;

    // "COM1".."COM16" style names are mapped to device paths by the implementation.
    virtual void setPortName(const std::string& name) = 0;
    virtual std::string portName() const = 0;
    // Opens or closes the port; false (and the port stays closed) when it cannot be opened.
    virtual bool setOpen(bool open) = 0;
    virtual bool isOpen() const = 0;
    // Bytes queued and not yet written to the line.
    virtual std::size_t outBufferCount() const = 0;
    // Queues bytes for writing; never blocks.
    virtual void output(const std::string& bytes) = 0;
};

}  // namespace platform
