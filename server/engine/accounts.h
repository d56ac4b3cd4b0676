#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "server/engine/store.h"

// Operator log-in and POS staff sign-in: the condition text a console sends is read as data and
// checked against the salted hashes in the store.
namespace zarnevo {

// The operator whose name and password the condition text carries; nothing when the text is
// malformed, the name unknown, the password wrong or the account's rights not a known level. A
// hash of an older kind or of other limits than cost is replaced in the store by a new one.
std::optional<Operator> CheckOperatorLogin(Store& store, std::string_view conditionText,
                                           PasswordCost cost);

// The upper-case name of the POS staff member the condition text signs in; nothing otherwise.
std::optional<std::string> CheckStaffSignIn(Store& store, std::string_view conditionText,
                                            PasswordCost cost);

bool IsRightsLevel(std::string_view rights);

}  // namespace zarnevo
