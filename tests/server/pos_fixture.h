#pragma once

#include "server/engine/tickets.h"
#include "tests/server/engine_fixture.h"

namespace zarnevo::testing {

// One ticket of a batch answer, field by field.
struct PrintedTicket {
    std::string user, password, minutes, cost, expiry, group, number, timeTicket, once;
};
std::vector<PrintedTicket> PrintedTickets(const std::string& batchText);

// A café whose console 1 has POS staff JOHN signed in (console 2: MARY).
class PosTest : public EngineTest {
protected:
    void SetUp() override {
        connectStaff(1, "JOHN", "john");
        connectStaff(2, "MARY", "mary");
    }
    // Asks for a batch on the console and returns the tickets of the answer.
    std::vector<PrintedTicket> sell(ConsoleId console, const std::string& order);
    // A batch printed ahead and not yet sold, stored directly.
    TicketBatch prePrinted(int count, int minutes = 60, Cents cost = 10000);
    // What the console was sent in answer to one request.
    std::vector<std::string> ask(ConsoleId console, const std::string& request) {
        outbox.clear();
        say(console, request);
        return sentTo(console);
    }
};

}  // namespace zarnevo::testing
