// TglWindow: the OpenGL surface of the three-dimensional view. It draws the scene it is given
// through display lists (compiled again whenever the scene changes and whenever its context is
// made anew), paints the labels, the axes and the zoom window's rectangle over it, and moves its
// camera as the mouse says in the chosen mouse mode.
#pragma once

#include <QOpenGLWidget>

#include <optional>

#include "views/render/scene_renderer.h"
#include "views/scene.h"
#include "views/view_camera.h"

namespace korvex {

inline constexpr const char* kOpenGLMissing = "The 3-D View needs OpenGL, which this display does not offer.";

class TglWindow : public QOpenGLWidget {
  Q_OBJECT

 public:
  explicit TglWindow(QWidget* parent = nullptr);
  ~TglWindow() override;

  // The scene to draw from now on, and whether the axes show.
  void setScene(Scene scene, bool showAxes);
  const Scene& scene() const { return m_scene; }
  ViewCamera& camera() { return m_camera; }

  MouseMode mouseMode() const { return m_mode; }
  void setMouseMode(MouseMode mode);

  // The rectangle of a zoom window being dragged.
  std::optional<QRect> zoomWindow() const { return m_band; }
  // Whether the context offers the OpenGL 1.1 functions the view draws with.
  bool hasOpenGL() const { return m_gl != nullptr; }

 protected:
  void initializeGL() override;
  void paintGL() override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void releaseLists();

  Scene m_scene;
  bool m_showAxes = true;
  bool m_sceneChanged = true;
  SceneRenderer m_renderer;
  QOpenGLFunctions_1_1* m_gl = nullptr;
  ViewCamera m_camera;
  MouseMode m_mode = MouseMode::None;
  QPoint m_last;
  QPoint m_bandStart;
  std::optional<QRect> m_band;
};

}  // namespace korvex
