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

}  // namespace kestova::pos_request
