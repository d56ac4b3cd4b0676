#pragma once

class QWidget;

namespace kestova {
class KestovaMain;
}

namespace qtplatform {

// Draws the states in the main window's client grid: the state's icon by the client's name, its
// colour on the "Information" text (and on the "Time" when ending soon), and a marked row's
// number on a tab with a check mark. The texts and cell colours stay the model's; the drawing
// follows the rows of the grid model, whatever order a view shows them in.
void dressClientGrid(kestova::KestovaMain& main, QWidget& window);

}  // namespace qtplatform
