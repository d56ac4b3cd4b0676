// Each builder's exact text: these are the bytes the server reads, so a change here is a change
// of the protocol.
#include "core/wire/request_texts.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/wire/discovery.h"
#include "core/wire/framing.h"
#include "core/wire/request_keywords.h"

namespace {

using namespace wire::request;
using Kind = TicketSelection::Kind;

struct Pinned {
    std::string built;
    std::string_view text;
};

TEST(RequestTexts, EachBuilderWritesItsExactText) {
    const TicketSelection byUser{Kind::ByUser, "jo|hn", "", "", ""};
    const TicketSelection byNumber{Kind::ByNumber, "", "000000000012", "007", ""};
    const TicketSelection group{Kind::WholeGroup, "", "ksg1", "", ""};
    const TicketSelection range{Kind::Range, "", "000000000012", "001", "010"};
    const Pinned table[] = {
        {GreetingText("127.0.0.1", "till"),
         "AUTHENTICATING||FALSE||STATE||Authenticating ..||LOCALIP||[127.0.0.1]||LOCALHOSTNAME||"
         "Kestova[till]||"},
        {RefreshListText(), "UPDATE||||"},
        {FirstListText(), "||UPDATE||||"},
        {ListAgainText(), "||UPDATE||"},
        {KeepAliveAnswerText(), "||YESCONNECT||||"},
        {OperatorLoginText("ADMIN", "it's"),
         "||F-LOGIN||Username = 'ADMIN' and Password = 'it's'||"},
        {StaffSignInText("JOHN", "pw"), "||F-POSLOG||Username = 'JOHN' and Password = 'pw'||"},
        {AllocateText(1800, true, 3), "||F-ALLOCATE||1800||TRUE||3||"},
        {AllocateText(600, false, 0), "||F-ALLOCATE||600||FALSE||0||"},
        {DeallocateText(1800, 3), "||F-DEALLOCATE||1800||3||"},
        {SlotCommandText(Disconnect, 4), "||F-DISCONNECT||4||"},
        {ClientCommandText(3, client::EndTimer), "||KESTOVA||3||ENDTIMER||"},
        {RenameClientText(3, "PC9"), "||KESTOVA||3||CHANGENAME|PC9||"},
        {MessageToClientText(2, "Closing soon"), "||KESTOVA||2||MESSAGE|Closing soon||||"},
        {AllClientsCommandText(2, client::Message, "Bye"), "KESTOVA||2||MESSAGE|Bye||||"},
        {CafeCommandText(PauseAll), "||F-PAUSEALL||||"},
        {MessageToServerText("till is short"), "||SMESSAGE||KESTOVA: till is short||"},
        {StaffFiguresText("JOHN"), "||F-UPDATEPOS||JOHN||"},
        {TicketBatchText({"60", "3", "2.5", "False", true, false, "JOHN"}),
         "||POSTICKET||60|3|2.5|False|1|0|JOHN||"},
        {GiveBackBatchText("KSG260000042"), "||POSTICKET||FALSE||KSG260000042||"},
        {GiveBackBatchText(""), "||POSTICKET||FALSE||"},
        {ActivationText(byUser, false, "MARY"), "||ACTIVATE1||JOHN-MARY||"},
        {ActivationText(byNumber, false, "MARY"), "||ACTIVATE2||000000000012-007-MARY||"},
        {ActivationText(group, true, "MARY"), "||MDEACTIVATE1||KSG1-MARY||"},
        {ActivationText(range, true, "MARY"), "||MDEACTIVATE2||000000000012-001-010-MARY||"},
        {TicketLookUpText(byUser), "||F-TICKET1||JOHN||"},
        {TicketLookUpText(byNumber), "||F-TICKET2||000000000012-007||"},
        {SalesSummaryText("JOHN", 1), "||F-POSSUMMARY||JOHN-1||"},
        {TicketSearchText("KSG1"), "||F-SEARCH||KSG1||"},
        {ReportText(Report::TicketsAndCosts, "5", 3, "2004"), "||F-REPORTSUMMARY||5-3-2004||"},
        {ReportText(Report::PointOfSale, "5", 3, "2004"), "||F-REPORTSUMMARY2||5-3-2004||"},
    };
    for (const Pinned& row : table) {
        EXPECT_EQ(row.built, row.text);
        // The server separates merged messages at the keywords they begin with.
        const std::vector<std::string> elements = wire::SplitElements(row.text);
        const std::string& keyword = elements[wire::FirstPairIndex(elements).value()];
        EXPECT_NE(std::ranges::find(Keywords(), keyword), Keywords().end()) << row.text;
    }
}

TEST(RequestTexts, KeywordsAreListedOnce) {
    std::vector<std::string_view> keywords(Keywords().begin(), Keywords().end());
    std::ranges::sort(keywords);
    EXPECT_EQ(std::ranges::adjacent_find(keywords), keywords.end());
}

TEST(MessageTexts, OneKeywordAndItsValues) {
    const Pinned table[] = {
        {wire::MessageText("NOTICKET1"), "||NOTICKET1||||"},
        {wire::MessageText("TYPE", "USER"), "||TYPE||USER||"},
        {wire::MessageText("F-SEARCH", "", "Ticket not found!"),
         "||F-SEARCH||||Ticket not found!||"},
        {wire::MessageText("KESTOVAUPDATE", std::vector<std::string>{"3", "", "100.00"}),
         "||KESTOVAUPDATE||3||||100.00||"},
        {wire::discovery::AnswerText("127.0.0.1", 4, 3),
         "||SERVERIP||127.0.0.1||NOCOMPUTER||4||PORT||3||"},
    };
    for (const Pinned& row : table) {
        EXPECT_EQ(row.built, row.text);
    }
}

}  // namespace
