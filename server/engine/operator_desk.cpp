// Operator log-in, the ticket search and the day reports.
#include "core/wire/framing.h"
#include "server/engine/accounts.h"
#include "server/engine/engine_impl.h"
#include "server/engine/reports.h"
#include "server/engine/texts.h"

namespace zarnevo {

bool Engine::Impl::handleOperatorDesk(ConsoleId console, ConsoleSession& session,
                                      const Request& request, std::int64_t nowMs) {
    const std::string& keyword = request.keyword;
    const std::string who = "console " + std::to_string(console);
    if (keyword == "F-LOGIN") {
        startLogin(console, session, LoginKind::Operator, request.rawValue, nowMs);
        return true;
    }
    if (keyword == "F-SEARCH") {
        // A refusal reads as "not found", so that it tells nothing of which tickets exist, and
        // the console stops waiting at once.
        const std::string notFound = "||F-SEARCH||||Ticket not found!||";
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
             "||F-SEARCH||" + TicketInformationText(*ticket, inUseOn, nowMs) + "||Ticket found.||");
        return true;
    }
    if (keyword == "F-REPORTSUMMARY" || keyword == "F-REPORTSUMMARY2") {
        if (session.rights != "ADMINISTRATOR") {
            log(who + ": report refused: needs an administrator");
            send(console, "||NOREPORTSUMMARY||||");
            return true;
        }
        const auto day = ParseReportDate(request.value(0));
        const std::string text = day ? DayReportText(store, *day) : std::string();
        if (!day)
            log(who + ": report date '" + request.value(0) + "' is not a date");
        send(console, text.empty() ? "||NOREPORTSUMMARY||||" : "||REPORTSUMMARY||" + text + "||");
        return true;
    }
    return false;
}

}  // namespace zarnevo
