// What is painted over the three-dimensional picture with QPainter after the OpenGL pass: the
// scene's labels at their projected anchors, the X, Y, D axis triad at the top of the wall, and
// the rectangle of a zoom window being dragged. Coordinates are the camera's window pixels.
#pragma once

#include <QRect>

#include <optional>

#include "views/scene.h"
#include "views/view_camera.h"

class QPainter;

namespace korvex {

// Length of each axis of the triad when it lies in the screen's plane, at any zoom.
inline constexpr double kAxisPixels = 80;

void paintViewOverlay(QPainter& painter, const Scene& scene, const ViewCamera& camera, bool showAxes,
                      const std::optional<QRect>& zoomWindow = std::nullopt);

}  // namespace korvex
