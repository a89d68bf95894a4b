// The 16 classic console colours the model names by index.
#pragma once

#include <QColor>

namespace dazi::ui {

// Index 0..15 to its colour; any other index (the model's colours come from settings and the
// wire) gives light grey, the readable default of the displays.
QColor ConsoleColor(int index);

}  // namespace dazi::ui
