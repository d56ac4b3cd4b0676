#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "server/engine/password_hash.h"

// The persistent data of the server: operators, POS staff, ticket batches and tickets, sales and
// the café-wide switches. Plain structs in, plain structs out; the host implements it over
// SQLite, the engine ships an in-memory one (memory_store.h). Names are stored upper-cased by the
// engine; a store compares them exactly. Times are milliseconds since the Unix epoch (UTC).
namespace zarnevo {

struct Operator {
    std::string name;    // upper case, e.g. "ADMINISTRATOR"
    std::string rights;  // "ADMINISTRATOR", "USER" or "VIEWER"
    PasswordHash password;
};

struct StaffMember {
    std::string name;  // upper case, e.g. "JOHN"
    PasswordHash password;
};

// Money is kept in hundredths (cents) so sums are exact.
using Cents = std::int64_t;

struct Ticket {
    std::string group;  // the 12-character ticket group of its batch
    int number = 0;     // 1.. within the group
    std::string user;   // unique over all tickets
    std::string password;
    std::int64_t seconds = 0;      // time on the ticket when sold
    std::int64_t secondsLeft = 0;  // what a client has not used yet
    Cents cost = 0;
    bool vip = false;
    bool timeTicket = false;
    bool once = false;
    int validDays = 0;             // 0: see expiresAtMs
    std::int64_t expiresAtMs = 0;  // 0 with validDays 0: never expires
    bool activated = false;
    std::string activatedBy;  // staff name, empty when never activated
    std::int64_t activatedAtMs = 0;
    std::int64_t firstUsedAtMs = 0;  // 0 until a client first logs in with it
    bool operator==(const Ticket&) const = default;
};

struct TicketBatch {
    std::string group;
    std::string staff;  // who asked for it
    std::int64_t createdAtMs = 0;
    std::vector<Ticket> tickets;
    bool operator==(const TicketBatch&) const = default;
};

// One sale or refund of tickets of one kind (one batch has one kind): tickets is negative for a
// refund (a deactivation). The amount is tickets * unitCost.
struct Sale {
    std::string staff;
    std::int64_t atMs = 0;
    std::string group;
    int minutes = 0;
    Cents unitCost = 0;
    int tickets = 0;
    bool operator==(const Sale&) const = default;
};

// An entry of the quick-ticket list a staff member picks from.
struct QuickTicketType {
    int minutes = 0;
    Cents cost = 0;
    bool timeTicket = false;
    bool once = false;
    bool vip = false;
    bool operator==(const QuickTicketType&) const = default;
};

class Store {
public:
    virtual ~Store() = default;

    virtual std::optional<Operator> findOperator(std::string_view name) const = 0;
    virtual void putOperator(const Operator& account) = 0;  // insert or replace by name

    virtual std::optional<StaffMember> findStaff(std::string_view name) const = 0;
    virtual void putStaff(const StaffMember& staff) = 0;  // insert or replace by name

    // Stores a whole batch and, when given, its sale in one transaction. False (and nothing
    // stored) when the group or one of the user names is already taken.
    virtual bool addBatch(const TicketBatch& batch, const std::optional<Sale>& sale) = 0;
    // Removes the batch, its tickets and every sale of its group in one transaction. False when
    // there was no such group.
    virtual bool deleteBatch(std::string_view group) = 0;
    virtual std::optional<TicketBatch> findBatch(std::string_view group) const = 0;
    virtual bool groupExists(std::string_view group) const = 0;

    virtual std::optional<Ticket> findTicket(std::string_view user) const = 0;
    virtual std::optional<Ticket> findTicketByNumber(std::string_view group, int number) const = 0;
    // Every ticket, in group then number order (the ticket search and reports walk them).
    virtual std::vector<Ticket> allTickets() const = 0;
    // Replaces the given tickets (matched by user name) and records the sales, all in one
    // transaction. False (and nothing changed) when one of the tickets does not exist.
    virtual bool updateTickets(const std::vector<Ticket>& tickets,
                               const std::vector<Sale>& sales) = 0;

    // Sales with fromMs <= atMs < toMs, oldest first.
    virtual std::vector<Sale> salesBetween(std::int64_t fromMs, std::int64_t toMs) const = 0;

    // Café-wide switches and POS settings, by key.
    virtual std::optional<std::string> setting(std::string_view key) const = 0;
    virtual void putSetting(std::string_view key, std::string_view value) = 0;

    virtual std::vector<QuickTicketType> quickTicketTypes() const = 0;
    virtual void putQuickTicketTypes(const std::vector<QuickTicketType>& types) = 0;
};

}  // namespace zarnevo
