#include "pos/pos_requests.h"

#include "core/convert.h"
#include "core/wire/framing.h"

namespace kestova::pos_request {

std::string SignIn(std::string_view userName, std::string_view password) {
    return wire::CredentialsMessage("F-POSLOG", userName, password);
}

std::string StaffFigures(std::string_view staffInCapitals) {
    return "||F-UPDATEPOS||" + std::string(staffInCapitals) + "||";
}

std::string TicketBatch(const TicketOrder& order) {
    return "||POSTICKET||" + SingleText(order.minutes) + "|" + SingleText(order.count) + "|" +
           SingleText(order.cost) + "|" + BoolText(order.vip) + "|" +
           (order.timeTicket ? "1" : "0") + "|" + (order.once ? "1" : "0") + "|" + order.staff +
           "||";
}

std::string DeleteBatch(std::string_view group) {
    return "||POSTICKET||FALSE||" + std::string(group) + (group.empty() ? "" : "||");
}

namespace {

// A typed value inside a request: in capitals, and without the server's field separator "|".
std::string Field(std::string text) {
    std::erase(text, '|');
    return wire::UpperAscii(text);
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

}  // namespace

std::string Activation(const TicketSelection& tickets, bool deactivate,
                       std::string_view staffInCapitals) {
    using Kind = TicketSelection::Kind;
    const bool group = tickets.kind == Kind::WholeGroup || tickets.kind == Kind::Range;
    const bool first = tickets.kind == Kind::ByUser || tickets.kind == Kind::WholeGroup;
    return std::string("||") + (group ? "M" : "") + (deactivate ? "DE" : "") + "ACTIVATE" +
           (first ? "1" : "2") + "||" + Tickets(tickets) + "-" + std::string(staffInCapitals) +
           "||";
}

std::string TicketLookUp(const TicketSelection& ticket) {
    const bool byUser = ticket.kind == TicketSelection::Kind::ByUser;
    return std::string(byUser ? "||F-TICKET1||" : "||F-TICKET2||") + Tickets(ticket) + "||";
}

std::string SalesSummary(std::string_view staffInCapitals, int period) {
    return "||F-POSSUMMARY||" + std::string(staffInCapitals) + "-" + std::to_string(period) + "||";
}

}  // namespace kestova::pos_request
