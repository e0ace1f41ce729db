// The tool-bar pictures: one for every tool button, each its own, at both screen densities.
#include <QImage>
#include <QTest>

#include "app/gui/icons.h"

using korvex::ToolIcon;

namespace {

// The share of the square a picture covers with paint.
double coverage(const QImage& image) {
  int painted = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) painted += qAlpha(image.pixel(x, y)) > 0;
  return double(painted) / (image.width() * image.height());
}

}  // namespace

class IconsTest : public QObject {
  Q_OBJECT

 private slots:
  // A case missing from the drawing code leaves a blank picture; a copied one draws another
  // button's picture.
  void everyToolButtonHasAPictureOfItsOwn() {
    QList<QImage> seen;
    for (int i = 0; i < korvex::kToolIconCount; ++i) {
      const auto id = static_cast<ToolIcon>(i);
      const QIcon icon = korvex::toolIcon(id);
      QVERIFY2(icon.availableSizes().contains(QSize(24, 24)) && icon.availableSizes().contains(QSize(48, 48)),
               qPrintable(QString::number(i)));
      const QImage image = korvex::toolIconImage(id, 1).toImage();
      QVERIFY2(coverage(image) > 0.15, qPrintable(QString::number(i)));
      QVERIFY2(coverage(korvex::toolIconImage(id, 2).toImage()) > 0.15, qPrintable(QString::number(i)));
      for (int j = 0; j < seen.size(); ++j)
        QVERIFY2(seen[j] != image, qPrintable(QStringLiteral("%1 draws as %2").arg(i).arg(j)));
      seen << image;
    }
  }
};

QTEST_MAIN(IconsTest)
#include "icons_test.moc"
