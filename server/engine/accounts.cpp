#include "server/engine/accounts.h"

#include "core/wire/framing.h"
#include "server/engine/request.h"

namespace zarnevo {

bool IsRightsLevel(std::string_view rights) {
    return rights == "ADMINISTRATOR" || rights == "USER" || rights == "VIEWER";
}

std::optional<LoginAttempt> FindLogin(const Store& store, LoginKind kind,
                                      std::string_view conditionText) {
    auto credentials = ParseConditionText(conditionText);
    if (!credentials)
        return std::nullopt;
    const std::string name = wire::UpperAscii(credentials->user);
    if (kind == LoginKind::Staff) {
        const auto staff = store.findStaff(name);
        if (!staff)
            return std::nullopt;
        return LoginAttempt{
            kind, staff->name, {}, staff->password, std::move(credentials->password)};
    }
    const auto account = store.findOperator(name);
    if (!account || !IsRightsLevel(account->rights))
        return std::nullopt;
    return LoginAttempt{kind, account->name, account->rights, account->password,
                        std::move(credentials->password)};
}

void StoreRenewedHash(Store& store, const LoginAttempt& attempt, const PasswordHash& renewed) {
    if (attempt.kind == LoginKind::Staff) {
        auto staff = store.findStaff(attempt.name);
        if (staff && staff->password == attempt.stored) {
            staff->password = renewed;
            store.putStaff(*staff);
        }
        return;
    }
    auto account = store.findOperator(attempt.name);
    if (account && account->password == attempt.stored) {
        account->password = renewed;
        store.putOperator(*account);
    }
}

}  // namespace zarnevo
