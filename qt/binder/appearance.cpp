#include "qt/binder/appearance.h"

#include <QApplication>
#include <QWidget>

#include "qt/platform/text.h"

namespace qtplatform {
namespace {

// The desktop colours by their classic numbers.
QColor systemColor(unsigned number) {
    const QPalette palette = QApplication::palette();
    switch (number) {
        case 1:   // desktop
        case 4:   // menu bar
        case 15:  // button face, also the window background of dialogs
            return palette.color(QPalette::Window);
        case 2:   // active caption
        case 13:  // selected item
            return palette.color(QPalette::Highlight);
        case 9:   // caption text
        case 14:  // selected item text
            return palette.color(QPalette::HighlightedText);
        case 5:  // window background (text boxes, lists)
            return palette.color(QPalette::Base);
        case 7:  // menu text
            return palette.color(QPalette::WindowText);
        case 8:  // window text
            return palette.color(QPalette::Text);
        case 6:   // window frame
        case 21:  // 3D dark shadow
            return palette.color(QPalette::Shadow);
        case 12:  // application workspace
        case 16:  // button shadow
            return palette.color(QPalette::Dark);
        case 17:  // grey text
            return palette.color(QPalette::Disabled, QPalette::Text);
        case 18:  // button text
            return palette.color(QPalette::ButtonText);
        case 20:  // button highlight
            return palette.color(QPalette::Light);
        case 22:  // 3D light
            return palette.color(QPalette::Midlight);
        case 23:  // tooltip text
            return palette.color(QPalette::ToolTipText);
        case 24:  // tooltip background
            return palette.color(QPalette::ToolTipBase);
        default:  // scroll bars, borders and inactive captions
            return palette.color(QPalette::Mid);
    }
}

}  // namespace

QColor toQColor(ui::Color color) {
    if (ui::IsSystemColor(color)) {
        return systemColor(color & 0xFFu);
    }
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

void applyColor(QWidget& widget, QPalette::ColorRole role, ui::Color color) {
    QPalette palette = widget.palette();
    const bool plain = !ui::IsSystemColor(color);
    const QColor shown = plain ? toQColor(color) : QApplication::palette().color(role);
    if (role == QPalette::WindowText) {
        // The caption of a disabled control stays greyed whatever its colour.
        palette.setColor(QPalette::Active, role, shown);
        palette.setColor(QPalette::Inactive, role, shown);
    } else {
        palette.setColor(role, shown);
    }
    widget.setPalette(palette);
    if (role == QPalette::Window) {
        widget.setAutoFillBackground(plain);
    }
}

void applyFont(QWidget& widget, const QFont& designed, bool bold, double size) {
    QFont font = designed;
    font.setBold(bold || designed.bold());
    if (size > 0 && designed.pointSizeF() > 0) {
        font.setPointSizeF(designed.pointSizeF() * size / 8.0);
    }
    widget.setFont(font);
}

QString withoutAccessKeys(const std::string& caption) {
    const QString text = toQt(caption);
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            ++i;  // "&x" shows x, "&&" shows one "&"
        }
        shown += text[i];
    }
    return shown;
}

}  // namespace qtplatform
