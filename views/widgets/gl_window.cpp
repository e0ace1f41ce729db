#include "views/widgets/gl_window.h"

#include <QMouseEvent>
#include <QOpenGLContext>
#include <QPainter>

#include <cmath>

#include "views/render/view_overlay.h"

namespace korvex {

namespace {

WindowPoint windowPoint(const QPoint& p) { return {static_cast<double>(p.x()), static_cast<double>(p.y())}; }

}  // namespace

TglWindow::TglWindow(QWidget* parent) : QOpenGLWidget(parent) {
  // Display lists and the fixed-function pipeline need a compatibility profile, asked for
  // before the widget's context exists.
  setFormat(viewSurfaceFormat());
  setMinimumSize(100, 100);
}

TglWindow::~TglWindow() {
  releaseLists();
  // The context goes with the base class, after this class's part: it must not call back.
  if (context() != nullptr) disconnect(context(), nullptr, this, nullptr);
}

void TglWindow::setScene(Scene scene, bool showAxes) {
  m_scene = std::move(scene);
  m_showAxes = showAxes;
  m_sceneChanged = true;
  update();
}

void TglWindow::setMouseMode(MouseMode mode) {
  m_mode = mode;
  m_band.reset();
  update();
}

void TglWindow::releaseLists() {
  if (!m_renderer.compiled() || context() == nullptr) return;
  makeCurrent();
  if (m_gl != nullptr) m_renderer.release(*m_gl);
  m_renderer.forget();
  doneCurrent();
}

void TglWindow::initializeGL() {
  // Runs again for a new context (the widget moved to another window): its lists are new too.
  m_renderer.forget();
  m_gl = openGL11Of(context());
  m_sceneChanged = true;
  connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &TglWindow::releaseLists, Qt::UniqueConnection);
}

void TglWindow::paintGL() {
  m_camera.setViewport(width(), height());
  if (m_gl == nullptr) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, QString::fromLatin1(kOpenGLMissing));
    return;
  }
  if (m_sceneChanged) {
    m_renderer.compile(*m_gl, m_scene);
    m_sceneChanged = false;
  }
  // The viewport in device pixels; the camera works in the widget's own pixels.
  const double ratio = devicePixelRatioF();
  m_renderer.draw(*m_gl, m_camera, static_cast<int>(std::lround(width() * ratio)),
                  static_cast<int>(std::lround(height() * ratio)));
  QPainter painter(this);
  paintViewOverlay(painter, m_scene, m_camera, m_showAxes, m_band);
}

void TglWindow::mousePressEvent(QMouseEvent* event) {
  m_last = event->position().toPoint();
  if (m_mode == MouseMode::ZoomWindow && event->button() == Qt::LeftButton) {
    m_bandStart = m_last;
    m_band = QRect(m_bandStart, m_bandStart);
  }
}

void TglWindow::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() == Qt::NoButton) return;
  const QPoint at = event->position().toPoint();
  if (m_mode == MouseMode::ZoomWindow) {
    if (m_band) m_band = QRect(m_bandStart, at);
  } else {
    m_camera.drag(windowPoint(m_last), windowPoint(at), m_mode, event->modifiers().testFlag(Qt::ShiftModifier));
  }
  m_last = at;
  update();
}

void TglWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (m_mode == MouseMode::ZoomWindow && m_band && event->button() == Qt::LeftButton) {
    m_camera.zoomToWindow(windowPoint(m_bandStart), windowPoint(event->position().toPoint()));
    m_band.reset();
    update();
  }
}

}  // namespace korvex
