#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "server/engine/login_guard.h"
#include "server/engine/outbox.h"
#include "server/engine/password_hash.h"
#include "server/engine/password_verifier.h"
#include "server/engine/random_source.h"
#include "server/engine/store.h"

namespace zarnevo {

struct EngineOptions {
    int slots = 20;          // client slots of the café (rows of the console's grid)
    bool demo = false;       // simulate a lively café: clients come and go, users log in
    std::uint64_t seed = 1;  // makes the demo café reproducible
    double speed = 1.0;      // simulated seconds per real second
    // The window point-of-sale staff work in, when given: the generation window (true) or the
    // operations window (false). It sets the POSTYPE switch, kept in the store, at the start.
    std::optional<bool> posGeneration = std::nullopt;
    // The cost a password hash of an older kind is renewed at when its owner logs in.
    PasswordCost passwordCost = PasswordCost::Interactive;
};

// Plain messages larger than this are dropped with a log line.
inline constexpr std::size_t kMaxRequestBytes = 64 * 1024;

// While a console waits for a password check, a delayed refusal or its turn to try a log-in
// (login_guard.h), its requests wait, in order, up to kMaxHeldRequests; further ones are dropped.
inline constexpr std::size_t kMaxHeldRequests = 64;

// The server's protocol engine and café model: a console's decoded messages in, messages out
// through the Outbox, time passed in by the caller. No threads, no sockets, no Qt.
class Engine {
public:
    using Log = std::function<void(const std::string&)>;

    // Credentials come from the operating system's cryptographic source.
    Engine(Store& store, Outbox& outbox, EngineOptions options, Log log);
    // Credentials come from the given source (tests pass a seeded one); it must outlive the
    // engine.
    Engine(Store& store, Outbox& outbox, EngineOptions options, Log log, RandomSource& random);
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // A console connected from the source address (refused log-ins are counted by it as well).
    // Nothing is sent to it before it greets.
    void consoleConnected(ConsoleId console, std::string_view sourceAddress, std::int64_t nowMs);
    // The console is gone; whatever it asked for half-way changes nothing else.
    void consoleDisconnected(ConsoleId console);
    // One decoded message of a console (the host separates merged messages). While the console
    // waits for a password check or a delayed refusal, its messages wait too.
    void receive(ConsoleId console, std::string_view plainMessage, std::int64_t nowMs);

    // Passwords are checked inside the engine's own calls unless a verifier is set; set it before
    // the first console connects. It must outlive the engine.
    void checkPasswordsWith(PasswordVerifier& verifier);
    // The verdict of a check the verifier was asked for; a console that left meanwhile is not
    // answered.
    void passwordChecked(PasswordCheckId id, const PasswordVerdict& verdict, std::int64_t nowMs);
    // Advances the simulated café and the keep-alive probes; call it every few hundred ms.
    void tick(std::int64_t nowMs);

    // A user at the client computer of the slot (1..slots) logs in with a ticket's user name and
    // password, as the café's client program would ask the server. True when the ticket let the
    // user in; the consoles then see the client "Logged in".
    bool clientLogin(int slot, std::string_view user, std::string_view password,
                     std::int64_t nowMs);

    // The plain-text answer on the discovery port to "CONNECTED": the server's address, the
    // highest port offset a console should try and the offset of the console port
    // (console port = 999 + offset).
    std::string discoveryAnswer(std::string_view serverIp, int portOffset) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace zarnevo
