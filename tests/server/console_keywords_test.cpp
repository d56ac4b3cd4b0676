// The host separates merged console messages at the keywords they begin with; that list lives
// beside the engine's handlers, so this keeps the two from drifting apart.
#include "server/engine/console_keywords.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "core/wire/codec.h"
#include "server/engine/engine.h"
#include "server/engine/memory_store.h"
#include "server/engine/message_assembler.h"
#include "server/engine/outbox.h"
#include "server/engine/request.h"

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
    engine.consoleConnected(1, "127.0.0.1", 0);
    engine.receive(1, "AUTHENTICATING||FALSE||LOCALHOSTNAME||Kestova[keywords]||", 0);
    for (std::string_view keyword : ConsoleMessageKeywords()) {
        log.clear();
        engine.receive(1, "||" + std::string(keyword) + "||||", 0);
        for (const std::string& line : log) {
            EXPECT_EQ(line.find("unknown request"), std::string::npos) << keyword << ": " << line;
        }
    }
}

TEST(ConsoleKeywords, TheConsolesCommandFormsAreSeparatedFromTheNextAtOnce) {
    // Those whose keyword is the tail of another, holds another or comes without leading bars.
    for (const std::string command :
         {"||KESTOVA-INFO||3||", "KESTOVA||3||MESSAGE|Hi||||", "||KESTOVA||3||CHANGENAME|PC9||",
          "||UPDATE||", "||F-UPDATE||4||", "||F-PAUSE||3||", "||F-UNPAUSEALL||||",
          "||SMESSAGE||KESTOVA: Hi||", "||F-DISMESS||||"}) {
        MessageAssembler assembler(ConsoleMessageKeywords());
        const auto fed =
            assembler.feed(wire::EncodeText(command) + wire::EncodeText("||YESCONNECT||||"), 0);
        // Bars may move to the neighbour (a message need not begin with them); what the engine
        // reads stays the same.
        ASSERT_EQ(fed.messages.size(), 2u) << command;
        const auto read = ParseRequest(fed.messages[0]), meant = ParseRequest(command);
        EXPECT_EQ(std::tie(read->keyword, read->values), std::tie(meant->keyword, meant->values));
    }
}

}  // namespace
}  // namespace zarnevo
