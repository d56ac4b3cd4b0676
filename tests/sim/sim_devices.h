#pragma once

#include <cstddef>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/printer.h"
#include "platform/serial_port.h"
#include "tests/sim/sim_loop.h"

namespace sim {

// The machine's serial lines: which names can be opened and every byte written to each.
class SimSerialLines {
public:
    // 9600 baud with a start and a stop bit around each byte.
    static constexpr Ms kBytesPerSecond = 960;

    explicit SimSerialLines(const SimLoop& loop) : loop_(loop) {}

    // Opening this port name fails from now on (no such device, or busy).
    void refuse(const std::string& portName) { refused_.insert(portName); }
    void allow(const std::string& portName) { refused_.erase(portName); }
    bool isRefused(const std::string& portName) const { return refused_.count(portName) != 0; }

    // Every byte queued for the line, in order.
    const std::string& written(const std::string& portName) const;
    void record(const std::string& portName, const std::string& bytes);
    // Every port name an open was attempted on, in order.
    const std::vector<std::string>& openAttempts() const { return openAttempts_; }
    void recordOpenAttempt(const std::string& portName) { openAttempts_.push_back(portName); }

    const SimLoop& loop() const { return loop_; }

private:
    const SimLoop& loop_;
    std::set<std::string> refused_;
    std::vector<std::pair<std::string, std::string>> written_;
    std::vector<std::string> openAttempts_;
};

// One serial-port object of the program. Written bytes leave its buffer at the line's speed.
class SimSerialPort : public platform::SerialPort {
public:
    explicit SimSerialPort(SimSerialLines& lines) : lines_(lines) {}

    void setPortName(const std::string& name) override { name_ = name; }
    std::string portName() const override { return name_; }
    bool setOpen(bool open) override;
    bool isOpen() const override { return open_; }
    std::size_t outBufferCount() const override;
    // Dropped (and counted) while the port is closed.
    void output(const std::string& bytes) override;

    int droppedOutputs() const { return droppedOutputs_; }

private:
    SimSerialLines& lines_;
    std::string name_;
    bool open_ = false;
    // Bytes in the buffer at bufferedAt_, draining from then on.
    std::size_t buffered_ = 0;
    Ms bufferedAt_ = 0;
    int droppedOutputs_ = 0;
};

struct PrinterFont {
    std::string family;
    double pointSize = 0;
    bool bold = false;
    bool operator==(const PrinterFont&) const = default;
};

struct PrintedLine {
    std::string text;
    PrinterFont font;
};

struct PrintedDocument {
    std::vector<PrintedLine> lines;
    // The PDF file the document was written to; empty when it went to the system's printer.
    std::string pdfPath;
    std::vector<std::string> texts() const;
};

// The system's default printer and the PDF files written: documents that were printed, and
// their failures on demand.
class SimPrintSpool {
public:
    // An empty name: the system has no default printer (endDoc then fails on it).
    void setDeviceName(std::string name) { deviceName_ = std::move(name); }
    const std::string& deviceName() const { return deviceName_; }
    // The next endDoc calls fail, on the printer and for PDF files alike (the document is lost).
    void failEndDoc(bool fail = true) { failEndDoc_ = fail; }
    bool endDocFails(const std::string& pdfPath) const {
        return failEndDoc_ || (pdfPath.empty() && deviceName_.empty());
    }

    const std::vector<PrintedDocument>& documents() const { return documents_; }
    // The last printed document; fails the test and returns an empty one when none was.
    const PrintedDocument& lastDocument() const;
    int failedDocuments() const { return failedDocuments_; }

    void printed(PrintedDocument document) { documents_.push_back(std::move(document)); }
    void failed() { ++failedDocuments_; }

private:
    std::string deviceName_ = "Receipt Printer";
    bool failEndDoc_ = false;
    std::vector<PrintedDocument> documents_;
    int failedDocuments_ = 0;
};

// One printer object of the program: it collects lines until endDoc sends them to the spool.
// Given a path, it stands for a PDF file there instead of the system's printer.
class SimPrinter : public platform::Printer {
public:
    explicit SimPrinter(SimPrintSpool& spool, std::string pdfPath = {})
        : spool_(spool), pdfPath_(std::move(pdfPath)) {}

    std::string deviceName() const override {
        return pdfPath_.empty() ? spool_.deviceName() : pdfPath_;
    }
    void setFont(const std::string& family, double pointSize, bool bold) override;
    void printLine(const std::string& text) override;
    bool endDoc() override;

    const PrintedDocument& pending() const { return pending_; }

private:
    SimPrintSpool& spool_;
    std::string pdfPath_;
    PrinterFont font_{"Courier New", 10, false};
    PrintedDocument pending_;
};

}  // namespace sim
