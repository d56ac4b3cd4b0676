#pragma once

#include <string>
#include <string_view>

// The plain texts of the console's messages to the server, one builder per message. Values go
// in as given unless a builder says otherwise; nothing is escaped (see framing.h).
namespace wire::request {

// The connection.

// "AUTHENTICATING||FALSE||STATE||...||LOCALIP||[ip]||LOCALHOSTNAME||Kestova[host]||": who and
// where the console is, on a new connection; it has no leading separator.
std::string GreetingText(std::string_view localIp, std::string_view localHostName);
// The requests for the whole client list, answered with one UPDATE reply per slot: the
// supervision tick's ("UPDATE||||", no leading separator), the one right after the greeting,
// and the one sent when the server asks for it (UPDATEX) or the operator wants the console's
// settings again.
std::string RefreshListText();
std::string FirstListText();
std::string ListAgainText();
// The answer to the server's keep-alive probe.
std::string KeepAliveAnswerText();

// How an operator's log-in and a staff member's sign-in name who they are:
// "Username = 'user' and Password = 'password'". The server evaluates this condition, so the
// fields go as typed.
inline constexpr std::string_view UserNameLead = "Username = '";
inline constexpr std::string_view PasswordLead = "' and Password = '";
std::string OperatorLoginText(std::string_view userName, std::string_view password);
std::string StaffSignInText(std::string_view userName, std::string_view password);

// Commands for one client.

// Time for the client of the port: added to its current time, or a new allocation.
std::string AllocateText(long seconds, bool add, int port);
std::string DeallocateText(long seconds, int port);
// "||KEYWORD||number||": a server command for one client slot, by port or by grid row as the
// keyword wants (F-PAUSE, F-LOGOFF, F-DISCONNECT, F-UPDATE, KESTOVA-INFO, F-ALLOWPRINT ...).
std::string SlotCommandText(std::string_view keyword, int number);
// "||KESTOVA||port||WORD||": a word of the client program (client:: in request_keywords.h).
std::string ClientCommandText(int port, std::string_view word);
// The client's new name, joined to its word by one bar.
std::string RenameClientText(int port, std::string_view name);
// A message shown on the client's desktop (an empty one clears it).
std::string MessageToClientText(int port, std::string_view text);
// "KESTOVA||port||WORD|argument||||": the form the walk over every client in use sends, without
// leading separators.
std::string AllClientsCommandText(int port, std::string_view word, std::string_view argument);

// Commands for the whole café.

// "||KEYWORD||||": F-PAUSEALL, F-UNPAUSEALL, F-RESET, F-BROADCAST and the café's switches.
std::string CafeCommandText(std::string_view keyword);
// A message to the server's operator, after the console's lead.
inline constexpr std::string_view ServerMessageLead = "KESTOVA: ";
std::string MessageToServerText(std::string_view text);

// The point of sale, the ticket search and the report window.

// The staff member's sales figures and the point-of-sale settings.
std::string StaffFiguresText(std::string_view staffInCapitals);

// A batch of tickets: "||POSTICKET||minutes|count|cost|VIP|time|once|STAFF||".
struct TicketBatchFields {
    std::string_view minutes;  // numbers in the console's shortest form: "60", "2.5"
    std::string_view count;
    std::string_view cost;
    std::string_view vip;  // "True" or "False"
    bool timeTicket = false;
    bool once = false;
    std::string_view staff;
};
std::string TicketBatchText(const TicketBatchFields& fields);
// Gives the batch of the ticket group back for deletion (an empty group: the batch asked for
// last, when it is cancelled before its answer came).
std::string GiveBackBatchText(std::string_view group);

// The tickets an activation, a deactivation or a look-up is about, as the staff member typed
// them: one ticket by its user name or by its group and number, a whole group, or a range of
// numbers in a group. They go in capitals and without "|", the server's field separator.
struct TicketSelection {
    enum class Kind { ByUser, ByNumber, WholeGroup, Range };
    Kind kind = Kind::ByUser;
    std::string user;
    std::string group;
    std::string first;  // the ticket's number, or the first of the range
    std::string last;
};
// ACTIVATE1 ... MDEACTIVATE2 as the selection's kind says, for the staff member.
std::string ActivationText(const TicketSelection& tickets, bool deactivate,
                           std::string_view staffInCapitals);
// Looks one ticket up; for ByUser and ByNumber.
std::string TicketLookUpText(const TicketSelection& ticket);
// The staff member's sales summary; period 0 is today, 1 yesterday.
std::string SalesSummaryText(std::string_view staffInCapitals, int period);

// The ticket search of the operator's console.
std::string TicketSearchText(std::string_view userInCapitals);

// The day report: tickets and costs, or the point of sale's figures.
enum class Report { TicketsAndCosts, PointOfSale };
std::string ReportText(Report report, std::string_view day, int month, std::string_view year);

}  // namespace wire::request
