#pragma once

#include <QString>
#include <string>

// The program keeps UTF-8 std::string; Qt wants QString.
namespace qtplatform {

inline QString toQt(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string fromQt(const QString& text) {
    return text.toStdString();
}

// Texts of the program end lines with "\r\n"; widgets show "\n" line breaks.
inline QString toQtLines(const std::string& text) {
    return toQt(text).replace("\r\n", "\n");
}
inline std::string fromQtLines(QString text) {
    return fromQt(text.replace('\n', "\r\n"));
}

}  // namespace qtplatform
