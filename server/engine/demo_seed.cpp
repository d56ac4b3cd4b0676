#include "server/engine/demo_seed.h"

#include "server/engine/random_source.h"
#include "server/engine/texts.h"
#include "server/engine/tickets.h"

namespace zarnevo {
namespace {

constexpr std::int64_t kHourMs = 3600LL * 1000;
constexpr int kDaysOfHistory = 3;  // before today

struct Kind {
    int minutes;
    Cents cost;
    bool timeTicket;
    bool once;
};
constexpr Kind kKinds[] = {
    {30, 5000, true, true}, {60, 10000, true, false}, {120, 18000, false, false}};

}  // namespace

void SeedDemo(Store& store, std::uint64_t seed, std::int64_t nowMs, PasswordCost cost) {
    if (store.setting("DemoSeeded"))
        return;
    SeededRandom random(seed);

    const struct {
        const char* name;
        const char* password;
        const char* rights;
    } operators[] = {{"ADMINISTRATOR", "admin", "ADMINISTRATOR"},
                     {"CLERK", "clerk", "USER"},
                     {"GUEST", "guest", "VIEWER"}};
    for (const auto& account : operators) {
        store.putOperator(
            Operator{account.name, account.rights, HashPassword(account.password, cost)});
    }
    store.putStaff(StaffMember{"JOHN", HashPassword("john", cost)});
    store.putStaff(StaffMember{"MARY", HashPassword("mary", cost)});

    std::vector<QuickTicketType> quickTypes;
    for (const Kind& kind : kKinds) {
        quickTypes.push_back(
            QuickTicketType{kind.minutes, kind.cost, kind.timeTicket, kind.once, false});
    }
    quickTypes.push_back(QuickTicketType{60, 15000, false, false, true});
    store.putQuickTicketTypes(quickTypes);

    // Sold batches on each of the last days and earlier today, by both staff members.
    const std::int64_t today = LocalDayStartOf(nowMs);
    for (int daysAgo = kDaysOfHistory; daysAgo >= 0; --daysAgo) {
        std::int64_t dayStart = today;
        for (int i = 0; i < daysAgo; ++i)
            dayStart = LocalDayStartOf(dayStart - 1);
        const std::int64_t dayEnd = daysAgo == 0 ? nowMs : NextLocalDayStart(dayStart);
        int sale = 0;
        for (const char* staff : {"JOHN", "MARY"}) {
            for (const Kind& kind : kKinds) {
                const int count = 1 + static_cast<int>(random.next() % 4);
                // Spread over the day, and never later than now.
                const std::int64_t at = dayStart + (dayEnd - dayStart) * (++sale) / 8;
                const BatchOrder order{kind.minutes,    count,     kind.cost, false,
                                       kind.timeTicket, kind.once, staff};
                MakeBatch(store, random, order, 5, at);
            }
        }
    }

    // Pre-printed batches waiting to be activated at the counter.
    for (const char* staff : {"JOHN", "MARY"}) {
        const BatchOrder order{60, 10, 10000, false, true, false, staff};
        auto batch = DrawBatch(store, random, order, 5,
                               nowMs - kHourMs / 2 > today ? nowMs - kHourMs / 2 : today);
        if (!batch)
            continue;
        for (Ticket& ticket : batch->tickets) {
            ticket.activated = false;
            ticket.activatedBy.clear();
            ticket.activatedAtMs = 0;
        }
        store.addBatch(*batch, std::nullopt);
    }
    store.putSetting("DemoSeeded", "1");
}

}  // namespace zarnevo
