// The host separates merged console messages at the keywords they begin with, the console's
// shared list; this keeps the engine's handlers from drifting apart from it.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "core/wire/codec.h"
#include "core/wire/request_keywords.h"
#include "core/wire/request_texts.h"
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
    for (std::string_view keyword : wire::request::Keywords()) {
        log.clear();
        engine.receive(1, "||" + std::string(keyword) + "||||", 0);
        for (const std::string& line : log) {
            EXPECT_EQ(line.find("unknown request"), std::string::npos) << keyword << ": " << line;
        }
    }
}

// The message is separated from the next at once and read as it was meant.
void ExpectSeparatedAtOnce(const std::string& message) {
    MessageAssembler assembler(wire::request::Keywords());
    const auto fed =
        assembler.feed(wire::EncodeText(message) + wire::EncodeText("||YESCONNECT||||"), 0);
    // Bars may move to the neighbour (a message need not begin with them); what the engine
    // reads stays the same.
    ASSERT_EQ(fed.messages.size(), 2u) << message;
    const auto read = ParseRequest(fed.messages[0]), meant = ParseRequest(message);
    EXPECT_EQ(std::tie(read->keyword, read->values), std::tie(meant->keyword, meant->values));
}

TEST(ConsoleKeywords, TheConsolesCommandFormsAreSeparatedFromTheNextAtOnce) {
    // Those whose keyword is the tail of another, holds another or comes without leading bars.
    for (const std::string command :
         {"||KESTOVA-INFO||3||", "KESTOVA||3||MESSAGE|Hi||||", "||KESTOVA||3||CHANGENAME|PC9||",
          "||UPDATE||", "||F-UPDATE||4||", "||F-PAUSE||3||", "||F-UNPAUSEALL||||",
          "||SMESSAGE||KESTOVA: Hi||", "||F-DISMESS||||"}) {
        ExpectSeparatedAtOnce(command);
    }
}

TEST(ConsoleKeywords, EveryTextTheConsoleBuildsIsSeparatedAtOnce) {
    using namespace wire::request;
    const TicketSelection number{TicketSelection::Kind::ByNumber, "", "000000000012", "007", ""};
    const TicketSelection range{TicketSelection::Kind::Range, "", "000000000012", "001", "010"};
    for (const std::string& text :
         {GreetingText("127.0.0.1", "till"),
          RefreshListText(),
          FirstListText(),
          ListAgainText(),
          OperatorLoginText("ADMIN", "pw"),
          StaffSignInText("JOHN", "pw"),
          AllocateText(1800, true, 3),
          DeallocateText(600, 3),
          SlotCommandText(UpdateClient, 4),
          ClientCommandText(3, client::Restart),
          RenameClientText(3, "PC9"),
          MessageToClientText(2, "Hi"),
          AllClientsCommandText(2, client::Message, "Hi"),
          CafeCommandText(UnpauseAll),
          MessageToServerText("Hi"),
          StaffFiguresText("JOHN"),
          TicketBatchText({"60", "3", "100", "False", true, false, "JOHN"}),
          GiveBackBatchText("KSG1"),
          ActivationText(range, true, "JOHN"),
          TicketLookUpText(number),
          SalesSummaryText("JOHN", 0),
          TicketSearchText("KSG1"),
          ReportText(Report::PointOfSale, "5", 3, "2004")}) {
        ExpectSeparatedAtOnce(text);
    }
}

TEST(ConsoleKeywords, TheEngineReadsTheCredentialsAsTheConsoleWritesThem) {
    // A password may hold the very text that separates it from the user name.
    for (const auto& [user, password] :
         {std::pair{"ADMIN", "it's"}, std::pair{"JOHN", "a' and Password = 'b"}}) {
        for (const std::string& text : {wire::request::OperatorLoginText(user, password),
                                        wire::request::StaffSignInText(user, password)}) {
            const auto credentials = ParseConditionText(ParseRequest(text)->rawValue);
            ASSERT_TRUE(credentials.has_value()) << text;
            EXPECT_EQ(credentials->user, user);
            EXPECT_EQ(credentials->password, password);
        }
    }
}

}  // namespace
}  // namespace zarnevo
