#include "qt/platform/dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <utility>
#include <vector>

#include "qt/binder/active_window.h"
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

// Runs the box in front of the window it belongs to. As that window's child the window manager
// keeps it above it, also above a window that stays on top (which the box then does too), and
// once the box shows it is raised and given the focus: a box behind its window would hold every
// click and key of that window while nobody sees it.
int execInFront(QDialog& box, QWidget* owner) {
    if (owner != nullptr) {
        box.setWindowFlag(Qt::WindowStaysOnTopHint,
                          owner->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }
    QTimer::singleShot(0, &box, [&box] {
        box.raise();
        box.activateWindow();
    });
    return box.exec();
}

}  // namespace

int QtDialogs::MsgBox(const std::string& prompt, int flags, const std::string& title) {
    QWidget* owner = OwnerWindow();
    QMessageBox box(iconOf(flags), toQt(title), toQtLines(prompt), QMessageBox::NoButton, owner);
    const auto buttons = buttonsOf(flags);
    for (const auto& [button, result] : buttons) {
        box.addButton(button);
    }
    const std::size_t defaultIndex = static_cast<std::size_t>((flags >> 8) & 0x3);
    box.setDefaultButton(buttons[defaultIndex < buttons.size() ? defaultIndex : 0].first);
    const auto chosen = static_cast<QMessageBox::StandardButton>(execInFront(box, owner));
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
    QWidget* owner = OwnerWindow();
    QInputDialog box(owner);
    box.setWindowTitle(toQt(title));
    box.setLabelText(toQtLines(prompt));
    box.setTextValue(toQt(defaultText));
    return execInFront(box, owner) == QDialog::Accepted ? fromQt(box.textValue()) : std::string();
}

std::string QtDialogs::SaveFileName(const std::string& title, const std::string& fileName,
                                    const std::string& filter) {
    // The documents folder where the desktop has one, else the home folder.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) {
        folder = QDir::homePath();
    }
    QWidget* owner = OwnerWindow();
    QFileDialog box(owner, toQt(title), QDir(folder).filePath(toQt(fileName)), toQt(filter));
    box.setAcceptMode(QFileDialog::AcceptSave);
    const bool chosen =
        execInFront(box, owner) == QDialog::Accepted && !box.selectedFiles().isEmpty();
    return chosen ? fromQt(box.selectedFiles().constFirst()) : std::string();
}

}  // namespace qtplatform
