#include "pos/csv.h"

#include <string_view>

namespace kestova {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kFormulaStarts = "=+-@\t\r";

bool NeedsQuotes(std::string_view text) {
    return text.find_first_of(",\"\r\n") != std::string_view::npos ||
           (!text.empty() && (text.front() == ' ' || text.back() == ' '));
}

std::string FieldText(const CsvField& field) {
    std::string text = field.text;
    if (!field.number && !text.empty() && kFormulaStarts.find(text.front()) != std::string::npos) {
        text.insert(0, 1, '\'');
    }
    if (!NeedsQuotes(text)) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

}  // namespace

std::string CsvText(const std::vector<CsvRow>& rows) {
    std::string text(kByteOrderMark);
    for (const CsvRow& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0) {
                text += ',';
            }
            text += FieldText(row[i]);
        }
        text += "\r\n";
    }
    return text;
}

}  // namespace kestova
