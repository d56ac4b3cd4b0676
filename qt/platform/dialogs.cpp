#include "qt/platform/dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <utility>
#include <vector>

#include "qt/platform/text.h"

namespace qtplatform {
namespace {

using platform::msgbox::Cancel;
using platform::msgbox::No;
using platform::msgbox::OK;
using platform::msgbox::Yes;
constexpr int kAbort = 3;
constexpr int kRetry = 4;
constexpr int kIgnore = 5;

// The buttons of each classic button set, in display order, with the result each one returns.
std::vector<std::pair<QMessageBox::StandardButton, int>> buttonsOf(int flags) {
    switch (flags & 0x7) {
        case 1:
            return {{QMessageBox::Ok, OK}, {QMessageBox::Cancel, Cancel}};
        case 2:
            return {{QMessageBox::Abort, kAbort},
                    {QMessageBox::Retry, kRetry},
                    {QMessageBox::Ignore, kIgnore}};
        case 3:
            return {{QMessageBox::Yes, Yes}, {QMessageBox::No, No}, {QMessageBox::Cancel, Cancel}};
        case 4:
            return {{QMessageBox::Yes, Yes}, {QMessageBox::No, No}};
        case 5:
            return {{QMessageBox::Retry, kRetry}, {QMessageBox::Cancel, Cancel}};
        default:
            return {{QMessageBox::Ok, OK}};
    }
}

QMessageBox::Icon iconOf(int flags) {
    switch (flags & 0x70) {
        case platform::msgbox::Critical:
            return QMessageBox::Critical;
        case platform::msgbox::Question:
            return QMessageBox::Question;
        case platform::msgbox::Exclamation:
            return QMessageBox::Warning;
        case platform::msgbox::Information:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

}  // namespace

int QtDialogs::MsgBox(const std::string& prompt, int flags, const std::string& title) {
    QMessageBox box(iconOf(flags), toQt(title), toQtLines(prompt), QMessageBox::NoButton,
                    QApplication::activeWindow());
    const auto buttons = buttonsOf(flags);
    for (const auto& [button, result] : buttons) {
        box.addButton(button);
    }
    const std::size_t defaultIndex = static_cast<std::size_t>((flags >> 8) & 0x3);
    box.setDefaultButton(buttons[defaultIndex < buttons.size() ? defaultIndex : 0].first);
    const auto chosen = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const auto& [button, result] : buttons) {
        if (button == chosen) {
            return result;
        }
    }
    // Closed without a button (Escape on a box without Cancel): the last button's answer, which
    // is Cancel or No where the set has one.
    return buttons.back().second;
}

std::string QtDialogs::InputBox(const std::string& prompt, const std::string& title,
                                const std::string& defaultText) {
    bool accepted = false;
    const QString text =
        QInputDialog::getText(QApplication::activeWindow(), toQt(title), toQtLines(prompt),
                              QLineEdit::Normal, toQt(defaultText), &accepted);
    return accepted ? fromQt(text) : std::string();
}

std::string QtDialogs::SaveFileName(const std::string& title, const std::string& fileName,
                                    const std::string& filter) {
    // The documents folder where the desktop has one, else the home folder.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) {
        folder = QDir::homePath();
    }
    const QString offered = QDir(folder).filePath(toQt(fileName));
    return fromQt(QFileDialog::getSaveFileName(QApplication::activeWindow(), toQt(title), offered,
                                               toQt(filter)));
}

}  // namespace qtplatform
