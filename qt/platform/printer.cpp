#include "qt/platform/printer.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFileInfo>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFormat>
#include <QUrl>
#include <variant>

#include "qt/platform/bar_chart_drawing.h"
#include "qt/platform/text.h"

namespace qtplatform {
namespace {

constexpr int kPdfResolution = 300;
constexpr qreal kMarginMm = 15;
// A chart's picture has about the resolution of the PDF files (300 dots an inch at 96 a unit).
constexpr qreal kChartScale = 3;
constexpr qreal kChartSpacing = 12;

// Lays the document out on the device's pages as they are (the margins, the fonts measured at
// the device's resolution) and prints it. A document paginated this way prints its lines as
// they are, without the page numbers QTextDocument adds to one it paginates itself.
void PrintOnPages(QTextDocument& document, QPagedPaintDevice& device) {
    device.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                          QPageLayout::Millimeter);
    document.documentLayout()->setPaintDevice(&device);
    document.setPageSize(device.pageLayout().paintRectPixels(device.logicalDpiX()).size());
    document.print(&device);
}

// The chart as a picture of the document, in a paragraph of its own.
void insertChart(QTextDocument& document, QTextCursor& cursor, const platform::BarChart& chart,
                 int number) {
    const QSizeF size = printedChartSize(chart);
    const QString name = QStringLiteral("chart:%1").arg(number);
    document.addResource(QTextDocument::ImageResource, QUrl(name),
                         renderBarChart(chart, size, kChartScale));
    QTextBlockFormat spaced;
    spaced.setTopMargin(kChartSpacing);
    spaced.setBottomMargin(kChartSpacing);
    cursor.setBlockFormat(spaced);
    QTextImageFormat picture;
    picture.setName(name);
    picture.setWidth(size.width());
    picture.setHeight(size.height());
    cursor.insertImage(picture);
}

}  // namespace

std::unique_ptr<QtPrinter> QtPrinter::toPdf(QString pdfPath) {
    auto printer = std::make_unique<QtPrinter>();
    printer->pdfPath_ = std::move(pdfPath);
    return printer;
}

std::string QtPrinter::deviceName() const {
    if (!pdfPath_.isEmpty()) {
        return fromQt(pdfPath_);
    }
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    return info.isNull() ? std::string() : fromQt(info.printerName());
}

void QtPrinter::setFont(const std::string& family, double pointSize, bool bold) {
    font_ = QFont(toQt(family));
    // A family the machine lacks is replaced by one of the same kind: the print-outs that line
    // up columns ask for a typewriter face.
    if (font_.family().contains("Courier", Qt::CaseInsensitive)) {
        font_.setStyleHint(QFont::TypeWriter);
    }
    if (pointSize > 0) {
        font_.setPointSizeF(pointSize);
    }
    font_.setBold(bold);
}

void QtPrinter::printLine(const std::string& text) {
    items_.push_back(Line{toQt(text), font_});
}

void QtPrinter::printChart(const platform::BarChart& chart) {
    items_.push_back(chart);
}

bool QtPrinter::endDoc() {
    QTextDocument document;
    QTextCursor cursor(&document);
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (i > 0) {
            cursor.insertBlock(QTextBlockFormat());
        }
        if (const auto* chart = std::get_if<platform::BarChart>(&items_[i])) {
            insertChart(document, cursor, *chart, static_cast<int>(i));
            continue;
        }
        const Line& line = std::get<Line>(items_[i]);
        QTextCharFormat format;
        format.setFont(line.font);
        cursor.insertText(line.text, format);
    }
    items_.clear();
    return pdfPath_.isEmpty() ? printOnDefaultPrinter(document) : writePdf(document);
}

bool QtPrinter::printOnDefaultPrinter(QTextDocument& document) const {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        return false;
    }
    QPrinter printer(info, QPrinter::HighResolution);
    if (!printer.isValid()) {
        return false;
    }
    PrintOnPages(document, printer);
    return printer.printerState() != QPrinter::Error;
}

bool QtPrinter::writePdf(QTextDocument& document) const {
    QDir().mkpath(QFileInfo(pdfPath_).absolutePath());
    QSaveFile file(pdfPath_);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setResolution(kPdfResolution);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setCreator(QStringLiteral("Kestova"));
        PrintOnPages(document, writer);
    }
    return file.commit();
}

}  // namespace qtplatform
