// A menu shortcut initialises the menus that hold its item, as opening them would, and only
// then fires the item if it is enabled and visible.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/controls.h"
#include "ui/form.h"

namespace {

using ::testing::ElementsAreArray;

// A bar menu with a submenu, a menu that its rights may hide, and a context menu. Each refresh
// enables its items as `grant` says, as the console's refreshes set items by the highlighted row.
class MenuForm : public ui::Form {
public:
    MenuForm() : ui::Form("frmMenus") {
        m_Popup.Visible = false;
        m_Popup.ContextMenu = true;
        for (ui::MenuItem* item : {&m_allocate, &m_InfoView, &m_username, &EndTimer, &P_Allocate}) {
            item->Enabled = false;
            item->Click = [this, item] { events.push_back(item->Name()); };
        }
        M_File.Click = [this] { refresh("M_File", {&m_allocate}); };
        m_View.Click = [this] { refresh("m_View", {&m_InfoView}); };
        m_InfoView.Click = [this] { refresh("m_InfoView", {&m_username}); };
        m_Controls.Click = [this] { refresh("m_Controls", {&EndTimer}); };
        m_Popup.Click = [this] { refresh("m_Popup", {&P_Allocate}); };
    }

    ui::MenuItem M_File{*this, "M_File", "&File"};
    ui::MenuItem m_allocate{M_File, "m_allocate", "Allocate &Time", "Ctrl+A"};
    ui::MenuItem m_View{*this, "m_View", "&View"};
    ui::MenuItem m_InfoView{m_View, "m_InfoView", "Information View"};
    ui::MenuItem m_username{m_InfoView, "m_username", "&Username", "Shift+F2"};
    ui::MenuItem m_Controls{*this, "m_Controls", "&Control"};
    ui::MenuItem EndTimer{m_Controls, "EndTimer", "End Client &Timer", "Ctrl+T"};
    ui::MenuItem m_Popup{*this, "m_Popup", "Popup"};
    ui::MenuItem P_Allocate{m_Popup, "P_Allocate", "&Allocate Time", "Ctrl+Y"};

    bool grant = true;
    std::vector<std::string> events;

private:
    void refresh(const char* menu, std::initializer_list<ui::MenuItem*> items) {
        events.push_back(std::string(menu) + " opens");
        for (ui::MenuItem* item : items) {
            item->Enabled = grant;
        }
    }
};

TEST(MenuShortcutTest, TheRefreshesOnTheWayDecideWhetherTheItemFires) {
    struct Case {
        const char* keys;
        bool grant;
        std::vector<ui::MenuItem MenuForm::*> hidden;
        std::vector<std::string> events;
    };
    const Case cases[] = {
        {"Ctrl+A", true, {}, {"M_File opens", "m_allocate"}},
        {"Ctrl+A", false, {}, {"M_File opens"}},
        {"Shift+F2", true, {}, {"m_View opens", "m_InfoView opens", "m_username"}},
        // The submenu stays disabled when the outer refresh does not enable it.
        {"Shift+F2", false, {}, {"m_View opens"}},
        {"Ctrl+T", true, {&MenuForm::m_Controls}, {}},
        {"Ctrl+T", true, {&MenuForm::EndTimer}, {"m_Controls opens"}},
        {"Ctrl+Y", true, {}, {"m_Popup opens", "P_Allocate"}},
    };
    for (const Case& c : cases) {
        MenuForm form;
        form.grant = c.grant;
        for (ui::MenuItem MenuForm::*item : c.hidden) {
            (form.*item).Visible = false;
        }
        ui::MenuItem* item = ui::FindShortcut(form, c.keys);
        ASSERT_NE(item, nullptr) << c.keys;
        EXPECT_EQ(item->PressShortcut(), c.events.size() > 0 && c.events.back() == item->Name())
            << c.keys;
        EXPECT_THAT(form.events, ElementsAreArray(c.events)) << c.keys << " grant " << c.grant;
    }
}

}  // namespace
