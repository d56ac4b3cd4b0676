#include "tests/sim/sim_devices.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace sim {

void SimSerialLines::unplug(const std::string& device) {
    unplugged_.insert(device);
    for (SimSerialPort* port : std::set<SimSerialPort*>(ports_)) {
        if (port->isOpen() && port->portName() == device) {
            port->fail();
        }
    }
}

void SimSerialLines::setBytesPerSecond(const std::string& device, Ms bytesPerSecond) {
    for (SimSerialPort* port : ports_) {
        if (port->portName() == device) {
            port->settle();
        }
    }
    bytesPerSecond_[device] = bytesPerSecond;
}

Ms SimSerialLines::bytesPerSecond(const std::string& device) const {
    const auto it = bytesPerSecond_.find(device);
    return it == bytesPerSecond_.end() ? kBytesPerSecond : it->second;
}

const std::string& SimSerialLines::written(const std::string& device) const {
    static const std::string kNothing;
    const auto it = written_.find(device);
    return it == written_.end() ? kNothing : it->second.bytes;
}

const std::vector<SerialWrite>& SimSerialLines::writes(const std::string& device) const {
    static const std::vector<SerialWrite> kNone;
    const auto it = written_.find(device);
    return it == written_.end() ? kNone : it->second.writes;
}

void SimSerialLines::record(const std::string& device, const std::string& bytes) {
    Record& record = written_[device];
    record.bytes += bytes;
    record.writes.push_back({loop_.now(), bytes});
}

platform::SerialPort::OpenResult SimSerialPort::open() {
    if (open_) {
        return OpenResult::Opened;
    }
    lines_.recordOpenAttempt(name_);
    if (name_.empty() || lines_.isUnplugged(name_)) {
        return OpenResult::NoSuchPort;
    }
    if (lines_.isRefused(name_)) {
        return OpenResult::NotOpened;
    }
    open_ = true;
    buffered_ = 0;
    progress_ = 0;
    settledAt_ = lines_.loop().now();
    return OpenResult::Opened;
}

void SimSerialPort::close() {
    open_ = false;
    buffered_ = 0;
}

void SimSerialPort::settle() const {
    const Ms now = lines_.loop().now();
    progress_ += (now - settledAt_) * lines_.bytesPerSecond(name_);
    settledAt_ = now;
    const std::size_t taken = std::min(static_cast<std::size_t>(progress_ / 1000), buffered_);
    buffered_ -= taken;
    // An idle line saves no time for later bytes; a byte under way keeps its progress.
    progress_ = buffered_ == 0 ? 0 : progress_ - static_cast<Ms>(taken) * 1000;
}

std::size_t SimSerialPort::outBufferCount() const {
    if (!open_) {
        return 0;
    }
    settle();
    return buffered_;
}

void SimSerialPort::output(const std::string& bytes) {
    if (!open_) {
        ++droppedOutputs_;
        return;
    }
    settle();
    buffered_ += bytes.size();
    lines_.record(name_, bytes);
}

void SimSerialPort::fail() {
    close();
    if (OnError) {
        OnError("the device went away");
    }
}

std::vector<std::string> PrintedDocument::texts() const {
    std::vector<std::string> texts;
    for (const PrintedLine& line : lines) {
        texts.push_back(line.text);
    }
    return texts;
}

const PrintedDocument& SimPrintSpool::lastDocument() const {
    static const PrintedDocument kNone;
    if (documents_.empty()) {
        ADD_FAILURE() << "Nothing was printed";
        return kNone;
    }
    return documents_.back();
}

void SimPrinter::setFont(const std::string& family, double pointSize, bool bold) {
    font_ = PrinterFont{family, pointSize, bold};
}

void SimPrinter::printLine(const std::string& text) {
    pending_.lines.push_back({text, font_});
}

void SimPrinter::printChart(const platform::BarChart& chart) {
    pending_.charts.push_back({chart, pending_.lines.size()});
}

bool SimPrinter::endDoc() {
    PrintedDocument document;
    document.lines.swap(pending_.lines);
    document.charts.swap(pending_.charts);
    document.pdfPath = pdfPath_;
    if (spool_.endDocFails(pdfPath_)) {
        spool_.failed();
        return false;
    }
    spool_.printed(std::move(document));
    return true;
}

}  // namespace sim
