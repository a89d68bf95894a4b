#include "ui/Artwork.h"

#include <algorithm>

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace dazi::ui {

namespace {

const QColor kSlateTop(0x3a, 0x44, 0x52);
const QColor kSlateBottom(0x22, 0x29, 0x33);
const QColor kLampRed(0xe8, 0x22, 0x22);
const QColor kLampDark(0x8a, 0x0c, 0x0c);

QPixmap BlankPixmap(QSize size, qreal dpr) {
  QPixmap pixmap(size * dpr);
  pixmap.setDevicePixelRatio(dpr);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

// A matrix of lines (inputs across, outputs down) with the crosspoint at (row 1, column 2) lit;
// with route, the signal's path through it is drawn in: in on its row, out down its column.
void DrawMatrix(QPainter& painter, const QRectF& area, const QColor& lines, qreal lineWidth,
                bool route = false) {
  constexpr int kLines = 3;
  const qreal dx = area.width() / (kLines + 1);
  const qreal dy = area.height() / (kLines + 1);
  painter.setPen(QPen(lines, lineWidth, Qt::SolidLine, Qt::RoundCap));
  for (int i = 1; i <= kLines; ++i) {
    painter.drawLine(QPointF(area.left() + dx * 0.5, area.top() + dy * i),
                     QPointF(area.right() - dx * 0.5, area.top() + dy * i));
    painter.drawLine(QPointF(area.left() + dx * i, area.top() + dy * 0.5),
                     QPointF(area.left() + dx * i, area.bottom() - dy * 0.5));
  }
  const QPointF lit(area.left() + dx * 2, area.top() + dy * 1);
  if (route) {
    painter.setPen(QPen(QColor(0xff, 0x6a, 0x5a), lineWidth * 1.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(area.left() + dx * 0.5, lit.y()), lit);
    painter.drawLine(lit, QPointF(lit.x(), area.bottom() - dy * 0.5));
  }
  const qreal radius = std::min(dx, dy) * 0.42;
  QRadialGradient glow(lit, radius);
  glow.setColorAt(0.0, QColor(0xff, 0x9a, 0x9a));
  glow.setColorAt(0.55, kLampRed);
  glow.setColorAt(1.0, kLampDark);
  painter.setPen(Qt::NoPen);
  painter.setBrush(glow);
  painter.drawEllipse(lit, radius, radius);
}

QPixmap TakePixmap(QSize size, qreal dpr) {
  QPixmap pixmap = BlankPixmap(size, dpr);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF key = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(0.5, 0.5, -0.5, -0.5);
  QLinearGradient face(key.topLeft(), key.bottomLeft());
  face.setColorAt(0.0, QColor(0xff, 0x5a, 0x50));
  face.setColorAt(0.5, kLampRed);
  face.setColorAt(1.0, kLampDark);
  painter.setPen(QPen(QColor(0x50, 0x08, 0x08), 1.0));
  painter.setBrush(face);
  const qreal corner = size.height() * 0.2;
  painter.drawRoundedRect(key, corner, corner);

  // An arrow into a bar: "send this source to that destination".
  const qreal h = size.height();
  const qreal w = size.width();
  const qreal mid = h / 2.0;
  const qreal stroke = std::max(1.5, h * 0.12);
  painter.setPen(QPen(Qt::white, stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawLine(QPointF(w * 0.2, mid), QPointF(w * 0.62, mid));
  QPainterPath head;
  head.moveTo(w * 0.46, h * 0.27);
  head.lineTo(w * 0.64, mid);
  head.lineTo(w * 0.46, h * 0.73);
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(head);
  painter.drawLine(QPointF(w * 0.78, h * 0.24), QPointF(w * 0.78, h * 0.76));
  return pixmap;
}

QPixmap IconPixmap(int side, qreal dpr = 1.0, bool route = false) {
  QPixmap pixmap = BlankPixmap(QSize(side, side), dpr);
  QPainter painter(&pixmap);
  PaintIcon(painter, side, route);
  return pixmap;
}

}  // namespace

void PaintIcon(QPainter& painter, int side, bool route) {
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF tile(0.5, 0.5, side - 1.0, side - 1.0);
  QLinearGradient face(tile.topLeft(), tile.bottomLeft());
  face.setColorAt(0.0, kSlateTop.lighter(115));
  face.setColorAt(1.0, kSlateBottom);
  painter.setPen(QPen(QColor(0x12, 0x16, 0x1c), std::max(1.0, side / 32.0)));
  painter.setBrush(face);
  painter.drawRoundedRect(tile, side * 0.18, side * 0.18);
  DrawMatrix(painter, tile.adjusted(side * 0.08, side * 0.08, -side * 0.08, -side * 0.08),
             QColor(0xc8, 0xd0, 0xd8), std::max(1.0, side / 16.0), route);
}

QPixmap BackgroundPicture(QSize size, int brandWidth, qreal devicePixelRatio) {
  QPixmap pixmap = BlankPixmap(size, devicePixelRatio);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF all(QPointF(0, 0), QSizeF(size));
  QLinearGradient face(all.topLeft(), all.bottomLeft());
  face.setColorAt(0.0, kSlateTop);
  face.setColorAt(1.0, kSlateBottom);
  painter.fillRect(all, face);
  // A hairline at the top so the strip reads as a panel under the menu bar.
  painter.setPen(QColor(0x5a, 0x66, 0x74));
  painter.drawLine(QPointF(0, 0.5), QPointF(all.right(), 0.5));

  if (brandWidth > 0) {
    const qreal side = std::min<qreal>(brandWidth * 0.42, size.height() * 0.58);
    const QRectF mark((brandWidth - side) / 2.0, size.height() * 0.08, side, side);
    DrawMatrix(painter, mark, QColor(0x9c, 0xa8, 0xb6), std::max(1.0, side / 20.0));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(std::max(8, static_cast<int>(size.height() * 0.18)));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(0xc8, 0xd0, 0xd8));
    const QRectF caption(0, mark.bottom() + 1, brandWidth, size.height() - mark.bottom() - 2);
    painter.drawText(caption, Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("DaziVedur"));
    // A divider between the mark and the controls.
    painter.setPen(QColor(0x18, 0x1d, 0x24));
    painter.drawLine(QPointF(brandWidth - 1.5, 4), QPointF(brandWidth - 1.5, size.height() - 4));
    painter.setPen(QColor(0x4c, 0x57, 0x64));
    painter.drawLine(QPointF(brandWidth - 0.5, 4), QPointF(brandWidth - 0.5, size.height() - 4));
  }
  return pixmap;
}

QIcon TakePicture() {
  QIcon icon;
  for (qreal dpr : {1.0, 2.0}) icon.addPixmap(TakePixmap(QSize(24, 18), dpr));
  return icon;
}

QPixmap LogoPicture(int side, qreal devicePixelRatio) {
  return IconPixmap(side, devicePixelRatio, /*route=*/true);
}

QIcon WindowIcon() {
  QIcon icon;
  for (int side : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(IconPixmap(side));
  return icon;
}

}  // namespace dazi::ui
