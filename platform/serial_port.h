#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace platform {

// The receipt printer's serial line (9600 baud, no parity, 8 data bits, 1 stop bit).
class SerialPort {
public:
    enum class OpenResult {
        Opened,
        NoSuchPort,  // no device of that name
        NotOpened,   // the device exists but cannot be opened now (busy, no permission)
    };

    virtual ~SerialPort() = default;

    // The device that carries the line ("/dev/ttyS0"); core/serial_ports.h turns the names the
    // program shows ("COM1") into devices.
    virtual void setPortName(const std::string& device) = 0;
    virtual std::string portName() const = 0;
    virtual OpenResult open() = 0;
    // Closes the line: what the line takes at once still goes out, whatever else is queued goes.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Bytes queued and not yet taken by the line.
    virtual std::size_t outBufferCount() const = 0;
    // Queues bytes behind those still waiting; never blocks and never drops what is queued.
    virtual void output(const std::string& bytes) = 0;

    // Raised on the event thread when the open line fails (the device went away); the port is
    // closed by then and what was queued is lost.
    std::function<void(const std::string& description)> OnError;
};

}  // namespace platform
