// The server's request path on arbitrary console bytes: reads of any content go through the
// message assembler into the engine, from several consoles at once, with log-ins answered either
// way, time moving on and consoles coming and going. Whatever the consoles send, the server
// never fails, and every message it sends is a whole, well-formed reply a console can read.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/wire/codec.h"
#include "core/wire/codepage.h"
#include "core/wire/receive.h"
#include "core/wire/request_keywords.h"
#include "fuzz/fuzz_check.h"
#include "server/engine/engine.h"
#include "server/engine/memory_store.h"
#include "server/engine/message_assembler.h"

namespace {

using zarnevo::ConsoleId;

constexpr ConsoleId kConsoles = 3;

class CheckedOutbox : public zarnevo::Outbox {
public:
    // A message is checked the first time it is sent: the switches go out to every console that
    // connects or greets, and an unchanged client's record goes out alike, again and again.
    void send(ConsoleId, const std::string& plainMessage) override {
        if (checked_.insert(plainMessage).second) {
            FUZZ_CHECK(wire::IsWellFormedMessage(wire::Utf8ToCp1252(plainMessage)));
        }
    }
    void disconnect(ConsoleId) override {}

private:
    std::unordered_set<std::string> checked_;
};

// Password checks are answered by the fuzzer, at once, not by hashing.
class PendingChecks : public zarnevo::PasswordVerifier {
public:
    void start(zarnevo::PasswordCheckId id, zarnevo::PasswordCheck) override { ids.push_back(id); }
    std::vector<zarnevo::PasswordCheckId> ids;
};

// A console message as a console writes it: a known keyword and values, or anything at all.
std::string ConsoleMessage(FuzzedDataProvider& input) {
    const auto keywords = wire::request::Keywords();
    if (input.ConsumeBool()) {
        return input.ConsumeRandomLengthString(256);
    }
    std::string message = input.ConsumeBool() ? "||" : "";
    message += keywords[input.ConsumeIntegralInRange<std::size_t>(0, keywords.size() - 1)];
    for (int values = input.ConsumeIntegralInRange<int>(0, 4); values > 0; --values) {
        message += "||" + input.ConsumeRandomLengthString(40);
    }
    return message + "||";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    zarnevo::MemoryStore store;
    store.putOperator({"ADMINISTRATOR", "ADMINISTRATOR", {}});
    store.putOperator({"CLERK", "USER", {}});
    store.putStaff({"JOHN", {}});
    CheckedOutbox outbox;
    PendingChecks checks;
    zarnevo::SeededRandom random(input.ConsumeIntegral<std::uint8_t>());
    zarnevo::EngineOptions options;
    // Up to 16 slots reach what a larger café does: a change of more than four slots that is not
    // most of them (10 slots and up), and a demo café's clients in each special mode (slots 3, 6,
    // 9 and 12, or later ones when some of those start empty). More slots would only make every
    // client list and every tick longer.
    options.slots = input.ConsumeIntegralInRange<int>(1, 16);
    options.demo = input.ConsumeBool();
    options.passwordCost = zarnevo::PasswordCost::Minimal;
    zarnevo::Engine engine(
        store, outbox, options, [](const std::string&) {}, random);
    engine.checkPasswordsWith(checks);

    // Made once: sorting the keywords for every input would cost more than most inputs.
    static const zarnevo::MessageAssembler kFreshAssembler(wire::request::Keywords());
    // Each made when its console first sends: most inputs keep one or two of them busy.
    std::vector<std::optional<zarnevo::MessageAssembler>> assemblers(kConsoles);
    std::vector<bool> connected(kConsoles, false);
    std::int64_t now = 1'000'000;
    while (input.remaining_bytes() > 0) {
        const ConsoleId console = input.ConsumeIntegralInRange<ConsoleId>(0, kConsoles - 1);
        switch (input.ConsumeIntegralInRange<int>(0, 5)) {
            case 0:
                if (!connected[console]) {
                    engine.consoleConnected(console, "127.0.0.1", now);
                    connected[console] = true;
                }
                break;
            case 1:
                if (connected[console]) {
                    engine.consoleDisconnected(console);
                    connected[console] = false;
                }
                break;
            case 2:
                now += input.ConsumeIntegralInRange<std::int64_t>(0, 120'000);
                engine.tick(now);
                break;
            case 3:
                if (!checks.ids.empty()) {
                    zarnevo::PasswordVerdict verdict;
                    verdict.matches = input.ConsumeBool();
                    engine.passwordChecked(checks.ids.back(), verdict, now);
                    checks.ids.pop_back();
                }
                break;
            default: {
                if (!connected[console]) {
                    break;
                }
                // Encoded messages, cut anywhere, sometimes with stray bytes among them.
                std::string bytes = wire::EncodeText(ConsoleMessage(input));
                if (input.ConsumeBool()) {
                    bytes.insert(input.ConsumeIntegralInRange<std::size_t>(0, bytes.size()),
                                 input.ConsumeRandomLengthString(4));
                }
                auto& assembler = assemblers[console];
                if (!assembler) {
                    assembler.emplace(kFreshAssembler);
                }
                const auto fed = assembler->feed(bytes, now);
                for (const std::string& message : fed.messages) {
                    engine.receive(console, message, now);
                }
                if (const auto rest = assembler->takeQuiet(now + 1000)) {
                    engine.receive(console, *rest, now);
                }
                break;
            }
        }
    }
    return 0;
}
