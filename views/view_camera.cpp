#include "views/view_camera.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace korvex {

namespace {

using Matrix = std::array<double, 9>;  // row by row

constexpr double kSmallestZoom = 1e-3;
constexpr double kLargestZoom = 1e3;
constexpr double kSmallestDragZoom = 0.5;
constexpr double kLargestDragZoom = 2;
constexpr double kDragDegreesPerWindow = 180.0 / 2;
// The orthographic box reaches this many overall extents in front of and behind the window,
// so that no turn of the model, panned or not, leaves it.
constexpr double kDepthRoom = 20;
constexpr double kDepthRoomPixels = 1000;

Matrix multiply(const Matrix& a, const Matrix& b) {
  Matrix c{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      for (int k = 0; k < 3; ++k) c[3 * i + j] += a[3 * i + k] * b[3 * k + j];
  return c;
}

// A turn of `degrees` about eye axis `axis` (0 x, 1 y, 2 z), right-handed.
Matrix turn(int axis, double degrees) {
  const double r = degrees * std::numbers::pi / 180;
  const double c = std::cos(r), s = std::sin(r);
  switch (axis) {
    case 0: return {1, 0, 0, 0, c, -s, 0, s, c};
    case 1: return {c, 0, s, 0, 1, 0, -s, 0, c};
    default: return {c, -s, 0, s, c, 0, 0, 0, 1};
  }
}

Vec3 apply(const Matrix& m, const Vec3& v) {
  return {m[0] * v.d + m[1] * v.x + m[2] * v.y, m[3] * v.d + m[4] * v.x + m[5] * v.y,
          m[6] * v.d + m[7] * v.x + m[8] * v.y};
}

Vec3 applyTransposed(const Matrix& m, const Vec3& v) {
  return {m[0] * v.d + m[3] * v.x + m[6] * v.y, m[1] * v.d + m[4] * v.x + m[7] * v.y,
          m[2] * v.d + m[5] * v.x + m[8] * v.y};
}

}  // namespace

ViewCamera::ViewCamera() { restart(); }

void ViewCamera::setModel(const ModelExtents& extents) {
  m_extents = extents;
  m_centring = {-extents.deepest / 2, 0, 0};
  m_scale = viewScale(m_extents, m_width, m_height);
}

void ViewCamera::setViewport(int width, int height) {
  m_width = std::max(width, 1);
  m_height = std::max(height, 1);
  m_scale = viewScale(m_extents, m_width, m_height);
}

void ViewCamera::restart() {
  m_orientation = turn(2, -90);
  m_zoom = 1;
  m_pan = {};
}

void ViewCamera::zoomBy(double factor) {
  if (!(factor > 0) || !std::isfinite(factor)) return;
  m_zoom = std::clamp(m_zoom * factor, kSmallestZoom, kLargestZoom);
}

void ViewCamera::panByPixels(double dx, double dy) {
  // The eye's axes point right, up and at the viewer; window y points down.
  const double pixelsPerUnit = m_scale * m_zoom;
  if (!(pixelsPerUnit > 0)) return;
  m_pan = m_pan + applyTransposed(m_orientation, Vec3{dx, -dy, 0} * (1 / pixelsPerUnit));
}

void ViewCamera::rotateAboutScreen(double degreesAboutX, double degreesAboutY) {
  m_orientation = multiply(turn(0, degreesAboutX), multiply(turn(1, degreesAboutY), m_orientation));
}

void ViewCamera::drag(WindowPoint from, WindowPoint to, MouseMode mode, bool constrained) {
  double dx = to.x - from.x, dy = to.y - from.y;
  if (constrained) (std::abs(dx) >= std::abs(dy) ? dy : dx) = 0;
  switch (mode) {
    case MouseMode::Panning: panByPixels(dx, dy); break;
    case MouseMode::Zooming:
      zoomBy(std::clamp(1 - dy / m_height, kSmallestDragZoom, kLargestDragZoom));
      break;
    case MouseMode::Rotating:
      // Dragging down tips the near side down; dragging right turns it to the right.
      rotateAboutScreen(dy * kDragDegreesPerWindow / m_height, dx * kDragDegreesPerWindow / m_width);
      break;
    default: break;
  }
}

bool ViewCamera::zoomToWindow(WindowPoint a, WindowPoint b) {
  const double w = std::abs(b.x - a.x), h = std::abs(b.y - a.y);
  if (!(w > 0) || !(h > 0)) return false;
  panByPixels(m_width / 2.0 - (a.x + b.x) / 2, m_height / 2.0 - (a.y + b.y) / 2);
  zoomBy(std::min(m_height / h, m_width / w));
  return true;
}

Vec3 ViewCamera::toEye(const Vec3& p) const { return apply(m_orientation, (p + m_pan + m_centring) * (m_scale * m_zoom)); }

std::array<double, 16> ViewCamera::projection() const {
  const double reach = kDepthRoom * m_scale * m_zoom * (m_extents.overall + length(m_pan)) + kDepthRoomPixels;
  // glOrtho(-w/2, w/2, -h/2, h/2, -reach, reach)
  return {2.0 / m_width, 0, 0, 0, 0, 2.0 / m_height, 0, 0, 0, 0, -1 / reach, 0, 0, 0, 0, 1};
}

std::array<double, 16> ViewCamera::modelView() const {
  const double s = m_scale * m_zoom;
  const Vec3 t = apply(m_orientation, (m_pan + m_centring) * s);
  const Matrix& o = m_orientation;
  return {o[0] * s, o[3] * s, o[6] * s, 0, o[1] * s, o[4] * s, o[7] * s, 0,
          o[2] * s, o[5] * s, o[8] * s, 0, t.d,      t.x,      t.y,      1};
}

WindowPoint ViewCamera::toWindow(const Vec3& p) const {
  const Vec3 eye = toEye(p);
  return {m_width / 2.0 + eye.d, m_height / 2.0 - eye.x};
}

WindowPoint ViewCamera::screenDirection(const Vec3& axis) const {
  const Vec3 eye = apply(m_orientation, normalized(axis));
  return {eye.d, -eye.x};
}

}  // namespace korvex
