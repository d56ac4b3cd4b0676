#include "server/engine/accounts.h"

#include "core/wire/framing.h"
#include "server/engine/request.h"

namespace zarnevo {

bool IsRightsLevel(std::string_view rights) {
    return rights == "ADMINISTRATOR" || rights == "USER" || rights == "VIEWER";
}

std::optional<Operator> CheckOperatorLogin(Store& store, std::string_view conditionText,
                                           PasswordCost cost) {
    const auto credentials = ParseConditionText(conditionText);
    if (!credentials)
        return std::nullopt;
    auto account = store.findOperator(wire::UpperAscii(credentials->user));
    if (!account || !IsRightsLevel(account->rights))
        return std::nullopt;
    const PasswordVerdict verdict = CheckPassword(credentials->password, account->password, cost);
    if (!verdict.matches)
        return std::nullopt;
    if (verdict.renewed) {
        account->password = *verdict.renewed;
        store.putOperator(*account);
    }
    return account;
}

std::optional<std::string> CheckStaffSignIn(Store& store, std::string_view conditionText,
                                            PasswordCost cost) {
    const auto credentials = ParseConditionText(conditionText);
    if (!credentials)
        return std::nullopt;
    auto staff = store.findStaff(wire::UpperAscii(credentials->user));
    if (!staff)
        return std::nullopt;
    const PasswordVerdict verdict = CheckPassword(credentials->password, staff->password, cost);
    if (!verdict.matches)
        return std::nullopt;
    if (verdict.renewed) {
        staff->password = *verdict.renewed;
        store.putStaff(*staff);
    }
    return staff->name;
}

}  // namespace zarnevo
