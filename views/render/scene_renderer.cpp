#include "views/render/scene_renderer.h"

#include <QOpenGLContext>
#include <QOpenGLVersionFunctionsFactory>
#include <QSurfaceFormat>

#include <cmath>

namespace korvex {

namespace {

// The display lists, in the order they are called.
enum List { kOpaqueSoil, kOpaqueWall, kTranslucentSoil, kTranslucentWall, kListCount };

// Faces are shaded by how squarely they face a light fixed to the model, so that the sides of
// a block read apart; the shade only darkens, down to this share.
constexpr double kDarkestShade = 0.7;
const Vec3 kLight = normalized(Vec3{-1, 0.5, 0.8});

bool isSoil(SceneItem item) { return item == SceneItem::SoilLayer || item == SceneItem::Water; }
bool opaque(const Rgba& colour) { return colour.a >= 1; }

void vertex(QOpenGLFunctions_1_1& gl, const Vec3& p) { gl.glVertex3d(p.d, p.x, p.y); }

// The unit normal of a face by Newell's method (any winding, any number of corners).
Vec3 faceNormal(const Solid& solid, const std::vector<int>& face) {
  Vec3 n;
  for (std::size_t i = 0; i < face.size(); ++i) {
    const Vec3& a = solid.corners[static_cast<std::size_t>(face[i])];
    const Vec3& b = solid.corners[static_cast<std::size_t>(face[(i + 1) % face.size()])];
    n = n + cross(a, b);
  }
  return normalized(n);
}

void fill(QOpenGLFunctions_1_1& gl, const Solid& solid) {
  for (const std::vector<int>& face : solid.faces) {
    const double shade = kDarkestShade + (1 - kDarkestShade) * std::abs(dot(faceNormal(solid, face), kLight));
    gl.glColor4d(solid.fill.r * shade, solid.fill.g * shade, solid.fill.b * shade, solid.fill.a);
    gl.glBegin(GL_POLYGON);
    for (int corner : face) vertex(gl, solid.corners[static_cast<std::size_t>(corner)]);
    gl.glEnd();
  }
}

void outline(QOpenGLFunctions_1_1& gl, const Solid& solid) {
  gl.glLineWidth(1);
  gl.glColor4f(solid.outline.r, solid.outline.g, solid.outline.b, solid.outline.a);
  for (const std::vector<int>& face : solid.faces) {
    gl.glBegin(GL_LINE_LOOP);
    for (int corner : face) vertex(gl, solid.corners[static_cast<std::size_t>(corner)]);
    gl.glEnd();
  }
}

void stroke(QOpenGLFunctions_1_1& gl, const Stroke& s) {
  gl.glLineWidth(s.width);
  gl.glColor4f(s.colour.r, s.colour.g, s.colour.b, s.colour.a);
  gl.glBegin(GL_LINE_STRIP);
  for (const Vec3& p : s.points) vertex(gl, p);
  gl.glEnd();
}

// One list: the fills, outlines and strokes of the soil group or the wall group that are (or
// are not) opaque.
void compileList(QOpenGLFunctions_1_1& gl, GLuint list, const Scene& scene, bool soil, bool opaqueParts) {
  gl.glNewList(list, GL_COMPILE);
  for (const Solid& solid : scene.solids)
    if (isSoil(solid.item) == soil && opaque(solid.fill) == opaqueParts) fill(gl, solid);
  for (const Solid& solid : scene.solids)
    if (isSoil(solid.item) == soil && solid.outlined && opaque(solid.outline) == opaqueParts) outline(gl, solid);
  for (const Stroke& s : scene.strokes)
    if (isSoil(s.item) == soil && opaque(s.colour) == opaqueParts) stroke(gl, s);
  gl.glEndList();
}

}  // namespace

QSurfaceFormat viewSurfaceFormat() {
  QSurfaceFormat format;
  format.setRenderableType(QSurfaceFormat::OpenGL);
  format.setProfile(QSurfaceFormat::CompatibilityProfile);
  format.setDepthBufferSize(24);
  return format;
}

QOpenGLFunctions_1_1* openGL11Of(QOpenGLContext* context) {
  if (context == nullptr || context->isOpenGLES()) return nullptr;
  auto* functions = QOpenGLVersionFunctionsFactory::get<QOpenGLFunctions_1_1>(context);
  if (functions == nullptr || !functions->initializeOpenGLFunctions()) return nullptr;
  return functions;
}

void SceneRenderer::compile(QOpenGLFunctions_1_1& gl, const Scene& scene) {
  release(gl);
  m_lists = gl.glGenLists(kListCount);
  if (m_lists == 0) return;
  compileList(gl, m_lists + kOpaqueSoil, scene, true, true);
  compileList(gl, m_lists + kOpaqueWall, scene, false, true);
  compileList(gl, m_lists + kTranslucentSoil, scene, true, false);
  compileList(gl, m_lists + kTranslucentWall, scene, false, false);
}

void SceneRenderer::draw(QOpenGLFunctions_1_1& gl, const ViewCamera& camera, int pixelWidth, int pixelHeight) const {
  gl.glViewport(0, 0, pixelWidth, pixelHeight);
  gl.glClearColor(1, 1, 1, 1);
  gl.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  if (m_lists == 0) return;
  gl.glMatrixMode(GL_PROJECTION);
  gl.glLoadMatrixd(camera.projection().data());
  gl.glMatrixMode(GL_MODELVIEW);
  gl.glLoadMatrixd(camera.modelView().data());
  gl.glDisable(GL_LIGHTING);
  gl.glDisable(GL_CULL_FACE);
  gl.glEnable(GL_DEPTH_TEST);
  gl.glDepthFunc(GL_LEQUAL);
  // Faces step back a little, so that their edges drawn over them are not hidden in them.
  gl.glEnable(GL_POLYGON_OFFSET_FILL);
  gl.glPolygonOffset(1, 1);
  gl.glCallList(m_lists + kOpaqueSoil);
  gl.glCallList(m_lists + kOpaqueWall);
  gl.glEnable(GL_BLEND);
  gl.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  gl.glDepthMask(GL_FALSE);
  gl.glCallList(m_lists + kTranslucentSoil);
  gl.glCallList(m_lists + kTranslucentWall);
  // Back to the state QPainter expects when it paints the labels over the picture.
  gl.glDepthMask(GL_TRUE);
  gl.glDisable(GL_BLEND);
  gl.glDisable(GL_POLYGON_OFFSET_FILL);
  gl.glDisable(GL_DEPTH_TEST);
  gl.glMatrixMode(GL_PROJECTION);
  gl.glLoadIdentity();
  gl.glMatrixMode(GL_MODELVIEW);
  gl.glLoadIdentity();
}

void SceneRenderer::release(QOpenGLFunctions_1_1& gl) {
  if (m_lists != 0) gl.glDeleteLists(m_lists, kListCount);
  m_lists = 0;
}

}  // namespace korvex
