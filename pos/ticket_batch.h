#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestova {

// One ticket of a batch the server made, in the form the print-out shows it.
struct BatchTicket {
    std::string user;
    std::string password;
    std::string minutes;         // the number's shortest text: "60"
    std::string cost;            // as the server wrote it: "100.00"
    std::string expiry;          // "12/Dec/26", or a number of days: "5day(s)"
    std::string groupAndNumber;  // the batch's ticket group, "-", the ticket's number
    bool timeTicket = false;
    bool once = false;
};

// The tickets of the server's batch text: fields separated by "|", nine for each ticket (user
// name, password, minutes, cost, expiry date or days, ticket group, number, time-ticket flag,
// once flag). The group of every ticket is the first ticket's; an incomplete ticket at the end is
// left out.
std::vector<BatchTicket> ParseTicketBatch(std::string_view batchText);

// The ticket group the questions and messages name: the first 12 characters of the first
// ticket's group and number.
std::string BatchGroup(const std::vector<BatchTicket>& tickets);

}  // namespace kestova
