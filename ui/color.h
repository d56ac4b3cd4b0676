#pragma once

#include <cstdint>

namespace ui {

// Colours as the window designs give them: 0x00BBGGRR for a plain colour, 0x800000nn for the
// desktop's system colour number nn.
using Color = std::uint32_t;

constexpr Color Rgb(int red, int green, int blue) {
    return static_cast<Color>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

namespace colors {
inline constexpr Color Black = 0x000000;
inline constexpr Color White = 0xFFFFFF;
inline constexpr Color DarkGreen = 0x008000;
inline constexpr Color Red = 0x0000FF;
inline constexpr Color ButtonFace = 0x8000000F;  // window and button background
inline constexpr Color WindowBackground = 0x80000005;
inline constexpr Color WindowText = 0x80000008;
inline constexpr Color Highlight = 0x8000000D;
inline constexpr Color HighlightText = 0x8000000E;
inline constexpr Color AppWorkspace = 0x8000000C;  // empty area of a grid
}  // namespace colors

constexpr bool IsSystemColor(Color color) {
    return (color & 0x80000000u) != 0;
}

}  // namespace ui
