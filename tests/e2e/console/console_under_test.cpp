#include "tests/e2e/console/console_under_test.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <optional>
#include <stdexcept>

#include "connection/login_window.h"
#include "console/client_grid.h"
#include "console/kestova_opt.h"
#include "core/messages.h"
#include "pos/frm_pos.h"
#include "pos/ofrm_pos.h"
#include "pos/passwords.h"
#include "pos/ticket_info.h"
#include "program/kestova_code.h"
#include "program/startup.h"
#include "qt/binder/grid_order_proxy.h"
#include "reports/rsummary.h"
#include "tests/e2e/console/wait.h"

namespace kestova::e2e {
namespace {

constexpr int kButtonsMask = 7;

void WriteFile(const QString& path, const QString& content) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content.toUtf8()) < 0) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
}

int UnexpectedAnswer(int flags) {
    switch (flags & kButtonsMask) {
        case platform::msgbox::YesNo:
        case platform::msgbox::YesNoCancel:
            return platform::msgbox::No;
        case platform::msgbox::OKCancel:
            return platform::msgbox::Cancel;
        default:
            return platform::msgbox::OK;
    }
}

QMessageBox::StandardButton ButtonFor(int answer) {
    switch (answer) {
        case platform::msgbox::Yes:
            return QMessageBox::Yes;
        case platform::msgbox::No:
            return QMessageBox::No;
        case platform::msgbox::Cancel:
            return QMessageBox::Cancel;
        default:
            return QMessageBox::Ok;
    }
}

// While a box of the program runs: once it shows, the look, then the answer.
class BoxOnScreen {
public:
    BoxOnScreen(const std::function<void(QDialog&)>& look, std::function<void(QDialog&)> answer)
        : driver_([look, answer = std::move(answer), deadline = QDeadlineTimer(kWaitMs)] {
              auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
              const bool shown = box != nullptr && (qobject_cast<QMessageBox*>(box) != nullptr ||
                                                    qobject_cast<QInputDialog*>(box) != nullptr);
              if (!shown) {
                  if (deadline.hasExpired()) {
                      ADD_FAILURE() << "the box never showed";
                      return true;
                  }
                  return false;
              }
              look(*box);
              answer(*box);
              return true;
          }) {}

private:
    Driver driver_;
};

}  // namespace

void ScriptedDialogs::expectMsgBox(std::string words, int answer) {
    expected_.push_back({false, std::move(words), answer, {}});
}

void ScriptedDialogs::expectInputBox(std::string words, std::string input) {
    expected_.push_back({true, std::move(words), 0, std::move(input)});
}

std::optional<ScriptedDialogs::Expected> ScriptedDialogs::take(bool input,
                                                               const std::string& prompt) {
    if (expected_.empty() || expected_.front().input != input ||
        prompt.find(expected_.front().words) == std::string::npos) {
        return std::nullopt;
    }
    Expected next = std::move(expected_.front());
    expected_.pop_front();
    return next;
}

int ScriptedDialogs::MsgBox(const std::string& prompt, int flags, const std::string& title) {
    const auto expected = take(false, prompt);
    if (!expected) {
        ADD_FAILURE() << "unexpected message box \"" << title << "\": " << prompt;
    }
    const int answer = expected ? expected->answer : UnexpectedAnswer(flags);
    if (!look_) {
        return answer;
    }
    const BoxOnScreen onScreen(look_, [answer](QDialog& box) {
        auto* buttons = qobject_cast<QMessageBox*>(&box);
        QAbstractButton* button = buttons != nullptr ? buttons->button(ButtonFor(answer)) : nullptr;
        if (button != nullptr) {
            button->click();
        } else {
            ADD_FAILURE() << "the box has no button for the answer " << answer;
            box.reject();
        }
    });
    return onScreen_.MsgBox(prompt, flags, title);
}

std::string ScriptedDialogs::InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText) {
    const auto expected = take(true, prompt);
    if (!expected) {
        ADD_FAILURE() << "unexpected input box \"" << title << "\": " << prompt;
    }
    const std::string text = expected ? expected->text : std::string();
    if (!look_) {
        return text;
    }
    const BoxOnScreen onScreen(look_, [&text](QDialog& box) {
        if (auto* input = qobject_cast<QInputDialog*>(&box); input != nullptr && !text.empty()) {
            input->setTextValue(QString::fromStdString(text));
            input->accept();
        } else {
            box.reject();
        }
    });
    return onScreen_.InputBox(prompt, title, defaultText);
}

std::string ScriptedDialogs::SaveFileName(const std::string& title, const std::string& fileName,
                                          const std::string& /*filter*/) {
    ADD_FAILURE() << "unexpected save question \"" << title << "\" for " << fileName;
    return {};
}

