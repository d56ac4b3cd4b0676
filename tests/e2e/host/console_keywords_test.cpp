// The host separates merged console messages at the keywords they begin with; that list lives
// beside the engine's handlers, so this keeps the two from drifting apart.
#include "server/host/console_keywords.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/wire/codec.h"
#include "server/engine/engine.h"
#include "server/engine/memory_store.h"
#include "server/engine/outbox.h"
#include "server/engine/request.h"
#include "server/host/message_assembler.h"

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

TEST(ConsoleKeywords, EveryCommandFormOfTheConsoleIsSeparatedFromTheNextAtOnce) {
    const std::string next = "||YESCONNECT||||";
    for (const std::string command : {"||F-ALLOCATE||1800||TRUE||3||",
                                      "||F-ALLOCATE||1800||FALSE||3||",
                                      "||F-DEALLOCATE||600||3||",
                                      "||F-PAUSEALL||||",
                                      "||F-UNPAUSEALL||||",
                                      "||F-PAUSE||3||",
                                      "KESTOVA||3||MESSAGE|Closing soon||||",
                                      "||KESTOVA||3||MESSAGE|Closing soon||||",
                                      "||KESTOVA||3||MESSAGE|||||",
                                      "||F-LOGOFF||3||",
                                      "||F-DISCONNECT||4||",
                                      "||F-UPDATE||4||",
                                      "||KESTOVA||3||ENDTIMER||",
                                      "||KESTOVA||3||RELOAD||",
                                      "||KESTOVA||3||RESTART||",
                                      "||KESTOVA||3||SHUTDOWN||",
                                      "||KESTOVA||3||ENABLE||",
                                      "||KESTOVA||3||DISABLE||",
                                      "||KESTOVA||3||RELOCATE||",
                                      "||KESTOVA||3||CLEARDESKTOP||",
                                      "||KESTOVA||3||CHANGENAME|PC9||",
                                      "||F-ALLOWPRINT||3||",
                                      "||F-PREVENTPRINT||3||",
                                      "||KESTOVA-INFO||3||",
                                      "||F-RESET||||",
                                      "||F-DISLOG||||",
                                      "||F-ALLOWPAUSE||||",
                                      "||F-ALLOWTIME||||",
                                      "||F-BROADCAST||||",
                                      "||UPDATE||",
                                      "||F-DISMESS||||",
                                      "||SMESSAGE||KESTOVA: Printer jam||"}) {
        MessageAssembler assembler(ConsoleMessageKeywords());
        const auto fed = assembler.feed(wire::EncodeText(command) + wire::EncodeText(next), 0);
        // Bars may move between neighbours (a message need not begin with them); what the engine
        // reads stays the same.
        ASSERT_EQ(fed.messages.size(), 2u) << command;
        for (std::size_t i = 0; i < 2; ++i) {
            const auto read = ParseRequest(fed.messages[i]);
            const auto meant = ParseRequest(i == 0 ? command : next);
            ASSERT_TRUE(read && meant) << command;
            EXPECT_EQ(read->keyword, meant->keyword) << command;
            EXPECT_EQ(read->values, meant->values) << command;
        }
    }
}

}  // namespace
}  // namespace zarnevo
