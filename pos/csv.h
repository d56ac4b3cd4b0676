#pragma once

#include <string>
#include <vector>

namespace kestova {

// One field of a CSV row: a text, or a number that a spreadsheet takes as a number.
struct CsvField {
    std::string text;
    bool number = false;

    static CsvField Text(std::string text) { return {std::move(text), false}; }
    static CsvField Number(std::string digits) { return {std::move(digits), true}; }
};

using CsvRow = std::vector<CsvField>;

// A table as a spreadsheet opens it without questions: UTF-8 with a byte-order mark, fields
// separated by commas and rows ended by CR LF, a field quoted when it holds a comma, a quote, a
// line break or blanks at either end, quotes inside doubled (RFC 4180). A text field that a
// spreadsheet would run as a formula (one beginning with "=", "+", "-", "@", a tab or a carriage
// return, as a name sent by the server might) is written with an apostrophe in front, so it
// shows as the text it is.
std::string CsvText(const std::vector<CsvRow>& rows);

}  // namespace kestova
