#pragma once

#include <string>

#include "platform/bar_chart.h"

namespace platform {

// The system's default printer, driven line by line.
class Printer {
public:
    virtual ~Printer() = default;

    // Empty when the system has no default printer.
    virtual std::string deviceName() const = 0;
    virtual void setFont(const std::string& family, double pointSize, bool bold) = 0;
    // Adds one line (UTF-8) to the current document.
    virtual void printLine(const std::string& text) = 0;
    // Adds a chart below the lines so far, as wide as the page allows.
    virtual void printChart(const BarChart& chart) = 0;
    // Sends the document to the printer; false when printing failed.
    virtual bool endDoc() = 0;
};

}  // namespace platform
