// A print-out written as a PDF file: the text reads back from the file with the report's lines
// whole, charts come as pictures, the folder is made, and a file that cannot be written is a
// failure, never a silent loss.
#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "qt/platform/printer.h"

namespace {

QString Output(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString PdfText(const QString& path) {
    return Output("pdftotext", {"-layout", path, "-"});
}

TEST(PdfPrinterTest, WritesTheLinesIntoANewFolderAndFailsWhereItCannotWrite) {
    QTemporaryDir dir;
    const QString path = dir.filePath("prints/today/report.pdf");
    auto printer = qtplatform::QtPrinter::toPdf(path);
    EXPECT_EQ(printer->deviceName(), path.toStdString());
    printer->setFont("Courier New", 10, false);
    printer->printLine("     Total Cost of Ticket(s) Sold: #1,250.00");
    printer->printLine("     " + std::string(72, '-'));  // a report's rule: one line, not wrapped
    printer->setFont("Arial", 14, true);
    printer->printLine("Café Zarnevo");
    ASSERT_TRUE(printer->endDoc());
    const QString text = PdfText(path);
    EXPECT_TRUE(text.contains("Total Cost of Ticket(s) Sold: #1,250.00")) << text.toStdString();
    EXPECT_TRUE(text.contains("Café Zarnevo")) << text.toStdString();
    EXPECT_TRUE(text.contains(QString(72, '-') + "\n")) << text.toStdString();

    auto blocked = qtplatform::QtPrinter::toPdf(path + "/inside-a-file.pdf");
    blocked->printLine("lost");
    EXPECT_FALSE(blocked->endDoc());
}

// A chart goes into the file as a picture at about the file's resolution, in the order it was
// printed.
TEST(PdfPrinterTest, PrintsAChartAsAPictureBetweenItsLines) {
    QTemporaryDir dir;
    const QString path = dir.filePath("chart.pdf");
    auto printer = qtplatform::QtPrinter::toPdf(path);
    printer->printLine("Before the chart");
    printer->printChart({"Sales by Staff Member",
                         {{"JOHN", 9, "#9.00 (6 tickets)"}, {"MARY", 7.5, "#7.50 (3 tickets)"}}});
    printer->printLine("After the chart");
    ASSERT_TRUE(printer->endDoc());
    const QString text = PdfText(path);
    // The picture's height reads as empty lines between the two.
    EXPECT_TRUE(text.contains(QRegularExpression("Before the chart\n{3,}After the chart")))
        << text.toStdString();
    // "page num type width height color comp bpc enc interp object ID x-ppi y-ppi ..."
    const QStringList images = Output("pdfimages", {"-list", path}).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(images.size(), 3) << images.join('\n').toStdString();
    const QStringList image = images[2].split(' ', Qt::SkipEmptyParts);
    EXPECT_GE(image[12].toInt(), 250) << "x-ppi: " << image[12].toStdString();
}

}  // namespace
