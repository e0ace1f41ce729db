#include "views/render/view_overlay.h"

#include <QPainter>

namespace korvex {

namespace {

constexpr int kLabelGap = 4;  // pixels between an anchor and its text

struct Axis {
  Vec3 direction;
  QColor colour;
  const char* name;
};

void paintAxes(QPainter& painter, const ViewCamera& camera) {
  const Axis axes[] = {{{0, 1, 0}, QColor(0, 0, 255), "X"}, {{0, 0, 1}, QColor(0, 160, 0), "Y"},
                       {{1, 0, 0}, QColor(255, 0, 0), "D"}};
  const WindowPoint origin = camera.toWindow({0, 0, 0});
  for (const Axis& axis : axes) {
    const WindowPoint step = camera.screenDirection(axis.direction);
    const QPointF from(origin.x, origin.y);
    const QPointF to(origin.x + kAxisPixels * step.x, origin.y + kAxisPixels * step.y);
    painter.setPen(QPen(axis.colour, 2));
    painter.drawLine(from, to);
    painter.drawText(to + QPointF(kLabelGap, -kLabelGap), QString::fromLatin1(axis.name));
  }
}

}  // namespace

void paintViewOverlay(QPainter& painter, const Scene& scene, const ViewCamera& camera, bool showAxes,
                      const std::optional<QRect>& zoomWindow) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::black);
  for (const Label& label : scene.labels) {
    const WindowPoint at = camera.toWindow(label.at);
    painter.drawText(QPointF(at.x + kLabelGap, at.y - kLabelGap), QString::fromStdString(label.text));
  }
  if (showAxes) paintAxes(painter, camera);
  if (zoomWindow) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(zoomWindow->normalized());
  }
  painter.restore();
}

}  // namespace korvex
