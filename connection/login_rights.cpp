#include "connection/login_rights.h"

#include <initializer_list>
#include <string>

#include "console/kestova_main.h"
#include "core/convert.h"
#include "core/program_state.h"
#include "core/settings.h"
#include "core/wire/framing.h"
#include "ui/controls.h"

namespace kestova {
namespace {

enum class Grant { Yes, No, Keep, WhenAllocationAllowed };

struct RightsRow {
    std::initializer_list<ui::Control*> items;
    bool visibility;  // true: the row grants Visible, false: Enabled
    Grant administrator;
    Grant user;
    Grant viewer;
};

// "DisableAlloc" at 0 lets a "USER" allocate time; anything else (the default 1) withholds it.
bool UserMayAllocate() {
    const auto disableAlloc = ToWholeNumber(ReadSetting(settings::DisableAlloc));
    return disableAlloc.has_value() && *disableAlloc == 0;
}

void Apply(const RightsRow& row, Grant grant) {
    if (grant == Grant::Keep) {
        return;
    }
    const bool granted =
        grant == Grant::Yes || (grant == Grant::WhenAllocationAllowed && UserMayAllocate());
    for (ui::Control* item : row.items) {
        if (row.visibility) {
            item->Visible = granted;
        } else {
            item->Enabled = granted;
        }
    }
}

// Toolbar buttons by number; the walk of ApplyToolbarRights leaves the first and the last two
// (a separator, "Break" and "Exit" on the standard bar) to the steps after it.
constexpr int kOptionButton = 4;
constexpr int kHelpButton = 5;
constexpr int kBreakButton = 6;
constexpr int kExitButton = 7;
// Entries 3 and 4 of the "Help" drop-down: the separator and "About Zarnevo".
constexpr int kAboutEntries[] = {3, 4};

bool EnabledInMode(int button, int mode) {
    switch (mode) {
        case 1:
            return true;
        case 2:
            return button != kOptionButton && button != kHelpButton && button != kBreakButton;
        default:
            return button == kHelpButton || button == kExitButton;
    }
}

}  // namespace

void ApplyMenuRights(KestovaMain& m, std::string_view rightsLevel) {
    const std::string right = wire::UpperAscii(rightsLevel);
    const Grant Y = Grant::Yes;
    const Grant N = Grant::No;
    const Grant K = Grant::Keep;
    const Grant A = Grant::WhenAllocationAllowed;
    // Every command item is set for each right, so nothing the operator before had is kept (the
    // "&File" refresh of a viewer and the context menu's leave their commands alone). The other
    // refreshes narrow the items later. "Op&tion ..." is never withdrawn; its menu and toolbar
    // button are.
    const RightsRow rows[] = {
        {{&m.M_disconnect, &m.m_Pause, &m.m_PauseAll, &m.m_UnpauseAll, &m.m_dealloc},
         false,
         Y,
         Y,
         N},
        {{&m.m_allocate, &m.P_Allocate}, false, Y, A, N},
        {{&m.M_Reset}, false, Y, N, N},
        {{&m.m_ClosePort}, false, Y, Y, N},
        {{&m.m_Print, &m.m_prevent}, false, Y, Y, N},
        {{&m.m_Opt}, false, Y, K, K},
        {{&m.m_Controls}, true, Y, N, N},
        {{&m.m_Tool}, true, Y, N, N},
        {{&m.m_Messages, &m.m_Other}, true, Y, Y, N},
        {{&m.m_View, &m.m_Edit}, true, Y, Y, N},
        {{&m.m_report, &m.m_auditTrail}, true, Y, N, N},
        {{&m.Option1, &m.Option2, &m.Command2}, false, Y, Y, N},
        {{&m.p_dealloc, &m.P_Pause, &m.P_Disconnect, &m.P_ClosePort, &m.p_print, &m.p_prevent,
          &m.P_SendMessage, &m.p_Search, &m.p_updateset, &m.m_Cinfo, &m.P_Dislog, &m.p_Select,
          &m.p_Unselect},
         false,
         Y,
         Y,
         N},
    };
    if (right != "ADMINISTRATOR" && right != "USER" && right != "VIEWER") {
        return;
    }
    for (const RightsRow& row : rows) {
        if (right == "ADMINISTRATOR") {
            Apply(row, row.administrator);
        } else if (right == "USER") {
            Apply(row, row.user);
        } else {
            Apply(row, row.viewer);
        }
    }
    // A command chosen by the operator before must not wait on the bar for the next one.
    m.ResetGroupCommandBar();
}

void ApplyToolbarRights(ui::Toolbar& toolbar, int mode) {
    if (mode < 0 || mode > 2) {
        return;
    }
    for (int button = 2; button <= toolbar.ButtonCount() - 2; ++button) {
        toolbar.SetButtonEnabled(button, EnabledInMode(button, mode));
    }
    // An administrator gets the whole "Help" drop-down back, also after a viewer or a user had
    // it cut.
    const bool aboutShown = mode == 1;
    if (aboutShown) {
        toolbar.SetButtonEnabled(kHelpButton, true);
        toolbar.SetButtonEnabled(kBreakButton, true);
    }
    for (const int entry : kAboutEntries) {
        toolbar.SetButtonMenuVisible(kHelpButton, entry, aboutShown);
    }
}

void ApplyActivationRights(KestovaMain& main) {
    const ProgramState& state = KestovaCode();
    const std::string right = wire::UpperAscii(state.RightsLevel);
    if (right == "VIEWER") {
        ApplyToolbarRights(main.Toolbar1, kViewerToolbar);
        return;
    }
    main.m_Controls.Visible =
        wire::UpperAscii(state.OperatorName) == "ADMINISTRATOR" || main.ClientShutdownAllowed();
    ApplyToolbarRights(main.Toolbar1, right == "USER" ? kUserToolbar : kAdministratorToolbar);
}

}  // namespace kestova
