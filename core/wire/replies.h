#pragma once

#include <cstddef>
#include <span>
#include <string_view>

// The replies the server sends the console: the one list of their keywords, shared by the
// console's receive path and dispatcher and by the server that writes them. A reply is its
// keyword and a fixed number of value elements ("||KEYWORD||value||"; a reply without a value
// still carries one empty value element, "||KEYWORD||||").
namespace wire::reply {

inline constexpr std::string_view CMessage = "CMESSAGE";
inline constexpr std::string_view IMessage = "IMESSAGE";
inline constexpr std::string_view Message = "MESSAGE";
inline constexpr std::string_view DownBill = "DOWNBILL";
inline constexpr std::string_view StillConnected = "STILL CONNECTED";
inline constexpr std::string_view AddPause = "ADDPAUSE";
inline constexpr std::string_view AddTime = "ADDTIME";
inline constexpr std::string_view CMess = "CMESS";
inline constexpr std::string_view PosType = "POSTYPE";
inline constexpr std::string_view DisLog = "DISLOG";
inline constexpr std::string_view ShutRest = "SHUTREST";
inline constexpr std::string_view Prints = "PRINTS";
inline constexpr std::string_view UpdateX = "UPDATEX";
inline constexpr std::string_view Type = "TYPE";
inline constexpr std::string_view Search = "F-SEARCH";
inline constexpr std::string_view KestovaUpdate = "KESTOVAUPDATE";
inline constexpr std::string_view Login = "F-LOGIN";
inline constexpr std::string_view PrintPos = "PRINTPOS";
inline constexpr std::string_view PosLog = "F-POSLOG";
inline constexpr std::string_view NoTicket1 = "NOTICKET1";
inline constexpr std::string_view Ticket1 = "TICKET1";
inline constexpr std::string_view Activated = "ACTIVATED";
inline constexpr std::string_view Deactivated = "DEACTIVATED";
inline constexpr std::string_view ActMessage = "ACTMESSAGE";
inline constexpr std::string_view MActivated = "MACTIVATED";
inline constexpr std::string_view MDeactivated = "MDEACTIVATED";
inline constexpr std::string_view MList = "MLIST";
inline constexpr std::string_view PosSummary = "POSSUMMARY";
inline constexpr std::string_view ReportSummary = "REPORTSUMMARY";
inline constexpr std::string_view NoReportSummary = "NOREPORTSUMMARY";
inline constexpr std::string_view NoPosSummary = "NOPOSSUMMARY";
inline constexpr std::string_view Update = "UPDATE";
inline constexpr std::string_view QuickType = "QUICKTYPE";

struct Keyword {
    std::string_view name;
    std::size_t values;  // value elements after the keyword
};

// Every reply keyword, in the order the console's dispatcher tests them.
std::span<const Keyword> Keywords();

// The entry of an upper-case keyword; nullptr for a word that is no reply keyword.
const Keyword* Find(std::string_view upperKeyword);

// The longest keyword, in characters: how far back a reader must look to recognise one.
std::size_t LongestKeyword();
// The most value elements a reply carries.
std::size_t MostValues();

}  // namespace wire::reply
