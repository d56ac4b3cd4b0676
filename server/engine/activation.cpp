// Activation and deactivation of one ticket, a ticket group or a range of a group.
#include <map>
#include <tuple>

#include "core/wire/framing.h"
#include "core/wire/replies.h"
#include "core/wire/request_keywords.h"
#include "server/engine/engine_impl.h"
#include "server/engine/reports.h"
#include "server/engine/texts.h"
#include "server/engine/tickets.h"

namespace zarnevo {
namespace {

// Ticket numbers per progress list, so a large group reports progress as it goes.
constexpr std::size_t kNumbersPerList = 25;

// What each of the eight requests asks for: to activate or deactivate, one ticket or the M...
// forms for a group, and the first form (by user name, whole group) or the second (by number,
// range).
struct Form {
    std::string_view keyword;
    bool activate;
    bool wholeGroup;
    bool second;
};
constexpr Form kForms[] = {
    {wire::request::Activate1, true, false, false},
    {wire::request::Activate2, true, false, true},
    {wire::request::MActivate1, true, true, false},
    {wire::request::MActivate2, true, true, true},
    {wire::request::Deactivate1, false, false, false},
    {wire::request::Deactivate2, false, false, true},
    {wire::request::MDeactivate1, false, true, false},
    {wire::request::MDeactivate2, false, true, true},
};

const Form* FindForm(std::string_view keyword) {
    for (const Form& form : kForms) {
        if (form.keyword == keyword)
            return &form;
    }
    return nullptr;
}

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
std::optional<Order> ReadOrder(const Store& store, const Form& form, std::string_view value,
                               bool& found) {
    Order order;
    order.activate = form.activate;
    order.wholeGroup = form.wholeGroup;
    const std::vector<std::string> pieces = SplitOn(value, "-");
    if (pieces.size() < 2)
        return std::nullopt;
    order.staff = wire::UpperAscii(Trim(pieces.back()));
    found = false;
    if (!order.wholeGroup && !form.second) {
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
    if (!form.second) {
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
    const std::string& keyword = request.keyword;
    const Form* form = FindForm(keyword);
    if (!form)
        return false;
    const std::string who = "console " + std::to_string(console);
    if (session.staff.empty()) {
        log(who + ": " + keyword + " refused: no POS staff signed in there");
        return true;
    }
    bool found = false;
    const auto order = ReadOrder(store, *form, request.value(0), found);
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
            send(console,
                 order->activate
                     ? wire::MessageText(wire::reply::Activated, today + "|" + count + "|" + cost)
                     : wire::MessageText(wire::reply::Deactivated, today + "|" + cost));
        } else {
            send(console, order->activate ? wire::MessageText(wire::reply::MActivated,
                                                              today + "|" + count + "|" + cost)
                                          : wire::MessageText(wire::reply::MDeactivated,
                                                              today + "|" + cost + "|" + count));
        }
    };
    const auto refuse = [&](const std::string& text) {
        log(who + ": " + keyword + ": " + text);
        send(console, wire::MessageText(wire::reply::ActMessage, text));
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
            send(console, wire::MessageText(wire::reply::MList, list));
        }
    }
    if (inUse > 0) {
        send(console, wire::MessageText(wire::reply::ActMessage,
                                        std::to_string(inUse) + " used Ticket(s) of " +
                                            order->what + " left active."));
    }
    finish();
    return true;
}

}  // namespace zarnevo
