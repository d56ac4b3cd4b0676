#include "qt/platform/printer.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <QTextCursor>
#include <QTextDocument>

#include "qt/platform/text.h"

namespace qtplatform {

QtPrinter::QtPrinter(QString pdfPath) : pdfPath_(std::move(pdfPath)) {}

std::string QtPrinter::deviceName() const {
    if (!pdfPath_.isEmpty()) {
        return fromQt(pdfPath_);
    }
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    return info.isNull() ? std::string() : fromQt(info.printerName());
}

void QtPrinter::setFont(const std::string& family, double pointSize, bool bold) {
    font_ = QFont(toQt(family));
    if (pointSize > 0) {
        font_.setPointSizeF(pointSize);
    }
    font_.setBold(bold);
}

void QtPrinter::printLine(const std::string& text) {
    lines_.push_back({toQt(text), font_});
}

bool QtPrinter::endDoc() {
    if (deviceName().empty()) {
        lines_.clear();
        return false;
    }
    QTextDocument document;
    QTextCursor cursor(&document);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (i > 0) {
            cursor.insertBlock();
        }
        QTextCharFormat format;
        format.setFont(lines_[i].font);
        cursor.insertText(lines_[i].text, format);
    }
    lines_.clear();

    QPrinter printer(QPrinter::HighResolution);
    if (pdfPath_.isEmpty()) {
        printer.setPrinterName(QPrinterInfo::defaultPrinter().printerName());
    } else {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath_);
    }
    if (!printer.isValid()) {
        return false;
    }
    document.print(&printer);
    return true;
}

}  // namespace qtplatform
