// The print-out path shared by the point of sale's windows and the reports: the default printer
// or the PDF folder, and saving as a PDF or CSV file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "core/settings.h"
#include "core/settings_table.h"
#include "platform/directory_file_store.h"
#include "pos/csv.h"
#include "pos/export.h"
#include "pos/print_out.h"
#include "tests/sim/sim_test.h"

namespace kestova {
namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;

using PrintOutTest = sim::SimTest;

TEST_F(PrintOutTest, GoesToTheDefaultPrinterLineByLineOrToItsPdfFolder) {
    PrintOut out("Ticket Information");
    EXPECT_EQ(out.PrinterName(), "Receipt Printer");
    out.Line("one\r\ntwo\nthree");
    ASSERT_TRUE(out.End());
    EXPECT_THAT(printers().lastDocument().texts(), ElementsAre("one", "two", "three"));
    EXPECT_EQ(printers().lastDocument().pdfPath, "");

    WriteSetting(settings::PdfFolder, "/srv/prints");
    printers().setDeviceName("");  // the folder serves even on a machine without a printer
    for (int i = 0; i < 2; ++i) {
        PrintOut pdf("Report Summary");
        EXPECT_EQ(pdf.PrinterName(), "/srv/prints");
        ASSERT_TRUE(pdf.End());
    }
    const std::string first = printers().documents().at(1).pdfPath;
    EXPECT_THAT(first,
                ::testing::MatchesRegex("/srv/prints/20261207-090000-[0-9]+ Report Summary\\.pdf"));
    EXPECT_NE(printers().documents().at(2).pdfPath, first) << "two in the same second";
}

TEST(CsvText, QuotesWhatNeedsItAndKeepsFormulasText) {
    const std::pair<CsvField, const char*> cases[] = {
        {CsvField::Text("a,b"), "\"a,b\""},
        {CsvField::Text("say \"hi\""), "\"say \"\"hi\"\"\""},
        {CsvField::Text("two\r\nlines"), "\"two\r\nlines\""},
        {CsvField::Text(" padded"), "\" padded\""},
        {CsvField::Text("=1+1"), "'=1+1"},
        {CsvField::Text("-2"), "'-2"},
        {CsvField::Number("-2.50"), "-2.50"},
        {CsvField::Text("Café"), "Café"},
    };
    for (const auto& [field, written] : cases) {
        EXPECT_EQ(CsvText({{field}}), std::string("\xEF\xBB\xBF") + written + "\r\n") << written;
    }
}

TEST_F(PrintOutTest, SavesTheChosenFileAndSaysWhereOrWhyNot) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("kestova-export-" + std::to_string(::getpid()));
    const std::string chosen = (folder / "report").string();
    dialogs().expectSaveFile("Save as CSV", chosen);
    dialogs().expectMsgBox("Saved as " + chosen + ".csv.");
    EXPECT_TRUE(SaveAsCsv("report.csv", {{CsvField::Text("a"), CsvField::Number("1")}}));
    EXPECT_EQ(dialogs().shown().front().defaultText, "report.csv");
    EXPECT_EQ(platform::DirectoryFileStore(folder).read("report.csv"),
              "\xEF\xBB\xBF"
              "a,1\r\n");

    dialogs().expectSaveFile("Save as CSV", "");  // cancelled: nothing is written or said
    EXPECT_FALSE(SaveAsCsv("report.csv", {}));
    const std::string unwritable = chosen + ".csv/inside-a-file.csv";
    dialogs().expectSaveFile("Save as CSV", unwritable);
    dialogs().expectMsgBox("Could not save " + unwritable + "!");
    EXPECT_FALSE(SaveAsCsv("report.csv", {}));
    std::filesystem::remove_all(folder);

    dialogs().expectSaveFile("Save as PDF", "/home/op/summary");
    dialogs().expectMsgBox("Saved as /home/op/summary.pdf.");
    EXPECT_TRUE(SaveAsPdf("summary.pdf", [](PrintOut& out) { out.Line("total"); }));
    EXPECT_EQ(printers().lastDocument().pdfPath, "/home/op/summary.pdf");
    EXPECT_THAT(printers().lastDocument().texts(), ElementsAre("total"));
    printers().failEndDoc();
    dialogs().expectSaveFile("Save as PDF", "/home/op/summary.pdf");
    dialogs().expectMsgBox(StartsWith("Could not save /home/op/summary.pdf"));
    EXPECT_FALSE(SaveAsPdf("summary.pdf", [](PrintOut&) {}));
}

}  // namespace
}  // namespace kestova
