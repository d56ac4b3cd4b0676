// The console's receive path on arbitrary bytes: reads of any length and content at any pace,
// and genuine server messages (with keywords the console knows or not, the last perhaps without
// the "||" before its keyword) cut at any point with any pause, go through the reader.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/wire/codec.h"
#include "core/wire/codepage.h"
#include "core/wire/framing.h"
#include "core/wire/receive.h"
#include "core/wire/replies.h"
#include "fuzz/fuzz_check.h"

namespace {

// Whatever comes out is a message that begins with a keyword, known or not.
void CheckWhole(const std::vector<std::string>& messages) {
    for (const std::string& message : messages) {
        const std::vector<std::string> elements = wire::SplitElements(message);
        const auto first = wire::FirstPairIndex(elements);
        FUZZ_CHECK(first.has_value());
        FUZZ_CHECK(wire::IsKeywordShaped(elements[*first]));
    }
}

// A keyword no console knows, in either case.
std::string UnknownKeyword(FuzzedDataProvider& input) {
    std::string name = "X-";
    for (int i = input.ConsumeIntegralInRange(1, 6); i > 0; --i) {
        name += static_cast<char>((input.ConsumeBool() ? 'A' : 'a') +
                                  input.ConsumeIntegralInRange(0, 25));
    }
    return name;
}

std::string GenuineMessage(FuzzedDataProvider& input) {
    std::string name;
    std::size_t values = 0;
    if (input.ConsumeIntegralInRange(0, 7) == 0) {
        name = UnknownKeyword(input);
        values = input.ConsumeIntegralInRange<std::size_t>(1, 2);
    } else {
        const auto keywords = wire::reply::Keywords();
        const wire::reply::Keyword& keyword =
            keywords[input.ConsumeIntegralInRange<std::size_t>(0, keywords.size() - 1)];
        name = keyword.name;
        values = keyword.values;
    }
    std::string message = "||" + name + "||";
    for (std::size_t i = 0; i < values; ++i) {
        // A server's value holds no separator; the tilde keeps it from reading as a keyword,
        // which the end of a message cut right after it could not be told from.
        std::string value = "~" + input.ConsumeRandomLengthString(64);
        for (char& c : value) {
            c = c == '|' ? '/' : c;
        }
        message += value + "||";
    }
    return message;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    wire::ReaderOptions options;
    const bool genuine = input.ConsumeBool();
    // Genuine messages all fit the receive buffer; hostile bytes meet caps of every size.
    if (!genuine) {
        options.capDigits = input.ConsumeIntegralInRange<std::size_t>(6, 1 << 16);
    }
    wire::ReplyReader reader(options, [](const std::string&) {});
    // The last message of a genuine run may lack the "||" before its reply keyword.
    const bool bareLast = genuine && input.ConsumeBool();
    std::int64_t now = 0;
    std::vector<std::string> sent;
    std::vector<std::string> received;
    auto take = [&] {
        auto messages = reader.take(now);
        CheckWhole(messages);
        received.insert(received.end(), messages.begin(), messages.end());
    };
    while (input.remaining_bytes() > 0) {
        if (genuine) {
            // Server messages, each cut into reads at random points, with pauses shorter than
            // the reader waits for the rest of a message.
            const std::string message = GenuineMessage(input);
            const std::string digits = wire::EncodeBytes(message);
            sent.push_back(wire::Cp1252ToUtf8(message));
            std::size_t at = 0;
            while (at < digits.size()) {
                // Once the input is spent, the rest in one read, not a digit at a time.
                const std::size_t piece =
                    input.remaining_bytes() > 0
                        ? input.ConsumeIntegralInRange<std::size_t>(1, digits.size())
                        : digits.size() - at;
                reader.feed(std::string_view(digits).substr(at, piece), now);
                at += piece;
                now += input.ConsumeIntegralInRange<std::int64_t>(0, 1500);
                take();
            }
        } else {
            const std::string read = input.ConsumeRandomLengthString(1 << 14);
            reader.feed(read, now);
            FUZZ_CHECK(reader.pendingDigits() <= options.capDigits);
            now += input.ConsumeIntegralInRange<std::int64_t>(0, 3000);
            take();
        }
    }
    if (bareLast) {
        sent.emplace_back("TYPE||~USER||");
        reader.feed(wire::EncodeText(sent.back()), now);
        take();
    }
    now += options.incompleteMs;
    take();
    FUZZ_CHECK(reader.pendingDigits() == 0);
    if (genuine) {
        FUZZ_CHECK(received == sent);
    }
    return 0;
}
