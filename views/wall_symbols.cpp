// Symbols at the wall's nodes: lateral springs, concentrated loads and moments, and specified
// deflections and slopes, each repeated at the 20 positions along the wall.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "views/scene_parts.h"

namespace korvex::scene_parts {

namespace {

constexpr Rgba kSpringFill{0.5f, 0.5f, 0.5f, 1};
constexpr Rgba kSpringOutline{1, 0.5f, 0, 1};
constexpr Rgba kLoadColour{0.85f, 0.1f, 0.1f, 1};
constexpr Rgba kRestraintFill{0.1f, 0.6f, 0.1f, 1};
constexpr Rgba kRestraintOutline{0, 0.3f, 0, 1};

// Sizes as shares of the symbol size.
constexpr double kSpringLength = 0.5;
constexpr double kMomentRadius = 0.5;
constexpr double kAxialOffset = 0.15;       // axial arrows stand this far in front of the wall
constexpr double kRestraintLength = 0.5;
constexpr double kSlopePlateHalfLength = 0.4;
constexpr double kSlopePlateHalfThickness = 0.05;
constexpr int kArcSegments = 18;
constexpr double kArcTurn = 1.5 * std::numbers::pi;  // a moment arc turns three quarters round

// A moment: an arc about the node in the d-x plane with an arrow head at its end, turning
// counter-clockwise as seen from the positive y side for a positive moment.
void addMomentArc(Scene& scene, const Context& c, double d, double y, double moment) {
  const double r = kMomentRadius * c.symbolSize;
  const double turn = moment > 0 ? 1 : -1;
  Stroke arc{SceneItem::Load, {}, kLoadColour, 2};
  for (int i = 0; i <= kArcSegments; ++i) {
    const double angle = turn * kArcTurn * i / kArcSegments;
    arc.points.push_back({d - r * std::sin(angle), r * std::cos(angle), y});
  }
  const Vec3 end = arc.points.back();
  const Vec3 before = arc.points[arc.points.size() - 2];
  scene.strokes.push_back(arc);
  const double head = 0.5 * r;
  const Vec3 direction = normalized(end - before);
  scene.solids.push_back(pyramid(SceneItem::Load, end + direction * head, end, 0.4 * head, kLoadColour));
}

}  // namespace

ViewModel::NodeRow NodeSpan::at(int node) const {
  if (to == from) return first;
  const double t = static_cast<double>(node - from) / (to - from);
  ViewModel::NodeRow row = first;
  row.lateral = first.lateral + t * (last.lateral - first.lateral);
  row.moment = first.moment + t * (last.moment - first.moment);
  row.axial = first.axial + t * (last.axial - first.axial);
  return row;
}

std::vector<NodeSpan> nodeSpans(const std::vector<ViewModel::NodeRow>& rows, const Context& c) {
  std::vector<NodeSpan> spans;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    NodeSpan span;
    span.first = span.last = rows[i];
    span.from = rows[i].from;
    span.to = rows[i].to;
    if (rows[i].interpolate && i + 1 < rows.size()) {
      span.last = rows[i + 1];
      span.to = rows[i + 1].to;
      ++i;
    }
    if (span.from > span.to) {
      span.to = span.from;
      span.last = span.first;
    }
    span.from = c.clampNode(span.from);
    span.to = c.clampNode(span.to);
    spans.push_back(span);
  }
  return spans;
}

void addSprings(Scene& scene, const Context& c) {
  const double half = c.extents.thickness / 2;
  const double quarterIncrement = c.model.incrementLength / 4;
  const double quarterPanel = c.extents.panelWidth / 4;
  for (const NodeSpan& span : nodeSpans(c.model.springs, c)) {
    for (int node = span.from; node <= span.to; ++node) {
      const double d = c.depthOf(node);
      for (double p : c.positions) {
        Solid spring = box(SceneItem::Spring, {d - quarterIncrement, half, p - quarterPanel},
                           {d + quarterIncrement, half + kSpringLength * c.symbolSize, p + quarterPanel}, kSpringFill);
        spring.outlined = true;
        spring.outline = kSpringOutline;
        scene.solids.push_back(spring);
      }
    }
  }
}

void addLoads(Scene& scene, const Context& c) {
  const double half = c.extents.thickness / 2;
  const double s = c.symbolSize;
  for (const NodeSpan& span : nodeSpans(c.model.loads, c)) {
    for (int node = span.from; node <= span.to; ++node) {
      const ViewModel::NodeRow values = span.at(node);
      const double d = c.depthOf(node);
      for (double p : c.positions) {
        // A positive lateral load pushes the wall towards the excavation.
        if (values.lateral > 0) addArrow(scene, SceneItem::Load, {d, -half - s, p}, {d, -half, p}, kLoadColour);
        if (values.lateral < 0) addArrow(scene, SceneItem::Load, {d, half + s, p}, {d, half, p}, kLoadColour);
        if (values.moment != 0) addMomentArc(scene, c, d, p, values.moment);
        // A positive axial load presses down along the wall.
        const double x = half + kAxialOffset * s;
        if (values.axial > 0) addArrow(scene, SceneItem::Load, {d - s, x, p}, {d, x, p}, kLoadColour);
        if (values.axial < 0) addArrow(scene, SceneItem::Load, {d, x, p}, {d - s, x, p}, kLoadColour);
      }
    }
  }
}

void addRestraints(Scene& scene, const Context& c) {
  const double half = c.extents.thickness / 2;
  const double s = c.symbolSize;
  for (const ViewModel::Restraint& r : c.model.restraints) {
    const double d = c.depthOf(c.clampNode(r.node));
    for (double p : c.positions) {
      Solid symbol;
      if (r.kind == ViewModel::kSpecifiedDeflection) {
        // A support pointing at the wall's excavation face.
        const double length = kRestraintLength * s;
        symbol = pyramid(SceneItem::Restraint, {d, half, p}, {d, half + length, p}, length / 2, kRestraintFill);
      } else if (r.kind == ViewModel::kSpecifiedSlope) {
        // A clamp plate through the wall.
        symbol = box(SceneItem::Restraint, {d - kSlopePlateHalfThickness * s, -half - kSlopePlateHalfLength * s, p - c.extents.panelWidth / 3},
                     {d + kSlopePlateHalfThickness * s, half + kSlopePlateHalfLength * s, p + c.extents.panelWidth / 3},
                     kRestraintFill);
      } else {
        continue;
      }
      symbol.outlined = true;
      symbol.outline = kRestraintOutline;
      scene.solids.push_back(symbol);
    }
  }
}

}  // namespace korvex::scene_parts
