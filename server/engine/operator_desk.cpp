// Operator log-in, the ticket search and the day reports.
#include "core/wire/framing.h"
#include "core/wire/replies.h"
#include "core/wire/request_keywords.h"
#include "server/engine/accounts.h"
#include "server/engine/engine_impl.h"
#include "server/engine/reports.h"
#include "server/engine/texts.h"

namespace zarnevo {

bool Engine::Impl::handleOperatorDesk(ConsoleId console, ConsoleSession& session,
                                      const Request& request, std::int64_t nowMs) {
    const std::string& keyword = request.keyword;
    const std::string who = "console " + std::to_string(console);
    if (keyword == wire::request::Login) {
        startLogin(console, session, LoginKind::Operator, request.rawValue, nowMs);
        return true;
    }
    if (keyword == wire::request::Search) {
        // A refusal reads as "not found", so that it tells nothing of which tickets exist, and
        // the console stops waiting at once.
        const std::string notFound =
            wire::MessageText(wire::reply::Search, "", "Ticket not found!");
        if (session.rights.empty() || session.rights == "VIEWER") {
            log(who + ": ticket search refused: no operator logged in");
            send(console, notFound);
            return true;
        }
        const std::string user = wire::UpperAscii(Trim(request.value(0)));
        auto ticket = store.findTicket(user);
        if (!ticket) {
            send(console, notFound);
            return true;
        }
        std::string inUseOn;
        if (const int slot = slotUsingTicket(user)) {
            ticket->secondsLeft = static_cast<std::int64_t>(cafe.client(slot).secondsLeft);
            inUseOn = cafe.client(slot).name;
        }
        send(console,
             wire::MessageText(wire::reply::Search, TicketInformationText(*ticket, inUseOn, nowMs),
                               "Ticket found."));
        return true;
    }
    if (keyword == wire::request::ReportSummary || keyword == wire::request::ReportSummary2) {
        if (session.rights != "ADMINISTRATOR") {
            log(who + ": report refused: needs an administrator");
            send(console, wire::MessageText(wire::reply::NoReportSummary));
            return true;
        }
        const auto day = ParseReportDate(request.value(0));
        const std::string text = day ? DayReportText(store, *day) : std::string();
        if (!day)
            log(who + ": report date '" + request.value(0) + "' is not a date");
        send(console, text.empty() ? wire::MessageText(wire::reply::NoReportSummary)
                                   : wire::MessageText(wire::reply::ReportSummary, text));
        return true;
    }
    return false;
}

}  // namespace zarnevo
