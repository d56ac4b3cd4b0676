#pragma once

#include <string>
#include <vector>

namespace ui {
class ComboBox;
class Form;
class Grid;
class TextBox;
}  // namespace ui

namespace sim {

// The operator's keyboard. Each character goes through the box's KeyPress handler first, which
// may change or drop it; Enter (13) is never inserted, Backspace (8) deletes the last character,
// and MaxLength is respected, as in a single-line text box. Then the key is let go: KeyUp with
// its classic code (a letter as its capital).
void TypeInto(ui::TextBox& box, const std::string& keys);
void PressKey(ui::TextBox& box, int keyAscii);

// The operator's pick of an item from a drop-down list, as a click on it: the list's index and
// text move to the item and Click is raised. Fails the test when the list has no such item.
void Choose(ui::ComboBox& combo, const std::string& item);

// The operator presses a menu shortcut ("Ctrl+A") in the window, without opening a menu first;
// the key reaches the form's item that has it, as on screen. True when the item fired. Fails the
// test when no item of the form has the key.
bool PressShortcut(ui::Form& form, const std::string& keys);

// What the operator sees of a grid: its shown body rows that the grid's rules admit, in the sort
// the operator chose, as a table view draws them; each entry is the grid row.
std::vector<int> RowsOnScreen(const ui::Grid& grid);
// A click on a column's header; a click on the row drawn at `index` from the top (it becomes the
// current row). Fails the test when nothing is drawn there.
void ClickHeader(ui::Grid& grid, int column);
void ClickRowOnScreen(ui::Grid& grid, int index);

inline constexpr int kEnter = 13;
inline constexpr int kBackspace = 8;
inline constexpr int kEscape = 27;

}  // namespace sim
