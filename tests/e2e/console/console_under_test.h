#pragma once

#include <QDialog>
#include <QTableView>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "console/kestova_main.h"
#include "qt/platform/services.h"
#include "qt/views/form_views.h"
#include "tests/e2e/console/cafe_server.h"

namespace kestova::e2e {

// The operator at the message and input boxes: a box the test expects (its text holds the
// expected words) gets the scripted answer; any other fails the test and is answered No, OK or
// with an empty text, so that nothing waits for a click that never comes.
class ScriptedDialogs : public platform::Dialogs {
public:
    void expectMsgBox(std::string words, int answer);
    void expectInputBox(std::string words, std::string input);
    bool allAnswered() const { return expected_.empty(); }
    // From now on every box is the program's own on the screen: `look` sees it once it shows,
    // then the box gets its answer there, as from the operator.
    void answerOnScreen(std::function<void(QDialog& box)> look) { look_ = std::move(look); }

    int MsgBox(const std::string& prompt, int flags, const std::string& title) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    std::string SaveFileName(const std::string& title, const std::string& fileName,
                             const std::string& filter) override;

private:
    struct Expected {
        bool input;
        std::string words;
        int answer;
        std::string text;
    };
    std::optional<Expected> take(bool input, const std::string& prompt);
    std::deque<Expected> expected_;
    std::function<void(QDialog& box)> look_;
    qtplatform::QtDialogs onScreen_;
};

// The real Qt platform with the dialogs above.
class TestServices : public qtplatform::QtServices {
public:
    ScriptedDialogs& dialogs() override { return dialogs_; }

private:
    ScriptedDialogs dialogs_;
};

// The console program as qt/main.cpp runs it, inside the test: the Qt platform, the windows'
// layouts, and a configuration folder of its own that points it at the server on loopback
// (written before anything starts, so the console never hears of another address).
class ConsoleUnderTest {
public:
    // `moreSettings` is added to kestova.ini (further sections, such as [Ports]).
    explicit ConsoleUnderTest(int portOffset, const QString& moreSettings = {});
    ConsoleUnderTest(const ConsoleUnderTest&) = delete;
    ConsoleUnderTest& operator=(const ConsoleUnderTest&) = delete;
    ~ConsoleUnderTest();

    // The program's start: splash, viewer state, main window shown, supervision running.
    bool startUp();

    KestovaMain& main();
    ScriptedDialogs& dialogs() { return services_->dialogs(); }
    QWidget& mainWindow();
    // The window that shows the form.
    QWidget& window(ui::Form& form);
    QTableView& grid();
    // A menu title's entry in the menu bar, or a menu item, by its name.
    QAction& menuEntry(const char* name);

    // The clients the grid view shows: its visible rows, by slot, with the "Client Name" cell.
    ClientNames shownClients();
    // Waits until the grid shows a client that is "Ready" (free, not in use): its slot, if one
    // came within the wait.
    std::optional<int> readyClient();

    // Opens the login window through "Log off ...", fills in the user name and password once it
    // has rolled down and clicks "O&k". Returns when the window has closed, with the last text
    // of its status line: an accepted login closes it by itself, after any other outcome the
    // window is closed with its close box. A window still open after the deadline is unloaded.
    std::string logIn(const std::string& user, const std::string& password);

    // Chooses the menu item that opens `window` modally, and while it shows calls `step` every
    // 20 ms until it returns true; then closes the window with its close box. False when the
    // window never showed or `step` was not done by the deadline (the window is unloaded then).
    bool inWindow(const char* menuItem, ui::Form& window, const std::function<bool()>& step);

private:
    QTemporaryDir configDir_;
    // Made once the settings folder is set: the services find their files there when created.
    std::unique_ptr<TestServices> services_;
    std::unique_ptr<qtplatform::FormViews> views_;
};

}  // namespace kestova::e2e
