#include "earthpressure/wall_pressure.h"

#include "earthpressure/surcharge_pressure.h"

namespace korvex {

std::vector<DiagramPoint> specifiedPressureOnWall(const BlockInput& input) {
  const double wallLength = static_cast<double>(input.wall.numIncrements) * input.wall.incrementLength;
  const SurchargeGrid surcharges(input.surcharges, input.soilData.freeHeight, wallLength);
  const double width = input.soilData.activeWidth;
  std::vector<DiagramPoint> points;
  points.reserve(input.pressurePoints.size());
  for (const PressurePoint& point : input.pressurePoints) {
    const double surcharge = surcharges.empty() ? 0.0 : width * surcharges.at(point.depth);
    points.push_back(DiagramPoint{point.depth, point.load + surcharge, point.load, surcharge});
  }
  return points;
}

std::vector<DiagramPoint> generatedPressureOnWall(const GeneratedPressure& pressure) {
  std::vector<DiagramPoint> points;
  points.reserve(pressure.points.size());
  for (const DiagramPoint& point : pressure.points) {
    const double width = point.depth <= pressure.freeHeight ? pressure.activeWidth : pressure.passiveWidth;
    points.push_back(DiagramPoint{point.depth, point.total * width, point.earth * width, point.surcharge * width});
  }
  return points;
}

}  // namespace korvex
