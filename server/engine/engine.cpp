#include "server/engine/engine.h"

#include <algorithm>
#include <utility>

#include "core/wire/discovery.h"
#include "core/wire/framing.h"
#include "core/wire/replies.h"
#include "core/wire/request_keywords.h"

#include "server/engine/engine_impl.h"
#include "server/engine/texts.h"
#include "server/engine/tickets.h"

namespace zarnevo {
namespace {

// Above this share of changed slots one "ask for the list" beats a record per slot.
bool MostSlotsChanged(std::size_t changed, int slots) {
    return changed > 4 && changed * 2 > static_cast<std::size_t>(slots);
}

}  // namespace

Engine::Impl::Impl(Store& s, Outbox& o, EngineOptions opts, Log l, RandomSource* r)
    : store(s),
      outbox(o),
      options(opts),
      // Lines carry what consoles sent; each is made safe for a one-line log here, once.
      log([sink = std::move(l)](const std::string& line) {
          if (sink)
              sink(LogSafe(line));
      }),
      ownRandom(r ? nullptr : std::make_unique<SystemRandom>()),
      random(r ? *r : *ownRandom),
      cafe(opts.slots),
      switches(s) {
    InitCrypto();
    if (options.posGeneration) {
        switches.set(wire::reply::PosType, *options.posGeneration);
    }
    if (options.demo) {
        demo.emplace(options.seed);
        demo->populate(cafe);
    } else {
        PopulateFixedCafe(cafe);
    }
    cafe.takeChanged();
}

Engine::Engine(Store& store, Outbox& outbox, EngineOptions options, Log log)
    : impl_(std::make_unique<Impl>(store, outbox, options, std::move(log), nullptr)) {}

Engine::Engine(Store& store, Outbox& outbox, EngineOptions options, Log log, RandomSource& random)
    : impl_(std::make_unique<Impl>(store, outbox, options, std::move(log), &random)) {}

Engine::~Engine() = default;

void Engine::consoleConnected(ConsoleId console, std::string_view sourceAddress,
                              std::int64_t nowMs) {
    impl_->consoles.add(console, sourceAddress, nowMs);
    impl_->log("console " + std::to_string(console) + " connected");
}

void Engine::consoleDisconnected(ConsoleId console) {
    if (!impl_->consoles.contains(console))
        return;
    impl_->consoles.remove(console);
    impl_->log("console " + std::to_string(console) + " disconnected");
}

void Engine::receive(ConsoleId console, std::string_view plainMessage, std::int64_t nowMs) {
    ConsoleSession* session = impl_->consoles.find(console);
    if (!session) {
        impl_->log("message from unknown console " + std::to_string(console) + " ignored");
        return;
    }
    if (plainMessage.size() > kMaxRequestBytes) {
        impl_->log("console " + std::to_string(console) + ": request of " +
                   std::to_string(plainMessage.size()) + " bytes dropped (too large)");
        return;
    }
    impl_->consoles.heard(console, nowMs);
    if (session->waiting()) {
        impl_->hold(console, *session, plainMessage);
        return;
    }
    impl_->handle(console, *session, plainMessage, nowMs);
    impl_->runInlineChecks(nowMs);
    impl_->pushChanges();
}

void Engine::tick(std::int64_t nowMs) {
    Impl& d = *impl_;
    if (d.lastTickMs < 0)
        d.cafe.dateUndatedSessions(nowMs);
    if (d.lastTickMs >= 0 && nowMs > d.lastTickMs) {
        const double simulated = static_cast<double>(nowMs - d.lastTickMs) / 1000.0 *
                                 (d.options.speed > 0 ? d.options.speed : 1.0);
        for (const SessionEnd& ended : d.cafe.elapse(simulated))
            d.giveBack(ended);
        if (d.demo) {
            const DemoCafe::Hooks hooks{
                [&](int slot, const std::string& user, const std::string& password) {
                    return d.ticketLogin(slot, user, password, nowMs);
                },
                [&](const std::optional<SessionEnd>& ended) { d.giveBack(ended); },
                [&] { return d.usableTickets(nowMs); }};
            d.demo->step(d.cafe, simulated, hooks);
        }
    }
    if (nowMs > d.lastTickMs)
        d.lastTickMs = nowMs;

    d.answerDueRefusals(nowMs);
    d.startWaitingLogins(nowMs);
    d.runInlineChecks(nowMs);
    d.guard.expire(nowMs);

    const Consoles::KeepAlive keepAlive = d.consoles.keepAlive(nowMs);
    for (ConsoleId console : keepAlive.drop) {
        d.log("console " + std::to_string(console) + " stopped answering; dropped");
        d.outbox.disconnect(console);
    }
    for (ConsoleId console : keepAlive.probe)
        d.send(console, wire::MessageText(wire::reply::StillConnected));
    d.pushChanges();
}

bool Engine::clientLogin(int slot, std::string_view user, std::string_view password,
                         std::int64_t nowMs) {
    const bool accepted = impl_->ticketLogin(slot, user, password, nowMs);
    impl_->pushChanges();
    return accepted;
}

std::string Engine::discoveryAnswer(std::string_view serverIp, int portOffset) const {
    // A console takes PORT as its port offset and steps one port further before its next
    // connection attempt, so the answer names the offset just below ours. NOCOMPUTER becomes the
    // highest offset the console tries; our own offset keeps it from wrapping before our port.
    return wire::discovery::AnswerText(serverIp, portOffset, portOffset - 1);
}

void Engine::Impl::send(ConsoleId console, const std::string& message) {
    outbox.send(console, message);
}

void Engine::Impl::sendAll(const std::string& message) {
    for (ConsoleId console : consoles.greetedIds())
        send(console, message);
}

void Engine::Impl::sendClientList(ConsoleId console) {
    for (int slot = 1; slot <= cafe.slots(); ++slot) {
        send(console, wire::MessageText(wire::reply::Update, cafe.record(slot)));
    }
}

void Engine::Impl::pushSwitches(ConsoleId console) {
    for (const std::string& message : switches.pushMessages())
        send(console, message);
}

void Engine::Impl::pushSwitchToAll(std::string_view keyword) {
    sendAll(switches.switchMessage(keyword));
}

void Engine::Impl::pushChanges() {
    const std::vector<int> changed = cafe.takeChanged();
    if (changed.empty())
        return;
    if (MostSlotsChanged(changed.size(), cafe.slots())) {
        sendAll(wire::MessageText(wire::reply::UpdateX));
        return;
    }
    for (int slot : changed)
        sendAll(wire::MessageText(wire::reply::Update, cafe.record(slot)));
}

void Engine::Impl::giveBack(const std::optional<SessionEnd>& ended) {
    if (!ended)
        return;
    auto ticket = store.findTicket(ended->ticket);
    if (!ticket)
        return;
    // A ticket for one use only is spent by its first session.
    ticket->secondsLeft = ticket->once ? 0 : std::max<std::int64_t>(0, ended->secondsLeft);
    store.updateTickets({*ticket}, {});
}

std::vector<Ticket> Engine::Impl::usableTickets(std::int64_t nowMs) const {
    std::vector<Ticket> usable;
    for (const Ticket& ticket : store.allTickets()) {
        if (!TicketLoginRefusal(ticket, ticket.password, nowMs) && !slotUsingTicket(ticket.user)) {
            usable.push_back(ticket);
        }
    }
    return usable;
}

int Engine::Impl::slotUsingTicket(std::string_view user) const {
    for (int slot = 1; slot <= cafe.slots(); ++slot) {
        if (cafe.client(slot).ticket == user)
            return slot;
    }
    return 0;
}

bool Engine::Impl::ticketLogin(int slot, std::string_view userText, std::string_view password,
                               std::int64_t nowMs) {
    const std::string user = wire::UpperAscii(Trim(userText));
    const std::string where = "client slot " + std::to_string(slot);
    if (switches.get(wire::reply::DisLog).value_or(false)) {
        log(where + ": ticket log-in refused (ticket log-in is disabled)");
        return false;
    }
    auto ticket = store.findTicket(user);
    if (const auto refusal = TicketLoginRefusal(ticket, password, nowMs)) {
        log(where + ": ticket log-in refused: " + *refusal);
        return false;
    }
    if (slotUsingTicket(user) != 0) {
        log(where + ": ticket log-in refused: ticket " + user + " is in use");
        return false;
    }
    if (!cafe.startTicketSession(slot, user, ticket->secondsLeft, nowMs)) {
        log(where + ": ticket log-in refused: the client is not ready");
        return false;
    }
    if (ticket->firstUsedAtMs == 0) {
        ticket->firstUsedAtMs = nowMs;
        store.updateTickets({*ticket}, {});
    }
    log(where + ": " + user + " logged in with a ticket");
    return true;
}

void Engine::Impl::handle(ConsoleId console, ConsoleSession& session, std::string_view plainMessage,
                          std::int64_t nowMs) {
    const auto request = ParseRequest(plainMessage);
    if (!request) {
        log("console " + std::to_string(console) + ": empty request ignored");
        return;
    }
    if (!session.greeted && request->keyword != wire::request::Authenticating) {
        // A console greets first; whatever comes before is no console's and learns nothing.
        log("console " + std::to_string(console) + ": " + request->keyword +
            " before the greeting ignored");
        return;
    }
    dispatch(console, session, *request, nowMs);
}

void Engine::Impl::hold(ConsoleId console, ConsoleSession& session, std::string_view plainMessage) {
    if (session.held.size() < kMaxHeldRequests) {
        session.held.emplace_back(plainMessage);
        return;
    }
    if (session.droppedWhileWaiting++ == 0) {
        log("console " + std::to_string(console) + ": " + std::to_string(kMaxHeldRequests) +
            " requests wait already; dropping what comes before they are handled");
    }
}

void Engine::Impl::resume(ConsoleId console, std::int64_t nowMs) {
    for (ConsoleSession* session = consoles.find(console); session && !session->waiting();
         session = consoles.find(console)) {
        if (session->held.empty()) {
            if (const std::size_t dropped = std::exchange(session->droppedWhileWaiting, 0)) {
                log("console " + std::to_string(console) + ": " + std::to_string(dropped) +
                    " request(s) dropped while it waited");
            }
            return;
        }
        const std::string next = std::move(session->held.front());
        session->held.pop_front();
        handle(console, *session, next, nowMs);
    }
}

void Engine::Impl::dispatch(ConsoleId console, ConsoleSession& session, const Request& request,
                            std::int64_t nowMs) {
    const std::string& keyword = request.keyword;
    if (keyword == wire::request::YesConnect)
        return;  // hearing it already counted
    if (keyword == wire::request::Authenticating) {
        // The greeting: the console has now taken its connected state and accepts the
        // switches. A peer that never greets is told nothing.
        session.greeted = true;
        log("console " + std::to_string(console) + " greeted: " + request.rawValue);
        pushSwitches(console);
        return;
    }
    if (keyword == wire::request::Update) {
        sendClientList(console);
        return;
    }
    if (keyword == wire::request::SMessage) {
        log("message from console " + std::to_string(console) + ": " + request.rawValue);
        return;
    }
    if (handleClientCommand(console, session, request, nowMs) ||
        handleOperatorDesk(console, session, request, nowMs) ||
        handlePosDesk(console, session, request, nowMs) ||
        handleActivation(console, session, request, nowMs)) {
        return;
    }
    log("console " + std::to_string(console) + ": unknown request " + keyword + " ignored");
}

}  // namespace zarnevo
