#pragma once

#include <string>
#include <string_view>

// The texts the point of sale sends to the server.
namespace kestova::pos_request {

// The staff sign-in; the server evaluates the condition it carries, so the fields go as typed.
std::string SignIn(std::string_view userName, std::string_view password);

// The staff member's sales figures and the point-of-sale settings ("KESTOVAUPDATE" answers).
std::string StaffFigures(std::string_view staffInCapitals);

// A batch of tickets ("PRINTPOS" answers): minutes, count and cost in their shortest form, the
// VIP, time-ticket and once choices, and the staff member.
struct TicketOrder {
    float minutes = 0;
    float count = 0;
    float cost = 0;
    bool vip = false;
    bool timeTicket = false;
    bool once = false;
    std::string staff;
};
std::string TicketBatch(const TicketOrder& order);

// Tells the server to delete the batch of the ticket group (an empty group: the batch asked for
// last, when it is cancelled before its answer came).
std::string DeleteBatch(std::string_view group);

// The tickets an activation, a deactivation or a look-up is about, as the staff member typed
// them: one ticket by its user name or by its group and number, a whole group, or a range of
// numbers in a group.
struct TicketSelection {
    enum class Kind { ByUser, ByNumber, WholeGroup, Range };
    Kind kind = Kind::ByUser;
    std::string user;
    std::string group;
    std::string first;  // the ticket's number, or the first of the range
    std::string last;
};

// Activates or deactivates the selected tickets for the staff member ("ACTIVATED",
// "DEACTIVATED", "MACTIVATED" or "MDEACTIVATED" answer, "MLIST" for groups and ranges).
std::string Activation(const TicketSelection& tickets, bool deactivate,
                       std::string_view staffInCapitals);

// Looks one ticket up ("TICKET1" or "NOTICKET1" answers); for ByUser and ByNumber.
std::string TicketLookUp(const TicketSelection& ticket);

// The staff member's sales summary ("POSSUMMARY" or "NOPOSSUMMARY" answers); period 0 is today,
// 1 yesterday.
std::string SalesSummary(std::string_view staffInCapitals, int period);

}  // namespace kestova::pos_request
