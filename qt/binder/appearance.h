#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>
#include <string>

#include "ui/color.h"

class QWidget;

namespace qtplatform {

// A design colour: 0x00BBGGRR, or 0x800000nn for the desktop's system colour nn, taken from the
// application palette so the window follows the desktop theme.
QColor toQColor(ui::Color color);

// Paints the role with the colour. A system colour restores the style's own brush, so a window
// left at its defaults looks native.
void applyColor(QWidget& widget, QPalette::ColorRole role, ui::Color color);

// The designs use 8-point type as the normal size: sizes scale the layout's own font by size/8,
// so the desktop's default font stays the normal size. Bold adds to the layout's weight.
void applyFont(QWidget& widget, const QFont& designed, bool bold, double size);

// Captions of labels show the access-key marker of their design as plain text would: "&&" is an
// ampersand and a single "&" is dropped.
QString withoutAccessKeys(const std::string& caption);

}  // namespace qtplatform
