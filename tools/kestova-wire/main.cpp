// kestova-wire: encode, decode and split messages of the console's server protocol, for
// technicians reading a packet capture or typing a test message.

#include <array>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/kestova-wire/commands.h"

namespace {

constexpr std::string_view kUsage =
    "Usage: kestova-wire COMMAND [TEXT...]\n"
    "\n"
    "Commands:\n"
    "  encode [TEXT...]             UTF-8 text to the digits sent on the wire\n"
    "  decode [--messages] [DIGITS...]\n"
    "                               digits from the wire to UTF-8 text; with --messages, one\n"
    "                               message per line in the order the server sent them\n"
    "  split [TEXT...]              a decoded message to its pairs: one line each, keyword,\n"
    "                               a tab and the value (a keyword without a value stands alone)\n"
    "\n"
    "Several TEXT arguments are joined with single spaces. Without TEXT the input is read from\n"
    "standard input and one trailing line break is removed. Text is UTF-8 on the terminal and\n"
    "Windows-1252 on the wire; a character the code page lacks travels as \"?\". Whitespace\n"
    "between digits is ignored. Control characters in split and --messages output are shown\n"
    "as \\xHH. A command reads at most 8 MiB, except decode --messages, which reads a capture\n"
    "of any length message by message.\n"
    "\n"
    "Options:\n"
    "  -h, --help                   show this help\n"
    "      --version                show the version\n";

constexpr int kUsageError = 2;

int UsageError(const std::string& message) {
    std::cerr << "kestova-wire: " << message << "\n"
              << "Try 'kestova-wire --help'.\n";
    return kUsageError;
}

// Standard input, whole, up to the most a command reads that way; nothing when there is more.
std::optional<std::string> ReadStandardInput() {
    std::string text;
    std::array<char, 64 * 1024> block;
    while (std::cin) {
        std::cin.read(block.data(), static_cast<std::streamsize>(block.size()));
        text.append(block.data(), static_cast<std::size_t>(std::cin.gcount()));
        if (text.size() > kestovawire::kMaxInputBytes + 2) {
            return std::nullopt;
        }
    }
    if (!text.empty() && text.back() == '\n') {
        text.pop_back();
        if (!text.empty() && text.back() == '\r') {
            text.pop_back();
        }
    }
    if (text.size() > kestovawire::kMaxInputBytes) {
        return std::nullopt;
    }
    return text;
}

// Decodes standard input a block at a time, writing what is ready as it goes.
kestovawire::Result DecodeStandardInput(bool messages) {
    kestovawire::Decoder decoder(messages);
    std::array<char, 64 * 1024> block;
    while (std::cin) {
        std::cin.read(block.data(), static_cast<std::streamsize>(block.size()));
        const kestovawire::Result fed = decoder.feed(
            std::string_view(block.data(), static_cast<std::size_t>(std::cin.gcount())));
        if (!fed.error.empty()) {
            return fed;
        }
        std::cout << fed.output;
    }
    return decoder.finish();
}

std::string Joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) {
        if (!text.empty()) {
            text.push_back(' ');
        }
        text += word;
    }
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (args.empty()) {
        return UsageError("no command given");
    }
    if (args[0] == "-h" || args[0] == "--help" || args[0] == "help") {
        std::cout << kUsage;
        return 0;
    }
    if (args[0] == "--version") {
        std::cout << "kestova-wire " << KESTOVA_VERSION_MAJOR << "." << KESTOVA_VERSION_MINOR << "."
                  << KESTOVA_VERSION_PATCH << "\n";
        return 0;
    }
    const std::string& command = args[0];
    std::vector<std::string> words(args.begin() + 1, args.end());
    bool messages = false;
    if (command == "decode" && !words.empty() && words[0] == "--messages") {
        messages = true;
        words.erase(words.begin());
    }
    if (!words.empty() && words[0] == "--") {
        words.erase(words.begin());
    } else if (!words.empty() && words[0].size() > 1 && words[0][0] == '-' && command != "decode") {
        // Options end at the command; text that looks like one must follow "--".
        return UsageError("unknown option '" + words[0] + "' (put text after --)");
    }
    if (command != "encode" && command != "decode" && command != "split") {
        return UsageError("unknown command '" + command + "'");
    }

    kestovawire::Result result;
    if (command == "decode" && words.empty()) {
        result = DecodeStandardInput(messages);
    } else {
        const std::optional<std::string> input =
            words.empty() ? ReadStandardInput() : std::optional(Joined(words));
        if (!input) {
            std::cerr << "kestova-wire: standard input holds more than "
                      << kestovawire::kMaxInputBytes / (1024 * 1024) << " MiB\n";
            return 1;
        }
        result = command == "encode"   ? kestovawire::Encode(*input)
                 : command == "decode" ? kestovawire::Decode(*input, messages)
                                       : kestovawire::Split(*input);
    }
    if (!result.error.empty()) {
        std::cerr << "kestova-wire: " << result.error << "\n";
        return 1;
    }
    std::cout << result.output;
    std::cout.flush();
    return std::cout.good() ? 0 : 1;
}
