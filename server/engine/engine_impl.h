#pragma once

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "server/engine/accounts.h"
#include "server/engine/cafe.h"
#include "server/engine/consoles.h"
#include "server/engine/demo_cafe.h"
#include "server/engine/engine.h"
#include "server/engine/login_guard.h"
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

    // Password checks: by the verifier when one is set, else in-line after the request.
    PasswordVerifier* verifier = nullptr;
    std::deque<std::pair<PasswordCheckId, PasswordCheck>> inlineChecks;
    PasswordCheckId nextCheckId = 1;
    struct PendingLogin {
        ConsoleId console;
        LoginSource source;
        LoginAttempt attempt;
    };
    std::map<PasswordCheckId, PendingLogin> pendingLogins;
    LoginGuard guard;

    // A console's request: read, held back until the greeting, dispatched.
    void handle(ConsoleId console, ConsoleSession& session, std::string_view plainMessage,
                std::int64_t nowMs);
    void hold(ConsoleId console, ConsoleSession& session, std::string_view plainMessage);
    // Handles what the console sent while it waited, until it waits again.
    void resume(ConsoleId console, std::int64_t nowMs);

    // Log-in and sign-in: the account is looked up, its password checked, and then the console
    // is let in or refused.
    void startLogin(ConsoleId console, ConsoleSession& session, LoginKind kind,
                    std::string_view conditionText, std::int64_t nowMs);
    void passwordChecked(PasswordCheckId id, const PasswordVerdict& verdict, std::int64_t nowMs);
    void runInlineChecks(std::int64_t nowMs);
    void letIn(ConsoleId console, ConsoleSession& session, const LoginAttempt& attempt,
               std::int64_t nowMs);
    // The refusal waits for the longer of the guard's delay and the console's own.
    void refuseLogin(ConsoleId console, ConsoleSession& session, LoginKind kind,
                     std::int64_t guardDelayMs, std::int64_t nowMs);
    // Refusals whose delay is over are answered, and their consoles go on.
    void answerDueRefusals(std::int64_t nowMs);
    // Log-ins that waited for their turn and may now be tried.
    void startWaitingLogins(std::int64_t nowMs);

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
    bool handleClientCommand(ConsoleId console, ConsoleSession& session, const Request& request,
                             std::int64_t nowMs);
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
