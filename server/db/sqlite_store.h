#pragma once

#include <string>

#include "server/db/sqlite_database.h"
#include "server/engine/store.h"

namespace zarnevo {

// The server's store in an SQLite database: write-ahead logging on a file, the schema brought up
// to date on open, every multi-row change (a batch with its sale, ticket updates with their sales)
// in one transaction. An error other than a refused duplicate throws SqliteError.
class SqliteStore final : public Store {
public:
    // path is a file (created when missing) or ":memory:".
    explicit SqliteStore(const std::string& path);

    int schemaVersion() const;
    // "wal" for a file database, "memory" for ":memory:".
    std::string journalMode() const;

    std::optional<Operator> findOperator(std::string_view name) const override;
    void putOperator(const Operator& account) override;
    std::optional<StaffMember> findStaff(std::string_view name) const override;
    void putStaff(const StaffMember& staff) override;

    bool addBatch(const TicketBatch& batch, const std::optional<Sale>& sale) override;
    bool deleteBatch(std::string_view group) override;
    std::optional<TicketBatch> findBatch(std::string_view group) const override;
    bool groupExists(std::string_view group) const override;

    std::optional<Ticket> findTicket(std::string_view user) const override;
    std::optional<Ticket> findTicketByNumber(std::string_view group, int number) const override;
    std::vector<Ticket> allTickets() const override;
    bool updateTickets(const std::vector<Ticket>& tickets, const std::vector<Sale>& sales) override;

    std::vector<Sale> salesBetween(std::int64_t fromMs, std::int64_t toMs) const override;

    std::optional<std::string> setting(std::string_view key) const override;
    void putSetting(std::string_view key, std::string_view value) override;

    std::vector<QuickTicketType> quickTicketTypes() const override;
    void putQuickTicketTypes(const std::vector<QuickTicketType>& types) override;

private:
    void insertSale(const Sale& sale);
    std::vector<Ticket> ticketsOfGroup(std::string_view group) const;

    // Reading through a kept statement changes no data, so the finders stay const.
    mutable SqliteDatabase db_;
};

}  // namespace zarnevo
