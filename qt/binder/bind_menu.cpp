#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QShortcut>
#include <QWidget>

#include "qt/binder/form_binding.h"
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
    QObject::connect(&action, &QAction::triggered, &binding, [&item, &action] {
        action.setChecked(item.Checked);
        item.DoClick();
    });
}

// The top-level widget of the item's form.
QWidget& windowOf(const ControlBinding& binding) {
    return *qobject_cast<FormBinding*>(binding.parent())->window();
}

// A shortcut acts through the model, which runs the opening refresh of the item's menu before it
// decides whether the item fires: a QAction's own shortcut would fire only an action already
// enabled, and items are enabled by that very refresh. So the window owns the key; the action
// keeps it to show it in its menu, as a widget shortcut that does not match while the window has
// the keyboard.
void bindShortcut(ui::MenuItem& item, QAction& action, QWidget& window, ControlBinding& binding) {
    auto* shortcut = new QShortcut(&window);
    action.setShortcutContext(Qt::WidgetShortcut);
    binding.mirror({"Shortcut"}, [&item, &action, shortcut] {
        const QKeySequence keys(toQt(item.Shortcut));
        action.setShortcut(keys);
        shortcut->setKey(keys);
    });
    auto press = [&item] { item.PressShortcut(); };
    QObject::connect(shortcut, &QShortcut::activated, &binding, press);
    // The key also matches the action while the menu bar has the keyboard.
    QObject::connect(shortcut, &QShortcut::activatedAmbiguously, &binding, press);
}

// The model knows which menu holds each item (a shortcut refreshes that menu); the layout must
// put the item's action in that menu.
void expectInMenu(const ui::MenuItem& item, const QAction& action) {
    const QString menu = item.Menu() == nullptr ? QString() : toQt(item.Menu()->Name());
    for (const QObject* holder : action.associatedObjects()) {
        if (qobject_cast<const QMenu*>(holder) != nullptr) {
            if (holder->objectName() == menu) {
                return;
            }
            failBinding(item, "is in the menu " + holder->objectName().toStdString() +
                                  " of the layout, expected " + menu.toStdString());
        }
    }
    if (!menu.isEmpty()) {
        failBinding(item, "is in no menu of the layout, expected " + menu.toStdString());
    }
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
        expectInMenu(item, *action);
        bindAction(item, *action, binding);
        bindShortcut(item, *action, windowOf(binding), binding);
    } else if (auto* menu = qobject_cast<QMenu*>(&binding.target())) {
        bindMenuTitle(item, *menu, binding);
    } else {
        failBinding(item, std::string("is a ") + binding.target().metaObject()->className() +
                              ", expected QAction or QMenu");
    }
}

}  // namespace qtplatform
