#include "ui/MessageText.h"

#include <algorithm>

#include <QGuiApplication>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>

namespace dazi::ui {

namespace {

// The widest a box may grow before the toolkit wraps its text anyway: the screen, less room for
// the icon and the margins.
int WidestLine(const QMessageBox& box) {
  const QScreen* screen = box.screen() ? box.screen() : QGuiApplication::primaryScreen();
  const int screenWidth = screen ? screen->availableGeometry().width() : 800;
  // As the toolkit bounds a box: the whole width of a small screen, at most 1000 pixels else.
  const int limit = screenWidth <= 1024 ? screenWidth : std::min(screenWidth - 480, 1000);
  return limit - 120;
}

}  // namespace

void SetMessageText(QMessageBox& box, const QString& text) {
  static const QRegularExpression kBreak(QStringLiteral("\r\n|\r|\n"));
  const QStringList lines = text.split(kBreak);
  int widest = 0;
  for (const QString& line : lines)
    widest = std::max(widest, box.fontMetrics().horizontalAdvance(line));
  if (lines.size() < 2 || widest > WidestLine(box)) {
    box.setTextFormat(Qt::PlainText);
    box.setText(lines.join(QLatin1Char('\n')));
    return;
  }
  // Lines that are not to be wrapped: the box then takes the width they need.
  QStringList escaped;
  for (const QString& line : lines) escaped << line.toHtmlEscaped();
  box.setTextFormat(Qt::RichText);
  box.setText(QStringLiteral("<p style=\"white-space:pre\">") +
              escaped.join(QStringLiteral("<br>")) + QStringLiteral("</p>"));
}

}  // namespace dazi::ui
