// A menu shortcut acts as a menu accelerator does on the platform the console was designed for:
// the menu is initialised exactly as opening it would, then the item fires if it is enabled.
#include <vector>

#include "ui/controls.h"
#include "ui/form.h"

namespace ui {
namespace {

// A menu an accelerator may pass through: on the bar it must be shown; a context menu is never
// on the bar.
bool Reachable(const MenuItem& menu) {
    return menu.Enabled && (menu.Visible || menu.ContextMenu);
}

}  // namespace

bool MenuItem::PressShortcut() {
    std::vector<MenuItem*> menus;
    for (MenuItem* menu = menu_; menu != nullptr; menu = menu->Menu()) {
        menus.insert(menus.begin(), menu);
    }
    // Each menu is looked at after the refresh of the one above it, which may hide it.
    for (MenuItem* menu : menus) {
        if (!Reachable(*menu)) {
            return false;
        }
        Raise(menu->Click);
    }
    if (!Enabled || !Visible) {
        return false;
    }
    Raise(Click);
    return true;
}

MenuItem* FindShortcut(const Form& form, std::string_view keys) {
    if (keys.empty()) {
        return nullptr;
    }
    for (Control* control : form.Controls()) {
        auto* item = dynamic_cast<MenuItem*>(control);
        if (item != nullptr && item->Shortcut.get() == keys) {
            return item;
        }
    }
    return nullptr;
}

}  // namespace ui
