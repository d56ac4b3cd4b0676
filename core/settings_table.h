#pragma once

#include <string_view>

// Every value the console keeps, with its section, key, type and default. Callers name a setting
// by its entry here (settings::Refresh) instead of spelling section, key and default again.
namespace kestova::settings {

// How a caller reads the text back (all values are stored as text).
enum class Kind {
    Text,
    WholeNumber,  // decimal text, read with ToWholeNumber
    Number,       // decimal text, read with ToNumber or Val
    Seconds,      // decimal text counting seconds
    Truth,        // "True" or "False", read with ToTruth
    Width,        // a grid column width in twips, decimal text
};

struct Setting {
    std::string_view section;
    std::string_view key;
    Kind kind;
    std::string_view defaultText;
    // False for the column widths whose default is the column's current width: the caller
    // gives that default.
    bool hasDefault = true;
};

inline constexpr std::string_view kOption = "Option";
inline constexpr std::string_view kSettings = "Settings";
inline constexpr std::string_view kPos = "POS";
inline constexpr std::string_view kPrinting = "Printing";
// Which device carries each serial port name the program shows: keys "COM1", "COM2" ... with a
// device path as value (core/serial_ports.h); a technician edits them by hand.
inline constexpr std::string_view kPorts = "Ports";
// Where each client's tile lies on the floor map: one key per computer name, "column,line"
// (console/floor_plan.h).
inline constexpr std::string_view kFloor = "Floor";

#define KESTOVA_SETTINGS_TEXT_(x) #x
#define KESTOVA_SETTINGS_TEXT(x) KESTOVA_SETTINGS_TEXT_(x)

// Section "Option": behaviour.
inline constexpr Setting Refresh{kOption, "Refresh", Kind::Seconds, "20"};
inline constexpr Setting Loop{kOption, "Loop", Kind::WholeNumber, "100"};
inline constexpr Setting UsePort{kOption, "UsePort", Kind::WholeNumber, "0"};
inline constexpr Setting PortNo{kOption, "PortNo", Kind::WholeNumber, "10"};
inline constexpr Setting LoadStart{kOption, "LoadStart", Kind::Truth, "False"};
inline constexpr Setting Colour{kOption, "Colour", Kind::WholeNumber, "0"};
inline constexpr Setting DisableAlloc{kOption, "DisableAlloc", Kind::WholeNumber, "1"};
inline constexpr Setting DisableMessage{kOption, "DisableMessage", Kind::Truth, "False"};
inline constexpr Setting Download{kOption, "Download", Kind::Truth, "False"};
inline constexpr Setting DownType{kOption, "DownType", Kind::Text, "2"};
inline constexpr Setting QuickTicket{kOption, "QuickTicket", Kind::WholeNumber, "0"};
inline constexpr Setting Expire{kOption, "Expire", Kind::WholeNumber, "20"};
inline constexpr Setting ExLog{kOption, "ExLog", Kind::WholeNumber, "5"};
inline constexpr Setting ExType{kOption, "ExType", Kind::Text, "2"};
inline constexpr Setting Currency{kOption, "Currency", Kind::Text, "N"};
inline constexpr Setting Title{
    kOption, "title", Kind::Text,
    "Zarnevo Kestova v" KESTOVA_SETTINGS_TEXT(KESTOVA_VERSION_MAJOR) "." KESTOVA_SETTINGS_TEXT(
        KESTOVA_VERSION_MINOR) "." KESTOVA_SETTINGS_TEXT(KESTOVA_VERSION_PATCH)};
inline constexpr Setting Address{kOption, "Address", Kind::Text, "Visit us at www.zarnevo.example"};
// The operator is told when a client in use has fewer minutes left than this (0: never).
inline constexpr Setting AlertMinutes{kOption, "AlertMinutes", Kind::WholeNumber, "5"};
// Such a warning also plays a short sound.
inline constexpr Setting AlertSound{kOption, "AlertSound", Kind::Truth, "True"};
// The main window shows the floor map instead of the client table.
inline constexpr Setting FloorMap{kOption, "FloorMap", Kind::Truth, "False"};

// Section "POS": receipt printer and ticket layout.
inline constexpr Setting PosType{kPos, "POSType", Kind::Truth, "True"};
inline constexpr Setting Com{kPos, "COM", Kind::Text, "COM1"};
inline constexpr Setting PosSpeed{kPos, "POSspeed", Kind::Number, "1"};
inline constexpr Setting STitle{kPos, "Stitle", Kind::WholeNumber, "1"};
inline constexpr Setting Type{kPos, "Type", Kind::WholeNumber, "1"};
inline constexpr Setting SGroup{kPos, "SGroup", Kind::WholeNumber, "1"};
inline constexpr Setting SUserL{kPos, "SUserL", Kind::WholeNumber, "0"};
inline constexpr Setting SAddr{kPos, "SAddr", Kind::WholeNumber, "1"};
inline constexpr Setting SPassL{kPos, "SPassL", Kind::WholeNumber, "0"};

// Section "Printing": where the default-printer print-outs go. A folder here receives every
// print-out as a PDF file instead of the system's printer (the demo and the tests use it).
inline constexpr Setting PdfFolder{kPrinting, "PdfFolder", Kind::Text, ""};

// Section "Settings": widths of the optional client grid columns (0 hides a column).
inline constexpr Setting UsernameWidth{kSettings, "Username", Kind::Width, "", false};
inline constexpr Setting InformationWidth{kSettings, "Information", Kind::Width, "", false};
inline constexpr Setting StateWidth{kSettings, "State", Kind::Width, "0"};
inline constexpr Setting ClientIpWidth{kSettings, "ClientIP", Kind::Width, "1300"};
inline constexpr Setting LogInTimeWidth{kSettings, "LogInTime", Kind::Width, "", false};
inline constexpr Setting PortNoWidth{kSettings, "PortNo", Kind::Width, "0"};
inline constexpr Setting LQuotaWidth{kSettings, "LQuota", Kind::Width, "0"};
inline constexpr Setting OldQuotaWidth{kSettings, "OldQuota", Kind::Width, "0"};
inline constexpr Setting DownRateWidth{kSettings, "DownRate", Kind::Width, "0"};
inline constexpr Setting UpRateWidth{kSettings, "UpRate", Kind::Width, "0"};
inline constexpr Setting NewQuotaWidth{kSettings, "NewQuota", Kind::Width, "", false};
inline constexpr Setting StartQuotaWidth{kSettings, "StartQuota", Kind::Width, "", false};
inline constexpr Setting ShowAll{kSettings, "ShowAll", Kind::Truth, "False"};

// The machine store: values shared with the suite's other programs on this computer.
struct MachineValue {
    std::string_view keyPath;
    std::string_view valueName;
};

// The management server's address; when it reads "Error" the main window creates the key and
// writes kDefaultServerIp.
inline constexpr MachineValue ServerIp{"HKEY_USERS\\.default\\Software\\Zarnevo", "ServerIP"};
// Where the server search records the address it found.
inline constexpr MachineValue FoundServerIp{"HKEY_LOCAL_MACHINE\\Software\\Zarnevo", "ServerIP"};
inline constexpr std::string_view kDefaultServerIp = "192.168.0.1";
// The sub-key of the machine root under which start-with-the-system entries live on the
// original platform; here the desktop's own autostart mechanism stands in for it.
inline constexpr std::string_view kAutostartRunKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

#undef KESTOVA_SETTINGS_TEXT
#undef KESTOVA_SETTINGS_TEXT_

}  // namespace kestova::settings
