// The staff sign-in answer, F-POSLOG: the point-of-sale window opens over the hidden console, or
// the staff member tries again. The windows and message boxes open after the dispatch, so the
// server's further replies (the staff figures among them) keep coming while they show.
#include <string>

#include "connection/server_protocol.h"
#include "console/kestova_main.h"
#include "core/convert.h"
#include "core/settings.h"
#include "core/settings_table.h"
#include "core/wire/framing.h"
#include "core/wire/request_texts.h"
#include "dispatch/pos_replies.h"
#include "platform/services.h"
#include "pos/passwords.h"
#include "program/kestova_code.h"

namespace kestova {
namespace {

void OpenStaffWindow(KestovaMain& main, const std::string& staff) {
    const bool generation = ToTruth(ReadSetting(settings::PosType)).value_or(true);
    if (main.IsServerConnected()) {
        protocol::SendToServer(*main.Listen, wire::request::StaffFiguresText(staff));
    }
    ui::Form& window = PosStaffWindow(generation, staff);
    PosPasswords().Unload();
    main.ListenTimer.SetEnabled(false);
    platform::services().loop().yield();
    main.Hide();
    window.Show(true);
    main.ListenTimer.SetEnabled(true);
    main.Show();
}

// What the answer opens, once the dispatch is over.
void FinishSignIn(KestovaMain& main, bool accepted) {
    Passwords& signIn = PosPasswords();
    // Closed meanwhile (Cancel, or the close box): the staff member no longer wants in.
    if (signIn.IsLoaded()) {
        if (!main.IsServerConnected()) {
            platform::services().dialogs().MsgBox("Zarnevo Kestova not connected!",
                                                  platform::msgbox::Information, "Zarnevo Kestova");
            signIn.Unload();
        } else if (!accepted) {
            signIn.SignInRefused();
        } else {
            OpenStaffWindow(main, wire::UpperAscii(signIn.Text1.Text.get()));
        }
    }
    signIn.CancelButton.Enabled = true;
    main.ConsoleBusy = false;
}

}  // namespace

void HandlePosSignIn(KestovaMain& main, const Reply& reply) {
    Passwords& signIn = PosPasswords();
    if (!signIn.IsWaiting()) {
        return;  // no sign-in waits: a late answer after Cancel opens nothing
    }
    main.ConsoleBusy = true;
    signIn.CancelButton.Enabled = false;
    signIn.Timer1.SetEnabled(false);
    // The server's "TRUE" is exact: "True" is a refusal.
    const bool accepted = reply.Value(1) == "TRUE";
    main.Receiver.AfterDispatch([&main, accepted] { FinishSignIn(main, accepted); });
}

}  // namespace kestova
