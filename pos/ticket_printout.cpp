#include "pos/ticket_printout.h"

#include "core/settings.h"
#include "core/settings_table.h"

namespace kestova::printout {
namespace {

namespace s = settings;

constexpr int kTitleLine = 1;
constexpr int kFirstEmptyLine = 13;
constexpr int kAfterTitleMs = 800;
constexpr int kAfterEmptyLineMs = 500;
constexpr int kOrdinaryEnd = 14;
constexpr int kLastTicketEnd = 19;
// A control byte some receipt printers take as "print the next line large".
constexpr char kLargeLine = 0x1E;

bool SettingIs(const s::Setting& setting, int value) {
    return ToWholeNumber(ReadSetting(setting)) == value;
}

// The pace of the ticket's lines: "POSspeed" 0 is slow, 2 fast, anything else between.
int LinePaceMs() {
    const auto speed = ToNumber(ReadSetting(s::PosSpeed));
    if (speed == 0.0) {
        return 1000;
    }
    return speed == 2.0 ? 600 : 800;
}

std::string Prefix(const s::Setting& largeLine) {
    return SettingIs(largeLine, 1) ? std::string(1, kLargeLine) : std::string("  ");
}

std::string TypeWord(const BatchTicket& ticket) {
    if (!ticket.timeTicket) {
        return "Normal Ticket";
    }
    return ticket.once ? "Time Once" : "Time Ticket";
}

}  // namespace

Step LineAt(int counter, const BatchTicket& ticket, const std::string& staff, const DateTime& now) {
    Step step;
    step.nextTickMs = counter == kTitleLine        ? kAfterTitleMs
                      : counter >= kFirstEmptyLine ? kAfterEmptyLineMs
                                                   : LinePaceMs();
    const auto printIf = [&step](bool shown, std::string line) {
        if (shown) {
            step.line = std::move(line);
        }
    };
    switch (counter) {
        case 1:
            printIf(SettingIs(s::STitle, 1), "   " + ReadSetting(s::Title));
            break;
        case 2:
            step.line = std::string(37, '-');
            break;
        case 3:
            step.line = Prefix(s::SUserL) + " Username: " + ticket.user;
            break;
        case 4:
            step.line = Prefix(s::SPassL) + " Password: " + ticket.password;
            break;
        case 5:
            step.line = "   Time:     " + ticket.minutes + "min(s) [" + ticket.cost + "]";
            step.skipsNextLine = SettingIs(s::SGroup, 0);
            break;
        case 6:
            printIf(SettingIs(s::SGroup, 1), "   T/GRP:    " + ticket.groupAndNumber);
            break;
        case 7:
            step.line = "   Expire:   " + ticket.expiry;
            step.skipsNextLine = SettingIs(s::Type, 0);
            break;
        case 8:
            printIf(SettingIs(s::Type, 1), "   Type:     " + TypeWord(ticket));
            break;
        case 9:
        case 12:
            step.line = std::string(36, '-');
            break;
        case 10:
            printIf(SettingIs(s::SAddr, 1), "   " + ReadSetting(s::Address));
            break;
        case 11:
            step.line = " - " + staff + " [" + FormatDateTime("HH:mm dd-MMM-yy", now) + "]";
            break;
        default:
            step.line = "";
            break;
    }
    return step;
}

int LastLine(bool lastTicket) {
    return lastTicket ? kLastTicketEnd : kOrdinaryEnd;
}

}  // namespace kestova::printout
