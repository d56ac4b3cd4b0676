#include "server/db/sqlite_store.h"

#include "server/db/schema.h"

namespace zarnevo {
namespace {

// The ticket columns in the order ReadTicket expects them.
#define TICKET_COLUMNS                                                                   \
    "grp, number, user, password, seconds, seconds_left, cost, vip, time_ticket, once, " \
    "valid_days, expires_at_ms, activated, activated_by, activated_at_ms, first_used_at_ms"

Ticket ReadTicket(const SqliteStatement& row) {
    Ticket ticket;
    ticket.group = row.text(0);
    ticket.number = static_cast<int>(row.integer(1));
    ticket.user = row.text(2);
    ticket.password = row.text(3);
    ticket.seconds = row.integer(4);
    ticket.secondsLeft = row.integer(5);
    ticket.cost = row.integer(6);
    ticket.vip = row.boolean(7);
    ticket.timeTicket = row.boolean(8);
    ticket.once = row.boolean(9);
    ticket.validDays = static_cast<int>(row.integer(10));
    ticket.expiresAtMs = row.integer(11);
    ticket.activated = row.boolean(12);
    ticket.activatedBy = row.text(13);
    ticket.activatedAtMs = row.integer(14);
    ticket.firstUsedAtMs = row.integer(15);
    return ticket;
}

Sale ReadSale(const SqliteStatement& row) {
    return Sale{row.text(0),    row.integer(1),
                row.text(2),    static_cast<int>(row.integer(3)),
                row.integer(4), static_cast<int>(row.integer(5))};
}

}  // namespace

SqliteStore::SqliteStore(const std::string& path) : db_(path) {
    // A file database keeps a write-ahead log (readers never block the writer, a crash never
    // leaves a half-written page); ":memory:" answers "memory" and stays so.
    db_.queryText("PRAGMA journal_mode = WAL");
    db_.execute("PRAGMA synchronous = FULL");
    db_.execute("PRAGMA foreign_keys = ON");
    db_.execute("PRAGMA busy_timeout = 5000");
    MigrateSchema(db_);
}

int SqliteStore::schemaVersion() const {
    return static_cast<int>(db_.queryInteger("PRAGMA user_version"));
}

std::string SqliteStore::journalMode() const {
    return db_.queryText("PRAGMA journal_mode");
}

std::optional<Operator> SqliteStore::findOperator(std::string_view name) const {
    SqliteQuery query(db_.statement("SELECT rights, salt, hash FROM operators WHERE name = ?"),
                      name);
    if (!query.next()) {
        return std::nullopt;
    }
    const auto& row = query.row();
    return Operator{std::string(name), row.text(0), PasswordHash{row.text(1), row.text(2)}};
}

void SqliteStore::putOperator(const Operator& account) {
    SqliteQuery(db_.statement("INSERT OR REPLACE INTO operators (name, rights, salt, hash) "
                              "VALUES (?, ?, ?, ?)"),
                account.name, account.rights, account.password.salt, account.password.hash)
        .run();
}

std::optional<StaffMember> SqliteStore::findStaff(std::string_view name) const {
    SqliteQuery query(db_.statement("SELECT salt, hash FROM staff WHERE name = ?"), name);
    if (!query.next()) {
        return std::nullopt;
    }
    return StaffMember{std::string(name), PasswordHash{query.row().text(0), query.row().text(1)}};
}

void SqliteStore::putStaff(const StaffMember& staff) {
    SqliteQuery(db_.statement("INSERT OR REPLACE INTO staff (name, salt, hash) VALUES (?, ?, ?)"),
                staff.name, staff.password.salt, staff.password.hash)
        .run();
}

bool SqliteStore::addBatch(const TicketBatch& batch, const std::optional<Sale>& sale) {
    SqliteTransaction transaction(db_);
    try {
        SqliteQuery(db_.statement("INSERT INTO batches (grp, staff, created_at_ms) "
                                  "VALUES (?, ?, ?)"),
                    batch.group, batch.staff, batch.createdAtMs)
            .run();
        auto& insert = db_.statement("INSERT INTO tickets (" TICKET_COLUMNS
                                     ") VALUES "
                                     "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        for (const auto& t : batch.tickets) {
            // A ticket always belongs to the batch it is stored with.
            SqliteQuery(insert, batch.group, t.number, t.user, t.password, t.seconds, t.secondsLeft,
                        t.cost, t.vip, t.timeTicket, t.once, t.validDays, t.expiresAtMs,
                        t.activated, t.activatedBy, t.activatedAtMs, t.firstUsedAtMs)
                .run();
        }
    } catch (const SqliteError& error) {
        if (error.isConstraint()) {
            return false;  // a taken group, user name or number: the transaction rolls back
        }
        throw;
    }
    if (sale) {
        insertSale(*sale);
    }
    transaction.commit();
    return true;
}

bool SqliteStore::deleteBatch(std::string_view group) {
    SqliteTransaction transaction(db_);
    // The batch's tickets go with it (ON DELETE CASCADE).
    SqliteQuery(db_.statement("DELETE FROM batches WHERE grp = ?"), group).run();
    if (db_.changes() == 0) {
        return false;
    }
    SqliteQuery(db_.statement("DELETE FROM sales WHERE grp = ?"), group).run();
    transaction.commit();
    return true;
}

std::optional<TicketBatch> SqliteStore::findBatch(std::string_view group) const {
    TicketBatch batch;
    {
        SqliteQuery query(db_.statement("SELECT staff, created_at_ms FROM batches WHERE grp = ?"),
                          group);
        if (!query.next()) {
            return std::nullopt;
        }
        batch = TicketBatch{std::string(group), query.row().text(0), query.row().integer(1), {}};
    }
    batch.tickets = ticketsOfGroup(batch.group);
    return batch;
}

bool SqliteStore::groupExists(std::string_view group) const {
    SqliteQuery query(db_.statement("SELECT 1 FROM batches WHERE grp = ?"), group);
    return query.next();
}

std::optional<Ticket> SqliteStore::findTicket(std::string_view user) const {
    SqliteQuery query(db_.statement("SELECT " TICKET_COLUMNS " FROM tickets WHERE user = ?"), user);
    return query.next() ? std::optional<Ticket>(ReadTicket(query.row())) : std::nullopt;
}

std::optional<Ticket> SqliteStore::findTicketByNumber(std::string_view group, int number) const {
    SqliteQuery query(
        db_.statement("SELECT " TICKET_COLUMNS " FROM tickets WHERE grp = ? AND number = ?"), group,
        number);
    return query.next() ? std::optional<Ticket>(ReadTicket(query.row())) : std::nullopt;
}

std::vector<Ticket> SqliteStore::allTickets() const {
    std::vector<Ticket> tickets;
    SqliteQuery query(db_.statement("SELECT " TICKET_COLUMNS " FROM tickets ORDER BY grp, number"));
    while (query.next()) {
        tickets.push_back(ReadTicket(query.row()));
    }
    return tickets;
}

bool SqliteStore::updateTickets(const std::vector<Ticket>& tickets,
                                const std::vector<Sale>& sales) {
    SqliteTransaction transaction(db_);
    auto& update = db_.statement(
        "UPDATE tickets SET grp = ?, number = ?, password = ?, seconds = ?, seconds_left = ?, "
        "cost = ?, vip = ?, time_ticket = ?, once = ?, valid_days = ?, expires_at_ms = ?, "
        "activated = ?, activated_by = ?, activated_at_ms = ?, first_used_at_ms = ? "
        "WHERE user = ?");
    try {
        for (const auto& t : tickets) {
            SqliteQuery(update, t.group, t.number, t.password, t.seconds, t.secondsLeft, t.cost,
                        t.vip, t.timeTicket, t.once, t.validDays, t.expiresAtMs, t.activated,
                        t.activatedBy, t.activatedAtMs, t.firstUsedAtMs, t.user)
                .run();
            if (db_.changes() != 1) {
                return false;  // no such ticket: everything rolls back
            }
        }
    } catch (const SqliteError& error) {
        if (error.isConstraint()) {
            return false;  // moved onto a taken number or a missing group
        }
        throw;
    }
    for (const auto& sale : sales) {
        insertSale(sale);
    }
    transaction.commit();
    return true;
}

std::vector<Sale> SqliteStore::salesBetween(std::int64_t fromMs, std::int64_t toMs) const {
    std::vector<Sale> sales;
    SqliteQuery query(
        db_.statement("SELECT staff, at_ms, grp, minutes, unit_cost, tickets FROM sales "
                      "WHERE at_ms >= ? AND at_ms < ? ORDER BY at_ms, id"),
        fromMs, toMs);
    while (query.next()) {
        sales.push_back(ReadSale(query.row()));
    }
    return sales;
}

std::optional<std::string> SqliteStore::setting(std::string_view key) const {
    SqliteQuery query(db_.statement("SELECT value FROM settings WHERE key = ?"), key);
    return query.next() ? std::optional<std::string>(query.row().text(0)) : std::nullopt;
}

void SqliteStore::putSetting(std::string_view key, std::string_view value) {
    SqliteQuery(db_.statement("INSERT OR REPLACE INTO settings (key, value) VALUES (?, ?)"), key,
                value)
        .run();
}

std::vector<QuickTicketType> SqliteStore::quickTicketTypes() const {
    std::vector<QuickTicketType> types;
    SqliteQuery query(
        db_.statement("SELECT minutes, cost, time_ticket, once, vip "
                      "FROM quick_ticket_types ORDER BY position"));
    while (query.next()) {
        const auto& row = query.row();
        types.push_back(QuickTicketType{static_cast<int>(row.integer(0)), row.integer(1),
                                        row.boolean(2), row.boolean(3), row.boolean(4)});
    }
    return types;
}

void SqliteStore::putQuickTicketTypes(const std::vector<QuickTicketType>& types) {
    SqliteTransaction transaction(db_);
    SqliteQuery(db_.statement("DELETE FROM quick_ticket_types")).run();
    auto& insert = db_.statement(
        "INSERT INTO quick_ticket_types (position, minutes, cost, time_ticket, once, vip) "
        "VALUES (?, ?, ?, ?, ?, ?)");
    int position = 0;
    for (const auto& type : types) {
        SqliteQuery(insert, position++, type.minutes, type.cost, type.timeTicket, type.once,
                    type.vip)
            .run();
    }
    transaction.commit();
}

void SqliteStore::insertSale(const Sale& sale) {
    SqliteQuery(db_.statement("INSERT INTO sales (staff, at_ms, grp, minutes, unit_cost, tickets) "
                              "VALUES (?, ?, ?, ?, ?, ?)"),
                sale.staff, sale.atMs, sale.group, sale.minutes, sale.unitCost, sale.tickets)
        .run();
}

std::vector<Ticket> SqliteStore::ticketsOfGroup(std::string_view group) const {
    std::vector<Ticket> tickets;
    SqliteQuery query(
        db_.statement("SELECT " TICKET_COLUMNS " FROM tickets WHERE grp = ? ORDER BY number"),
        group);
    while (query.next()) {
        tickets.push_back(ReadTicket(query.row()));
    }
    return tickets;
}

#undef TICKET_COLUMNS

}  // namespace zarnevo
