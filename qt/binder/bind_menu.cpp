#include <QAction>
#include <QKeySequence>
#include <QMenu>

#include "qt/binder/kinds.h"
#include "qt/binder/widget_basics.h"
#include "qt/platform/text.h"

namespace qtplatform {
namespace {

// A menu item is a QAction. Its check mark is the model's: a click does not toggle it, the
// item's handler sets Checked when it means to.
void bindAction(ui::MenuItem& item, QAction& action, ControlBinding& binding) {
    binding.mirror({"Caption"}, [&] { action.setText(toQt(item.Caption)); });
    binding.mirror({"Enabled"}, [&] { action.setEnabled(item.Enabled); });
    binding.mirror({"Visible"}, [&] { action.setVisible(item.Visible); });
    binding.mirror({"ToolTipText"}, [&] {
        if (!item.ToolTipText.get().empty()) {
            action.setToolTip(toQt(item.ToolTipText));
        }
    });
    binding.mirror({"Checked"}, [&] {
        action.setCheckable(action.isCheckable() || item.Checked);
        action.setChecked(item.Checked);
    });
    binding.mirror({"Shortcut"}, [&] { action.setShortcut(QKeySequence(toQt(item.Shortcut))); });
    QObject::connect(&action, &QAction::triggered, &binding, [&item, &action] {
        action.setChecked(item.Checked);
        item.DoClick();
    });
}

// A menu title is a QMenu (its entry in the menu bar is the menu's own action). Opening the
// menu is the title's click, which lets its handler set up the items just before they show.
void bindMenuTitle(ui::MenuItem& item, QMenu& menu, ControlBinding& binding) {
    binding.mirror({"Caption"}, [&] { menu.setTitle(toQt(item.Caption)); });
    binding.mirror({"Enabled"}, [&] { menu.menuAction()->setEnabled(item.Enabled); });
    binding.mirror({"Visible"}, [&] { menu.menuAction()->setVisible(item.Visible); });
    QObject::connect(&menu, &QMenu::aboutToShow, &binding, [&item] { item.DoClick(); });
}

}  // namespace

void bindMenuItem(ui::MenuItem& item, ControlBinding& binding) {
    if (auto* action = qobject_cast<QAction*>(&binding.target())) {
        bindAction(item, *action, binding);
    } else if (auto* menu = qobject_cast<QMenu*>(&binding.target())) {
        bindMenuTitle(item, *menu, binding);
    } else {
        failBinding(item, std::string("is a ") + binding.target().metaObject()->className() +
                              ", expected QAction or QMenu");
    }
}

}  // namespace qtplatform
