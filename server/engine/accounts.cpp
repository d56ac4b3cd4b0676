#include "server/engine/accounts.h"

#include "core/wire/framing.h"
#include "server/engine/request.h"

namespace zarnevo {

bool IsRightsLevel(std::string_view rights) {
    return rights == "ADMINISTRATOR" || rights == "USER" || rights == "VIEWER";
}

std::optional<Operator> CheckOperatorLogin(const Store& store, std::string_view conditionText) {
    const auto credentials = ParseConditionText(conditionText);
    if (!credentials)
        return std::nullopt;
    const auto account = store.findOperator(wire::UpperAscii(credentials->user));
    if (!account || !IsRightsLevel(account->rights))
        return std::nullopt;
    if (!VerifyPassword(credentials->password, account->password))
        return std::nullopt;
    return account;
}

std::optional<std::string> CheckStaffSignIn(const Store& store, std::string_view conditionText) {
    const auto credentials = ParseConditionText(conditionText);
    if (!credentials)
        return std::nullopt;
    const auto staff = store.findStaff(wire::UpperAscii(credentials->user));
    if (!staff || !VerifyPassword(credentials->password, staff->password))
        return std::nullopt;
    return staff->name;
}

}  // namespace zarnevo
