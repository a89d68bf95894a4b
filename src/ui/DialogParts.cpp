#include "ui/DialogParts.h"

#include <QApplication>
#include <QWidget>

namespace dazi::ui {

QString WithoutMnemonic(QString caption) {
  caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  caption.remove(QLatin1Char('&'));
  caption.replace(QStringLiteral("\x01"), QStringLiteral("&"));
  return caption.trimmed();
}

void SetAccessible(QWidget* control, const QString& name, const QString& description) {
  control->setAccessibleName(WithoutMnemonic(name));
  control->setAccessibleDescription(description.trimmed());
}

bool ProgramActivation::Changed(const QWidget* dialog) {
  if (!dialog->isActiveWindow()) {
    // The window taking over is already the application's active one; none means another
    // program has it.
    leftForOwnWindow_ = QApplication::activeWindow() != nullptr;
    return false;
  }
  const bool activated = leftForOwnWindow_;
  leftForOwnWindow_ = false;
  return activated;
}

}  // namespace dazi::ui
