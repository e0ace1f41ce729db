#include "report/pressure_report.h"

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

void writeGeneratedPressure(TextOutput& report, TextOutput& plot, const UnitLabels& units, UnitSystem unitSystem,
                            std::span<const DiagramPoint> onWall) {
  writePressureColumnHeads(report, units);
  std::vector<DiagramPoint> reported;
  for (std::size_t i : reportedPointIndices(onWall.size(), unitSystem)) {
    writePressureRow(report, onWall[i].depth, onWall[i].total);
    reported.push_back(onWall[i]);
  }
  writePlotPressure(plot, reported);
}

}  // namespace korvex
