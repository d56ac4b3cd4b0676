// kestova-audit: checks and prints the console's audit log, for the café's owner or a technician
// who wants to know whether the log was altered since it was written.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "tools/kestova-audit/commands.h"

namespace {

constexpr std::string_view kUsage =
    "Usage: kestova-audit verify [--expect SEAL] FILE\n"
    "       kestova-audit print FILE\n"
    "\n"
    "Commands:\n"
    "  verify FILE      check the chain of the audit log FILE: exits 0 when it is intact, 1 with\n"
    "                   the first broken entry (altered, removed or reordered) and why\n"
    "  print FILE       the entries as a table, oldest first\n"
    "\n"
    "FILE - reads standard input. The console keeps its log in\n"
    "~/.local/share/kestova/audit.jsonl ($XDG_DATA_HOME/kestova), or beside its settings when\n"
    "$KESTOVA_CONFIG_DIR is set. A line cut off by a crash is reported, not counted as\n"
    "tampering; any other line that holds no entry is a break. FILE must be a regular file.\n"
    "A long log is printed in tables of 50,000 rows.\n"
    "\n"
    "Options:\n"
    "  --expect SEAL    the log must still hold the entry of this seal (at least 16 of its\n"
    "                   hexadecimal digits, as verify and the Audit Trail window show them):\n"
    "                   this shows entries removed from the end of the log\n"
    "  -h, --help       show this help\n"
    "  --version        show the version\n";

int UsageError(const std::string& message) {
    std::cerr << "kestova-audit: " << message << "\n"
              << "Try 'kestova-audit --help'.\n";
    return kestovaaudit::kUsageError;
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (args.empty()) {
        return UsageError("no command given");
    }
    const std::string command = args[0];
    if (command == "-h" || command == "--help" || command == "help") {
        std::cout << kUsage;
        return 0;
    }
    if (command == "--version") {
        std::cout << "kestova-audit " << KESTOVA_VERSION_MAJOR << "." << KESTOVA_VERSION_MINOR
                  << "." << KESTOVA_VERSION_PATCH << "\n";
        return 0;
    }
    if (command != "verify" && command != "print") {
        return UsageError("unknown command '" + command + "'");
    }
    args.erase(args.begin());
    std::string noted;
    if (command == "verify" && !args.empty() && args[0] == "--expect") {
        if (args.size() < 2 || !kestovaaudit::IsSeal(args[1])) {
            return UsageError("--expect takes a seal of 16 to 64 hexadecimal digits");
        }
        noted = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.size() != 1) {
        return UsageError(args.empty() ? "no FILE given" : "one FILE only");
    }
    if (args[0].size() > 1 && args[0][0] == '-') {
        return UsageError("unknown option '" + args[0] + "'");
    }
    const std::string& path = args[0];
    std::ifstream file;
    if (path != "-") {
        // Nothing but a file is read: a pipe or a device could hold the program forever.
        std::error_code error;
        const auto status = std::filesystem::status(path, error);
        if (!error && std::filesystem::exists(status) &&
            !std::filesystem::is_regular_file(status)) {
            std::cerr << "kestova-audit: " << path << " is not a regular file\n";
            return kestovaaudit::kUsageError;
        }
        file.open(path, std::ios::binary);
        if (!file) {
            std::cerr << "kestova-audit: cannot read " << path << "\n";
            return kestovaaudit::kUsageError;
        }
    }
    std::istream& log = path == "-" ? std::cin : file;
    const int exitCode = command == "verify" ? kestovaaudit::Verify(log, noted, std::cout)
                                             : kestovaaudit::Print(log, std::cout);
    std::cout.flush();
    if (log.bad()) {
        std::cerr << "kestova-audit: cannot read " << path << "\n";
        return kestovaaudit::kUsageError;
    }
    return std::cout.good() ? exitCode : kestovaaudit::kUsageError;
}
