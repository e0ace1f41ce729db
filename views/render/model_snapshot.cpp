#include "views/render/model_snapshot.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QPainter>

#include "views/render/scene_renderer.h"
#include "views/render/view_overlay.h"

namespace korvex {

ModelSnapshot renderModelSnapshot(const Scene& scene, ViewCamera camera, bool showAxes, QSize size) {
  ModelSnapshot result;
  if (size.width() < 1 || size.height() < 1) {
    result.error = "the picture has no size";
    return result;
  }
  QOpenGLContext context;
  context.setFormat(viewSurfaceFormat());
  QOffscreenSurface surface;
  if (!context.create()) {
    result.error = kNoOpenGL;
    return result;
  }
  surface.setFormat(context.format());
  surface.create();
  if (!surface.isValid() || !context.makeCurrent(&surface)) {
    result.error = kNoOpenGL;
    return result;
  }
  QOpenGLFunctions_1_1* gl = openGL11Of(&context);
  if (gl == nullptr) {
    context.doneCurrent();
    result.error = kNoOpenGL;
    return result;
  }
  {
    QOpenGLFramebufferObjectFormat format;
    format.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
    QOpenGLFramebufferObject framebuffer(size, format);
    if (!framebuffer.isValid() || !framebuffer.bind()) {
      context.doneCurrent();
      result.error = "the 3D view's picture could not be set up in OpenGL";
      return result;
    }
    camera.setViewport(size.width(), size.height());
    SceneRenderer renderer;
    renderer.compile(*gl, scene);
    renderer.draw(*gl, camera, size.width(), size.height());
    gl->glFinish();
    result.image = framebuffer.toImage().convertToFormat(QImage::Format_RGB32);
    renderer.release(*gl);
    framebuffer.release();
  }
  context.doneCurrent();
  QPainter painter(&result.image);
  paintViewOverlay(painter, scene, camera, showAxes);
  return result;
}

}  // namespace korvex
