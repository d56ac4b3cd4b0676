#include "pos/print_out.h"

#include <filesystem>

#include "core/convert.h"
#include "core/local_time.h"
#include "core/settings.h"
#include "core/settings_table.h"
#include "core/version.h"
#include "platform/services.h"

namespace kestova {
namespace {

// Print-outs of this run so far: two in the same second still get files of their own.
int NextSequence() {
    static int sequence = 0;
    return ++sequence;
}

// "20261207-090512-3 Ticket Information.pdf": sorted by name, the files come in the order of the
// second they were printed in.
std::string PdfFileName(std::string_view title) {
    return FormatDateTime("yyyymmdd-hhmmss", LocalNow()) + "-" + std::to_string(NextSequence()) +
           " " + std::string(title) + ".pdf";
}

}  // namespace

PrintOut::PrintOut(std::string_view title) {
    const std::string folder = ReadSetting(settings::PdfFolder);
    if (folder.empty()) {
        printer_ = platform::services().createPrinter();
        printerName_ = printer_->deviceName();
        return;
    }
    const std::filesystem::path path = std::filesystem::path(folder) / PdfFileName(title);
    printer_ = platform::services().createPdfPrinter(path.string());
    printerName_ = folder;
}

PrintOut::PrintOut(std::unique_ptr<platform::Printer> printer, std::string printerName)
    : printer_(std::move(printer)), printerName_(std::move(printerName)) {}

PrintOut PrintOut::ToPdfFile(const std::string& path) {
    return PrintOut(platform::services().createPdfPrinter(path), path);
}

void PrintOut::Font(const std::string& family, double pointSize, bool bold) {
    printer_->setFont(family, pointSize, bold);
}

void PrintOut::Line(std::string_view text) {
    while (true) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        printer_->printLine(std::string(line));
        if (end == std::string_view::npos) {
            return;
        }
        text.remove_prefix(end + 1);
    }
}

void PrintOut::Chart(const platform::BarChart& chart) {
    printer_->printChart(chart);
}

bool PrintOut::End() {
    return printer_->endDoc();
}

std::optional<PrintOut> AskToPrint(std::string_view title, const std::string& questionLead) {
    namespace msgbox = platform::msgbox;
    platform::Dialogs& dialogs = platform::services().dialogs();
    PrintOut out(title);
    if (out.PrinterName().empty()) {
        dialogs.MsgBox("No Printer installed!", msgbox::Critical, VersionTitle());
        return std::nullopt;
    }
    if (dialogs.MsgBox(questionLead + "[" + out.PrinterName() + "]?",
                       msgbox::YesNo | msgbox::Question | msgbox::DefaultButton2,
                       VersionTitle()) != msgbox::Yes) {
        return std::nullopt;
    }
    return out;
}

bool FinishPrintOut(PrintOut& out) {
    if (out.End()) {
        return true;
    }
    platform::services().dialogs().MsgBox("Printer Error!", platform::msgbox::Critical,
                                          VersionTitle());
    return false;
}

}  // namespace kestova
