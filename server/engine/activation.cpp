// Activation and deactivation of one ticket, a ticket group or a range of a group.
#include <map>
#include <tuple>

#include "core/wire/framing.h"
#include "server/engine/engine_impl.h"
#include "server/engine/reports.h"
#include "server/engine/texts.h"
#include "server/engine/tickets.h"

namespace zarnevo {
namespace {

// Ticket numbers per progress list, so a large group reports progress as it goes.
constexpr std::size_t kNumbersPerList = 25;

struct Order {
    bool activate = true;
    bool wholeGroup = false;  // the M... forms
    std::vector<Ticket> selected;
    std::string group;
    std::string what;  // for the refusal texts: "Ticket [USER]", "TicketGrp[G]", ...
    std::string staff;
};

// Reads the request's value into an order; nothing when it is malformed. `found` tells whether
// the ticket, group or range exists.
std::optional<Order> ReadOrder(const Store& store, std::string_view keyword, std::string_view value,
                               bool& found) {
    Order order;
    order.activate = !keyword.starts_with("DE") && !keyword.starts_with("MDE");
    order.wholeGroup = keyword.starts_with("M");
    const bool second = keyword.ends_with("2");
    const std::vector<std::string> pieces = SplitOn(value, "-");
    if (pieces.size() < 2)
        return std::nullopt;
    order.staff = wire::UpperAscii(Trim(pieces.back()));
    found = false;
    if (!order.wholeGroup && !second) {
        const std::string user =
            wire::UpperAscii(Trim(Join({pieces.begin(), pieces.end() - 1}, "-")));
        order.what = "Ticket [" + user + "]";
        if (auto ticket = store.findTicket(user))
            order.selected.push_back(*ticket);
        found = !order.selected.empty();
        return order;
    }
    order.group = Trim(pieces[0]);
    if (!IsGroupText(order.group))
        return std::nullopt;
    if (!order.wholeGroup) {
        const auto number = pieces.size() == 3 ? ParseCount(pieces[1], 999) : std::nullopt;
        if (!number)
            return std::nullopt;
        order.what =
            "Ticket [" + order.group + "/" + TicketNumberText(static_cast<int>(*number)) + "]";
        if (auto ticket = store.findTicketByNumber(order.group, static_cast<int>(*number))) {
            order.selected.push_back(*ticket);
        }
        found = !order.selected.empty();
        return order;
    }
    const auto batch = store.findBatch(order.group);
    if (!second) {
        if (pieces.size() != 2)
            return std::nullopt;
        order.what = "TicketGrp[" + order.group + "]";
        if (batch)
            order.selected = batch->tickets;
        found = batch.has_value();
        return order;
    }
    const auto first = pieces.size() == 4 ? ParseCount(pieces[1], 999) : std::nullopt;
    const auto last = pieces.size() == 4 ? ParseCount(pieces[2], 999) : std::nullopt;
    if (!first || !last)
        return std::nullopt;
    order.what = "Ticket(s) " + TicketNumberText(static_cast<int>(*first)) + " to " +
                 TicketNumberText(static_cast<int>(*last)) + " in TicketGrp[" + order.group + "]";
    if (batch) {
        for (const Ticket& ticket : batch->tickets) {
            if (ticket.number >= *first && ticket.number <= *last)
                order.selected.push_back(ticket);
        }
    }
    found = !order.selected.empty();
    return order;
}

}  // namespace

bool Engine::Impl::handleActivation(ConsoleId console, ConsoleSession& session,
                                    const Request& request, std::int64_t nowMs) {
    static const std::set<std::string, std::less<>> kOwn = {
        "ACTIVATE1",   "ACTIVATE2",   "MACTIVATE1",   "MACTIVATE2",
        "DEACTIVATE1", "DEACTIVATE2", "MDEACTIVATE1", "MDEACTIVATE2"};
    const std::string& keyword = request.keyword;
    if (!kOwn.contains(keyword))
        return false;
    const std::string who = "console " + std::to_string(console);
    if (session.staff.empty()) {
        log(who + ": " + keyword + " refused: no POS staff signed in there");
        return true;
    }
    bool found = false;
    const auto order = ReadOrder(store, keyword, request.value(0), found);
    if (!order) {
        log(who + ": malformed " + keyword + " '" + request.value(0) + "' ignored");
        return true;
    }

    // Every request ends with its own answer carrying the staff member's figures, so the POS
    // window stops waiting even when nothing could be done.
    std::int64_t done = 0;
    const auto finish = [&] {
        const StaffFigures figures = FiguresOfDay(store, session.staff, nowMs);
        const std::string today = std::to_string(figures.tickets);
        const std::string cost = MoneyText(figures.cost);
        const std::string count = std::to_string(done);
        if (!order->wholeGroup) {
            send(console, order->activate
                              ? "||ACTIVATED||" + today + "|" + count + "|" + cost + "||"
                              : "||DEACTIVATED||" + today + "|" + cost + "||");
        } else {
            send(console, order->activate
                              ? "||MACTIVATED||" + today + "|" + count + "|" + cost + "||"
                              : "||MDEACTIVATED||" + today + "|" + cost + "|" + count + "||");
        }
    };
    const auto refuse = [&](const std::string& text) {
        log(who + ": " + keyword + ": " + text);
        send(console, "||ACTMESSAGE||" + text + "||");
        finish();
        return true;
    };

    if (order->staff != session.staff) {
        return refuse("Staff [" + order->staff + "] is not signed in here!");
    }
    if (!found)
        return refuse(order->what + " not found!");

    std::vector<Ticket> changing;
    std::size_t inUse = 0;
    for (const Ticket& ticket : order->selected) {
        if (order->activate && !ticket.activated)
            changing.push_back(ticket);
        if (!order->activate && ticket.activated) {
            const bool used = ticket.firstUsedAtMs != 0 || slotUsingTicket(ticket.user) != 0;
            if (used) {
                ++inUse;
            } else {
                changing.push_back(ticket);
            }
        }
    }
    if (changing.empty()) {
        if (order->activate)
            return refuse(order->what + " already active!");
        if (inUse > 0)
            return refuse(order->what + " used; can't be deactivated!");
        return refuse(order->what + " not active!");
    }

    // One sale (or refund) per seller and kind; a refund goes to whoever sold the ticket.
    std::map<std::tuple<std::string, int, Cents>, int> tally;
    for (Ticket& ticket : changing) {
        const std::string seller = order->activate ? session.staff : ticket.activatedBy;
        tally[{seller, static_cast<int>(ticket.seconds / 60), ticket.cost}] +=
            order->activate ? 1 : -1;
        ticket.activated = order->activate;
        ticket.activatedBy = order->activate ? session.staff : "";
        ticket.activatedAtMs = order->activate ? nowMs : 0;
    }
    std::vector<Sale> sales;
    for (const auto& [kind, count] : tally) {
        const auto& [seller, minutes, cost] = kind;
        sales.push_back(Sale{seller, nowMs, changing.front().group, minutes, cost, count});
    }
    if (!store.updateTickets(changing, sales))
        return refuse(order->what + " could not be saved!");
    done = static_cast<std::int64_t>(changing.size());
    log(who + ": " + session.staff + (order->activate ? " activated " : " deactivated ") +
        std::to_string(done) + " ticket(s): " + order->what);

    if (order->wholeGroup) {
        const std::string head = order->group + "-" + std::to_string(changing.size());
        for (std::size_t from = 0; from < changing.size(); from += kNumbersPerList) {
            std::string list = head;
            for (std::size_t i = from; i < std::min(changing.size(), from + kNumbersPerList); ++i) {
                list += "-" + TicketNumberText(changing[i].number);
            }
            send(console, "||MLIST||" + list + "||");
        }
    }
    if (inUse > 0) {
        send(console, "||ACTMESSAGE||" + std::to_string(inUse) + " used Ticket(s) of " +
                          order->what + " left active.||");
    }
    finish();
    return true;
}

}  // namespace zarnevo
