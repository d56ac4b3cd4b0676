#pragma once

#include <QTableView>
#include <QTemporaryDir>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "console/kestova_main.h"
#include "qt/platform/services.h"
#include "qt/views/form_views.h"
#include "tests/e2e/console/cafe_server.h"

namespace kestova::e2e {

// The message boxes a test expects, answered in order; any other box (and every input box) is
// recorded (the test fails on it) and answered No, OK or with an empty text, so that nothing
// waits for a click that never comes.
class ExpectedDialogs : public platform::Dialogs {
public:
    // The next message box starts with the text and gets the answer.
    void expect(std::string textStart, int answer);
    bool allShown() const { return expected_.empty(); }

    int MsgBox(const std::string& prompt, int flags, const std::string& title) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;

private:
    std::deque<std::pair<std::string, int>> expected_;
};

// The real Qt platform with the dialogs above.
class TestServices : public qtplatform::QtServices {
public:
    ExpectedDialogs& dialogs() override { return dialogs_; }

private:
    ExpectedDialogs dialogs_;
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
    ExpectedDialogs& dialogs() { return services_->dialogs(); }
    QWidget& mainWindow();
    QTableView& grid();
    // A menu title's entry in the menu bar, or a menu item, by its name.
    QAction& menuEntry(const char* name);

    // The clients the grid view shows: its visible rows, by slot, with the "Client Name" cell.
    ClientNames shownClients();

    // Opens the login window through "Log off ...", fills in the user name and password once it
    // has rolled down and clicks "O&k". Returns when the window has closed, with the last text
    // of its status line: an accepted login closes it by itself, after any other outcome the
    // window is closed with its close box. A window still open after the deadline is unloaded.
    std::string logIn(const std::string& user, const std::string& password);

private:
    QTemporaryDir configDir_;
    // Made once the settings folder is set: the services find their files there when created.
    std::unique_ptr<TestServices> services_;
    std::unique_ptr<qtplatform::FormViews> views_;
};

}  // namespace kestova::e2e
