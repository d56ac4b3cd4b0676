#include "tests/sim/sim_devices.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace sim {

const std::string& SimSerialLines::written(const std::string& portName) const {
    static const std::string kNothing;
    const auto it = std::find_if(written_.begin(), written_.end(),
                                 [&](const auto& line) { return line.first == portName; });
    return it == written_.end() ? kNothing : it->second;
}

void SimSerialLines::record(const std::string& portName, const std::string& bytes) {
    const auto it = std::find_if(written_.begin(), written_.end(),
                                 [&](const auto& line) { return line.first == portName; });
    if (it == written_.end()) {
        written_.emplace_back(portName, bytes);
    } else {
        it->second += bytes;
    }
}

bool SimSerialPort::setOpen(bool open) {
    if (!open) {
        open_ = false;
        buffered_ = 0;
        return true;
    }
    lines_.recordOpenAttempt(name_);
    if (name_.empty() || lines_.isRefused(name_)) {
        open_ = false;
        return false;
    }
    open_ = true;
    return true;
}

std::size_t SimSerialPort::outBufferCount() const {
    const Ms elapsed = lines_.loop().now() - bufferedAt_;
    const auto drained = static_cast<std::size_t>(elapsed * SimSerialLines::kBytesPerSecond / 1000);
    return buffered_ > drained ? buffered_ - drained : 0;
}

void SimSerialPort::output(const std::string& bytes) {
    if (!open_) {
        ++droppedOutputs_;
        return;
    }
    buffered_ = outBufferCount() + bytes.size();
    bufferedAt_ = lines_.loop().now();
    lines_.record(name_, bytes);
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

bool SimPrinter::endDoc() {
    PrintedDocument document;
    document.lines.swap(pending_.lines);
    document.pdfPath = pdfPath_;
    if (spool_.endDocFails(pdfPath_)) {
        spool_.failed();
        return false;
    }
    spool_.printed(std::move(document));
    return true;
}

}  // namespace sim
