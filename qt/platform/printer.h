#pragma once

#include <QFont>
#include <QString>
#include <vector>

#include "platform/printer.h"

namespace qtplatform {

// The default printer: lines are collected with their fonts and printed as one QTextDocument at
// endDoc. Given a PDF path, prints there instead (used by tests).
class QtPrinter : public platform::Printer {
public:
    explicit QtPrinter(QString pdfPath = {});

    std::string deviceName() const override;
    void setFont(const std::string& family, double pointSize, bool bold) override;
    void printLine(const std::string& text) override;
    bool endDoc() override;

private:
    struct Line {
        QString text;
        QFont font;
    };
    QString pdfPath_;
    QFont font_;
    std::vector<Line> lines_;
};

}  // namespace qtplatform
