// The toolbar's buttons and its Help drop-down; activation grants what the operator may use.
#include <string>

#include "connection/login_rights.h"
#include "console/kestova_main.h"

namespace kestova {
void KestovaMain::Form_Activate() {
    ApplyActivationRights(*this);
}

void KestovaMain::Toolbar1_ButtonClick(int index) {
    const std::string& key = Toolbar1.Button(index).key;
    if (key == "Action") {
        PopupMenu(m_Popup);
    } else if (key == "Search") {
        ui::Raise(SearchAccount.Click);
    } else if (key == "Option") {
        ui::Raise(m_Opt.Click);
    } else if (key == "Help") {
        ui::Raise(m_HelpTopics.Click);
    } else if (key == "Exit") {
        Unload();
    }
}

void KestovaMain::Toolbar1_ButtonMenuClick(int index, int menuIndex) {
    const auto& items = Toolbar1.Button(index).menuItems;
    if (menuIndex < 1 || menuIndex > static_cast<int>(items.size())) {
        return;
    }
    const std::string& text = items[menuIndex - 1];
    if (text == "Zarnevo Help") {
        ui::Raise(m_HelpTopics.Click);
    } else if (text == "Zarnevo Online Help") {
        ui::Raise(m_OnlineHelp.Click);
    } else if (text == "About Zarnevo") {
        ui::Raise(m_about.Click);
    } else if (text == "Log out Server") {
        m_LogOff_Click();
    } else if (text == "Exit Program") {
        Unload();
    }
}

}  // namespace kestova
