#include "control/block_assembly.h"

#include <string>
#include <utility>

#include "beamcolumn/moment_ei.h"
#include "beamcolumn/pressure_loads.h"
#include "earthpressure/earth_pressure_module.h"
#include "earthpressure/wall_pressure.h"
#include "input/error_stop.h"
#include "py/criterion_support.h"
#include "report/earth_pressure_report.h"
#include "report/input_echo.h"
#include "report/plot_records.h"
#include "report/pressure_report.h"
#include "report/py_curves_report.h"
#include "report/report_frame.h"

namespace korvex {

namespace {

// Adds the pressure on the wall to the station loads down to `lastDepth`.
void addWallPressure(std::span<const DiagramPoint> points, double lastDepth, double h, StationTables& tables) {
  std::vector<PressureLoadPoint> loads;
  loads.reserve(points.size());
  for (const DiagramPoint& point : points) loads.push_back(PressureLoadPoint{point.depth, point.total});
  addPressureLoads(loads, lastDepth, h, tables);
}

}  // namespace

SupportDepths singleStationSupports(const BlockInput& input, std::span<const TiebackSupport> tiebacks) {
  SupportDepths supports;
  const double h = input.wall.incrementLength;
  auto add = [&](int station) {
    const double depth = static_cast<double>(station) * h;
    if (supports.count == 0) supports.first = depth;
    supports.last = depth;
    ++supports.count;
  };
  for (const SpringRecord& spring : input.springs) {
    if (spring.from == spring.to) add(spring.from);
  }
  for (const TiebackSupport& tieback : tiebacks) add(tieback.station);
  return supports;
}

SoilCurve solutionCurve(const GeneratedCurve& curve, double h) {
  SoilCurve soilCurve;
  soilCurve.station = nearestStation(curve.depth / h);
  soilCurve.chained = true;
  solutionPoints(curve, soilCurve.y, soilCurve.p);
  for (double& p : soilCurve.p) p *= h;
  soilCurve.classify();
  return soilCurve;
}

void BlockAssembly::startTables(int numIncrements) { m_block.tables.reset(numIncrements); }

void BlockAssembly::openGroup(TableGroup group) {
  StationTables& tables = m_block.tables;
  switch (group) {
    case TableGroup::Stiffness:
      m_group.emplace(std::vector<StationTable*>{&tables.ei});
      break;
    case TableGroup::Loads:
      m_group.emplace(std::vector<StationTable*>{&tables.q, &tables.t, &tables.p});
      break;
    case TableGroup::SpringsAndTiebacks:
      m_group.emplace(std::vector<StationTable*>{&tables.s, &tables.r});
      break;
  }
}

int BlockAssembly::keyFor(int contd) const { return m_group->keyFor(contd); }

bool BlockAssembly::segmentOpen() const { return m_group->segmentOpen(); }

void BlockAssembly::distribute(int from, int to, int contd, std::span<const double> values, DataPosition toAt) {
  if (!m_group->distribute(from, to, contd, values)) stopWithFixedMessage(kStationsNotInOrder, toAt);
}

void BlockAssembly::addStiffness(const StiffnessRecord& record, DataPosition toAt) {
  const double values[] = {record.ei};
  distribute(record.from, record.to, record.contd, values, toAt);
}

void BlockAssembly::addLoad(const LoadRecord& record, DataPosition toAt) {
  const double values[] = {record.lateralLoad, record.moment, -record.axialLoad};
  distribute(record.from, record.to, record.contd, values, toAt);
  const double h = m_block.input.wall.incrementLength;
  if (record.moment != 0.0) m_block.tables.moments.push_back(ConcentratedMoment{record.from, record.moment / (2.0 * h)});
}

void BlockAssembly::addSpring(const SpringRecord& record, DataPosition toAt) {
  const double values[] = {record.lateralStiffness, record.rotationalStiffness};
  distribute(record.from, record.to, record.contd, values, toAt);
}

void BlockAssembly::addTieback(const TiebackSupport& support) {
  m_block.tables.s[support.station] += support.spring;
  m_block.tables.q[support.station] += support.load;
  m_block.tiebacks.push_back(support);
}

void BlockAssembly::addEarthPressure() {
  const BlockInput& input = m_block.input;
  const double h = input.wall.incrementLength;
  const int mode = input.control.earthPressureMode;
  if (mode == 0) {
    writePlotPressure(m_outputs.plot, {});
    return;
  }
  if (mode == 1) {
    const std::vector<DiagramPoint> onWall = specifiedPressureOnWall(input);
    writeSpecifiedPressure(m_outputs.report, m_block.units, input.pressurePoints);
    writePlotPressure(m_outputs.plot, onWall);
    if (!onWall.empty()) addWallPressure(onWall, onWall.back().depth, h, m_block.tables);
    return;
  }
  const EarthPressureResult result = generateEarthPressure(input, singleStationSupports(input, m_block.tiebacks));
  writeEarthPressureSections(m_outputs.report, m_outputs.monitor, m_block.units, input.surcharges, result);
  if (result.reached == EarthPressureStep::Resultants && result.resultants.netForceNegative())
    m_outputs.console(std::string("     ") + kNetActivePressureNegative);
  stopOnFailure(result.check);
  m_block.excavationStress = result.pressure.excavationStress;
  const std::vector<DiagramPoint> onWall = generatedPressureOnWall(result.pressure);
  writeGeneratedPressure(m_outputs.report, m_outputs.plot, m_block.units, input.unitSystem, onWall);
  addWallPressure(onWall, result.pressure.freeHeight, h, m_block.tables);
}

void BlockAssembly::checkNothingBeyondToe() const {
  if (m_block.tables.hasDataBeyondToe()) throw ErrorStop(kDataBeyondEnd);
}

void BlockAssembly::addUserCurve(const UserCurve& curve) {
  const BlockInput& input = m_block.input;
  m_block.curves.push_back(
      prepareUserCurve(curve, input.control.pyCurveMode, input.wall.incrementLength, input.wall.freeHeight));
}

void BlockAssembly::applyMomentEI(const StationTable& w) {
  const BlockInput& input = m_block.input;
  updateMomentEI(input.eiCurves, w, input.wall.incrementLength, m_block.tables.ei);
}

void BlockAssembly::addGeneratedCurves() {
  const BlockInput& input = m_block.input;
  if (!input.control.generatesCurves()) return;
  m_outputs.progress(" READ SOIL DATA....");
  PYGeneration generation =
      generatePYCurves(input, m_block.excavationStress, static_cast<int>(input.userCurves.size()));
  writePYGeneration(m_outputs.report, m_block.units, generation, input.pyModifications);
  stopOnFailure(generation.check);
  m_block.generatedCurves = std::move(generation.curves);
  for (const GeneratedCurve& curve : m_block.generatedCurves) {
    m_block.curves.push_back(solutionCurve(curve, input.wall.incrementLength));
    // A free height or a first layer above the top of the wall puts curves above the tables.
    if (m_block.curves.back().station < kFirstStation) {
      throw ErrorStop("ERROR STOP -- " + std::string(kCurveAboveTheTables) + " (THE GENERATED CURVE AT DEPTH " +
                      curveDepthText(curve.depth, input.unitSystem) +
                      "): CHECK THE FREE HEIGHT AND THE LAYERS OF THE SOIL DATA");
    }
  }
}

void BlockAssembly::writeCurveRecords() {
  const BlockInput& input = m_block.input;
  std::vector<PlotCurve> curves;
  curves.reserve(input.userCurves.size() + m_block.generatedCurves.size());
  for (const UserCurve& curve : input.userCurves) {
    PlotCurve plotCurve;
    plotCurve.depth = static_cast<double>(curve.station) * input.wall.incrementLength;
    for (const CurvePoint& point : curve.points) {
      plotCurve.y.push_back(point.y * curve.yMultiplier);
      plotCurve.p.push_back(point.p * curve.pMultiplier);
    }
    curves.push_back(std::move(plotCurve));
  }
  for (const GeneratedCurve& curve : m_block.generatedCurves) {
    PlotCurve plotCurve;
    plotCurve.depth = curve.depth;
    solutionPoints(curve, plotCurve.y, plotCurve.p);
    curves.push_back(std::move(plotCurve));
  }
  writePlotCurves(m_outputs.plot, input.unitSystem, curves, input.userCurves.empty());
  // With generated curves asked for and none at all, an empty section stands in for them.
  if (input.control.generatesCurves() && curves.empty()) writeEmptySection(m_outputs.report);
}

}  // namespace korvex
