#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <memory>
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

// The action of one tool button: a plain action, or a drop-down button whose menu items raise
// ButtonMenuClick.
QAction* addToolButton(ui::Toolbar& toolbar, QToolBar& widget, int index, ControlBinding& binding) {
    const ui::Toolbar::ToolButton& model = toolbar.Button(index);
    if (!model.dropDown) {
        QAction* action = widget.addAction(iconFor(model.image), toQt(model.caption));
        QObject::connect(action, &QAction::triggered, &binding,
                         [&toolbar, index] { ui::Raise(toolbar.ButtonClick, index); });
        action->setToolTip(toolTipOf(model));
        return action;
    }
    auto* button = new QToolButton(&widget);
    button->setText(toQt(model.caption));
    button->setIcon(iconFor(model.image));
    button->setToolTip(toolTipOf(model));
    button->setToolButtonStyle(widget.toolButtonStyle());
    button->setPopupMode(QToolButton::MenuButtonPopup);
    auto* menu = new QMenu(button);
    for (std::size_t item = 0; item < model.menuItems.size(); ++item) {
        QAction* entry = menu->addAction(toQt(model.menuItems[item]));
        const int menuIndex = static_cast<int>(item) + 1;
        QObject::connect(entry, &QAction::triggered, &binding, [&toolbar, index, menuIndex] {
            ui::Raise(toolbar.ButtonMenuClick, index, menuIndex);
        });
    }
    button->setMenu(menu);
    QObject::connect(button, &QToolButton::clicked, &binding,
                     [&toolbar, index] { ui::Raise(toolbar.ButtonClick, index); });
    return widget.addWidget(button);
}

}  // namespace

void bindToolbar(ui::Toolbar& toolbar, ControlBinding& binding) {
    auto& widget = expectWidget<QToolBar>(binding, "QToolBar");
    bindWidgetBasics(binding, widget);
    widget.clear();
    std::vector<QAction*> actions;
    for (int index = 1; index <= toolbar.ButtonCount(); ++index) {
        actions.push_back(addToolButton(toolbar, widget, index, binding));
    }
    binding.mirror({"Buttons"}, [&toolbar, actions] {
        for (int index = 1; index <= toolbar.ButtonCount(); ++index) {
            QAction* action = actions[static_cast<std::size_t>(index - 1)];
            action->setEnabled(toolbar.Button(index).enabled);
            action->setVisible(toolbar.Button(index).visible);
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
