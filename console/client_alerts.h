#pragma once

#include <string>

#include "console/client_alert_rule.h"

// Telling the operator about a client that needs them: a line with the time in the message
// window (so nothing is missed while away from the counter), a desktop notification and, when
// wanted, the alert sound.
namespace kestova {

// The message window's caption while it shows an alert.
inline constexpr const char* kClientAlertsTitle = "Client Alert(s)";

// What happened ("Time ending soon") and to whom ("PC03 (john) has 4 minutes left.").
std::string AlertHeading(const ClientAlert& alert);
std::string AlertText(const ClientAlert& alert);

void TellOperator(const ClientAlert& alert, bool withSound);

}  // namespace kestova
