// The console's dispatcher with every window loaded, on the simulated platform: the server
// sends messages built from the reply keywords with wrong, missing, extra and huge values, and
// arbitrary text, at any pace and cut into reads at any point; they come in through the
// connection's receive path (reader, ordering queue, dispatcher) while timers tick in virtual
// time and the operator clicks buttons and menus and types into boxes. Every box is answered at
// once; at the end the program quits, which ends any modal window still open.
//
// The program is made afresh for each input, though that costs more than many inputs do: kept
// alive, what one input left behind (grid rows, settings, running timers, the audit log, the
// virtual clock) would steer the next, and a finding would not replay on its own.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "audit/audit_trail.h"
#include "connection/login_window.h"
#include "console/kestova_main.h"
#include "console/kestova_opt.h"
#include "core/display_text.h"
#include "core/machine_store.h"
#include "core/messages.h"
#include "core/settings_table.h"
#include "core/wire/codec.h"
#include "core/wire/receive.h"
#include "core/wire/replies.h"
#include "fuzz/fuzz_check.h"
#include "pos/passwords.h"
#include "pos/ticket_info.h"
#include "program/kestova_code.h"
#include "program/startup.h"
#include "reports/rsummary.h"
#include "tests/sim/sim_services.h"
#include "tests/sim/sim_user.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace {

using namespace kestova;

constexpr int kServerPort = 1000;
constexpr const char* kLoopback = "127.0.0.1";
// The staff member whose point-of-sale window is loaded.
constexpr const char* kStaff = "JOHN";
// The virtual time an input's events may span: past the 65 s after which the console gives up on
// a server that leaves a request unanswered and reconnects. Every timer ticks through it, so a
// longer span costs time and reaches nothing new.
constexpr sim::Ms kInputSpanMs = 100'000;

// Every window of the console, loaded for each input: one line per window.
const std::array<ui::Form* (*)(), 10> kWindows{{
    []() -> ui::Form* { return &Main(); },
    []() -> ui::Form* { return &Splash(); },
    []() -> ui::Form* { return &MessagesWindow(); },
    []() -> ui::Form* { return &Options(); },
    []() -> ui::Form* { return &PosPasswords(); },
    []() -> ui::Form* { return &PosStaffWindow(true, kStaff); },
    []() -> ui::Form* { return &PosStaffWindow(false, kStaff); },
    []() -> ui::Form* { return &TicketInfoWindow(); },
    []() -> ui::Form* { return &RSummaryWindow(); },
    []() -> ui::Form* { return &AuditTrailWindow(); },
}};

// Values the handlers tell apart.
constexpr std::array<const char*, 16> kValues{
    "TRUE",           "True",       "FALSE", "1",   "0",  "-1",       "2.5",
    "1E+308",         "",           " ",     "Nan", "==", "12:30:00", "-",
    "07-Dec-26 9:00", "4294967296",
};

// A value as the fuzzer wants it: a plain text, a known value, a record of fields joined by one
// of the separators the handlers split on, or now and then a huge one (256 bytes to just past the
// longest message a window shows: beyond that every window cuts, and only the time it takes
// grows).
std::string Value(FuzzedDataProvider& input, bool& hugeUsed) {
    // One value in 64 may be huge: it takes as long as dozens of ordinary messages.
    const int kind = input.ConsumeIntegralInRange(0, 63);
    if (kind < 8) {
        return input.PickValueInArray(kValues);
    }
    if (kind < 16) {
        const std::string separator = input.PickValueInArray({"==", "|", "-", ",", " "});
        std::string record;
        for (int i = input.ConsumeIntegralInRange(1, 16); i > 0; --i) {
            record += (input.ConsumeBool() ? input.PickValueInArray(kValues)
                                           : input.ConsumeRandomLengthString(16)) +
                      separator;
        }
        return record;
    }
    // At most one huge value an input, and mostly not the largest, so that the run keeps its
    // speed.
    if (kind == 16 && !hugeUsed) {
        hugeUsed = true;
        const std::string piece = input.ConsumeRandomLengthString(8);
        const std::size_t length = std::min(std::size_t{1} << input.ConsumeIntegralInRange(8, 17),
                                            kLongestMessageShown + 64);
        std::string huge;
        huge.reserve(length);
        while (!piece.empty() && huge.size() + piece.size() <= length) {
            huge += piece;
        }
        return huge;
    }
    return input.ConsumeRandomLengthString(64);
}

// A message in the server's words: a reply keyword (in any case) with as many values as it
// takes, fewer or more.
std::string Message(FuzzedDataProvider& input, bool& hugeUsed) {
    const auto keywords = wire::reply::Keywords();
    const wire::reply::Keyword& keyword =
        keywords[input.ConsumeIntegralInRange<std::size_t>(0, keywords.size() - 1)];
    std::string message = "||" + std::string(keyword.name) + "||";
    if (input.ConsumeBool()) {
        message[2] = static_cast<char>(message[2] | 0x20);  // the dispatcher upper-cases
    }
    std::size_t values = keyword.values;
    if (input.ConsumeBool()) {
        values = input.ConsumeIntegralInRange<std::size_t>(0, keyword.values + 4);
    }
    for (std::size_t i = 0; i < values; ++i) {
        message += Value(input, hugeUsed) + "||";
    }
    return message;
}

