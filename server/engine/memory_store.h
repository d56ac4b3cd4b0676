#pragma once

#include <map>

#include "server/engine/store.h"

namespace zarnevo {

// The store in memory: for the engine's tests and for a server run without a database file.
class MemoryStore final : public Store {
public:
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
    struct BatchHead {
        std::string staff;
        std::int64_t createdAtMs = 0;
    };
    std::map<std::string, Operator, std::less<>> operators_;
    std::map<std::string, StaffMember, std::less<>> staff_;
    std::map<std::string, BatchHead, std::less<>> batches_;
    std::map<std::string, Ticket, std::less<>> tickets_;  // by user name
    std::vector<Sale> sales_;
    std::map<std::string, std::string, std::less<>> settings_;
    std::vector<QuickTicketType> quickTypes_;
};

}  // namespace zarnevo
