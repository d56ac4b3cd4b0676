#pragma once

#include <array>

#include "core/settings_table.h"

namespace ui {
class MenuItem;
}

namespace kestova {

class KestovaMain;

// A View item that shows and hides one grid column and remembers the choice.
struct ColumnView {
    ui::MenuItem* item;
    int column;
    int shownWidth;  // twips
    const settings::Setting* savedWidth;
};

// The ten column items of "Information View", in menu order.
std::array<ColumnView, 10> ColumnViews(KestovaMain& main);

// Hides the grid columns the operator hid last time (a width of 0 saved in section "Settings")
// and the download columns and their View items when the café does not use download quotas.
void ApplySavedColumnViews(KestovaMain& main);

// Offers the View items of the download columns the café uses (by "Download" and "DownType"),
// as the load does, so an item is there whenever its column can show.
void OfferDownloadColumnItems(KestovaMain& main);

// Shows the item's column when hidden and hides it when shown, and saves the new width.
void ToggleColumnView(KestovaMain& main, const ColumnView& view);

// "&All": hides every optional column when all six base columns show, else shows the base
// columns at their default widths (download columns hidden); saves the widths.
void ToggleAllColumnViews(KestovaMain& main);

}  // namespace kestova
