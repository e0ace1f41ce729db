// The pictures the program draws itself: every explanatory picture shows something of its own,
// and the chart of a curve table shows its data (other data, or an inverted axis, draw another
// image).
#include <QImage>
#include <QPainter>
#include <QTest>

#include "app/gui/explanatory_pictures.h"
#include "app/gui/table_chart.h"

namespace {

// The share of the image's pixels that are not white.
double inked(const QImage& image) {
  int painted = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) painted += image.pixel(x, y) != qRgb(255, 255, 255);
  return double(painted) / (image.width() * image.height());
}

QImage chartImage(const korvex::ChartData& chart) {
  QImage image(400, 260, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  korvex::paintChart(painter, QRectF(0, 0, 400, 260), chart);
  return image;
}

korvex::ChartData curve(double scale) {
  korvex::ChartData chart;
  chart.series1.points = {{-1, 50 * scale}, {0, 0}, {1, -50 * scale}};
  chart.xTitle = "y";
  chart.yTitle = "p";
  return chart;
}

}  // namespace

class PicturesTest : public QObject {
  Q_OBJECT

 private slots:
  // A case missing from the drawing code leaves a blank picture; a copied one draws another
  // window's picture.
  void everyPictureIsDrawnAndItsOwn() {
    QList<QImage> seen;
    for (int i = 0; i < korvex::kPictureCount; ++i) {
      const QImage image = korvex::pictureImage(static_cast<korvex::Picture>(i), 300, 200);
      QVERIFY2(inked(image) > 0.03, qPrintable(QString::number(i)));
      for (int j = 0; j < seen.size(); ++j) QVERIFY2(seen[j] != image, qPrintable(QStringLiteral("%1 as %2").arg(i).arg(j)));
      seen << image;
    }
    QVERIFY(korvex::pictureNamed("tieback").has_value());
    QVERIFY(!korvex::pictureNamed("").has_value());
  }

  void theChartShowsItsData() {
    const QImage one = chartImage(curve(1));
    QVERIFY(inked(one) > 0.05);
    QVERIFY(chartImage(curve(3)) != one);
    korvex::ChartData inverted = curve(1);
    inverted.invertedY = true;
    QVERIFY(chartImage(inverted) != one);
    korvex::ChartData constant;  // all values equal: still axes and a line, no division by zero
    constant.series1.points = {{0, 0}, {1, 0}};
    QVERIFY(inked(chartImage(constant)) > 0.02);
  }
};

QTEST_MAIN(PicturesTest)
#include "pictures_test.moc"
