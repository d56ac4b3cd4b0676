#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/serial_port.h"

namespace kestova {

// The receipt printer on its serial line. Lines are queued behind whatever the printer has not
// yet taken and nothing queued is ever thrown away, so a slow or busy printer prints every line
// late rather than losing part of one. A printer that stops taking bytes is noticed: the line
// fails, or bytes wait for kStalledAfterMs without one being taken.
class ReceiptPrinter {
public:
    static constexpr std::int64_t kStalledAfterMs = 5000;

    enum class OpenResult {
        Opened,
        NotOpen,      // the port exists but did not open
        InvalidPort,  // no port of that number, or no such device
    };

    ReceiptPrinter();
    ~ReceiptPrinter();
    ReceiptPrinter(const ReceiptPrinter&) = delete;
    ReceiptPrinter& operator=(const ReceiptPrinter&) = delete;

    // Closes the line if it is open and opens the one the port name ("COM1") stands for.
    OpenResult Open(std::string_view portName);
    void Close();
    bool IsOpen() const;

    // Queues the text (UTF-8, sent as Windows-1252 like the wire) and CR LF.
    void PrintLine(std::string_view text);

    // Bytes handed to the printer since the line opened, and how many of them it has taken.
    std::uint64_t Queued() const { return queued_; }
    std::uint64_t Taken();
    // The printer has taken everything handed to it.
    bool Idle() { return Taken() == queued_; }
    // The printer takes nothing more: see the class comment.
    bool Stalled();

private:
    // Notes how much still waits, and when the printer last took something.
    void Observe();

    std::unique_ptr<platform::SerialPort> port_;
    std::uint64_t queued_ = 0;
    std::size_t pending_ = 0;
    std::int64_t lastProgressMs_ = 0;
    bool failed_ = false;
};

}  // namespace kestova
