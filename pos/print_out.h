#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/printer.h"

namespace kestova {

// One print-out on the default printer: the ticket information, a report, a sales summary or a
// log. When the settings name a PDF folder ("Printing"/"PdfFolder"), every print-out becomes a
// PDF file in that folder instead, and the "printer" is named after the folder, so the questions
// that name the printer still read well. Nothing is written until End.
class PrintOut {
public:
    // A print-out called `title` (the PDF file in the folder is named after it).
    explicit PrintOut(std::string_view title);
    // The same print-out written as a PDF file at the path the operator chose.
    static PrintOut ToPdfFile(const std::string& path);

    // The printer's name; empty when the system has no default printer.
    const std::string& PrinterName() const { return printerName_; }

    void Font(const std::string& family, double pointSize, bool bold);
    // Prints one line, or one line per line of a text that holds line breaks (CR LF or LF).
    void Line(std::string_view text);
    // Prints a chart below the lines so far.
    void Chart(const platform::BarChart& chart);
    // Ends the document so that it comes out now; false when printing or writing failed.
    bool End();

private:
    PrintOut(std::unique_ptr<platform::Printer> printer, std::string printerName);

    std::unique_ptr<platform::Printer> printer_;
    std::string printerName_;
};

// Asks before printing on the default printer: "No Printer installed!" when there is none,
// otherwise the question `questionLead` + "[printer]?", No by default. The print-out called
// `title` to fill when the answer is Yes.
std::optional<PrintOut> AskToPrint(std::string_view title, const std::string& questionLead);

// Ends the print-out, saying "Printer Error!" when it did not come out (a failed print-out must
// not pass for one that came out); whether it came out.
bool FinishPrintOut(PrintOut& out);

}  // namespace kestova
