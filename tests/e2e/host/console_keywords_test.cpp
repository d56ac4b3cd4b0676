// The host separates merged console messages at the keywords they begin with; that list lives
// beside the engine's handlers, so this keeps the two from drifting apart.
#include "server/host/console_keywords.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "server/engine/engine.h"
#include "server/engine/memory_store.h"
#include "server/engine/outbox.h"

namespace zarnevo {
namespace {

class DiscardingOutbox : public Outbox {
public:
    void send(ConsoleId, const std::string&) override {}
    void disconnect(ConsoleId) override {}
};

TEST(ConsoleKeywords, EveryKeywordTheHostSeparatesAtIsOneTheEngineHandles) {
    MemoryStore store;
    DiscardingOutbox outbox;
    std::vector<std::string> log;
    Engine engine(store, outbox, EngineOptions{},
                  [&](const std::string& line) { log.push_back(line); });
    engine.consoleConnected(1, 0);
    engine.receive(1, "AUTHENTICATING||FALSE||LOCALHOSTNAME||Kestova[keywords]||", 0);
    for (std::string_view keyword : ConsoleMessageKeywords()) {
        log.clear();
        engine.receive(1, "||" + std::string(keyword) + "||||", 0);
        for (const std::string& line : log) {
            EXPECT_EQ(line.find("unknown request"), std::string::npos) << keyword << ": " << line;
        }
    }
}

}  // namespace
}  // namespace zarnevo
