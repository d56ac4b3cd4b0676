#include "pos/pos_requests.h"

#include "core/convert.h"

namespace kestova::pos_request {

std::string SignIn(std::string_view userName, std::string_view password) {
    std::string text = "||F-POSLOG||Username = '";
    text += userName;
    text += "' and Password = '";
    text += password;
    text += "'||";
    return text;
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

}  // namespace kestova::pos_request
