#include "tests/server/pos_fixture.h"

namespace zarnevo::testing {

std::vector<PrintedTicket> PrintedTickets(const std::string& batchText) {
    const std::vector<std::string> f = SplitOn(batchText, "|");
    std::vector<PrintedTicket> tickets;
    for (std::size_t i = 0; i + 8 < f.size(); i += 9) {
        tickets.push_back(
            {f[i], f[i + 1], f[i + 2], f[i + 3], f[i + 4], f[i + 5], f[i + 6], f[i + 7], f[i + 8]});
    }
    return tickets;
}

std::vector<PrintedTicket> PosTest::sell(ConsoleId console, const std::string& order) {
    const std::vector<std::string> answer = ask(console, "||POSTICKET||" + order + "||");
    if (answer.size() != 1)
        return {};
    return PrintedTickets(ValueOf(answer[0]));
}

TicketBatch PosTest::prePrinted(int count, int minutes, Cents cost) {
    SeededRandom draws(static_cast<std::uint64_t>(store.allTickets().size() + 101));
    auto batch =
        DrawBatch(store, draws, BatchOrder{minutes, count, cost, false, true, false, "MARY"}, 5,
                  now - kHourMs);
    for (Ticket& ticket : batch->tickets) {
        ticket.activated = false;
        ticket.activatedBy.clear();
        ticket.activatedAtMs = 0;
    }
    store.addBatch(*batch, std::nullopt);
    return *batch;
}

}  // namespace zarnevo::testing
