// How the three-dimensional view looks at its model: orientation, zoom, pan and the fitting
// scale, the matrices that project model points into the window (an orthographic box centred
// on the window), and what the mouse does to them. Window coordinates are pixels with y down.
//
// A model point p goes to the eye as  O (zoom x scale) (p + pan + centring),  where O is the
// orientation: a turn of -90 degrees about the screen normal (so depth points down the screen
// and x to the right) followed by the user's rotations; the centring offset puts the middle of
// the model's depth in the middle of the window.
#pragma once

#include <array>

#include "views/model_extents.h"
#include "views/scene.h"

namespace korvex {

enum class MouseMode { None = 0, Panning = 1, Zooming = 2, Rotating = 3, ZoomWindow = 4 };

struct WindowPoint {
  double x = 0, y = 0;
};

class ViewCamera {
 public:
  ViewCamera();

  // The model to fit, and the window's size in device pixels (each at least 1).
  void setModel(const ModelExtents& extents);
  void setViewport(int width, int height);
  int width() const { return m_width; }
  int height() const { return m_height; }

  // "Restart View": no rotation, zoom 1, the model centred.
  void restart();
  // Multiplies the zoom by `factor` (kept between 1/1000 and 1000 overall).
  void zoomBy(double factor);

  // A drag of the mouse from `from` to `to` in `mode`: panning moves the model with the
  // pointer, zooming scales by 1 - (vertical move / window height) (at least halving and at
  // most doubling per move), rotating turns by move x 90 / window size degrees about the
  // screen's axes. `constrained` (Shift) keeps only the larger of the two components.
  void drag(WindowPoint from, WindowPoint to, MouseMode mode, bool constrained);
  // The zoom window from corner `a` to corner `b`: pans to its centre and zooms so that it fills
  // the window; a rectangle of no width or no height changes nothing. True when it changed.
  bool zoomToWindow(WindowPoint a, WindowPoint b);

  // OpenGL matrices, column by column.
  std::array<double, 16> projection() const;
  std::array<double, 16> modelView() const;

  // Where model point `p` shows in the window.
  WindowPoint toWindow(const Vec3& p) const;
  // The screen components (y down) of a unit step along model direction `axis`: of length 1
  // when the direction lies in the screen's plane, shorter as it turns towards the viewer.
  WindowPoint screenDirection(const Vec3& axis) const;

  double scale() const { return m_scale; }
  double zoom() const { return m_zoom; }
  const Vec3& pan() const { return m_pan; }
  bool operator==(const ViewCamera&) const = default;

 private:
  // Eye coordinates of model point p; Vec3's d, x and y stand for the eye's x (right), y (up)
  // and z (towards the viewer) here.
  Vec3 toEye(const Vec3& p) const;
  // Moves the model by a screen displacement of (dx, dy) pixels.
  void panByPixels(double dx, double dy);
  void rotateAboutScreen(double degreesAboutX, double degreesAboutY);

  std::array<double, 9> m_orientation{};  // row by row
  double m_zoom = 1;
  Vec3 m_pan;
  Vec3 m_centring;
  ModelExtents m_extents;
  double m_scale = 1;
  int m_width = 1;
  int m_height = 1;
};

}  // namespace korvex