ConsoleUnderTest::ConsoleUnderTest(int portOffset, const QString& moreSettings) {
    if (!configDir_.isValid()) {
        throw std::runtime_error("no temporary folder for the console's configuration");
    }
    // The server's address, and a fixed port: 999 + the server's offset. "Loop" above the offset
    // keeps the console on that port; "Refresh" 1 lets it notice a lost server within a second.
    // "AlertMinutes" 0: the demo café's first sessions end within minutes, and their warnings
    // would bring the message window in front of the windows a test drives.
    WriteFile(configDir_.filePath("machine.ini"),
              "[HKEY_USERS\\.default\\Software\\Zarnevo]\nServerIP=127.0.0.1\n");
    WriteFile(
        configDir_.filePath("kestova.ini"),
        QStringLiteral("[Option]\nUsePort=1\nPortNo=%1\nLoop=32766\nRefresh=1\nAlertMinutes=0\n")
                .arg(portOffset) +
            moreSettings);
    qputenv("KESTOVA_CONFIG_DIR", configDir_.path().toUtf8());

    services_ = std::make_unique<TestServices>();
    platform::installServices(services_.get());
    views_ = std::make_unique<qtplatform::FormViews>();
    views_->attach(MessagesWindow());
    views_->attach(Splash());
    views_->attach(Main());
    views_->attach(TicketInfoWindow());
    views_->attach(RSummaryWindow());
    views_->attach(Options());
    views_->attach(PosPasswords());
    views_->attach(PosGeneration());
    views_->attach(PosOperations());
}

ConsoleUnderTest::~ConsoleUnderTest() {
    views_.reset();  // the windows go before the forms they show
    ReleaseProgram();
    platform::installServices(nullptr);
    qunsetenv("KESTOVA_CONFIG_DIR");
}

bool ConsoleUnderTest::startUp() {
    return StartUp();
}

KestovaMain& ConsoleUnderTest::main() {
    return Main();
}

QWidget& ConsoleUnderTest::mainWindow() {
    return window(Main());
}

QWidget& ConsoleUnderTest::window(ui::Form& form) {
    return views_->window(form);
}

QTableView& ConsoleUnderTest::grid() {
    auto* view = mainWindow().findChild<QTableView*>("ConList");
    if (view == nullptr) {
        throw std::runtime_error("the main window has no ConList table");
    }
    return *view;
}

QAction& ConsoleUnderTest::menuEntry(const char* name) {
    if (auto* menu = mainWindow().findChild<QMenu*>(name)) {
        return *menu->menuAction();
    }
    if (auto* action = mainWindow().findChild<QAction*>(name)) {
        return *action;
    }
    throw std::runtime_error(std::string("the main window has no menu entry ") + name);
}

std::optional<int> ConsoleUnderTest::readyClient() {
    std::optional<int> ready;
    WaitUntil([&] {
        for (const auto& [slot, name] : shownClients()) {
            if (main().ConList.TextMatrix(slot, client_grid::kInformation) == "Ready") {
                ready = slot;
                return true;
            }
        }
        return false;
    });
    return ready;
}

ClientNames ConsoleUnderTest::shownClients() {
    QTableView& view = grid();
    const auto* model = dynamic_cast<const qtplatform::GridOrderProxy*>(view.model());
    if (model == nullptr) {
        throw std::runtime_error("ConList is not bound to its grid model");
    }
    ClientNames shown;
    for (int row = 0; row < model->rowCount(); ++row) {
        if (!view.isRowHidden(row)) {
            shown[model->gridRow(row)] =
                model->index(row, client_grid::kClientName).data().toString().toStdString();
        }
    }
    return shown;
}

std::string ConsoleUnderTest::logIn(const std::string& user, const std::string& password) {
    constexpr int kLookEveryMs = 20;
    FrmSplash& login = Splash();
    const QDeadlineTimer deadline(kWaitMs);
    bool okClicked = false;
    std::optional<std::string> leftWith;
    QTimer driver;
    // Runs inside the login window's modal loop.
    QObject::connect(&driver, &QTimer::timeout, [&] {
        if (!login.IsLoaded() || !login.IsModal()) {
            return;
        }
        if (deadline.hasExpired()) {
            login.Unload();
            return;
        }
        if (!login.Command1.Enabled) {
            return;  // a request waits for the server's answer
        }
        if (!okClicked) {
            login.Text1.Text = user;
            login.Text2.Text = password;
            login.Command1.DoClick();
            okClicked = true;
            return;
        }
        // Back to the fields: refused or timed out. The close box leaves the console as the
        // answer left it ("&Log off" would log the current operator off as well).
        leftWith = login.Label3.Caption.get();
        views_->window(login).close();
    });
    // "Log off ..." is offered from the first supervision tick after the connection on.
    QAction& openLogin = menuEntry("m_LogOff");
    if (!WaitUntil([&openLogin] { return openLogin.isEnabled(); })) {
        return "\"Log off ...\" was never offered";
    }
    driver.start(kLookEveryMs);
    openLogin.trigger();
    driver.stop();
    return leftWith.value_or(login.Label3.Caption.get());
}

bool ConsoleUnderTest::inWindow(const char* menuItem, ui::Form& window,
                                const std::function<bool()>& step) {
    constexpr int kLookEveryMs = 20;
    const QDeadlineTimer deadline(kWaitMs);
    bool done = false;
    QTimer driver;
    // Runs inside the window's modal loop.
    QObject::connect(&driver, &QTimer::timeout, [&] {
        if (!window.IsLoaded() || !window.IsModal() || !window.Visible) {
            return;
        }
        if (deadline.hasExpired()) {
            window.Hide();  // ends the modal loop even while the window refuses to close
        } else if (step()) {
            done = true;
            views_->window(window).close();
        }
    });
    driver.start(kLookEveryMs);
    menuEntry(menuItem).trigger();
    driver.stop();
    return done;
}

}  // namespace kestova::e2e
