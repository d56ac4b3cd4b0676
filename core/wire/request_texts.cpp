#include "core/wire/request_texts.h"

#include "core/wire/framing.h"
#include "core/wire/request_keywords.h"

namespace wire::request {
namespace {

std::string CredentialsText(std::string_view keyword, std::string_view userName,
                            std::string_view password) {
    std::string condition(UserNameLead);
    condition += userName;
    condition += PasswordLead;
    condition += password;
    condition += '\'';
    return MessageText(keyword, condition);
}

// A word of the client program and its argument, joined by one bar.
std::string WithArgument(std::string_view word, std::string_view argument) {
    std::string text(word);
    text += '|';
    text += argument;
    return text;
}

// A typed value inside a request: in capitals, and without the server's field separator "|".
std::string Field(std::string text) {
    std::erase(text, '|');
    return UpperAscii(text);
}

// The request's value: the ticket, group or range, "-" between the pieces.
std::string Tickets(const TicketSelection& tickets) {
    using Kind = TicketSelection::Kind;
    switch (tickets.kind) {
        case Kind::ByUser:
            return Field(tickets.user);
        case Kind::ByNumber:
            return Field(tickets.group) + "-" + Field(tickets.first);
        case Kind::WholeGroup:
            return Field(tickets.group);
        case Kind::Range:
            return Field(tickets.group) + "-" + Field(tickets.first) + "-" + Field(tickets.last);
    }
    return {};
}

std::string_view ActivationKeyword(TicketSelection::Kind kind, bool deactivate) {
    using Kind = TicketSelection::Kind;
    switch (kind) {
        case Kind::ByUser:
            return deactivate ? Deactivate1 : Activate1;
        case Kind::ByNumber:
            return deactivate ? Deactivate2 : Activate2;
        case Kind::WholeGroup:
            return deactivate ? MDeactivate1 : MActivate1;
        case Kind::Range:
            return deactivate ? MDeactivate2 : MActivate2;
    }
    return {};
}

}  // namespace

std::string GreetingText(std::string_view localIp, std::string_view localHostName) {
    std::string text(Authenticating);
    text += "||FALSE||STATE||Authenticating ..||LOCALIP||[";
    text += localIp;
    text += "]||LOCALHOSTNAME||Kestova[";
    text += localHostName;
    text += "]||";
    return text;
}

std::string RefreshListText() {
    return std::string(Update) + "||||";
}

std::string FirstListText() {
    return MessageText(Update);
}

std::string ListAgainText() {
    return "||" + std::string(Update) + "||";
}

std::string KeepAliveAnswerText() {
    return MessageText(YesConnect);
}

std::string OperatorLoginText(std::string_view userName, std::string_view password) {
    return CredentialsText(Login, userName, password);
}

std::string StaffSignInText(std::string_view userName, std::string_view password) {
    return CredentialsText(PosLog, userName, password);
}

std::string AllocateText(long seconds, bool add, int port) {
    return MessageText(Allocate, std::to_string(seconds), add ? "TRUE" : "FALSE",
                       std::to_string(port));
}

std::string DeallocateText(long seconds, int port) {
    return MessageText(Deallocate, std::to_string(seconds), std::to_string(port));
}

std::string SlotCommandText(std::string_view keyword, int number) {
    return MessageText(keyword, std::to_string(number));
}

std::string ClientCommandText(int port, std::string_view word) {
    return MessageText(Kestova, std::to_string(port), word);
}

std::string RenameClientText(int port, std::string_view name) {
    return MessageText(Kestova, std::to_string(port), WithArgument(client::ChangeName, name));
}

std::string MessageToClientText(int port, std::string_view text) {
    return MessageText(Kestova, std::to_string(port), WithArgument(client::Message, text), "");
}

std::string AllClientsCommandText(int port, std::string_view word, std::string_view argument) {
    return std::string(Kestova) + "||" + std::to_string(port) + "||" +
           WithArgument(word, argument) + "||||";
}

std::string CafeCommandText(std::string_view keyword) {
    return MessageText(keyword);
}

std::string MessageToServerText(std::string_view text) {
    return MessageText(SMessage, std::string(ServerMessageLead) + std::string(text));
}

std::string StaffFiguresText(std::string_view staffInCapitals) {
    return MessageText(UpdatePos, staffInCapitals);
}

std::string TicketBatchText(const TicketBatchFields& fields) {
    std::string value(fields.minutes);
    for (std::string_view field :
         {fields.count, fields.cost, fields.vip, std::string_view(fields.timeTicket ? "1" : "0"),
          std::string_view(fields.once ? "1" : "0"), fields.staff}) {
        value += '|';
        value += field;
    }
    return MessageText(PosTicket, value);
}

std::string GiveBackBatchText(std::string_view group) {
    return group.empty() ? MessageText(PosTicket, BatchGivenBack)
                         : MessageText(PosTicket, BatchGivenBack, group);
}

std::string ActivationText(const TicketSelection& tickets, bool deactivate,
                           std::string_view staffInCapitals) {
    return MessageText(ActivationKeyword(tickets.kind, deactivate),
                       Tickets(tickets) + "-" + std::string(staffInCapitals));
}

std::string TicketLookUpText(const TicketSelection& ticket) {
    const bool byUser = ticket.kind == TicketSelection::Kind::ByUser;
    return MessageText(byUser ? Ticket1 : Ticket2, Tickets(ticket));
}

std::string SalesSummaryText(std::string_view staffInCapitals, int period) {
    return MessageText(PosSummary, std::string(staffInCapitals) + "-" + std::to_string(period));
}

std::string TicketSearchText(std::string_view userInCapitals) {
    return MessageText(Search, userInCapitals);
}

std::string ReportText(Report report, std::string_view day, int month, std::string_view year) {
    const std::string date =
        std::string(day) + "-" + std::to_string(month) + "-" + std::string(year);
    return MessageText(report == Report::PointOfSale ? ReportSummary2 : ReportSummary, date);
}

}  // namespace wire::request
