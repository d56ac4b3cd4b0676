#pragma once

#include <cstdint>
#include <string>

#include "server/engine/password_hash.h"

namespace zarnevo {

// One password to check against its stored hash. A match against a hash of an older kind or of
// other limits than cost brings the password hashed anew at cost.
struct PasswordCheck {
    std::string password;
    PasswordHash stored;
    PasswordCost cost = PasswordCost::Interactive;
};

using PasswordCheckId = std::uint64_t;

// Where the engine has passwords checked. Hashing is slow on purpose, so the host checks them
// away from the thread that serves the consoles. The verdict of every check started goes back
// through Engine::passwordChecked on the engine's thread, later: never from inside start().
class PasswordVerifier {
public:
    virtual ~PasswordVerifier() = default;
    virtual void start(PasswordCheckId id, PasswordCheck check) = 0;
};

}  // namespace zarnevo
