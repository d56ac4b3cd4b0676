#include "pos/pos_requests.h"

#include "core/convert.h"
#include "core/wire/request_texts.h"

namespace kestova::pos_request {

std::string TicketBatch(const TicketOrder& order) {
    return wire::request::TicketBatchText({.minutes = SingleText(order.minutes),
                                           .count = SingleText(order.count),
                                           .cost = SingleText(order.cost),
                                           .vip = BoolText(order.vip),
                                           .timeTicket = order.timeTicket,
                                           .once = order.once,
                                           .staff = order.staff});
}

}  // namespace kestova::pos_request
