#pragma once

class QWidget;

namespace kestova {
class KestovaMain;
}

namespace qtplatform {

// Draws the states on the main window's floor map as in its grid: each tile in its state's
// colour with the state's icon by the name, the time in bold when ending soon, and a marked
// client's tile with a check mark.
void dressClientFloor(kestova::KestovaMain& main, QWidget& window);

}  // namespace qtplatform
