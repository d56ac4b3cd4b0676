#include "pos/receipt_printer.h"

#include "core/serial_ports.h"
#include "core/wire/codepage.h"
#include "platform/services.h"

namespace kestova {
namespace {

std::int64_t NowMs() {
    return platform::services().clock().monotonicMs();
}

}  // namespace

ReceiptPrinter::ReceiptPrinter() : port_(platform::services().createSerialPort()) {
    port_->OnError = [this](const std::string&) {
        Observe();
        failed_ = true;
    };
}

ReceiptPrinter::~ReceiptPrinter() {
    port_->OnError = nullptr;
}

ReceiptPrinter::OpenResult ReceiptPrinter::Open(std::string_view portName) {
    Close();
    const std::string device = SerialDeviceOf(PortNumberOf(portName));
    if (device.empty()) {
        return OpenResult::InvalidPort;
    }
    port_->setPortName(device);
    switch (port_->open()) {
        case platform::SerialPort::OpenResult::Opened:
            queued_ = 0;
            pending_ = 0;
            failed_ = false;
            lastProgressMs_ = NowMs();
            return OpenResult::Opened;
        case platform::SerialPort::OpenResult::NoSuchPort:
            return OpenResult::InvalidPort;
        case platform::SerialPort::OpenResult::NotOpened:
            break;
    }
    return OpenResult::NotOpen;
}

void ReceiptPrinter::Close() {
    port_->close();
}

bool ReceiptPrinter::IsOpen() const {
    return port_->isOpen();
}

void ReceiptPrinter::PrintLine(std::string_view text) {
    Observe();
    const std::string bytes = wire::Utf8ToCp1252(text) + "\r\n";
    if (pending_ == 0) {
        lastProgressMs_ = NowMs();  // the wait for the printer starts now
    }
    port_->output(bytes);
    queued_ += bytes.size();
    pending_ += bytes.size();
}

std::uint64_t ReceiptPrinter::Taken() {
    Observe();
    return queued_ - pending_;
}

bool ReceiptPrinter::Stalled() {
    Observe();
    return failed_ || !port_->isOpen() ||
           (pending_ > 0 && NowMs() - lastProgressMs_ >= kStalledAfterMs);
}

void ReceiptPrinter::Observe() {
    if (failed_ || !port_->isOpen()) {
        return;  // what waited when the line failed stays counted as not taken
    }
    const std::size_t pending = port_->outBufferCount();
    if (pending < pending_) {
        lastProgressMs_ = NowMs();
    }
    pending_ = pending;
}

}  // namespace kestova
