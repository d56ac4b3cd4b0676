// The staff sign-in answer, F-POSLOG: the sign-in window carries it out once the dispatch is
// over.
#include "console/kestova_main.h"
#include "dispatch/pos_replies.h"
#include "pos/passwords.h"
#include "program/kestova_code.h"

namespace kestova {

void HandlePosSignIn(KestovaMain& main, const Reply& reply) {
    Passwords& signIn = PosPasswords();
    if (!signIn.IsWaiting()) {
        return;  // no sign-in waits: a late answer after Cancel opens nothing
    }
    signIn.AnswerArrived();
    // The server's "TRUE" is exact: "True" is a refusal.
    const bool accepted = reply.Value(1) == "TRUE";
    main.Receiver().AfterDispatch([accepted] { PosPasswords().FinishSignIn(accepted); });
}

}  // namespace kestova
