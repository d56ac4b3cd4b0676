#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <memory>
#include <stdexcept>
#include <vector>

#include "qt/binder/binder.h"
#include "ui/controls.h"

namespace {

using ToolButton = ui::Toolbar::ToolButton;

ToolButton toolButton(std::string key, std::string caption, std::string toolTip,
                      std::string image = {}) {
    ToolButton button;
    button.key = std::move(key);
    button.caption = std::move(caption);
    button.toolTip = std::move(toolTip);
    button.image = std::move(image);
    return button;
}

// A bar shaped like the console's: separator buttons (one with an image), a plain button and a
// drop-down with a "-" entry.
std::vector<ToolButton> sampleButtons() {
    ToolButton help = toolButton("Help", "Help", "Help");
    help.dropDown = true;
    help.menuItems = {"Zarnevo Help", "-", "About Zarnevo"};
    return {toolButton("Break2", "", ""), toolButton("Search", "Search", "Search for Ticket"), help,
            toolButton("Break", "", "", "ImageList1/5"), toolButton("Exit", "Exit", "")};
}

class ToolbarForm : public ui::Form {
public:
    ToolbarForm() : ui::Form("Sample") {}
    ui::Toolbar Toolbar1{*this, "Toolbar1", sampleButtons()};
};

class ToolbarBinderTest : public ::testing::Test {
protected:
    void SetUp() override {
        window->setObjectName("Sample");
        auto* bar = new QToolBar(window.get());
        bar->setObjectName("Toolbar1");
        (new QVBoxLayout(window.get()))->addWidget(bar);
        qtplatform::bind(form, *window);
        form.Show();
    }

    QToolBar& toolbar() { return *window->findChild<QToolBar*>("Toolbar1"); }
    QList<QAction*> barActions() { return toolbar().actions(); }
    QAction& barAction(int index) { return *barActions().at(index - 1); }
    // The drop-down button, among the tool buttons the bar makes for itself.
    QToolButton& helpButton() {
        for (QToolButton* button : window->findChildren<QToolButton*>()) {
            if (button->text() == "Help") {
                return *button;
            }
        }
        throw std::logic_error("no Help button");
    }
    QMenu& helpMenu() { return *helpButton().menu(); }

    ToolbarForm form;
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();  // destroyed before the form
};

TEST_F(ToolbarBinderTest, ButtonsWithoutCaptionOrToolTipAreSeparatorsAndTheOthersAreNot) {
    ASSERT_EQ(barActions().size(), 5);
    EXPECT_TRUE(barAction(1).isSeparator());
    EXPECT_FALSE(barAction(2).isSeparator());
    EXPECT_FALSE(barAction(3).isSeparator());
    EXPECT_TRUE(barAction(4).isSeparator()) << "an image does not make a separator a button";
    EXPECT_FALSE(barAction(5).isSeparator()) << "a caption alone is a button";
    EXPECT_EQ(barAction(5).toolTip(), "Exit");

    int clicked = 0;
    form.Toolbar1.ButtonClick = [&](int index) { clicked = index; };
    QWidget* exitButton = toolbar().widgetForAction(&barAction(5));
    ASSERT_NE(exitButton, nullptr);
    QTest::mouseClick(exitButton, Qt::LeftButton);
    EXPECT_EQ(clicked, 5) << "buttons keep the model's numbers, separators included";
}

TEST_F(ToolbarBinderTest, TheDropDownDrawsItsDashEntryAsALineAndKeepsEntryNumbers) {
    const QList<QAction*> entries = helpMenu().actions();
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[0]->text(), "Zarnevo Help");
    EXPECT_TRUE(entries[1]->isSeparator());
    EXPECT_EQ(entries[2]->text(), "About Zarnevo");

    std::vector<std::pair<int, int>> chosen;
    form.Toolbar1.ButtonMenuClick = [&](int index, int entry) {
        chosen.emplace_back(index, entry);
    };
    entries[2]->trigger();
    entries[0]->trigger();
    EXPECT_EQ(chosen, (std::vector<std::pair<int, int>>{{3, 3}, {3, 1}}));
}

TEST_F(ToolbarBinderTest, HiddenEntriesAndButtonsFollowTheModel) {
    const QList<QAction*> entries = helpMenu().actions();
    ASSERT_EQ(entries.size(), 3);
    form.Toolbar1.SetButtonMenuVisible(3, 2, false);
    form.Toolbar1.SetButtonMenuVisible(3, 3, false);
    EXPECT_TRUE(entries[0]->isVisible());
    EXPECT_FALSE(entries[1]->isVisible());
    EXPECT_FALSE(entries[2]->isVisible());

    form.Toolbar1.SetButtonMenuVisible(3, 3, true);
    EXPECT_TRUE(entries[2]->isVisible());
    EXPECT_FALSE(entries[1]->isVisible());

    form.Toolbar1.SetButtonEnabled(3, false);
    form.Toolbar1.SetButtonVisible(4, false);
    EXPECT_FALSE(barAction(3).isEnabled());
    EXPECT_FALSE(helpButton().isEnabled());
    EXPECT_FALSE(barAction(4).isVisible());
    EXPECT_TRUE(barAction(5).isVisible());
}

}  // namespace
