#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "server/engine/store.h"

// Operator log-in and POS staff sign-in: the condition text a console sends is read as data, and
// the account it names is looked up; its password is then checked against the stored hash.
namespace zarnevo {

enum class LoginKind { Operator, Staff };

// An account a log-in text names, with the password the text carries, still to be checked.
struct LoginAttempt {
    LoginKind kind = LoginKind::Operator;
    std::string name;    // upper case
    std::string rights;  // an operator's rights; empty for staff
    PasswordHash stored;
    std::string password;
};

// Nothing when the text is malformed, the name unknown or an operator's rights not a known level.
std::optional<LoginAttempt> FindLogin(const Store& store, LoginKind kind,
                                      std::string_view conditionText);

// Replaces the account's hash by the renewed one, unless the account changed meanwhile.
void StoreRenewedHash(Store& store, const LoginAttempt& attempt, const PasswordHash& renewed);

bool IsRightsLevel(std::string_view rights);

}  // namespace zarnevo
