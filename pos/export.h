#pragma once

#include <functional>
#include <string>
#include <vector>

#include "pos/csv.h"
#include "pos/print_out.h"

// Saving a report, a sales summary or an activity log as a file the café keeps, beside printing
// it: the operator picks where (the file name offered is `fileName`), the file is replaced whole
// or not at all, and the operator is told where it went or that it could not be written. Each
// returns true when the file was saved; false too when the operator cancelled.
namespace kestova {

// A spreadsheet file (see CsvText).
bool SaveAsCsv(const std::string& fileName, const std::vector<CsvRow>& rows);

// A PDF file with what `body` prints: the same lines and fonts as the print-out.
bool SaveAsPdf(const std::string& fileName, const std::function<void(PrintOut&)>& body);

}  // namespace kestova
