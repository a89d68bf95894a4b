// For measuring start-up: with DAZI_EXIT_AFTER_FIRST_FRAME set in the environment, the program
// ends at once (no shutdown work) right after its window's first paint has been shown.
#pragma once

class QWidget;

namespace dazi::ui {

void ExitAfterFirstFrameIfAsked(QWidget& window);

}  // namespace dazi::ui
