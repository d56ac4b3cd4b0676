// POS staff sign-in, staff figures, ticket batches, ticket look-up and the sales summary.
#include <algorithm>

#include "core/wire/framing.h"
#include "core/wire/replies.h"
#include "core/wire/request_keywords.h"
#include "server/engine/accounts.h"
#include "server/engine/engine_impl.h"
#include "server/engine/reports.h"
#include "server/engine/texts.h"
#include "server/engine/tickets.h"

namespace zarnevo {

std::string Engine::Impl::staffFiguresMessage(const ConsoleSession& session,
                                              std::int64_t nowMs) const {
    const StaffFigures figures = FiguresOfDay(store, session.staff, nowMs);
    std::vector<std::string> values = {std::to_string(figures.tickets),
                                       LogTimeText(session.staffSignInMs), MoneyText(figures.cost)};
    for (std::string& setting : switches.posSettings())
        values.push_back(std::move(setting));
    return wire::MessageText(wire::reply::KestovaUpdate, values);
}

bool Engine::Impl::handlePosDesk(ConsoleId console, ConsoleSession& session, const Request& request,
                                 std::int64_t nowMs) {
    const std::string& keyword = request.keyword;
    const std::string who = "console " + std::to_string(console);
    if (keyword == wire::request::PosLog) {
        startLogin(console, session, LoginKind::Staff, request.rawValue, nowMs);
        return true;
    }

    static const std::set<std::string_view, std::less<>> kOwn = {
        wire::request::UpdatePos, wire::request::PosTicket, wire::request::Ticket1,
        wire::request::Ticket2, wire::request::PosSummary};
    if (!kOwn.contains(keyword))
        return false;
    if (session.staff.empty()) {
        log(who + ": " + keyword + " refused: no POS staff signed in there");
        return true;
    }

    if (keyword == wire::request::UpdatePos) {
        if (wire::UpperAscii(Trim(request.value(0))) != session.staff) {
            log(who + ": staff figures refused: " + request.value(0) + " is not signed in there");
            return true;
        }
        send(console, staffFiguresMessage(session, nowMs));
    } else if (keyword == wire::request::PosTicket) {
        if (wire::UpperAscii(Trim(request.value(0))) == wire::request::BatchGivenBack) {
            const std::string group = Trim(request.value(1));
            const auto batch = store.findBatch(group);
            if (group.empty() || !batch) {
                log(who + ": no batch '" + group + "' to delete");
            } else if (batch->staff != session.staff) {
                log(who + ": batch " + group + " belongs to " + batch->staff + "; not deleted");
            } else if (std::ranges::any_of(batch->tickets,
                                           [](const Ticket& t) { return t.firstUsedAtMs != 0; })) {
                log(who + ": batch " + group + " has been used; not deleted");
            } else {
                store.deleteBatch(group);
                log(who + ": batch " + group + " deleted by " + session.staff);
            }
            return true;
        }
        const auto order = ParseBatchOrder(request.rawValue);
        if (!order || order->staff != session.staff) {
            log(who + ": ticket request '" + request.rawValue + "' refused");
            return true;
        }
        const auto batch = MakeBatch(store, random, *order, switches.ticketValidDays(), nowMs);
        if (!batch) {
            log(who + ": ticket batch could not be stored");
            return true;
        }
        log(who + ": batch " + batch->group + " of " + std::to_string(order->count) +
            " ticket(s) made for " + session.staff);
        send(console, wire::MessageText(wire::reply::PrintPos, BatchText(*batch), batch->group));
    } else if (keyword == wire::request::Ticket1 || keyword == wire::request::Ticket2) {
        std::optional<Ticket> ticket;
        if (keyword == wire::request::Ticket1) {
            ticket = store.findTicket(wire::UpperAscii(Trim(request.value(0))));
        } else {
            const std::vector<std::string> parts = SplitOn(request.value(0), "-");
            const auto number = parts.size() == 2 ? ParseCount(parts[1], 999) : std::nullopt;
            if (number && IsGroupText(Trim(parts[0]))) {
                ticket = store.findTicketByNumber(Trim(parts[0]), static_cast<int>(*number));
            }
        }
        send(console, ticket ? wire::MessageText(wire::reply::Ticket1, TicketRecord(*ticket))
                             : wire::MessageText(wire::reply::NoTicket1));
    } else {
        // F-POSSUMMARY: "staff-period", period 0 for today and 1 for yesterday.
        const std::vector<std::string> parts = SplitOn(request.value(0), "-");
        const auto period = parts.size() == 2 ? ParseCount(parts[1], 1) : std::nullopt;
        if (!period || wire::UpperAscii(Trim(parts[0])) != session.staff) {
            log(who + ": sales summary request '" + request.value(0) + "' refused");
            send(console, wire::MessageText(wire::reply::NoPosSummary));
            return true;
        }
        // Yesterday is the local day that holds the last moment before today began.
        const std::int64_t day = *period == 0 ? nowMs : LocalDayStartOf(nowMs) - 1;
        const std::string text = SalesSummaryText(store, session.staff, day);
        send(console, text.empty() ? wire::MessageText(wire::reply::NoPosSummary)
                                   : wire::MessageText(wire::reply::PosSummary, text));
    }
    return true;
}

}  // namespace zarnevo
