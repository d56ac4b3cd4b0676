#include "qt/views/layouts.h"

#include <QDialog>
#include <QMainWindow>

#include "ui_AuditTrail.h"
#include "ui_KestovaMain.h"
#include "ui_KestovaOpt.h"
#include "ui_Messages.h"
#include "ui_OfrmPOS.h"
#include "ui_Passwords.h"
#include "ui_RSummary.h"
#include "ui_TicketInfo.h"
#include "ui_frmHelp.h"
#include "ui_frmPOS.h"
#include "ui_frmSplash.h"

namespace qtplatform {
namespace {

template <typename Layout, typename Window = QWidget>
std::unique_ptr<QWidget> fromLayout() {
    auto window = std::make_unique<Window>();
    Layout().setupUi(window.get());
    return window;
}

}  // namespace

// One line per window: a new window is its qt/forms/<Name>.ui, its include above and a line here.
const std::map<std::string_view, LayoutFactory>& layouts() {
    static const std::map<std::string_view, LayoutFactory> table = {
        {"AuditTrail", &fromLayout<Ui::AuditTrail>},
        {"KestovaMain", &fromLayout<Ui::KestovaMain, QMainWindow>},
        {"KestovaOpt", &fromLayout<Ui::KestovaOpt, QDialog>},
        {"Messages", &fromLayout<Ui::Messages>},
        {"OfrmPOS", &fromLayout<Ui::OfrmPOS, QDialog>},
        {"RSummary", &fromLayout<Ui::RSummary, QDialog>},
        {"TicketInfo", &fromLayout<Ui::TicketInfo, QDialog>},
        {"Passwords", &fromLayout<Ui::Passwords, QDialog>},
        {"frmHelp", &fromLayout<Ui::frmHelp>},
        {"frmPOS", &fromLayout<Ui::frmPOS, QDialog>},
        {"frmSplash", &fromLayout<Ui::frmSplash>},
    };
    return table;
}

}  // namespace qtplatform