// What the server puts on the wire next: a message, arbitrary text, or arbitrary bytes.
std::string Bytes(FuzzedDataProvider& input, bool& hugeUsed) {
    switch (input.ConsumeIntegralInRange(0, 7)) {
        case 0:
            return wire::EncodeBytes(input.ConsumeRandomLengthString(256));
        case 1:
            return input.ConsumeRandomLengthString(256);
        default:
            return wire::EncodeBytes(Message(input, hugeUsed));
    }
}

std::vector<std::string> CutIntoReads(FuzzedDataProvider& input, const std::string& bytes) {
    std::vector<std::string> reads;
    std::size_t at = 0;
    for (int cuts = input.ConsumeIntegralInRange(0, 3); cuts > 0 && at < bytes.size(); --cuts) {
        const std::size_t piece = input.ConsumeIntegralInRange<std::size_t>(1, bytes.size() - at);
        reads.push_back(bytes.substr(at, piece));
        at += piece;
    }
    reads.push_back(bytes.substr(at));
    return reads;
}

// The operator at a window: a click on one of its controls (a button or a menu item), or
// typing into it (a text box); chosen when the input is read, done when its time comes.
struct OperatorAction {
    std::size_t window = 0;
    std::size_t control = 0;
    std::string typed;

    explicit OperatorAction(FuzzedDataProvider& input)
        : window(input.ConsumeIntegralInRange<std::size_t>(0, kWindows.size() - 1)),
          control(input.ConsumeIntegral<std::uint8_t>()),
          typed(input.ConsumeRandomLengthString(32)) {}

    void operator()() const {
        ui::Form* form = kWindows[window]();
        if (form == nullptr || !form->IsLoaded() || form->Controls().empty()) {
            return;
        }
        ui::Control* target = form->Controls()[control % form->Controls().size()];
        if (auto* button = dynamic_cast<ui::Button*>(target)) {
            button->DoClick();
        } else if (auto* item = dynamic_cast<ui::MenuItem*>(target)) {
            item->DoClick();
        } else if (auto* box = dynamic_cast<ui::TextBox*>(target)) {
            sim::TypeInto(*box, typed);
        }
    }
};

// The console up and greeted by the server, every window loaded (and some shown), and the boxes
// answered as the input says.
sim::SimListener& ConsoleConnected(sim::SimServices& services, FuzzedDataProvider& input) {
    services.dialogs().alwaysAnswerMsgBox(
        ::testing::_, input.PickValueInArray({platform::msgbox::OK, platform::msgbox::Cancel,
                                              platform::msgbox::Yes, platform::msgbox::No}));
    services.dialogs().alwaysAnswerInputBox(::testing::_, input.ConsumeRandomLengthString(16));
    const std::string savedAs = input.ConsumeBool() ? "saved.csv" : "";
    services.dialogs().alwaysAnswerSaveFile(::testing::_, savedAs);
    services.exportFiles().answerEverySave(savedAs);
    CreateRegistryKey(settings::ServerIp.keyPath);
    WriteRegistryString(settings::ServerIp.keyPath, settings::ServerIp.valueName, kLoopback);
    sim::SimListener& server = services.network().listen(kLoopback, kServerPort);
    EnterViewerState();
    KestovaMain& main = Main();
    services.loop().runUntil([&] { return main.Connected; }, 60'000);
    FUZZ_CHECK(main.Connected);
    for (const auto window : kWindows) {
        if (ui::Form* form = window()) {
            form->EnsureLoaded();
        }
    }
    services.loop().setYieldTime(input.ConsumeIntegralInRange(0, 40));
    return server;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    sim::SimServices services;
    sim::InstalledServices installed(services);
    sim::SimListener& server = ConsoleConnected(services, input);
    sim::SimLoop& loop = services.loop();
    bool hugeUsed = false;
    sim::Ms at = 0;
    while (input.remaining_bytes() > 0) {
        // Read one after the other: the operands of a sum may be evaluated in either order, and
        // the replay, built by another compiler, must read the input as the fuzzer did.
        const sim::Ms gap = input.PickValueInArray<sim::Ms>({0, 1, 5, 40, 300, 1000, 3000, 25'000});
        at = std::min(at + gap + input.ConsumeIntegralInRange(0, 50), kInputSpanMs);
        if (input.ConsumeIntegralInRange(0, 7) == 0) {
            loop.scheduleInput(at, OperatorAction(input));
            continue;
        }
        const std::vector<std::string> reads = CutIntoReads(input, Bytes(input, hugeUsed));
        const sim::Ms spacing = input.ConsumeIntegralInRange(0, 1500);
        // To the connection that is up by then: a reply may make the console reconnect.
        loop.schedule(at,
                      [&server, reads, spacing] { server.lastPeer().sendInReads(reads, spacing); });
    }
    // Long enough for the last message to be dispatched and its answer's windows to open.
    loop.schedule(at + 3 * services.network().latency() + wire::ReaderOptions{}.settleMs + 1'500,
                  [&loop] { loop.quit(0); });
    loop.runUntil([&loop] { return loop.quitRequested(); }, 24 * 60 * 60 * 1000);
    ReleaseProgram();
    return 0;
}
