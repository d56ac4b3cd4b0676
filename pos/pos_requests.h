#pragma once

#include <string>

// A batch of tickets as the ticket generation holds it, and its request to the server.
namespace kestova::pos_request {

// Minutes, count and cost in their shortest form, the VIP, time-ticket and once choices, and
// the staff member ("PRINTPOS" answers).
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

}  // namespace kestova::pos_request
