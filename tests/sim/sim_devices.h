#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/printer.h"
#include "platform/serial_port.h"
#include "tests/sim/sim_loop.h"

namespace sim {

class SimSerialPort;

// One output call of the program on a serial line, and when it came.
struct SerialWrite {
    Ms atMs = 0;
    std::string bytes;
};

// The machine's serial lines: which devices can be opened, how fast each printer takes bytes,
// and every byte written to each.
class SimSerialLines {
public:
    // 9600 baud with a start and a stop bit around each byte.
    static constexpr Ms kBytesPerSecond = 960;

    explicit SimSerialLines(const SimLoop& loop) : loop_(loop) {}

    // Opening this device fails from now on (busy, or no permission).
    void refuse(const std::string& device) { refused_.insert(device); }
    void allow(const std::string& device) { refused_.erase(device); }
    bool isRefused(const std::string& device) const { return refused_.count(device) != 0; }
    // The device goes away: opening it finds no such port, and a port open on it fails at once.
    void unplug(const std::string& device);
    void plugIn(const std::string& device) { unplugged_.erase(device); }
    bool isUnplugged(const std::string& device) const { return unplugged_.count(device) != 0; }
    // How many bytes a second the printer on the device takes (0: none, it has stopped); from
    // now on. The line's own speed unless set.
    void setBytesPerSecond(const std::string& device, Ms bytesPerSecond);
    Ms bytesPerSecond(const std::string& device) const;

    // Every byte queued for the line, in order, and the same one output call at a time.
    const std::string& written(const std::string& device) const;
    const std::vector<SerialWrite>& writes(const std::string& device) const;
    void record(const std::string& device, const std::string& bytes);
    // Every device an open was attempted on, in order.
    const std::vector<std::string>& openAttempts() const { return openAttempts_; }
    void recordOpenAttempt(const std::string& device) { openAttempts_.push_back(device); }

    const SimLoop& loop() const { return loop_; }

    // The program's ports, so that a change of the line reaches those open on it.
    void attach(SimSerialPort& port) { ports_.insert(&port); }
    void detach(SimSerialPort& port) { ports_.erase(&port); }

private:
    const SimLoop& loop_;
    std::set<std::string> refused_;
    std::set<std::string> unplugged_;
    std::map<std::string, Ms> bytesPerSecond_;
    struct Record {
        std::string bytes;
        std::vector<SerialWrite> writes;
    };
    std::map<std::string, Record> written_;
    std::vector<std::string> openAttempts_;
    std::set<SimSerialPort*> ports_;
};

// One serial-port object of the program. Written bytes leave its buffer at the printer's pace.
class SimSerialPort : public platform::SerialPort {
public:
    explicit SimSerialPort(SimSerialLines& lines) : lines_(lines) { lines_.attach(*this); }
    ~SimSerialPort() override { lines_.detach(*this); }

    void setPortName(const std::string& device) override { name_ = device; }
    std::string portName() const override { return name_; }
    OpenResult open() override;
    void close() override;
    bool isOpen() const override { return open_; }
    std::size_t outBufferCount() const override;
    // Dropped (and counted) while the port is closed.
    void output(const std::string& bytes) override;

    int droppedOutputs() const { return droppedOutputs_; }

    // Takes off the buffer what the line has taken since the last look; done before the line
    // changes its pace.
    void settle() const;
    // The device went away under the open port.
    void fail();

private:
    SimSerialLines& lines_;
    std::string name_;
    bool open_ = false;
    // Bytes still in the buffer when last settled, and how far the line got with the next one
    // (in thousandths of a byte).
    mutable std::size_t buffered_ = 0;
    mutable Ms progress_ = 0;
    mutable Ms settledAt_ = 0;
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

// A chart and the number of lines printed before it.
struct PrintedChart {
    platform::BarChart chart;
    std::size_t afterLines = 0;
};

struct PrintedDocument {
    std::vector<PrintedLine> lines;
    std::vector<PrintedChart> charts;
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
    void printChart(const platform::BarChart& chart) override;
    bool endDoc() override;

    const PrintedDocument& pending() const { return pending_; }

private:
    SimPrintSpool& spool_;
    std::string pdfPath_;
    PrinterFont font_{"Courier New", 10, false};
    PrintedDocument pending_;
};

}  // namespace sim
