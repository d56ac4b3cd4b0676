#pragma once

#include <string_view>

namespace ui {
class Toolbar;
}

namespace kestova {

class KestovaMain;

// The menus, context menu, command bar and "Disable &Login" button an operator's right grants at
// login: "ADMINISTRATOR" everything, "USER" the daily work, "VIEWER" nothing that changes a
// client. Each is set for the new right whatever the operator before had, and the command bar
// goes back to idle. A right that is none of the three (compared in upper case) leaves everything
// as it is.
void ApplyMenuRights(KestovaMain& main, std::string_view rightsLevel);

// The toolbar buttons a right allows. Buttons are numbered from 1; only 2 to n-2 are walked.
//   mode 1 (administrator): all enabled, and "Help" with its whole drop-down;
//   mode 2 ("USER"): "Option", "Help" and "Break" disabled, the "About" part of the drop-down
//   hidden; mode 0 ("VIEWER"): only "Help" and "Exit" enabled, the drop-down cut the same way.
void ApplyToolbarRights(ui::Toolbar& toolbar, int mode);
inline constexpr int kViewerToolbar = 0;
inline constexpr int kAdministratorToolbar = 1;
inline constexpr int kUserToolbar = 2;

// What the main window's activation grants for the current operator: the "&Control" menu (to
// the administrator, or to anyone while the server allows shutting down) and the toolbar.
void ApplyActivationRights(KestovaMain& main);

}  // namespace kestova
