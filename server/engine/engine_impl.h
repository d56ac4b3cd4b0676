#pragma once

#include <memory>
#include <optional>
#include <string>

#include "server/engine/cafe.h"
#include "server/engine/consoles.h"
#include "server/engine/demo_cafe.h"
#include "server/engine/engine.h"
#include "server/engine/request.h"
#include "server/engine/switches.h"

// The engine's state and handlers. One class, its handlers spread over files by subject:
// engine.cpp (connections, dispatch, pushes, time), client_commands.cpp, operator_desk.cpp
// (log-in, ticket search, reports), pos_desk.cpp (staff sign-in, ticket batches, look-ups,
// summaries), activation.cpp.
namespace zarnevo {

struct Engine::Impl {
    Impl(Store& store, Outbox& outbox, EngineOptions options, Log log, RandomSource* random);

    Store& store;
    Outbox& outbox;
    EngineOptions options;
    Log log;
    std::unique_ptr<RandomSource> ownRandom;
    RandomSource& random;
    Cafe cafe;
    CafeSwitches switches;
    Consoles consoles;
    std::optional<DemoCafe> demo;
    std::int64_t lastTickMs = -1;

    // Sending.
    void send(ConsoleId console, const std::string& message);
    void sendAll(const std::string& message);
    void sendClientList(ConsoleId console);
    void pushSwitches(ConsoleId console);
    void pushSwitchToAll(std::string_view keyword);
    // UPDATE records of the changed slots to every console (UPDATEX when most slots changed).
    void pushChanges();

    // Time a ticket session had left goes back to its ticket.
    void giveBack(const std::optional<SessionEnd>& ended);
    bool ticketLogin(int slot, std::string_view user, std::string_view password,
                     std::int64_t nowMs);
    // The slot whose session runs on this ticket; 0 when none.
    int slotUsingTicket(std::string_view user) const;
    // Tickets a demo user may hold: activated, unexpired, time left, not in use.
    std::vector<Ticket> usableTickets(std::int64_t nowMs) const;

    // Handlers: each returns false when the keyword is not its own.
    void dispatch(ConsoleId console, ConsoleSession& session, const Request& request,
                  std::int64_t nowMs);
    bool handleClientCommand(ConsoleSession& session, const Request& request, std::int64_t nowMs);
    bool handleOperatorDesk(ConsoleId console, ConsoleSession& session, const Request& request,
                            std::int64_t nowMs);
    bool handlePosDesk(ConsoleId console, ConsoleSession& session, const Request& request,
                       std::int64_t nowMs);
    bool handleActivation(ConsoleId console, ConsoleSession& session, const Request& request,
                          std::int64_t nowMs);

    // The staff-figures reply for the staff member signed in on the console.
    std::string staffFiguresMessage(const ConsoleSession& session, std::int64_t nowMs) const;
};

}  // namespace zarnevo
