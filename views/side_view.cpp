#include "views/side_view.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "views/number_label.h"

namespace korvex {

namespace {

constexpr double kHalfWidthShareOfFreeHeight = 1.0 / 40;
constexpr double kHalfWidthShareOfWall = 1.0 / 100;  // a wall without free height
constexpr double kWindowMargin = 1.05;
constexpr int kLabelLeft = 2;     // pixels
constexpr int kCaptionTop = 5;    // pixels
// The soil-pile circles of the top view, in world units as the model's lengths.
constexpr double kCircleX = 400;
constexpr double kCircleTop = 70;
constexpr int kCircles = 5;

// World to pixels for one shown window.
class Mapping {
 public:
  Mapping(const WorldWindow& window, int width, int height) : m_w(window), m_width(width), m_height(height) {}
  int px(double x) const { return static_cast<int>(std::lround(m_width * (x - m_w.xmin) / (m_w.xmax - m_w.xmin))); }
  int py(double y) const { return static_cast<int>(std::lround(m_height * (y - m_w.ymin) / (m_w.ymax - m_w.ymin))); }
  double worldY(int pixelY) const { return m_w.ymin + pixelY * (m_w.ymax - m_w.ymin) / m_height; }
  // A share of the width in pixels.
  int share(double fraction) const { return static_cast<int>(std::lround(fraction * m_width)); }

