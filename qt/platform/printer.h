#pragma once

#include <QFont>
#include <QString>
#include <memory>
#include <variant>
#include <vector>

#include "platform/printer.h"

class QTextDocument;

namespace qtplatform {

// A print-out on the system's default printer (QPrinterInfo::defaultPrinter), or as a PDF file
// at a path: the lines are collected with their fonts, and the charts, and laid out as one
// QTextDocument when the document ends. A PDF goes through QSaveFile, so the file is replaced whole
// or not at all.
class QtPrinter : public platform::Printer {
public:
    // The system's default printer.
    QtPrinter() = default;
    // A PDF file at the path.
    static std::unique_ptr<QtPrinter> toPdf(QString pdfPath);

    std::string deviceName() const override;
    void setFont(const std::string& family, double pointSize, bool bold) override;
    void printLine(const std::string& text) override;
    void printChart(const platform::BarChart& chart) override;
    bool endDoc() override;

private:
    struct Line {
        QString text;
        QFont font;
    };
    bool printOnDefaultPrinter(QTextDocument& document) const;
    bool writePdf(QTextDocument& document) const;

    QString pdfPath_;
    QFont font_;
    std::vector<std::variant<Line, platform::BarChart>> items_;
};

}  // namespace qtplatform
