#include "console/time_allocation.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>

#include "console/client_grid.h"
#include "console/kestova_main.h"
#include "console/operator_commands.h"
#include "core/convert.h"
#include "core/messages.h"
#include "core/version.h"
#include "core/wire/request_texts.h"
#include "platform/services.h"

namespace kestova {
namespace {

// Modes in which a client's time is not the console's to change.
constexpr std::array<std::string_view, 5> kModesWithoutAllocation = {
    "Self Timer Mode", "SelfTimer Mode", "Invisible Mode", "Disabled", "Administrator Mode"};
constexpr double kMostMinutes = 9999;

bool ModeRefuses(const std::string& information) {
    return information.empty() ||
           std::find(kModesWithoutAllocation.begin(), kModesWithoutAllocation.end(), information) !=
               kModesWithoutAllocation.end();
}

// Asks for the minutes and checks them; the whole minutes to send, or nothing when the operator
// cancelled or the answer was refused (with its notice). The status texts name the minutes sent,
// not the fraction typed (2.9 sends 2).
struct Minutes {
    long whole;
    long seconds() const { return whole * 60; }
    std::string text() const { return std::to_string(whole) + "mins"; }
};
std::optional<Minutes> AskMinutes(const std::string& prompt) {
    const std::string typed = AskText(prompt, "5");
    if (typed.empty()) {
        return std::nullopt;
    }
    if (!IsNumeric(typed)) {
        ShowNotice("The value must be a numeric entry!", kNoticeTitle);
        return std::nullopt;
    }
    const double minutes = Val(typed);
    if (minutes < 1) {
        ShowNotice("The value must be greater that 0!", kNoticeTitle);
        return std::nullopt;
    }
    if (minutes > kMostMinutes) {
        ShowNotice("Entry must be between 1 and 9999!", kNoticeTitle);
        return std::nullopt;
    }
    return Minutes{static_cast<long>(std::trunc(minutes))};
}

// Lets pending events run before sending; the highlighted row is then read again.
HighlightedClient AfterEvents(const KestovaMain& main) {
    platform::services().loop().yield();
    return Highlighted(main);
}

void MarkTimeChanging(KestovaMain& main, int row) {
    main.ConList.SetTextMatrix(row, client_grid::kTime, "*****");
}

}  // namespace

void AllocateTime(KestovaMain& main) {
    const HighlightedClient client = Highlighted(main);
    if (ModeRefuses(main.ConList.TextMatrix(client.row, client_grid::kInformation))) {
        ShowNotice("Client mode doesn't support allocation!", kNoticeTitle);
        return;
    }
    if (!client.isRow()) {
        return;
    }
    const std::string label = ClientLabel(main, client);
    const auto minutes = AskMinutes("Enter minutes to allocate to " + label + "?");
    if (!minutes) {
        return;
    }
    enum class Choice { Add, New, Nothing } choice = Choice::Nothing;
    if (client.information == "Paused" || client.information == "Logged in") {
        using namespace platform::msgbox;
        const int answer = platform::services().dialogs().MsgBox(
            "Add to " + label + "'s Time?", YesNoCancel | Question | DefaultButton2,
            VersionTitle());
        choice = answer == Yes ? Choice::Add : answer == No ? Choice::New : Choice::Nothing;
    } else if (Ask("Continue to Allocate Time?")) {
        choice = Choice::New;
    }
    if (choice == Choice::Nothing) {
        SetStatus(main, "No mins Allocated to " + StatusLabel(client) + ".");
        return;
    }
    const HighlightedClient now = AfterEvents(main);
    const std::string message =
        wire::request::AllocateText(minutes->seconds(), choice == Choice::Add, client.port());
    if (!SendCommand(main, message)) {
        ShowNotice("Cannot Allocate Time!", kNoticeTitle);
        return;
    }
    if (choice == Choice::Add) {
        MarkTimeChanging(main, client.row);
        SetStatus(main, minutes->text() + " Added to " + StatusLabel(now) + ".");
    } else {
        SetStatus(main, minutes->text() + " Allocated to " + StatusLabel(now) + ".");
    }
}

void DeallocateTime(KestovaMain& main) {
    const HighlightedClient client = Highlighted(main);
    const char* const refused = "Client mode doesn't support deallocation!";
    if (ModeRefuses(main.ConList.TextMatrix(client.row, client_grid::kInformation))) {
        ShowNotice(refused, kNoticeTitle);
        return;
    }
    if (!client.isRow()) {
        return;
    }
    const auto minutes =
        AskMinutes("Enter minutes to deallocate to " + ClientLabel(main, client) + "?");
    if (!minutes) {
        return;
    }
    if (client.information != "Logged in") {
        ShowNotice(refused, kNoticeTitle);
        return;
    }
    if (!Ask("Continue to deallocate Time?")) {
        SetStatus(main, "No min deallocated from " + StatusLabel(client) + ".");
        return;
    }
    const HighlightedClient now = AfterEvents(main);
    if (!SendCommand(main, wire::request::DeallocateText(minutes->seconds(), client.port()))) {
        ShowNotice("Cannot deallocate Time!", kNoticeTitle);
        return;
    }
    MarkTimeChanging(main, client.row);
    SetStatus(main, minutes->text() + " deduced from " + StatusLabel(now) + ".");
    main.ConList.SetTextMatrix(client.row, client_grid::kInformation,
                               minutes->text() + " deallocated");
}

}  // namespace kestova
