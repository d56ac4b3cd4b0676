#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "server/engine/engine.h"
#include "server/engine/memory_store.h"
#include "server/engine/texts.h"

namespace zarnevo::testing {

// Collects what the engine sends, per console, in order.
class RecordingOutbox final : public Outbox {
public:
    void send(ConsoleId console, const std::string& plainMessage) override {
        sent.emplace_back(console, plainMessage);
    }
    void disconnect(ConsoleId console) override { dropped.push_back(console); }

    std::vector<std::string> to(ConsoleId console) const {
        std::vector<std::string> out;
        for (const auto& [id, message] : sent) {
            if (id == console)
                out.push_back(message);
        }
        return out;
    }
    // Messages to the console whose keyword (first element) is the given one.
    std::vector<std::string> to(ConsoleId console, std::string_view keyword) const {
        std::vector<std::string> out;
        const std::string prefix = "||" + std::string(keyword) + "||";
        for (const std::string& message : to(console)) {
            if (message.starts_with(prefix))
                out.push_back(message);
        }
        return out;
    }
    void clear() { sent.clear(); }

    std::vector<std::pair<ConsoleId, std::string>> sent;
    std::vector<ConsoleId> dropped;
};

// What a console says first on a new connection.
inline constexpr const char* kGreeting =
    "AUTHENTICATING||FALSE||STATE||Authenticating ..||LOCALIP||[127.0.0.1]||LOCALHOSTNAME||"
    "Kestova[counter]||";

// 14:30 on 5 March 2026, local time (the tests run in UTC).
std::int64_t TestNow();
inline constexpr std::int64_t kMinuteMs = 60'000;
inline constexpr std::int64_t kHourMs = 60 * kMinuteMs;
inline constexpr std::int64_t kDayMs = 24 * kHourMs;

// The value of a one-value reply "||KEY||value||".
std::string ValueOf(const std::string& message);
// The record of an UPDATE reply split into its fields.
std::vector<std::string> RecordFields(const std::string& updateMessage);

// The options with the cheapest password hashes, which the tests' accounts have.
EngineOptions WithCheapHashes(EngineOptions options);

// An engine over an in-memory store with the accounts of a café: operators ADMINISTRATOR
// (admin), CLERK (clerk, USER), GUEST (guest, VIEWER); POS staff JOHN (john) and MARY (mary).
class EngineTest : public ::testing::Test {
protected:
    explicit EngineTest(EngineOptions options = EngineOptions{});

    // Connects a console and greets as the console does; each console comes from an address of
    // its own unless one is given.
    void connect(ConsoleId console);
    void connect(ConsoleId console, const std::string& address);
    void say(ConsoleId console, std::string_view message) { engine.receive(console, message, now); }
    // Connects a console, logs the operator in and forgets what was sent so far.
    void connectAs(ConsoleId console, const std::string& user, const std::string& password);
    // Connects a console and signs the POS staff member in.
    void connectStaff(ConsoleId console, const std::string& staff, const std::string& password);
    std::vector<std::string> sentTo(ConsoleId console) const { return outbox.to(console); }
    std::vector<std::string> sentTo(ConsoleId console, std::string_view keyword) const {
        return outbox.to(console, keyword);
    }
    // The latest UPDATE record of the slot sent to the console.
    std::vector<std::string> lastRecord(ConsoleId console, int slot) const;

    std::int64_t now = TestNow();
    MemoryStore store;
    RecordingOutbox outbox;
    SeededRandom random{7};
    std::vector<std::string> logLines;
    Engine engine;
};

}  // namespace zarnevo::testing
