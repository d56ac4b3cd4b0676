#include "tests/sim/sim_user.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "ui/controls.h"
#include "ui/form.h"
#include "ui/grid.h"

namespace sim {
namespace {

void Type(ui::TextBox& box, int keyAscii) {
    ui::Raise(box.KeyPress, keyAscii);
    if (keyAscii == 0 || keyAscii == kEnter || keyAscii == kEscape || box.Locked) {
        return;
    }
    std::string text = box.Text;
    if (keyAscii == kBackspace) {
        if (!text.empty()) {
            text.pop_back();
        }
    } else if (box.MaxLength <= 0 || static_cast<int>(text.size()) < box.MaxLength) {
        text.push_back(static_cast<char>(keyAscii));
    }
    box.Text = text;
}

}  // namespace

void PressKey(ui::TextBox& box, int keyAscii) {
    if (!box.Enabled || !box.Visible) {
        return;
    }
    const int keyCode = keyAscii >= 'a' && keyAscii <= 'z' ? keyAscii - ('a' - 'A') : keyAscii;
    Type(box, keyAscii);
    ui::Raise(box.KeyUp, keyCode, 0);
}

void Choose(ui::ComboBox& combo, const std::string& item) {
    const auto& items = combo.Items();
    const auto found = std::find(items.begin(), items.end(), item);
    if (found == items.end()) {
        ADD_FAILURE() << combo.Name() << " has no item \"" << item << "\"";
        return;
    }
    combo.ListIndex.setFromView(static_cast<int>(found - items.begin()));
    combo.Text.setFromView(item);
    ui::Raise(combo.Click);
}

bool PressShortcut(ui::Form& form, const std::string& keys) {
    ui::MenuItem* item = ui::FindShortcut(form, keys);
    if (item == nullptr) {
        ADD_FAILURE() << form.Name() << " has no shortcut " << keys;
        return false;
    }
    return item->PressShortcut();
}

void TypeInto(ui::TextBox& box, const std::string& keys) {
    for (const char key : keys) {
        PressKey(box, static_cast<unsigned char>(key));
    }
}

std::vector<int> RowsOnScreen(const ui::Grid& grid) {
    std::vector<int> rows;
    for (int row = grid.FixedRows(); row < grid.Rows(); ++row) {
        if (grid.RowHeight(row) > 0 && grid.Admits(row)) {
            rows.push_back(row);
        }
    }
    const int column = grid.SortColumn();
    if (column >= 0) {
        std::stable_sort(rows.begin(), rows.end(), [&grid, column](int a, int b) {
            return grid.SortDescending() ? grid.RowLess(column, b, a) : grid.RowLess(column, a, b);
        });
    }
    return rows;
}

void ClickHeader(ui::Grid& grid, int column) {
    ui::Raise(grid.HeaderClick, column);
}

void ClickRowOnScreen(ui::Grid& grid, int index) {
    const std::vector<int> rows = RowsOnScreen(grid);
    ASSERT_LT(static_cast<std::size_t>(index), rows.size()) << "no row drawn there";
    grid.SetRow(rows[static_cast<std::size_t>(index)]);
    ui::Raise(grid.Click);
}

}  // namespace sim
