// Life cycle of a window and of its controls' properties: what every window of the console is
// built on (load once, activate on show, unload that can be refused, modal shows that return).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/sim/sim_test.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace {

using ::testing::ElementsAre;

class DialogForm : public ui::Form {
public:
    DialogForm() : ui::Form("frmDialog") {
        OnLoad = [this] { events.push_back("Load"); };
        OnActivate = [this] { events.push_back("Activate"); };
        OnQueryUnload = [this](int& cancel, int mode) {
            events.push_back("QueryUnload " + std::to_string(mode));
            cancel = refuseQueryUnload ? 1 : 0;
        };
        OnUnload = [this](int& cancel) {
            events.push_back("Unload");
            cancel = refuseUnload ? 1 : 0;
        };
        Command1.Click = [this] { Command1_Click(); };
    }

    ui::Button Command1{*this, "Command1"};
    ui::TextBox Text1{*this, "Text1"};
    std::vector<std::string> events;
    bool refuseQueryUnload = false;
    bool refuseUnload = false;

private:
    void Command1_Click() {
        events.push_back("Command1 " + Text1.Text.get());
        Hide();
    }
};

class FormTest : public sim::SimTest {
protected:
    DialogForm form;
};

TEST_F(FormTest, LoadRunsOnceAndActivateOnEveryShow) {
    form.Show();
    form.Hide();
    form.Show();
    EXPECT_THAT(form.events, ElementsAre("Load", "Activate", "Activate"));
    EXPECT_TRUE(form.Visible);
}

TEST_F(FormTest, TouchingAFormLoadsItWithoutShowingIt) {
    form.EnsureLoaded();
    EXPECT_TRUE(form.IsLoaded());
    EXPECT_FALSE(form.Visible);
    EXPECT_THAT(form.events, ElementsAre("Load"));
}

TEST_F(FormTest, CancelledQueryUnloadKeepsTheFormLoadedAndSkipsUnload) {
    form.Show();
    form.refuseQueryUnload = true;
    EXPECT_FALSE(form.CloseRequested());
    EXPECT_TRUE(form.IsLoaded());
    EXPECT_TRUE(form.Visible);
    EXPECT_THAT(form.events, ElementsAre("Load", "Activate", "QueryUnload 0"));
}

TEST_F(FormTest, CancelledUnloadKeepsTheFormLoaded) {
    form.Show();
    form.refuseUnload = true;
    EXPECT_FALSE(form.Unload());
    EXPECT_TRUE(form.IsLoaded());
    form.refuseUnload = false;
    EXPECT_TRUE(form.Unload());
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_FALSE(form.Visible);
    EXPECT_THAT(form.events, ElementsAre("Load", "Activate", "QueryUnload 1", "Unload",
                                         "QueryUnload 1", "Unload"));
}

TEST_F(FormTest, ShowAfterUnloadLoadsAgain) {
    form.Show();
    form.Unload();
    form.events.clear();
    form.Show();
    EXPECT_THAT(form.events, ElementsAre("Load", "Activate"));
}

TEST_F(FormTest, ModalShowRunsTheOperatorsScriptAndReturnsWhenTheFormHides) {
    afterMs(400, [this] { sim::TypeInto(form.Text1, "42"); });
    afterMs(900, [this] { form.Command1.DoClick(); });
    afterMs(5000, [this] { form.events.push_back("after the modal"); });
    form.Show(true);
    EXPECT_EQ(loop().now(), 900);
    EXPECT_THAT(form.events, ElementsAre("Load", "Activate", "Command1 42"));
    EXPECT_TRUE(form.IsLoaded());  // hidden, not unloaded
}

TEST_F(FormTest, ModalShowReturnsWhenTheFormUnloadsItself) {
    afterMs(100, [this] { form.Unload(); });
    form.Show(true);
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_FALSE(form.IsModal());
}

TEST_F(FormTest, DisabledButtonIgnoresClicks) {
    form.Show();
    form.Command1.Enabled = false;
    form.Command1.DoClick();
    EXPECT_TRUE(form.Visible);
    EXPECT_THAT(form.events, ElementsAre("Load", "Activate"));
}

// Records the property notifications a view would receive.
class RecordingObserver : public ui::ControlObserver {
public:
    void propertyChanged(ui::Control& control, std::string_view property) override {
        changes.push_back(control.Name() + "." + std::string(property));
    }
    std::vector<std::string> changes;
};

TEST_F(FormTest, ObserverHearsOfAPropertyOnlyWhenItsValueChanges) {
    RecordingObserver view;
    form.Command1.setObserver(&view);
    form.Command1.Caption = "&OK";
    form.Command1.Caption = "&OK";
    form.Command1.Enabled = true;  // already enabled
    form.Command1.Enabled = false;
    form.Command1.Caption.setFromView("typed");  // the view is the source: no echo
    EXPECT_THAT(view.changes, ElementsAre("Command1.Caption", "Command1.Enabled"));
    EXPECT_EQ(form.Command1.Caption.get(), "typed");
}

TEST_F(FormTest, TextBoxRaisesChangeWhenTheProgramOrTheOperatorChangesItsText) {
    int changes = 0;
    form.Text1.Change = [&] { ++changes; };
    form.Text1.Text = "abc";
    form.Text1.Text = "abc";
    EXPECT_EQ(changes, 1);
    sim::TypeInto(form.Text1, "d");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(form.Text1.Text.get(), "abcd");
}

TEST_F(FormTest, TypingGoesThroughKeyPressAndRespectsMaxLength) {
    form.Text1.MaxLength = 4;
    // Digits only, the way the console's number boxes filter keys.
    form.Text1.KeyPress = [](int& key) {
        if ((key < '0' || key > '9') && key != sim::kBackspace) {
            key = 0;
        }
    };
    sim::TypeInto(form.Text1, "1a2b345");
    EXPECT_EQ(form.Text1.Text.get(), "1234");
    sim::PressKey(form.Text1, sim::kBackspace);
    sim::PressKey(form.Text1, sim::kEnter);
    EXPECT_EQ(form.Text1.Text.get(), "123");
}

TEST_F(FormTest, ControlsAreFoundByTheirDesignName) {
    EXPECT_EQ(form.FindControl("Text1"), &form.Text1);
    EXPECT_EQ(form.FindControl("Command1"), &form.Command1);
    EXPECT_EQ(form.FindControl("Missing"), nullptr);
    ASSERT_EQ(form.Controls().size(), 2u);
    EXPECT_STREQ(form.Controls()[0]->Kind(), "Button");
}

}  // namespace
