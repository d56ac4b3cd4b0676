#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "server/engine/random_source.h"
#include "server/engine/store.h"

// Making, deleting and using tickets.
namespace zarnevo {

// What a ticket request asks for: "minutes|count|cost|VIP|time-ticket|once|staff".
struct BatchOrder {
    int minutes = 0;
    int count = 0;
    Cents cost = 0;
    bool vip = false;
    bool timeTicket = false;
    bool once = false;
    std::string staff;  // upper case
};
// Nothing when a field is missing or out of range (minutes 1..599,940, count 1..999).
std::optional<BatchOrder> ParseBatchOrder(std::string_view text);

inline constexpr std::size_t kGroupLength = 12;
inline constexpr int kMaxTicketsPerBatch = 999;

// Draws a batch without storing it: a fresh random 12-digit group, tickets numbered from 1,
// user names and passwords from the random source, each ticket activated by the staff member.
std::optional<TicketBatch> DrawBatch(const Store& store, RandomSource& random,
                                     const BatchOrder& order, int validDays, std::int64_t nowMs);

// Makes a sold batch: a fresh random 12-digit group, tickets numbered from 1, user names and
// passwords from the random source, each ticket activated by the staff member; stores it with
// its sale in one transaction. Nothing when the store refused it.
std::optional<TicketBatch> MakeBatch(Store& store, RandomSource& random, const BatchOrder& order,
                                     int validDays, std::int64_t nowMs);

// The batch text of the ticket-request answer: nine fields per ticket, all joined by "|":
// user name, password, minutes, cost, expiry (days, or a date), group, number, time-ticket
// flag, once flag.
std::string BatchText(const TicketBatch& batch);
// "001": how a ticket's number is written within its group.
std::string TicketNumberText(int number);

// The ticket record of a look-up answer: eleven pieces joined by "|".
std::string TicketRecord(const Ticket& ticket);

// When the ticket stops being usable; nothing when it never expires.
std::optional<std::int64_t> ExpiryMs(const Ticket& ticket);
bool IsExpired(const Ticket& ticket, std::int64_t nowMs);

// Why a ticket cannot log a client in; nothing when it can. The password is compared in
// constant time.
std::optional<std::string> TicketLoginRefusal(const std::optional<Ticket>& ticket,
                                              std::string_view password, std::int64_t nowMs);

// A 12-character run of digits (the console's group boxes accept digits only).
bool IsGroupText(std::string_view text);

}  // namespace zarnevo
