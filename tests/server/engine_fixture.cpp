#include "tests/server/engine_fixture.h"

#include <cstdlib>
#include <ctime>

#include "server/engine/password_hash.h"

namespace zarnevo::testing {
namespace {

// Day boundaries and clock texts are local; the tests pin the zone so their texts are fixed.
class UtcZone final : public ::testing::Environment {
public:
    void SetUp() override {
        setenv("TZ", "UTC", 1);
        tzset();
    }
};
[[maybe_unused]] ::testing::Environment* const kZone =
    ::testing::AddGlobalTestEnvironment(new UtcZone);

}  // namespace

std::int64_t TestNow() {
    // 2026-03-05 00:00 UTC is 20,517 days after the epoch.
    return 20'517 * kDayMs + 14 * kHourMs + 30 * kMinuteMs;
}

std::string ValueOf(const std::string& message) {
    const std::vector<std::string> elements = SplitOn(message, "||");
    return elements.size() > 2 ? elements[2] : std::string();
}

std::vector<std::string> RecordFields(const std::string& updateMessage) {
    return SplitOn(ValueOf(updateMessage), "==");
}

EngineOptions WithCheapHashes(EngineOptions options) {
    options.passwordCost = PasswordCost::Minimal;
    return options;
}

EngineTest::EngineTest(EngineOptions options)
    : engine(
          store, outbox, WithCheapHashes(options),
          [this](const std::string& line) { logLines.push_back(line); }, random) {
    // The accounts' hashes are made once for all tests.
    static const std::vector<PasswordHash> kHashes = [] {
        std::vector<PasswordHash> hashes;
        for (const char* password : {"admin", "clerk", "guest", "john", "mary"}) {
            hashes.push_back(HashPassword(password, PasswordCost::Minimal));
        }
        return hashes;
    }();
    store.putOperator(Operator{"ADMINISTRATOR", "ADMINISTRATOR", kHashes[0]});
    store.putOperator(Operator{"CLERK", "USER", kHashes[1]});
    store.putOperator(Operator{"GUEST", "VIEWER", kHashes[2]});
    store.putStaff(StaffMember{"JOHN", kHashes[3]});
    store.putStaff(StaffMember{"MARY", kHashes[4]});
}

void EngineTest::connect(ConsoleId console) {
    connect(console, "127.0.0." + std::to_string(console));
}

void EngineTest::connect(ConsoleId console, const std::string& address) {
    engine.consoleConnected(console, address, now);
    say(console, kGreeting);
}

void EngineTest::connectAs(ConsoleId console, const std::string& user,
                           const std::string& password) {
    connect(console);
    say(console, "||F-LOGIN||Username = '" + user + "' and Password = '" + password + "'||");
    outbox.clear();
}

void EngineTest::connectStaff(ConsoleId console, const std::string& staff,
                              const std::string& password) {
    connect(console);
    say(console, "||F-POSLOG||Username = '" + staff + "' and Password = '" + password + "'||");
    outbox.clear();
}

std::vector<std::string> EngineTest::lastRecord(ConsoleId console, int slot) const {
    std::vector<std::string> last;
    for (const std::string& message : sentTo(console, "UPDATE")) {
        std::vector<std::string> fields = RecordFields(message);
        if (fields.size() > 1 && fields[1] == std::to_string(slot))
            last = std::move(fields);
    }
    return last;
}

}  // namespace zarnevo::testing
