#include "control/earth_pressure_loads.h"

#include "beamcolumn/pressure_loads.h"
#include "earthpressure/surcharge_pressure.h"
#include "report/input_echo.h"
#include "report/plot_records.h"

namespace korvex {

namespace {

constexpr std::size_t kAllPointsUpTo = 50;

}  // namespace

std::vector<std::size_t> reportedPointIndices(std::size_t count, UnitSystem unitSystem) {
  std::vector<std::size_t> indices;
  const std::size_t step = count <= kAllPointsUpTo ? 1 : unitSystem == UnitSystem::English ? 6 : 4;
  for (std::size_t i = 0; i < count; i += step) indices.push_back(i);
  if (count > 0 && indices.back() != count - 1) indices.push_back(count - 1);
  return indices;
}

void applySpecifiedPressure(const BlockInput& input, const UnitLabels& units, TextOutput& report, TextOutput& plot,
                            StationTables& tables) {
  writeSpecifiedPressure(report, units, input.pressurePoints);
  const double wallLength = static_cast<double>(input.wall.numIncrements) * input.wall.incrementLength;
  const SurchargeGrid surcharges(input.surcharges, input.soilData.freeHeight, wallLength);
  const double width = input.soilData.activeWidth;
  std::vector<PlotPressurePoint> points;
  std::vector<PressureLoadPoint> loads;
  points.reserve(input.pressurePoints.size());
  loads.reserve(input.pressurePoints.size());
  for (const PressurePoint& point : input.pressurePoints) {
    const double surcharge = surcharges.empty() ? 0.0 : width * surcharges.at(point.depth);
    const double total = point.load + surcharge;
    points.push_back(PlotPressurePoint{point.depth, total, point.load, surcharge});
    loads.push_back(PressureLoadPoint{point.depth, total});
  }
  writePlotPressure(plot, points);
  if (!loads.empty()) addPressureLoads(loads, loads.back().depth, input.wall.incrementLength, tables);
}

void applyGeneratedPressure(const GeneratedPressure& pressure, UnitSystem unitSystem, const UnitLabels& units,
                            double incrementLength, TextOutput& report, TextOutput& plot, StationTables& tables) {
  std::vector<PressureLoadPoint> loads;
  std::vector<PlotPressurePoint> scaled;
  loads.reserve(pressure.points.size());
  scaled.reserve(pressure.points.size());
  for (const DiagramPoint& point : pressure.points) {
    const double width = point.depth <= pressure.freeHeight ? pressure.activeWidth : pressure.passiveWidth;
    scaled.push_back(
        PlotPressurePoint{point.depth, point.total * width, point.earth * width, point.surcharge * width});
    loads.push_back(PressureLoadPoint{point.depth, point.total * width});
  }

  writePressureColumnHeads(report, units);
  std::vector<PlotPressurePoint> reported;
  for (std::size_t i : reportedPointIndices(scaled.size(), unitSystem)) {
    writePressureRow(report, scaled[i].depth, scaled[i].total);
    reported.push_back(scaled[i]);
  }
  writePlotPressure(plot, reported);
  addPressureLoads(loads, pressure.freeHeight, incrementLength, tables);
}

}  // namespace korvex
