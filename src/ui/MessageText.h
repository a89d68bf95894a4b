// The text of a message box. The panel's messages carry their own line breaks (carriage returns),
// and the box is laid out by them: as wide as its longest line needs, within the screen, rather
// than wrapped again at the toolkit's usual width, which left single words on lines of their own.
#pragma once

class QMessageBox;
class QString;

namespace dazi::ui {

void SetMessageText(QMessageBox& box, const QString& text);

}  // namespace dazi::ui
