// Draws the program's icon for installation: a scalable SVG and PNGs of the given sizes, under
// OUTPUT_DIR/scalable/apps and OUTPUT_DIR/NxN/apps.
// Usage: dazivedur-make-icons OUTPUT_DIR SIZE...
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <cstdio>

#include "ui/Artwork.h"

namespace {

constexpr int kScalableSide = 256;

bool MakeFolder(const QString& path) {
  if (QDir().mkpath(path)) return true;
  std::fprintf(stderr, "dazivedur-make-icons: cannot create %s\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  if (args.size() < 3) {
    std::fprintf(stderr, "usage: dazivedur-make-icons OUTPUT_DIR SIZE...\n");
    return 2;
  }
  const QString root = args.at(1);

  if (!MakeFolder(root + "/scalable/apps")) return 1;
  QSvgGenerator svg;
  svg.setFileName(root + "/scalable/apps/dazivedur.svg");
  svg.setSize(QSize(kScalableSide, kScalableSide));
  svg.setViewBox(QRect(0, 0, kScalableSide, kScalableSide));
  svg.setTitle("DaziVedur");
  {
    QPainter painter(&svg);
    dazi::ui::PaintIcon(painter, kScalableSide);
  }

  for (int i = 2; i < args.size(); ++i) {
    bool ok = false;
    const int side = args.at(i).toInt(&ok);
    if (!ok || side < 8 || side > 1024) {
      std::fprintf(stderr, "dazivedur-make-icons: bad size %s\n", qPrintable(args.at(i)));
      return 2;
    }
    const QString folder = QString("%1/%2x%2/apps").arg(root).arg(side);
    if (!MakeFolder(folder)) return 1;
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
      QPainter painter(&image);
      dazi::ui::PaintIcon(painter, side);
    }
    if (!image.save(folder + "/dazivedur.png")) {
      std::fprintf(stderr, "dazivedur-make-icons: cannot write %s\n", qPrintable(folder));
      return 1;
    }
  }
  return 0;
}
