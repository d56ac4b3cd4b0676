// A print-out written as a PDF file: the text reads back from the file with the report's lines
// whole, the folder is made, and a file that cannot be written is a failure, never a silent loss.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include "qt/platform/printer.h"

namespace {

QString PdfText(const QString& path) {
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-layout", path, "-"});
    pdftotext.waitForFinished();
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
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

}  // namespace
