#pragma once

#include <string>

namespace ui {
class TextBox;
}

namespace sim {

// The operator's keyboard. Each character goes through the box's KeyPress handler first, which
// may change or drop it; Enter (13) is never inserted, Backspace (8) deletes the last character,
// and MaxLength is respected, as in a single-line text box.
void TypeInto(ui::TextBox& box, const std::string& keys);
void PressKey(ui::TextBox& box, int keyAscii);

inline constexpr int kEnter = 13;
inline constexpr int kBackspace = 8;
inline constexpr int kEscape = 27;

}  // namespace sim
