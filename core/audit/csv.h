#pragma once

#include <string>
#include <vector>

namespace audit {

// A table as a CSV file for a spreadsheet: UTF-8 with a byte-order mark (without it spreadsheets
// take the text for the local code page), CR LF after every row, and a field in double quotes
// (its quotes doubled) when it holds a comma, a quote, a CR or an LF, as RFC 4180 says. A field
// that a spreadsheet would run as a formula (one that begins with =, +, -, @, a tab or a CR) gets
// a leading apostrophe, so that a client named "=HYPERLINK(...)" stays a text.
std::string ToCsv(const std::vector<std::vector<std::string>>& rows);

}  // namespace audit
