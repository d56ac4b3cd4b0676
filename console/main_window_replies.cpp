#include "console/main_window_replies.h"

#include <string>

#include "connection/login_window.h"
#include "connection/server_link.h"
#include "connection/server_protocol.h"
#include "console/kestova_main.h"
#include "core/convert.h"
#include "core/program_state.h"
#include "core/settings.h"
#include "core/settings_table.h"
#include "core/wire/request_texts.h"
#include "platform/services.h"
#include "program/kestova_code.h"

namespace kestova {
namespace {

// The server's "TRUE" answers are exact: "True" and "true" count as anything else.
constexpr std::string_view kExactTrue = "TRUE";

// Value 1 as a truth value; absent or not convertible: nothing (the step is skipped).
std::optional<bool> TruthValue(const Reply& reply) {
    const auto value = reply.Value(1);
    return value.has_value() ? ToTruth(*value) : std::nullopt;
}

void SetCheckMark(ui::MenuItem& item, const Reply& reply) {
    if (const auto checked = TruthValue(reply)) {
        item.Checked = *checked;
    }
}

}  // namespace

void HandleDownBill(KestovaMain& main, const Reply& reply) {
    const bool pointOfSale = reply.Value(1) == kExactTrue && Server().IsGreeted();
    main.Command4.Visible = pointOfSale;
    main.Command2.Visible = !pointOfSale;
}

void HandleStillConnected(KestovaMain& /*main*/, const Reply& /*reply*/) {
    platform::services().loop().yield();
    Server().Send(wire::request::KeepAliveAnswerText());
}

void HandleAddPause(KestovaMain& main, const Reply& reply) {
    SetCheckMark(main.m_AllowPause, reply);
}

void HandleAddTime(KestovaMain& main, const Reply& reply) {
    SetCheckMark(main.m_allowTime, reply);
}

void HandleClientMessagesSwitch(KestovaMain& main, const Reply& reply) {
    SetCheckMark(main.m_ClientMessage, reply);
}

void HandlePosType(KestovaMain& /*main*/, const Reply& reply) {
    if (const auto generationWindow = TruthValue(reply)) {
        WriteSetting(settings::PosType, BoolText(*generationWindow));
    }
}

void HandleDisableLogging(KestovaMain& main, const Reply& reply) {
    SetCheckMark(main.m_Dislog, reply);
    // The asterisk and the italics tell the operator that client logins are disabled.
    const bool disabled = main.m_Dislog.Checked;
    main.P_Dislog.Checked = disabled;
    main.Command2.Caption = disabled ? "*Disable &Login" : "Disable &Login";
    main.Command2.FontItalic = disabled;
}

void HandleShutdownAllowed(KestovaMain& main, const Reply& reply) {
    if (const auto allowed = TruthValue(reply)) {
        main.AllowClientShutdown(*allowed);
    }
}

void HandlePrintControl(KestovaMain& main, const Reply& reply) {
    if (const auto offered = TruthValue(reply)) {
        main.OfferPrintControl(*offered);
    }
}

void HandleUpdateRequest(KestovaMain& /*main*/, const Reply& /*reply*/) {
    Server().Send(wire::request::ListAgainText());
}

void HandleRightsLevel(KestovaMain& /*main*/, const Reply& reply) {
    if (const auto right = reply.Value(1)) {
        KestovaCode().RightsLevel = std::string(*right);
    }
}

void HandleLoginAnswer(KestovaMain& main, const Reply& reply) {
    // Busy for another window (the report, the point of sale), the login window is not open and
    // an answer for it changes nothing.
    if (!main.IsBusy() || !Splash().IsLoaded()) {
        return;
    }
    FrmSplash& login = Splash();
    if (!Server().IsConnected() || !Server().IsGreeted()) {
        login.AnsweredWithoutConnection();
        return;
    }
    login.LoginAnswered(reply.Value(1) == kExactTrue);
}

}  // namespace kestova
