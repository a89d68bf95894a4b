#include "ui/Palette.h"

#include <array>

namespace dazi::ui {

QColor ConsoleColor(int index) {
  static constexpr std::array<QRgb, 16> kColors = {
      qRgb(0, 0, 0),        // 0 black
      qRgb(0, 0, 128),      // 1 blue
      qRgb(0, 128, 0),      // 2 green
      qRgb(0, 128, 128),    // 3 cyan
      qRgb(128, 0, 0),      // 4 red
      qRgb(128, 0, 128),    // 5 magenta
      qRgb(128, 128, 0),    // 6 yellow (olive)
      qRgb(192, 192, 192),  // 7 white (light grey)
      qRgb(128, 128, 128),  // 8 grey
      qRgb(0, 0, 255),      // 9 light blue
      qRgb(0, 255, 0),      // 10 light green
      qRgb(0, 255, 255),    // 11 light cyan
      qRgb(255, 0, 0),      // 12 light red
      qRgb(255, 0, 255),    // 13 light magenta
      qRgb(255, 255, 0),    // 14 light yellow
      qRgb(255, 255, 255),  // 15 bright white
  };
  if (index < 0 || index >= static_cast<int>(kColors.size())) return QColor(kColors[7]);
  return QColor(kColors[static_cast<size_t>(index)]);
}

}  // namespace dazi::ui
