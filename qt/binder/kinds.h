#pragma once

#include "qt/binder/control_binding.h"
#include "ui/controls.h"
#include "ui/grid.h"
#include "ui/tile_board.h"

// One binder per control kind. Each takes the control and its binding (whose target is the
// widget or action of the control's name), mirrors the model's properties into the widget and
// routes the widget's user events to the model.
namespace qtplatform {

void bindButton(ui::Button& button, ControlBinding& binding);
void bindLabel(ui::Label& label, ControlBinding& binding);
void bindTextBox(ui::TextBox& box, ControlBinding& binding);
void bindCheckBox(ui::CheckBox& box, ControlBinding& binding);
void bindOptionButton(ui::OptionButton& option, ControlBinding& binding);
void bindComboBox(ui::ComboBox& combo, ControlBinding& binding);
void bindListBox(ui::ListBox& list, ControlBinding& binding);
void bindFrame(ui::Frame& frame, ControlBinding& binding);
void bindPictureBox(ui::PictureBox& picture, ControlBinding& binding);
void bindBrowser(ui::Browser& browser, ControlBinding& binding);
void bindChart(ui::Chart& chart, ControlBinding& binding);
void bindProgressBar(ui::ProgressBar& bar, ControlBinding& binding);
void bindMenuItem(ui::MenuItem& item, ControlBinding& binding);
void bindStatusBar(ui::StatusBar& bar, ControlBinding& binding);
void bindToolbar(ui::Toolbar& toolbar, ControlBinding& binding);
void bindTabStrip(ui::TabStrip& tabs, ControlBinding& binding);
void bindGrid(ui::Grid& grid, ControlBinding& binding);
void bindTileBoard(ui::TileBoard& board, ControlBinding& binding);

}  // namespace qtplatform
