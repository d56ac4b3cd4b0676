// A shortcut key pressed in a window reaches its menu item through the model: the item's menu
// refreshes first, as opening it would, so an item the refresh enables acts at once.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

#include "qt/binder/binder.h"
#include "ui/controls.h"

namespace {

class MenuForm : public ui::Form {
public:
    MenuForm() : ui::Form("Sample") {
        m_allocate.Enabled = false;
        M_File.Click = [this] {
            ++refreshes;
            m_allocate.Enabled = grant;
        };
        m_allocate.Click = [this] { ++allocations; };
        m_Controls.Visible = false;
        EndTimer.Click = [this] { ++endTimers; };
    }
    ui::MenuItem M_File{*this, "M_File", "&File"};
    ui::MenuItem m_allocate{M_File, "m_allocate", "Allocate &Time", "Ctrl+A"};
    ui::MenuItem m_Controls{*this, "m_Controls", "&Control"};
    ui::MenuItem EndTimer{m_Controls, "EndTimer", "End Client &Timer", "Ctrl+T"};
    bool grant = true;
    int refreshes = 0;
    int allocations = 0;
    int endTimers = 0;
};

QAction* addItem(QWidget& window, QMenu& menu, const char* name) {
    auto* action = new QAction(&window);
    action->setObjectName(name);
    menu.addAction(action);
    return action;
}

// The menu bar as the layouts make it; `allocateIn` names the menu that gets m_allocate.
std::unique_ptr<QWidget> menuWindow(const char* allocateIn = "M_File") {
    auto window = std::make_unique<QWidget>();
    window->setObjectName("Sample");
    auto* bar = new QMenuBar(window.get());
    (new QVBoxLayout(window.get()))->setMenuBar(bar);
    for (const char* name : {"M_File", "m_Controls"}) {
        bar->addMenu(name)->setObjectName(name);
    }
    addItem(*window, *window->findChild<QMenu*>(allocateIn), "m_allocate");
    addItem(*window, *window->findChild<QMenu*>("m_Controls"), "EndTimer");
    return window;
}

class MenuShortcutBinderTest : public ::testing::Test {
protected:
    void SetUp() override {
        qtplatform::bind(form, *window);
        form.Show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    MenuForm form;
    std::unique_ptr<QWidget> window = menuWindow();  // destroyed before the form
};

TEST_F(MenuShortcutBinderTest, AKeyRefreshesTheItemsMenuAndFiresTheItemItEnabled) {
    QAction& action = *window->findChild<QAction*>("m_allocate");
    EXPECT_EQ(action.shortcut(), QKeySequence(Qt::CTRL | Qt::Key_A)) << "the menu shows the key";
    ASSERT_FALSE(action.isEnabled());

    QTest::keyClick(window.get(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(form.refreshes, 1);
    EXPECT_EQ(form.allocations, 1);

    form.grant = false;
    QTest::keyClick(window.get(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(form.refreshes, 2);
    EXPECT_EQ(form.allocations, 1) << "the refresh disabled it";
}

TEST_F(MenuShortcutBinderTest, AKeyOfAHiddenMenuDoesNothing) {
    QTest::keyClick(window.get(), Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(form.endTimers, 0);
    form.m_Controls.Visible = true;
    QTest::keyClick(window.get(), Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(form.endTimers, 1);
}

TEST(MenuShortcutBinderFailureTest, AnItemInAnotherMenuThanTheModelSaysIsReported) {
    MenuForm form;
    auto window = menuWindow("m_Controls");
    EXPECT_THROW(qtplatform::bind(form, *window), qtplatform::BindError);
}

}  // namespace
