#include "control/block_loader.h"

#include <cmath>
#include <limits>
#include <string>

#include "beamcolumn/moment_ei.h"
#include "control/earth_pressure_loads.h"
#include "earthpressure/earth_pressure_module.h"
#include "report/earth_pressure_report.h"
#include "input/error_stop.h"
#include "py/criterion_support.h"
#include "report/py_curves_report.h"
#include "py/py_generator.h"
#include "report/input_echo.h"
#include "report/plot_records.h"
#include "report/report_frame.h"

namespace korvex {

namespace {

constexpr int kApparentPressureMode = 3;
constexpr std::size_t kActiveWidthField = 5;  // of the wall line
constexpr double kSmallestIncrement = 1.0E-100;
constexpr double kLargestIncrement = 1.0E+100;
constexpr const char* kCurveAboveTheTables = "A P-Y CURVE MUST LIE AT STATION -3 OR BELOW IT";

// Fields of the control line, for messages.
enum ControlField {
  kUnitSystemField = 0,
  kRestraintCountField = 1,
  kPYModCountField = 3,
  kEarthPressureModeField = 4,
  kCurveModeField = 5,
  kUserCurveCountField = 6,
  kEICurveCountField = 8,
  kTiebackCountField = 9,
};

// Rethrows "STATIONS NOT IN ORDER" from the distribution with the place of the record.
template <class Distribute>
int distributeAt(DataPosition at, Distribute distribute) {
  try {
    return distribute();
  } catch (const ErrorStop& stop) {
    if (stop.reportLines().size() == 1 && stop.reportLines().front() == kStationsNotInOrder)
      stopWithFixedMessage(kStationsNotInOrder, at);
    throw;
  }
}

}  // namespace

SoilCurve solutionCurve(const GeneratedCurve& curve, double h) {
  SoilCurve soilCurve;
  soilCurve.station = nearestStation(curve.depth / h);
  soilCurve.chained = true;
  solutionPoints(curve, soilCurve.y, soilCurve.p);
  for (double& p : soilCurve.p) p *= h;
  soilCurve.classify();
  return soilCurve;
}

void BlockLoader::checkCount(int value, int capacity, DataPosition at) const {
  if (value < 0) stopAt("A RECORD COUNT MUST NOT BE NEGATIVE", at);
  if (value > capacity) stopWithFixedMessage(kTooMuchData, at);
}

void BlockLoader::checkStation(const LoadedBlock& block, int station, DataPosition at) const {
  if (!block.tables.holds(station)) {
    stopAt("STATION " + std::to_string(station) + " LIES OUTSIDE THE WALL MODEL (STATIONS -3 TO " +
               std::to_string(block.tables.numIncrements + 3) + ")",
           at);
  }
}

void BlockLoader::checkRecord(const LoadedBlock& block, int contd, DataPosition contdAt, int from, DataPosition fromAt,
                              int to, DataPosition toAt) const {
  if (contd != 1 && contd != 2) stopAt("CONTD MUST BE 1 OR 2", contdAt);
  checkStation(block, from, fromAt);
  checkStation(block, to, toAt);
}

void BlockLoader::checkGroupClosed(bool segmentOpen) const {
  if (segmentOpen) stopAt("THE LAST RECORD OF A GROUP MUST HAVE CONTD = 1", DataPosition{m_reader.lastLine(), 0});
}

UnitSystem BlockLoader::checkControlLine(const ControlLine& control) {
  for (std::size_t field = 0; field < m_controlPositions.size(); ++field)
    m_controlPositions[field] = m_reader.position(field);
  if (!unitSystemOfCode(control.unitSystemCode))
    stopAt("UNIT SYSTEM MUST BE 1 (ENGLISH) OR 2 (SI)", m_controlPositions[kUnitSystemField]);
  if (control.earthPressureMode < 0)
    stopAt("EARTH PRESSURE MODE MUST NOT BE NEGATIVE", m_controlPositions[kEarthPressureModeField]);
  if (control.pyCurveMode < 0 || control.pyCurveMode > 2)
    stopAt("P-Y CURVE MODE MUST BE 0, 1 OR 2", m_controlPositions[kCurveModeField]);
  // Indexed by field of the control line; the unit system and the modes are checked above.
  const int counts[] = {0, control.restraintCount, control.sectionCount, control.pyModCount, 0, 0,
                        control.userPYCount, control.stageCount, control.eiCurveCount, control.tiebackCount};
  for (std::size_t item = 1; item < std::size(counts); ++item) {
    if (counts[item] < 0) stopAt("A RECORD COUNT MUST NOT BE NEGATIVE", m_controlPositions[item]);
  }
  if (control.userPYCount > 0 && control.pyCurveMode == 0)
    stopAt("USER-SPECIFIED P-Y CURVES NEED P-Y CURVE MODE 1 OR 2", m_controlPositions[kUserCurveCountField]);
  return *unitSystemOfCode(control.unitSystemCode);
}

void BlockLoader::readRecords(LoadedBlock& block, const StationTable& w) {
  readWallLine(block);
  readRestraints(block);
  readStiffness(block);
  readLoads(block);
  readSpringsAndTiebacks(block);
  readPYModifications(block);
  readSpecifiedPressure(block);
  readSoilData(block);
  writeEarthPressure(block);
  if (block.tables.hasDataBeyondToe()) throw ErrorStop(kDataBeyondEnd);
  readUserCurves(block);
  readEICurves(block, w);
  generateCurves(block);
  writeCurveRecords(block);
}

void BlockLoader::readWallLine(LoadedBlock& block) {
  const WallLine wall = m_reader.wallLine();
  block.input.wall = wall;
  writeWallLine(m_report, wall, block.units);
  if (wall.numIncrements > kMaxIncrements) stopWithFixedMessage(kTooMuchData, m_reader.position(0));
  if (wall.numIncrements < 1) stopAt("NUMBER OF INCREMENTS MUST BE AT LEAST 1", m_reader.position(0));
  if (!(wall.incrementLength > 0.0))
    stopAt("INCREMENT LENGTH MUST BE GREATER THAN ZERO", m_reader.position(1));
  // The wall equations divide by h squared and multiply by h cubed.
  if (!(wall.incrementLength >= kSmallestIncrement && wall.incrementLength <= kLargestIncrement))
    stopAt("INCREMENT LENGTH MUST LIE FROM 1.0E-100 TO 1.0E+100", m_reader.position(1));
  m_activeWidthAt = m_reader.position(kActiveWidthField);
  block.tables.reset(wall.numIncrements);
}

void BlockLoader::readRestraints(LoadedBlock& block) {
  const int count = block.input.control.restraintCount;
  checkCount(count, kMaxRestraints, m_controlPositions[kRestraintCountField]);
  writeRestraintsHeading(m_report, count);
  const int n = block.tables.numIncrements;
  int previousStation = -1;
  for (int i = 0; i < count; ++i) {
    const Restraint restraint = m_reader.restraint();
    // Stations may not decrease, and the first may not lie above station -1.
    if (restraint.station < previousStation) stopWithFixedMessage(kStationsNotInOrder, m_reader.position(1));
    previousStation = restraint.station;
    writeRestraint(m_report, restraint);
    if (restraint.caseCode == 1 && restraint.station > n + 1) {
      stopAt("A SPECIFIED DEFLECTION MUST LIE AT A STATION FROM -1 TO " + std::to_string(n + 1),
             m_reader.position(1));
    }
    if (restraint.caseCode != 1 && (restraint.station < 0 || restraint.station > n)) {
      stopAt("A SPECIFIED SLOPE MUST LIE AT A STATION FROM 0 TO " + std::to_string(n), m_reader.position(1));
    }
    block.input.restraints.push_back(restraint);
  }
}

void BlockLoader::readStiffness(LoadedBlock& block) {
  writeStiffnessHeading(m_report, block.units, block.input.control.sectionCount);
  GroupDistributor distributor({&block.tables.ei});
  for (int i = 0; i < block.input.control.sectionCount; ++i) {
    const StiffnessRecord record = m_reader.stiffness();
    checkRecord(block, record.contd, m_reader.position(2), record.from, m_reader.position(0), record.to,
                m_reader.position(1));
    const int key = distributor.keyFor(record.contd);
    writeRecordEcho(m_report, key, record.from, record.to, record.contd, EchoValues{record.ei});
    const double values[] = {record.ei};
    distributeAt(m_reader.position(1), [&] { return distributor.distribute(record.from, record.to, record.contd, values); });
    block.input.stiffness.push_back(record);
  }
  checkGroupClosed(distributor.segmentOpen());
}

void BlockLoader::readLoads(LoadedBlock& block) {
  const int count = m_reader.loadCount();
  checkCount(count, kMaxLoadRecords, m_reader.position(0));
  const double h = block.input.wall.incrementLength;
  StationTables& tables = block.tables;
  GroupDistributor distributor({&tables.q, &tables.t, &tables.p});
  for (int i = 0; i < count; ++i) {
    const LoadRecord record = m_reader.load();
    checkRecord(block, record.contd, m_reader.position(0), record.from, m_reader.position(1), record.to,
                m_reader.position(2));
    const int key = distributor.keyFor(record.contd);
    writeRecordEcho(m_report, key, record.from, record.to, record.contd,
                    EchoValues{tables.ei[record.from], record.lateralLoad, 0.0, record.moment, 0.0, record.axialLoad});
    const double values[] = {record.lateralLoad, record.moment, -record.axialLoad};
    distributeAt(m_reader.position(2), [&] { return distributor.distribute(record.from, record.to, record.contd, values); });
    if (record.moment != 0.0) tables.moments.push_back(ConcentratedMoment{record.from, record.moment / (2.0 * h)});
    block.input.loads.push_back(record);
  }
  checkGroupClosed(distributor.segmentOpen());
}

void BlockLoader::readSpringsAndTiebacks(LoadedBlock& block) {
  const int count = m_reader.springCount();
  checkCount(count, std::numeric_limits<int>::max(), m_reader.position(0));
  StationTables& tables = block.tables;
  GroupDistributor distributor({&tables.s, &tables.r});
  for (int i = 0; i < count; ++i) {
    const SpringRecord record = m_reader.spring();
    checkRecord(block, record.contd, m_reader.position(2), record.from, m_reader.position(0), record.to,
                m_reader.position(1));
    const int key = distributor.keyFor(record.contd);
    writeRecordEcho(m_report, key, record.from, record.to, record.contd,
                    EchoValues{tables.ei[record.from], 0.0, record.lateralStiffness, 0.0, record.rotationalStiffness, 0.0});
    const double values[] = {record.lateralStiffness, record.rotationalStiffness};
    distributeAt(m_reader.position(1), [&] { return distributor.distribute(record.from, record.to, record.contd, values); });
    block.input.springs.push_back(record);
  }
  checkGroupClosed(distributor.segmentOpen());

  const WallLine& wall = block.input.wall;
  checkCount(block.input.control.tiebackCount, kMaxTiebacks, m_controlPositions[kTiebackCountField]);
  for (int i = 0; i < block.input.control.tiebackCount; ++i) {
    const TiebackRecord record = m_reader.tieback();
    const UnitSystem unitSystem = block.input.unitSystem;
    if (!(record.unbondedLength > 0.0)) stopAt("TIEBACK UNBONDED LENGTH MUST BE GREATER THAN ZERO", m_reader.position(3));
    if (!(record.spacing > 0.0)) stopAt("TIEBACK SPACING MUST BE GREATER THAN ZERO", m_reader.position(5));
    // Stiffness, load and force per tieback are scaled by the active width over the spacing.
    if (!(wall.activeWidth > 0.0))
      stopAt("ACTIVE WIDTH MUST BE GREATER THAN ZERO: TIEBACKS ARE SCALED BY ACTIVE WIDTH / SPACING", m_activeWidthAt);
    if (!std::isfinite(widthPerSpacing(record, unitSystem, wall.activeWidth)))
      stopAt("TIEBACK SPACING IS TOO SMALL: ACTIVE WIDTH / SPACING EXCEEDS THE RANGE OF NUMBERS", m_reader.position(5));
    const TiebackSupport support = convertTieback(record, unitSystem, wall.incrementLength, wall.activeWidth);
    if (!std::isfinite(support.spring) || !std::isfinite(support.load)) {
      stopAt("TIEBACK STIFFNESS OR LOAD EXCEEDS THE RANGE OF NUMBERS: CHECK AREA, MODULUS, UNBONDED LENGTH AND PRESTRESS",
             m_reader.position(0));
    }
    checkStation(block, support.station, m_reader.position(0));
    // A tieback acts as a single-station record (CONTD 1) of the spring group.
    writeRecordEcho(m_report, distributor.keyFor(1), support.station, support.station, 1,
                    EchoValues{tables.ei[support.station], support.load, support.spring, 0.0, 0.0, 0.0});
    tables.s[support.station] += support.spring;
    tables.q[support.station] += support.load;
    block.input.tiebacks.push_back(record);
    block.tiebacks.push_back(support);
  }
}

void BlockLoader::readPYModifications(LoadedBlock& block) {
  const int count = block.input.control.pyModCount;
  checkCount(count, kMaxPYModifications, m_controlPositions[kPYModCountField]);
  for (int i = 0; i < count; ++i) block.input.pyModifications.push_back(m_reader.pyModification());
}

void BlockLoader::readSpecifiedPressure(LoadedBlock& block) {
  if (block.input.control.earthPressureMode != 1) return;
  const int count = m_reader.pressurePointCount();
  checkCount(count, kMaxPressurePoints, m_reader.position(0));
  for (int i = 0; i < count; ++i) block.input.pressurePoints.push_back(m_reader.pressurePoint());
}

void BlockLoader::readSoilData(LoadedBlock& block) {
  BlockInput& input = block.input;
  if (!input.control.hasSoilData()) return;
  input.soilData = m_reader.soilDataLine();
  input.surfaceLoads = m_reader.surfaceLoadLine();
  const int surcharges = m_reader.surchargeCount();
  checkCount(surcharges, kMaxSurcharges, m_reader.position(0));
  for (int i = 0; i < surcharges; ++i) {
    Surcharge surcharge = m_reader.surcharge();
    // SI distances and widths are written in millimetres.
    if (input.unitSystem == UnitSystem::SI) {
      surcharge.distance /= 1000.0;
      surcharge.width /= 1000.0;
    }
    input.surcharges.push_back(surcharge);
  }
  const int layers = m_reader.layerCount();
  checkCount(layers, kMaxSoilLayers, m_reader.position(0));
  for (int i = 0; i < layers; ++i) input.layers.push_back(m_reader.soilLayer());
}

SupportDepths BlockLoader::singleStationSupports(const LoadedBlock& block) const {
  SupportDepths supports;
  const double h = block.input.wall.incrementLength;
  auto add = [&](int station) {
    const double depth = static_cast<double>(station) * h;
    if (supports.count == 0) supports.first = depth;
    supports.last = depth;
    ++supports.count;
  };
  for (const SpringRecord& spring : block.input.springs) {
    if (spring.from == spring.to) add(spring.from);
  }
  for (const TiebackSupport& tieback : block.tiebacks) add(tieback.station);
  return supports;
}

void BlockLoader::writeEarthPressure(LoadedBlock& block) {
  const BlockInput& input = block.input;
  const int mode = input.control.earthPressureMode;
  if (mode == 0) {
    writePlotPressure(m_plot, {});
    return;
  }
  if (mode == 1) {
    applySpecifiedPressure(input, block.units, m_report, m_plot, block.tables);
    return;
  }
  const SupportDepths supports = singleStationSupports(block);
  if (mode == kApparentPressureMode && supports.count == 0) {
    stopAt("EARTH PRESSURE MODE 3 (APPARENT-PRESSURE ENVELOPE) NEEDS A SUPPORT: A SINGLE-STATION SPRING OR A TIEBACK",
           m_controlPositions[kEarthPressureModeField]);
  }
  const EarthPressureResult result = generateEarthPressure(input, supports);
  writeEarthPressureSections(m_report, m_monitor, block.units, input.surcharges, result);
  if (result.reached == EarthPressureStep::Resultants && result.resultants.netForceNegative())
    m_console(std::string("     ") + kNetActivePressureNegative);
  stopOnFailure(result.check);
  const GeneratedPressure& pressure = result.pressure;
  block.excavationStress = pressure.excavationStress;
  applyGeneratedPressure(pressure, input.unitSystem, block.units, input.wall.incrementLength, m_report,
                         m_plot, block.tables);
}

void BlockLoader::readUserCurves(LoadedBlock& block) {
  const ControlLine& control = block.input.control;
  if (control.userPYCount <= 0) return;
  checkCount(control.userPYCount, kMaxCurves, m_controlPositions[kUserCurveCountField]);
  writeUserCurvesHeading(m_report);
  const double h = block.input.wall.incrementLength;
  const double freeHeight = block.input.wall.freeHeight;
  int previousFlag = 0;
  for (int i = 0; i < control.userPYCount; ++i) {
    UserCurve curve = m_reader.userCurveLine();
    checkCount(curve.pointCount, kMaxCurvePoints, m_reader.position(1));
    // A curve needs a segment: one point gives the soil no stiffness to linearise.
    if (curve.pointCount < 2) stopAt("A P-Y CURVE NEEDS AT LEAST TWO POINTS", m_reader.position(1));
    // Below the toe a curve is cut off by the iteration; above the tables it has no station.
    if (curve.station < kFirstStation) stopAt(kCurveAboveTheTables, m_reader.position(0));
    for (int k = 0; k < curve.pointCount; ++k) curve.points.push_back(m_reader.curvePoint());

    // A user curve below the excavation level is chained to the next by interpolation.
    const int flag = static_cast<double>(curve.station) * h >= freeHeight ? 1 : 0;
    CurveLineForm form = CurveLineForm::StandAlone;
    if (control.generatesCurves()) {
      form = CurveLineForm::WithGeneratedCurves;
    } else {
      const int key = 2 * previousFlag + flag + 1;
      form = key == 2 ? CurveLineForm::OpensSegment
             : key >= 3 ? CurveLineForm::ClosesSegment
                        : CurveLineForm::StandAlone;
    }
    writeUserCurve(m_report, block.units, curve, form, flag);
    previousFlag = flag;
    block.curves.push_back(prepareUserCurve(curve, control.pyCurveMode, h, freeHeight));
    block.input.userCurves.push_back(std::move(curve));
  }
}

void BlockLoader::readEICurves(LoadedBlock& block, const StationTable& w) {
  const int count = block.input.control.eiCurveCount;
  checkCount(count, kMaxEICurves, m_controlPositions[kEICurveCountField]);
  const int n = block.tables.numIncrements;
  for (int i = 0; i < count; ++i) {
    MomentEICurve curve = m_reader.eiCurveLine();
    // The curvature at a station needs the deflections above and below it.
    for (std::size_t field : {0u, 1u}) {
      const int station = field == 0 ? curve.from : curve.to;
      if (station < -2 || station > n + 2) {
        stopAt("MOMENT-EI CURVE STATIONS MUST LIE FROM -2 TO " + std::to_string(n + 2), m_reader.position(field));
      }
    }
    if (curve.to < curve.from) stopWithFixedMessage(kStationsNotInOrder, m_reader.position(1));
    checkCount(curve.pointCount, kMaxEICurvePoints, m_reader.position(2));
    if (curve.pointCount < 2) stopAt("A MOMENT-EI CURVE NEEDS AT LEAST TWO POINTS", m_reader.position(2));
    for (int k = 0; k < curve.pointCount; ++k) {
      curve.points.push_back(m_reader.eiPoint());
      // The EI is found where M = curvature x EI on a segment: a segment needs a rise in moment.
      if (k > 0 && !(curve.points[k].moment > curve.points[k - 1].moment))
        stopAt("MOMENT-EI CURVE MOMENTS MUST INCREASE FROM POINT TO POINT", m_reader.position(0));
    }
    block.input.eiCurves.push_back(std::move(curve));
  }
  updateMomentEI(block.input.eiCurves, w, block.input.wall.incrementLength, block.tables.ei);
}

void BlockLoader::generateCurves(LoadedBlock& block) {
  const BlockInput& input = block.input;
  if (!input.control.generatesCurves()) return;
  m_progress(" READ SOIL DATA....");
  PYGeneration generation =
      generatePYCurves(input, block.excavationStress, static_cast<int>(input.userCurves.size()));
  writePYGeneration(m_report, block.units, generation, input.pyModifications);
  stopOnFailure(generation.check);
  block.generatedCurves = std::move(generation.curves);
  for (const GeneratedCurve& curve : block.generatedCurves) {
    block.curves.push_back(solutionCurve(curve, input.wall.incrementLength));
    // A free height or a first layer above the top of the wall puts curves above the tables.
    if (block.curves.back().station < kFirstStation) {
      throw ErrorStop("ERROR STOP -- " + std::string(kCurveAboveTheTables) + " (THE GENERATED CURVE AT DEPTH " +
                      curveDepthText(curve.depth, input.unitSystem) + "): CHECK THE FREE HEIGHT AND THE LAYERS OF THE SOIL DATA");
    }
  }
}

void BlockLoader::writeCurveRecords(LoadedBlock& block) {
  const BlockInput& input = block.input;
  std::vector<PlotCurve> curves;
  curves.reserve(input.userCurves.size() + block.generatedCurves.size());
  for (const UserCurve& curve : input.userCurves) {
    PlotCurve plotCurve;
    plotCurve.depth = static_cast<double>(curve.station) * input.wall.incrementLength;
    for (const CurvePoint& point : curve.points) {
      plotCurve.y.push_back(point.y * curve.yMultiplier);
      plotCurve.p.push_back(point.p * curve.pMultiplier);
    }
    curves.push_back(std::move(plotCurve));
  }
  for (const GeneratedCurve& curve : block.generatedCurves) {
    PlotCurve plotCurve;
    plotCurve.depth = curve.depth;
    solutionPoints(curve, plotCurve.y, plotCurve.p);
    curves.push_back(std::move(plotCurve));
  }
  writePlotCurves(m_plot, input.unitSystem, curves, input.userCurves.empty());
  // With generated curves asked for and none at all, an empty section stands in for them.
  if (input.control.generatesCurves() && curves.empty()) writeEmptySection(m_report);
}

}  // namespace korvex
