// The panel's pictures, drawn rather than shipped: the strip's background, the Take button's
// picture and the window icon.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

class QPainter;

namespace dazi::ui {

// Background of the control strip, size in device-independent pixels. The part left of
// brandWidth carries the product's mark.
QPixmap BackgroundPicture(QSize size, int brandWidth, qreal devicePixelRatio);

// The Take button's picture: a lit red key with an arrow into the crosspoint.
QIcon TakePicture();

// The window icon: a small crosspoint matrix with one lit crosspoint.
QIcon WindowIcon();
// Paints the icon into a square of the given side; the installed icons are drawn with it too.
void PaintIcon(QPainter& painter, int side, bool route = false);

// The program's logo for the information window: the icon's matrix on a larger tile, with the
// lit crosspoint's signal path drawn in, side in device-independent pixels.
QPixmap LogoPicture(int side, qreal devicePixelRatio);

}  // namespace dazi::ui
