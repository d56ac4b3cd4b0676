#include "console/client_alerts.h"

#include "console/client_grid.h"
#include "console/kestova_main.h"
#include "core/convert.h"
#include "core/local_time.h"
#include "core/messages.h"
#include "core/settings.h"
#include "core/settings_table.h"
#include "platform/services.h"

namespace kestova {
namespace {

constexpr const char* kLogTimeFormat = "hh:mmAMPM dd-mmm-yy";

std::string Who(const ClientAlert& alert) {
    return alert.user.empty() ? alert.client : alert.client + " (" + alert.user + ")";
}

}  // namespace

std::string AlertHeading(const ClientAlert& alert) {
    switch (alert.kind) {
        case AlertKind::EndingSoon:
            return "Time ending soon";
        case AlertKind::TimeUp:
            return "Time is up";
        case AlertKind::DroppedOff:
            return "Client off the network";
    }
    return "";
}

std::string AlertText(const ClientAlert& alert) {
    switch (alert.kind) {
        case AlertKind::EndingSoon:
            return Who(alert) + " has " + std::to_string(alert.minutesLeft) +
                   (alert.minutesLeft == 1 ? " minute" : " minutes") + " left.";
        case AlertKind::TimeUp:
            return Who(alert) + " has no time left.";
        case AlertKind::DroppedOff:
            return Who(alert) + " dropped off the network while in use.";
    }
    return "";
}

void TellOperator(const ClientAlert& alert, bool withSound) {
    const std::string heading = AlertHeading(alert);
    const std::string text = AlertText(alert);
    // Told while the operator may be typing elsewhere: the log must not take their keys.
    ShowNoticeInBackground(
        FormatDateTime(kLogTimeFormat, LocalNow()) + " - " + heading + ": " + text,
        kClientAlertsTitle);
    platform::Notifier& notifier = platform::services().notifier();
    notifier.notify(heading, text);
    if (withSound) {
        notifier.playAlertSound();
    }
}

void KestovaMain::ReadAlertSettings() {
    const int defaultMinutes = ToWholeNumber(settings::AlertMinutes.defaultText).value_or(0);
    clientAlerts_.setAlertMinutes(
        ToWholeNumber(ReadSetting(settings::AlertMinutes)).value_or(defaultMinutes));
    alertSound_ = ToTruth(ReadSetting(settings::AlertSound)).value_or(true);
}

void KestovaMain::ClientRecordLaid(int row) {
    const ClientSighting seen{ConList.RowHeight(row) > 0,
                              ConList.TextMatrix(row, client_grid::kClientName),
                              ConList.TextMatrix(row, client_grid::kUsername),
                              ConList.TextMatrix(row, client_grid::kTime),
                              ConList.TextMatrix(row, client_grid::kInformation)};
    if (const std::optional<ClientAlert> alert = clientAlerts_.observe(row, seen)) {
        TellOperator(*alert, alertSound_);
    }
}

}  // namespace kestova
