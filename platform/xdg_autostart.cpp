#include "platform/xdg_autostart.h"

#include <system_error>

namespace platform {
namespace {

bool HasControl(const std::string& text) {
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            return true;
        }
    }
    return false;
}

bool IsPlainEntryName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           !HasControl(name);
}

// The desktop standard's escapes of a string value: a backslash is written twice.
std::string StringValue(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\') {
            out += "\\\\";
        } else {
            out.push_back(c);
        }
    }
    return out;
}

// One argument of an Exec line: quoted when it holds a reserved character, with `"`, "`", "$"
// and "\" escaped inside the quotes; a "%" is doubled so it is not read as a field code.
std::string ExecArgument(const std::string& argument) {
    static constexpr std::string_view kReserved = " \t\"'\\><~|&;$*?#()`";
    std::string out;
    const bool quote = argument.find_first_of(kReserved) != std::string::npos;
    if (quote) {
        out.push_back('"');
    }
    for (char c : argument) {
        if (c == '%') {
            out += "%%";
            continue;
        }
        if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) {
            out.push_back('\\');
        }
        out.push_back(c);
    }
    if (quote) {
        out.push_back('"');
    }
    return out;
}

}  // namespace

std::string DesktopEntryText(const std::string& entryName, const std::string& executablePath) {
    if (HasControl(executablePath) || HasControl(entryName) || executablePath.empty()) {
        return {};
    }
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=" +
           StringValue(entryName) +
           "\n"
           "Exec=" +
           StringValue(ExecArgument(executablePath)) +
           "\n"
           "X-GNOME-Autostart-enabled=true\n";
}

XdgAutostart::XdgAutostart(std::filesystem::path directory) : files_(std::move(directory)) {}

bool XdgAutostart::add(const std::string& entryName, const std::string& executablePath) {
    const std::string text = DesktopEntryText(entryName, executablePath);
    if (!IsPlainEntryName(entryName) || text.empty()) {
        return false;
    }
    return files_.writeAtomically(entryName + ".desktop", text);
}

bool XdgAutostart::remove(const std::string& entryName) {
    if (!IsPlainEntryName(entryName)) {
        return false;
    }
    std::error_code error;
    std::filesystem::remove(fileOf(entryName), error);
    return !error;
}

bool XdgAutostart::exists(const std::string& entryName) const {
    std::error_code error;
    return IsPlainEntryName(entryName) && std::filesystem::exists(fileOf(entryName), error);
}

std::filesystem::path XdgAutostart::fileOf(const std::string& entryName) const {
    return files_.directory() / (entryName + ".desktop");
}

}  // namespace platform
