// Operator log-in and POS staff sign-in: password checks away from the requests, tries that wait
// their turn when their address was refused often, and refusals that wait longer the more the
// console, its address or the account has been refused.
#include <algorithm>
#include <exception>

#include "core/wire/framing.h"
#include "core/wire/replies.h"
#include "server/engine/engine_impl.h"
#include "server/engine/request.h"

namespace zarnevo {
namespace {

std::string Who(ConsoleId console) {
    return "console " + std::to_string(console);
}

LoginSource SourceOf(const ConsoleSession& session, LoginKind kind,
                     std::string_view conditionText) {
    const auto credentials = ParseConditionText(conditionText);
    return {session.address,
            credentials ? AccountKey(kind == LoginKind::Staff, credentials->user) : std::string()};
}

}  // namespace

void Engine::checkPasswordsWith(PasswordVerifier& verifier) {
    impl_->verifier = &verifier;
}

void Engine::passwordChecked(PasswordCheckId id, const PasswordVerdict& verdict,
                             std::int64_t nowMs) {
    impl_->passwordChecked(id, verdict, nowMs);
    impl_->startWaitingLogins(nowMs);
    impl_->runInlineChecks(nowMs);
    impl_->pushChanges();
}

void Engine::Impl::startLogin(ConsoleId console, ConsoleSession& session, LoginKind kind,
                              std::string_view conditionText, std::int64_t nowMs) {
    const LoginSource source = SourceOf(session, kind, conditionText);
    if (!guard.mayStart(source, nowMs)) {
        log(Who(console) + ": log-in waits its turn: tries from " + session.address +
            " were refused");
        session.waitingLogin.emplace(kind, std::string(conditionText));
        return;
    }
    guard.start(source);
    auto attempt = FindLogin(store, kind, conditionText);
    if (!attempt) {
        refuseLogin(console, session, kind, guard.refused(source, nowMs), nowMs);
        return;
    }
    const PasswordCheckId id = nextCheckId++;
    PasswordCheck check{std::move(attempt->password), attempt->stored, options.passwordCost};
    attempt->password.clear();
    pendingLogins.emplace(id, PendingLogin{console, source, std::move(*attempt)});
    session.checking = id;
    if (verifier) {
        verifier->start(id, std::move(check));
    } else {
        inlineChecks.emplace_back(id, std::move(check));
    }
}

void Engine::Impl::runInlineChecks(std::int64_t nowMs) {
    while (!inlineChecks.empty()) {
        auto [id, check] = std::move(inlineChecks.front());
        inlineChecks.pop_front();
        PasswordVerdict verdict;
        try {
            verdict = CheckPassword(check.password, check.stored, check.cost);
        } catch (const std::exception& fault) {
            log(std::string("a password check failed: ") + fault.what());
        }
        passwordChecked(id, verdict, nowMs);
    }
}

void Engine::Impl::passwordChecked(PasswordCheckId id, const PasswordVerdict& verdict,
                                   std::int64_t nowMs) {
    const auto pending = pendingLogins.find(id);
    if (pending == pendingLogins.end())
        return;
    const PendingLogin login = std::move(pending->second);
    pendingLogins.erase(pending);
    // Counted even when the console left meanwhile: leaving early spares a guesser nothing.
    std::int64_t guardDelayMs = 0;
    if (verdict.matches) {
        guard.accepted(login.source);
    } else {
        guardDelayMs = guard.refused(login.source, nowMs);
    }
    ConsoleSession* session = consoles.find(login.console);
    if (!session || session->checking != id)
        return;
    session->checking = 0;
    if (!verdict.matches) {
        refuseLogin(login.console, *session, login.attempt.kind, guardDelayMs, nowMs);
    } else {
        if (verdict.renewed) {
            StoreRenewedHash(store, login.attempt, *verdict.renewed);
            log("password hash of " + login.attempt.name + " renewed");
        }
        letIn(login.console, *session, login.attempt, nowMs);
    }
    resume(login.console, nowMs);
}

void Engine::Impl::letIn(ConsoleId console, ConsoleSession& session, const LoginAttempt& attempt,
                         std::int64_t nowMs) {
    session.failedLogins = 0;
    if (attempt.kind == LoginKind::Staff) {
        if (session.staff != attempt.name)
            session.staffSignInMs = nowMs;
        session.staff = attempt.name;
        log(Who(console) + ": POS staff " + attempt.name + " signed in");
        send(console, wire::MessageText(wire::reply::PosLog, "TRUE"));
        return;
    }
    session.operatorName = attempt.name;
    session.rights = attempt.rights;
    log(Who(console) + ": operator " + attempt.name + " logged in (" + attempt.rights + ")");
    // The console reads the rights and the shut-down permission before the acceptance.
    send(console, wire::MessageText(wire::reply::Type, attempt.rights));
    send(console, switches.switchMessage(wire::reply::ShutRest));
    send(console, wire::MessageText(wire::reply::Login, "TRUE"));
}

void Engine::Impl::refuseLogin(ConsoleId console, ConsoleSession& session, LoginKind kind,
                               std::int64_t guardDelayMs, std::int64_t nowMs) {
    const bool staff = kind == LoginKind::Staff;
    // Whoever an earlier try let in is gone: the connection keeps no rights past a refusal.
    if (staff) {
        session.staff.clear();
    } else {
        session.operatorName.clear();
        session.rights.clear();
    }
    const std::string refusal =
        wire::MessageText(staff ? wire::reply::PosLog : wire::reply::Login, "FALSE");
    log(Who(console) + (staff ? ": POS sign-in refused" : ": operator log-in refused"));
    const std::int64_t delay = std::max(guardDelayMs, RefusalDelayMs(++session.failedLogins));
    if (delay == 0) {
        send(console, refusal);
        return;
    }
    session.heldRefusal = refusal;
    session.refusalDueMs = nowMs + delay;
    log(Who(console) + ": refusal " + std::to_string(session.failedLogins) +
        " in a row here (or one of many from its address or for its account) answered in " +
        std::to_string(delay / 1000) + " s");
}

void Engine::Impl::answerDueRefusals(std::int64_t nowMs) {
    for (ConsoleId console : consoles.ids()) {
        ConsoleSession* session = consoles.find(console);
        if (session->heldRefusal.empty() || session->refusalDueMs > nowMs)
            continue;
        send(console, std::exchange(session->heldRefusal, {}));
        resume(console, nowMs);
    }
}

void Engine::Impl::startWaitingLogins(std::int64_t nowMs) {
    for (ConsoleId console : consoles.ids()) {
        ConsoleSession* session = consoles.find(console);
        if (!session->waitingLogin)
            continue;
        const auto& [kind, text] = *session->waitingLogin;
        if (!guard.mayStart(SourceOf(*session, kind, text), nowMs))
            continue;
        const auto [waitedKind, waitedText] = *std::exchange(session->waitingLogin, std::nullopt);
        startLogin(console, *session, waitedKind, waitedText, nowMs);
        resume(console, nowMs);
    }
}

}  // namespace zarnevo
