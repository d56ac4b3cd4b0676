#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <memory>
#include <string>
#include <vector>

#include "qt/binder/kinds.h"
#include "qt/binder/resources.h"
#include "qt/binder/widget_basics.h"
#include "qt/platform/text.h"

namespace qtplatform {

// One sunken label per panel; a panel of width 0 takes the space the others leave.
void bindStatusBar(ui::StatusBar& bar, ControlBinding& binding) {
    auto& widget = expectWidget<QStatusBar>(binding, "QStatusBar");
    bindWidgetBasics(binding, widget);
    widget.setSizeGripEnabled(true);
    std::vector<QLabel*> panels;
    for (int index = 1; index <= bar.PanelCount(); ++index) {
        auto* panel = new QLabel(&widget);
        panel->setObjectName(toQt(bar.Name()) + QString::number(index));
        panel->setTextFormat(Qt::PlainText);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        widget.addWidget(panel, bar.PanelWidth(index) == 0 ? 1 : 0);
        panels.push_back(panel);
    }
    binding.mirror({"Panels"}, [&bar, panels] {
        for (int index = 1; index <= bar.PanelCount(); ++index) {
            QLabel* panel = panels[static_cast<std::size_t>(index - 1)];
            panel->setText(toQt(bar.PanelText(index)));
            const int pixels = bar.PanelWidth(index) / 15;
            panel->setMinimumWidth(pixels);
            panel->setMaximumWidth(pixels > 0 ? pixels : QWIDGETSIZE_MAX);
        }
    });
}

namespace {

QString toolTipOf(const ui::Toolbar::ToolButton& button) {
    return toQt(button.toolTip.empty() ? button.caption : button.toolTip);
}

// A button with neither caption nor tool tip offers the operator nothing to recognise: it is one
// of the bar's separator buttons ("Break"), drawn as a gap whatever image the model gives it.
bool isSeparator(const ui::Toolbar::ToolButton& button) {
    return button.caption.empty() && button.toolTip.empty() && !button.dropDown;
}

// A tool button's action, and the entries of its drop-down numbered from 1 as in the model.
struct ToolButtonActions {
    QAction* button = nullptr;
    std::vector<QAction*> entries;
};

// A "-" entry is the drop-down's separator line.
std::vector<QAction*> fillDropDown(ui::Toolbar& toolbar, int index, QMenu& menu,
                                   ControlBinding& binding) {
    const std::vector<std::string>& items = toolbar.Button(index).menuItems;
    std::vector<QAction*> entries;
    for (std::size_t item = 0; item < items.size(); ++item) {
        if (items[item] == "-") {
            entries.push_back(menu.addSeparator());
            continue;
        }
        QAction* entry = menu.addAction(toQt(items[item]));
        const int menuIndex = static_cast<int>(item) + 1;
        QObject::connect(entry, &QAction::triggered, &binding, [&toolbar, index, menuIndex] {
            ui::Raise(toolbar.ButtonMenuClick, index, menuIndex);
        });
        entries.push_back(entry);
    }
    return entries;
}

// A separator, a plain action, or a drop-down button whose menu entries raise ButtonMenuClick.
ToolButtonActions addToolButton(ui::Toolbar& toolbar, QToolBar& widget, int index,
                                ControlBinding& binding) {
    const ui::Toolbar::ToolButton& model = toolbar.Button(index);
    if (isSeparator(model)) {
        return {widget.addSeparator(), {}};
    }
    if (!model.dropDown) {
        QAction* action = widget.addAction(iconFor(model.image), toQt(model.caption));
        QObject::connect(action, &QAction::triggered, &binding,
                         [&toolbar, index] { ui::Raise(toolbar.ButtonClick, index); });
        action->setToolTip(toolTipOf(model));
        return {action, {}};
    }
    auto* button = new QToolButton(&widget);
    button->setText(toQt(model.caption));
    button->setIcon(iconFor(model.image));
    button->setToolTip(toolTipOf(model));
    button->setToolButtonStyle(widget.toolButtonStyle());
    button->setPopupMode(QToolButton::MenuButtonPopup);
    auto* menu = new QMenu(button);
    std::vector<QAction*> entries = fillDropDown(toolbar, index, *menu, binding);
    button->setMenu(menu);
    QObject::connect(button, &QToolButton::clicked, &binding,
                     [&toolbar, index] { ui::Raise(toolbar.ButtonClick, index); });
    return {widget.addWidget(button), std::move(entries)};
}

}  // namespace

void bindToolbar(ui::Toolbar& toolbar, ControlBinding& binding) {
    auto& widget = expectWidget<QToolBar>(binding, "QToolBar");
    bindWidgetBasics(binding, widget);
    widget.clear();
    std::vector<ToolButtonActions> buttons;
    for (int index = 1; index <= toolbar.ButtonCount(); ++index) {
        buttons.push_back(addToolButton(toolbar, widget, index, binding));
    }
    binding.mirror({"Buttons"}, [&toolbar, buttons] {
        for (int index = 1; index <= toolbar.ButtonCount(); ++index) {
            const ToolButtonActions& bound = buttons[static_cast<std::size_t>(index - 1)];
            bound.button->setEnabled(toolbar.Button(index).enabled);
            bound.button->setVisible(toolbar.Button(index).visible);
            for (std::size_t entry = 0; entry < bound.entries.size(); ++entry) {
                bound.entries[entry]->setVisible(
                    toolbar.ButtonMenuVisible(index, static_cast<int>(entry) + 1));
            }
        }
    });
}

// A tab strip is a QTabBar, or the bar of a QTabWidget whose pages the layout holds. Tabs are
// numbered from 1 in the model.
void bindTabStrip(ui::TabStrip& tabs, ControlBinding& binding) {
    auto* tabWidget = qobject_cast<QTabWidget*>(&binding.target());
    auto* bar =
        tabWidget != nullptr ? tabWidget->tabBar() : qobject_cast<QTabBar*>(&binding.target());
    if (bar == nullptr) {
        failBinding(tabs, std::string("is a ") + binding.target().metaObject()->className() +
                              ", expected QTabBar or QTabWidget");
    }
    bindWidgetBasics(binding, tabWidget != nullptr ? static_cast<QWidget&>(*tabWidget) : *bar);
    for (int index = 1; index <= tabs.TabCount(); ++index) {
        if (index > bar->count()) {
            bar->addTab(QString());
        }
        bar->setTabText(index - 1, toQt(tabs.TabCaption(index)));
    }
    binding.mirror({"SelectedIndex"},
                   [&tabs, bar] { bar->setCurrentIndex(tabs.SelectedIndex - 1); });
    QObject::connect(bar, &QTabBar::currentChanged, &binding, [&tabs, &binding](int index) {
        if (!binding.applying()) {
            tabs.SelectedIndex.setFromView(index + 1);
            ui::Raise(tabs.Click);
        }
    });
}

}  // namespace qtplatform
