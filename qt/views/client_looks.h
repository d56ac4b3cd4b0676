#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

#include "console/client_state.h"

// How the console draws a client's state wherever it shows one: the colour of its texts, and an
// icon whose shape tells the state as well as its colour does, for staff who do not tell the
// colours apart. Every colour has a variant for dark desktop themes, chosen by the application's
// palette when asked.
namespace qtplatform {

struct ClientLook {
    QColor color;
    QIcon icon;
    QString name;  // "In use", for tool tips
};

const ClientLook& clientLook(kestova::ClientState state);

// A row marked for the group commands: its number on a tab of this colour, with a check mark.
struct MarkLook {
    QColor tab;
    QColor onTab;  // the number and the check mark
};

MarkLook markLook();

// Draws a check mark filling the rectangle.
void paintCheckMark(QPainter& painter, const QRectF& box, const QColor& color);

}  // namespace qtplatform
