#include "core/audit/csv.h"

#include <string_view>

namespace audit {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string Field(const std::string& text) {
    const bool formula =
        !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos;
    const std::string value = formula ? "'" + text : text;
    if (value.find_first_of(",\"\r\n") == std::string::npos) {
        return value;
    }
    std::string quoted = "\"";
    for (const char c : value) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

}  // namespace

std::string ToCsv(const std::vector<std::vector<std::string>>& rows) {
    std::string csv(kByteOrderMark);
    for (const std::vector<std::string>& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0) {
                csv += ',';
            }
            csv += Field(row[i]);
        }
        csv += "\r\n";
    }
    return csv;
}

}  // namespace audit
