// The three-dimensional view rendered into an image without a window: an offscreen surface, an
// OpenGL context of the views' format and a framebuffer object, with the same display lists and
// overlay as the window. Needs a platform that offers OpenGL: Qt's offscreen platform has none,
// an X server (xvfb-run with the xcb platform) has Mesa's software renderer.
#pragma once

#include <QImage>
#include <QSize>

#include <string>

#include "views/scene.h"
#include "views/view_camera.h"

namespace korvex {

struct ModelSnapshot {
  QImage image;
  std::string error;  // why there is no image; empty when there is one
};

inline constexpr const char* kNoOpenGL =
    "the 3D view needs OpenGL, which this display does not offer (without a display, run under xvfb-run)";

// Renders `scene` as `camera` sees it (its viewport is set to `size`) into an image of `size`.
ModelSnapshot renderModelSnapshot(const Scene& scene, ViewCamera camera, bool showAxes, QSize size);

}  // namespace korvex
