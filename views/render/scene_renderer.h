// The three-dimensional scene drawn with OpenGL 1.1: compiled into display lists once per
// rebuild, called at every paint. The soil layers and water levels go into lists of their own,
// apart from the wall and its symbols; each group has an opaque list and a translucent one, and
// every translucent part is drawn after every opaque part, with depth writes off.
#pragma once

#include <QOpenGLFunctions_1_1>

#include "views/scene.h"
#include "views/view_camera.h"

class QOpenGLContext;
class QSurfaceFormat;

namespace korvex {

// The surface the views draw on: a compatibility profile (for the fixed-function pipeline and
// display lists) with a 24-bit depth buffer. Set it before the surface exists.
QSurfaceFormat viewSurfaceFormat();

// The OpenGL 1.1 functions of `context` (current), initialised; null when it offers none.
QOpenGLFunctions_1_1* openGL11Of(QOpenGLContext* context);

class SceneRenderer {
 public:
  // Compiles `scene` into the display lists, replacing any earlier ones. The context must be
  // current.
  void compile(QOpenGLFunctions_1_1& gl, const Scene& scene);
  // Clears to white and draws the lists as `camera` sees them into a viewport of
  // `pixelWidth` x `pixelHeight` device pixels.
  void draw(QOpenGLFunctions_1_1& gl, const ViewCamera& camera, int pixelWidth, int pixelHeight) const;
  // Frees the display lists (the context must be current), and forgets them.
  void release(QOpenGLFunctions_1_1& gl);
  // Forgets the lists of a context that is gone with them.
  void forget() { m_lists = 0; }
  bool compiled() const { return m_lists != 0; }

 private:
  GLuint m_lists = 0;  // four consecutive lists: see scene_renderer.cpp
};

}  // namespace korvex
