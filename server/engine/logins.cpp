// Operator log-in and POS staff sign-in: password checks away from the requests, and refusals
// that wait longer the more a console has been refused in a row.
#include <algorithm>
#include <exception>

#include "server/engine/engine_impl.h"

namespace zarnevo {
namespace {

std::string Who(ConsoleId console) {
    return "console " + std::to_string(console);
}

// How long the refusal after this many failures in a row waits: nothing for the first few, then
// the first delay, doubling up to the longest.
std::int64_t RefusalDelayMs(int failures) {
    const int beyond = failures - kFreeLoginFailures;
    if (beyond <= 0)
        return 0;
    std::int64_t delay = kFirstRefusalDelayMs;
    for (int i = 1; i < beyond && delay < kLongestRefusalDelayMs; ++i)
        delay *= 2;
    return std::min(delay, kLongestRefusalDelayMs);
}

}  // namespace

void Engine::checkPasswordsWith(PasswordVerifier& verifier) {
    impl_->verifier = &verifier;
}

void Engine::passwordChecked(PasswordCheckId id, const PasswordVerdict& verdict,
                             std::int64_t nowMs) {
    impl_->passwordChecked(id, verdict, nowMs);
    impl_->runInlineChecks(nowMs);
    impl_->pushChanges();
}

void Engine::Impl::startLogin(ConsoleId console, ConsoleSession& session, LoginKind kind,
                              std::string_view conditionText, std::int64_t nowMs) {
    auto attempt = FindLogin(store, kind, conditionText);
    if (!attempt) {
        refuseLogin(console, session, kind, nowMs);
        return;
    }
    const PasswordCheckId id = nextCheckId++;
    PasswordCheck check{std::move(attempt->password), attempt->stored, options.passwordCost};
    attempt->password.clear();
    pendingLogins.emplace(id, std::make_pair(console, std::move(*attempt)));
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
    const auto [console, attempt] = std::move(pending->second);
    pendingLogins.erase(pending);
    ConsoleSession* session = consoles.find(console);
    if (!session || session->checking != id)
        return;  // the console left meanwhile
    session->checking = 0;
    if (!verdict.matches) {
        refuseLogin(console, *session, attempt.kind, nowMs);
    } else {
        if (verdict.renewed) {
            StoreRenewedHash(store, attempt, *verdict.renewed);
            log("password hash of " + attempt.name + " renewed");
        }
        letIn(console, *session, attempt, nowMs);
    }
    resume(console, nowMs);
}

void Engine::Impl::letIn(ConsoleId console, ConsoleSession& session, const LoginAttempt& attempt,
                         std::int64_t nowMs) {
    session.failedLogins = 0;
    if (attempt.kind == LoginKind::Staff) {
        if (session.staff != attempt.name)
            session.staffSignInMs = nowMs;
        session.staff = attempt.name;
        log(Who(console) + ": POS staff " + attempt.name + " signed in");
        send(console, "||F-POSLOG||TRUE||");
        return;
    }
    session.operatorName = attempt.name;
    session.rights = attempt.rights;
    log(Who(console) + ": operator " + attempt.name + " logged in (" + attempt.rights + ")");
    // The console reads the rights and the shut-down permission before the acceptance.
    send(console, "||TYPE||" + attempt.rights + "||");
    send(console, switches.switchMessage("SHUTREST"));
    send(console, "||F-LOGIN||TRUE||");
}

void Engine::Impl::refuseLogin(ConsoleId console, ConsoleSession& session, LoginKind kind,
                               std::int64_t nowMs) {
    const bool staff = kind == LoginKind::Staff;
    // Whoever an earlier try let in is gone: the connection keeps no rights past a refusal.
    if (staff) {
        session.staff.clear();
    } else {
        session.operatorName.clear();
        session.rights.clear();
    }
    const std::string refusal = staff ? "||F-POSLOG||FALSE||" : "||F-LOGIN||FALSE||";
    log(Who(console) + (staff ? ": POS sign-in refused" : ": operator log-in refused"));
    const std::int64_t delay = RefusalDelayMs(++session.failedLogins);
    if (delay == 0) {
        send(console, refusal);
        return;
    }
    session.heldRefusal = refusal;
    session.refusalDueMs = nowMs + delay;
    log(Who(console) + ": " + std::to_string(session.failedLogins) +
        " refusals in a row; this one is answered in " + std::to_string(delay / 1000) + " s");
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

}  // namespace zarnevo
