#pragma once

#include <span>
#include <string_view>

// The keywords the console's messages begin with: its requests and its commands. The console
// builds its messages with them (request_texts.h), its audit trail classifies what it sent by
// them, and the server recognises what arrives by them.
namespace wire::request {

// The connection.
inline constexpr std::string_view Authenticating = "AUTHENTICATING";  // the greeting
inline constexpr std::string_view YesConnect = "YESCONNECT";  // the answer to the keep-alive probe
inline constexpr std::string_view Update = "UPDATE";          // the client list
inline constexpr std::string_view Login = "F-LOGIN";

// Commands for one client, addressed by its port or grid row.
inline constexpr std::string_view Allocate = "F-ALLOCATE";
inline constexpr std::string_view Deallocate = "F-DEALLOCATE";
inline constexpr std::string_view Pause =
    "F-PAUSE";  // pauses a running client, resumes a paused one
inline constexpr std::string_view LogOff = "F-LOGOFF";
inline constexpr std::string_view Disconnect = "F-DISCONNECT";
inline constexpr std::string_view AllowPrint = "F-ALLOWPRINT";
inline constexpr std::string_view PreventPrint = "F-PREVENTPRINT";
inline constexpr std::string_view UpdateClient = "F-UPDATE";  // the café's settings to the client
inline constexpr std::string_view ClientInformation = "KESTOVA-INFO";
// A word of the client program itself (client:: below), carried to the client of a port.
inline constexpr std::string_view Kestova = "KESTOVA";

// Commands for the whole café.
inline constexpr std::string_view PauseAll = "F-PAUSEALL";
inline constexpr std::string_view UnpauseAll = "F-UNPAUSEALL";
inline constexpr std::string_view Reset = "F-RESET";
inline constexpr std::string_view DisLog = "F-DISLOG";
inline constexpr std::string_view AllowPause = "F-ALLOWPAUSE";
inline constexpr std::string_view AllowTime = "F-ALLOWTIME";
inline constexpr std::string_view DisMess = "F-DISMESS";
inline constexpr std::string_view Broadcast = "F-BROADCAST";
inline constexpr std::string_view SMessage = "SMESSAGE";  // a message to the server's operator

// The point of sale, the ticket search and the report window.
inline constexpr std::string_view PosLog = "F-POSLOG";
inline constexpr std::string_view UpdatePos = "F-UPDATEPOS";
inline constexpr std::string_view PosTicket = "POSTICKET";
inline constexpr std::string_view Ticket1 = "F-TICKET1";
inline constexpr std::string_view Ticket2 = "F-TICKET2";
inline constexpr std::string_view Activate1 = "ACTIVATE1";
inline constexpr std::string_view Activate2 = "ACTIVATE2";
inline constexpr std::string_view MActivate1 = "MACTIVATE1";
inline constexpr std::string_view MActivate2 = "MACTIVATE2";
inline constexpr std::string_view Deactivate1 = "DEACTIVATE1";
inline constexpr std::string_view Deactivate2 = "DEACTIVATE2";
inline constexpr std::string_view MDeactivate1 = "MDEACTIVATE1";
inline constexpr std::string_view MDeactivate2 = "MDEACTIVATE2";
inline constexpr std::string_view PosSummary = "F-POSSUMMARY";
inline constexpr std::string_view Search = "F-SEARCH";
inline constexpr std::string_view ReportSummary = "F-REPORTSUMMARY";
inline constexpr std::string_view ReportSummary2 = "F-REPORTSUMMARY2";

// The value of a POSTICKET that gives a batch back for deletion instead of asking for one.
inline constexpr std::string_view BatchGivenBack = "FALSE";

// Every keyword above: what a console message can begin with.
std::span<const std::string_view> Keywords();

}  // namespace wire::request

// The words of the client program that a KESTOVA command carries; some take an argument after
// one bar ("CHANGENAME|PC9").
namespace wire::request::client {

inline constexpr std::string_view EndTimer = "ENDTIMER";
inline constexpr std::string_view Reload = "RELOAD";  // restarts the timer only
inline constexpr std::string_view Restart = "RESTART";
inline constexpr std::string_view Shutdown = "SHUTDOWN";
inline constexpr std::string_view Enable = "ENABLE";
inline constexpr std::string_view Disable = "DISABLE";
inline constexpr std::string_view Relocate = "RELOCATE";
inline constexpr std::string_view ClearDesktop = "CLEARDESKTOP";
inline constexpr std::string_view ChangeName = "CHANGENAME";
inline constexpr std::string_view Message = "MESSAGE";

}  // namespace wire::request::client
