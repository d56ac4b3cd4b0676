#include "server/engine/memory_store.h"

#include <algorithm>
#include <set>

namespace zarnevo {

std::optional<Operator> MemoryStore::findOperator(std::string_view name) const {
    const auto it = operators_.find(name);
    if (it == operators_.end())
        return std::nullopt;
    return it->second;
}

void MemoryStore::putOperator(const Operator& account) {
    operators_[account.name] = account;
}

std::optional<StaffMember> MemoryStore::findStaff(std::string_view name) const {
    const auto it = staff_.find(name);
    if (it == staff_.end())
        return std::nullopt;
    return it->second;
}

void MemoryStore::putStaff(const StaffMember& staff) {
    staff_[staff.name] = staff;
}

bool MemoryStore::addBatch(const TicketBatch& batch, const std::optional<Sale>& sale) {
    if (batches_.contains(batch.group))
        return false;
    std::set<std::string, std::less<>> users;
    for (const Ticket& ticket : batch.tickets) {
        if (tickets_.contains(ticket.user) || !users.insert(ticket.user).second)
            return false;
    }
    batches_[batch.group] = BatchHead{batch.staff, batch.createdAtMs};
    for (const Ticket& ticket : batch.tickets)
        tickets_[ticket.user] = ticket;
    if (sale)
        sales_.push_back(*sale);
    return true;
}

bool MemoryStore::deleteBatch(std::string_view group) {
    const auto it = batches_.find(group);
    if (it == batches_.end())
        return false;
    batches_.erase(it);
    std::erase_if(tickets_, [&](const auto& entry) { return entry.second.group == group; });
    std::erase_if(sales_, [&](const Sale& sale) { return sale.group == group; });
    return true;
}

std::optional<TicketBatch> MemoryStore::findBatch(std::string_view group) const {
    const auto it = batches_.find(group);
    if (it == batches_.end())
        return std::nullopt;
    TicketBatch batch{it->first, it->second.staff, it->second.createdAtMs, {}};
    for (const auto& [user, ticket] : tickets_) {
        if (ticket.group == group)
            batch.tickets.push_back(ticket);
    }
    std::ranges::sort(batch.tickets, {}, &Ticket::number);
    return batch;
}

bool MemoryStore::groupExists(std::string_view group) const {
    return batches_.contains(group);
}

std::optional<Ticket> MemoryStore::findTicket(std::string_view user) const {
    const auto it = tickets_.find(user);
    if (it == tickets_.end())
        return std::nullopt;
    return it->second;
}

std::optional<Ticket> MemoryStore::findTicketByNumber(std::string_view group, int number) const {
    for (const auto& [user, ticket] : tickets_) {
        if (ticket.group == group && ticket.number == number)
            return ticket;
    }
    return std::nullopt;
}

std::vector<Ticket> MemoryStore::allTickets() const {
    std::vector<Ticket> out;
    for (const auto& [user, ticket] : tickets_)
        out.push_back(ticket);
    std::ranges::sort(out, [](const Ticket& a, const Ticket& b) {
        return a.group != b.group ? a.group < b.group : a.number < b.number;
    });
    return out;
}

bool MemoryStore::updateTickets(const std::vector<Ticket>& tickets,
                                const std::vector<Sale>& sales) {
    for (const Ticket& ticket : tickets) {
        if (!tickets_.contains(ticket.user))
            return false;
    }
    for (const Ticket& ticket : tickets)
        tickets_[ticket.user] = ticket;
    sales_.insert(sales_.end(), sales.begin(), sales.end());
    return true;
}

std::vector<Sale> MemoryStore::salesBetween(std::int64_t fromMs, std::int64_t toMs) const {
    std::vector<Sale> out;
    for (const Sale& sale : sales_) {
        if (sale.atMs >= fromMs && sale.atMs < toMs)
            out.push_back(sale);
    }
    std::ranges::stable_sort(out, {}, &Sale::atMs);
    return out;
}

std::optional<std::string> MemoryStore::setting(std::string_view key) const {
    const auto it = settings_.find(key);
    if (it == settings_.end())
        return std::nullopt;
    return it->second;
}

void MemoryStore::putSetting(std::string_view key, std::string_view value) {
    settings_[std::string(key)] = std::string(value);
}

std::vector<QuickTicketType> MemoryStore::quickTicketTypes() const {
    return quickTypes_;
}

void MemoryStore::putQuickTicketTypes(const std::vector<QuickTicketType>& types) {
    quickTypes_ = types;
}

}  // namespace zarnevo