 private:
  WorldWindow m_w;
  int m_width, m_height;
};

// Nodes past the ends of the wall stop two stations beyond them.
int clampedNode(const SideViewModel& model, int node) { return std::clamp(node, -2, std::max(model.increments, 0) + 2); }

double nodeY(const SideViewModel& model, int node) {
  return clampedNode(model, node) * model.incrementLength + model.topOffset();
}

void line(std::vector<SideMark>& marks, Pixel a, Pixel b, int width = 1) {
  marks.push_back({SideMark::Line, {a, b}, width, {}});
}

void text(std::vector<SideMark>& marks, Pixel at, const std::string& words) {
  marks.push_back({SideMark::Text, {at}, 1, words});
}

void addLayers(std::vector<SideMark>& marks, const SideViewModel& model, const Mapping& m, int textHeight) {
  const double t = model.topOffset();
  const int w = m.share(1);
  const int ground = m.py(t);
  const int half = m.share(0.5);
  double top = t;
  for (std::size_t i = 0; i < model.layers.size(); ++i) {
    const SideViewModel::Layer& layer = model.layers[i];
    const double bottom = layer.bottom + t;
    if (i == 0) {
      line(marks, {0, ground}, {half, ground});
      if (model.backfillSlope > 0) {
        const int rise = static_cast<int>(std::lround(m.share(0.25) * std::tan(model.backfillSlope * std::numbers::pi / 180)));
        line(marks, {half, ground}, {m.share(0.25), ground - rise});
      } else {
        for (int k = 1; k <= 5; ++k) line(marks, {100 + 20 * k, ground}, {115 + 20 * k, ground + 5});
      }
    }
    // A boundary below the excavation level runs across both sides.
    const int y = m.py(bottom);
    line(marks, {0, y}, {bottom >= t + model.freeHeight ? w : half, y});
    text(marks, {kLabelLeft, m.py(top)}, layer.name);
    text(marks, {kLabelLeft, m.py(top) + textHeight}, layer.parameters);
    top = bottom;
  }
}

void addNodeSymbols(std::vector<SideMark>& marks, const SideViewModel& model, const Mapping& m) {
  const int tick = m.share(0.01);
  for (int node : model.restraintNodes) {
    const int y = m.py(nodeY(model, node));
    const Pixel root{m.share(0.5), y};
    line(marks, root, {m.share(0.52), y}, 2);
    line(marks, root, {m.share(0.52), y - tick}, 2);
    line(marks, root, {m.share(0.52), y + tick}, 2);
  }
  for (int node : model.curveNodes) {
    const int y = m.py(nodeY(model, node));
    line(marks, {m.share(0.5), y}, {m.share(0.45), y}, 2);
    line(marks, {m.share(0.43), y}, {m.share(0.38), y}, 2);
    line(marks, {m.share(0.38), y}, {m.share(0.40), y - tick}, 2);
    line(marks, {m.share(0.38), y}, {m.share(0.40), y + tick}, 2);
  }
  for (int node : model.springNodes) {
    const double y = nodeY(model, node);
    if (y < model.wallLength() + model.topOffset()) line(marks, {m.share(0.5), m.py(y)}, {m.share(0.6), m.py(y)}, 5);
  }
}

void addTopView(std::vector<SideMark>& marks, const SideViewModel& model, const Mapping& m) {
  if (!(model.activeWidth > 0) || !(model.pyWidth > 0)) return;
  for (int k = 0; k < kCircles; ++k) {
    const double centre = kCircleTop + 2 * k * model.activeWidth;
    marks.push_back({SideMark::Circle,
                     {{m.px(kCircleX - model.pyWidth), m.py(centre - model.pyWidth)},
                      {m.px(kCircleX + model.pyWidth), m.py(centre + model.pyWidth)}},
                     2,
                     {}});
    if (k == 0) {
      text(marks, {m.px(kCircleX + model.pyWidth) + kCaptionTop, kCaptionTop}, "top view");
      text(marks, {m.share(0.5), kCaptionTop}, "side view");
    }
  }
}

}  // namespace

std::optional<std::array<WorldPoint, 4>> wallOutline(const SideViewModel& model) {
  const double length = model.wallLength();
  if (!(length > 0)) return std::nullopt;
  double a = model.freeHeight * kHalfWidthShareOfFreeHeight;
  if (!(a > 0)) a = length * kHalfWidthShareOfWall;
  const double t = model.topOffset();
  return std::array<WorldPoint, 4>{WorldPoint{-a, t}, {a, t}, {a, length + t}, {-a, length + t}};
}

WorldWindow worldWindowOf(const SideViewModel& model) {
  WorldWindow window;
  const auto outline = wallOutline(model);
  if (model.outlineCount < 1 || !outline) return window;
  for (const WorldPoint& p : *outline) {
    window.xmin = std::min(window.xmin, p.x);
    window.xmax = std::max(window.xmax, p.x);
    window.ymin = std::min(window.ymin, p.y);
    window.ymax = std::max(window.ymax, p.y);
  }
  // A layer reaching below the toe is drawn whole.
  if (model.showLayers)
    for (const SideViewModel::Layer& layer : model.layers) window.ymax = std::max(window.ymax, layer.bottom + model.topOffset());
  for (double* bound : {&window.xmin, &window.xmax, &window.ymin, &window.ymax}) *bound *= kWindowMargin;
  return window;
}

WorldWindow aspectCorrected(const WorldWindow& window, int width, int height) {
  if (window.empty() || width < 1 || height < 1) return {};
  WorldWindow shown = window;
  const double r = (static_cast<double>(width) / height) / ((window.xmax - window.xmin) / (window.ymax - window.ymin));
  if (r >= 1) {
    shown.xmin *= r;
    shown.xmax *= r;
  } else {
    shown.ymin /= r;
    shown.ymax /= r;
  }
  return shown;
}

std::vector<SideMark> sideViewMarks(const SideViewModel& model, int width, int height, int textHeight) {
  std::vector<SideMark> marks;
  const WorldWindow shown = aspectCorrected(worldWindowOf(model), width, height);
  if (shown.empty()) return marks;
  const Mapping m(shown, width, height);
  if (model.showLayers) addLayers(marks, model, m, textHeight);
  const auto outline = wallOutline(model);
  for (int i = 0; i < model.outlineCount; ++i) {
    SideMark wall{SideMark::Wall, {}, 1, {}};
    for (const WorldPoint& p : *outline) wall.points.push_back({m.px(p.x), m.py(p.y)});
    marks.push_back(wall);
  }
  const double t = model.topOffset();
  line(marks, {0, m.py(t)}, {m.share(0.5), m.py(t)});
  line(marks, {m.share(0.5), m.py(t + model.freeHeight)}, {m.share(1), m.py(t + model.freeHeight)});
  addNodeSymbols(marks, model, m);
  addTopView(marks, model, m);
  return marks;
}

std::optional<std::string> depthCaption(const SideViewModel& model, int width, int height, int pointerY) {
  const WorldWindow shown = aspectCorrected(worldWindowOf(model), width, height);
  if (shown.empty()) return std::nullopt;
  const Mapping m(shown, width, height);
  double depth = m.worldY(pointerY) - model.topOffset();
  if (model.incrementLength > 0) {
    const double station = std::round(depth / model.incrementLength);
    if (m.py(station * model.incrementLength + model.topOffset()) == pointerY) depth = station * model.incrementLength;
  }
  return "  Depth: " + fixedNumber(depth, 1);
}

}  // namespace korvex
