#include "control/block_reader.h"

#include <cmath>
#include <limits>
#include <string>
#include <utility>

#include "input/error_stop.h"
#include "report/input_echo.h"

namespace korvex {

namespace {

constexpr int kApparentPressureMode = 3;
constexpr std::size_t kActiveWidthField = 5;  // of the wall line
constexpr double kSmallestIncrement = 1.0E-100;
constexpr double kLargestIncrement = 1.0E+100;

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

}  // namespace

void BlockReader::checkCount(int value, int capacity, DataPosition at) const {
  if (value < 0) stopAt("A RECORD COUNT MUST NOT BE NEGATIVE", at);
  if (value > capacity) stopWithFixedMessage(kTooMuchData, at);
}

void BlockReader::checkStation(int station, DataPosition at) const {
  if (!m_block.tables.holds(station)) {
    stopAt("STATION " + std::to_string(station) + " LIES OUTSIDE THE WALL MODEL (STATIONS -3 TO " +
               std::to_string(m_block.tables.numIncrements + 3) + ")",
           at);
  }
}

void BlockReader::checkRecord(int contd, int from, int to, RecordFields fields) const {
  if (contd != 1 && contd != 2) stopAt("CONTD MUST BE 1 OR 2", m_reader.position(fields.contd));
  checkStation(from, m_reader.position(fields.from));
  checkStation(to, m_reader.position(fields.to));
}

void BlockReader::checkGroupClosed(bool segmentOpen) const {
  if (segmentOpen) stopAt("THE LAST RECORD OF A GROUP MUST HAVE CONTD = 1", DataPosition{m_reader.lastLine(), 0});
}

UnitSystem BlockReader::checkControlLine(const ControlLine& control) {
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

void BlockReader::readWallAndSupports(BlockAssembly& assembly) {
  readWallLine(assembly);
  readRestraints();
  readStiffness(assembly);
  readLoads(assembly);
  readSpringsAndTiebacks(assembly);
}

void BlockReader::readSoilGroups() {
  readPYModifications();
  readSpecifiedPressure();
  readSoilData();
}

void BlockReader::readWallLine(BlockAssembly& assembly) {
  const WallLine wall = m_reader.wallLine();
  m_block.input.wall = wall;
  writeWallLine(m_report, wall, m_block.units);
  if (wall.numIncrements > kMaxIncrements) stopWithFixedMessage(kTooMuchData, m_reader.position(0));
  if (wall.numIncrements < 1) stopAt("NUMBER OF INCREMENTS MUST BE AT LEAST 1", m_reader.position(0));
  if (!(wall.incrementLength > 0.0)) stopAt("INCREMENT LENGTH MUST BE GREATER THAN ZERO", m_reader.position(1));
  // The wall equations divide by h squared and multiply by h cubed.
  if (!(wall.incrementLength >= kSmallestIncrement && wall.incrementLength <= kLargestIncrement))
    stopAt("INCREMENT LENGTH MUST LIE FROM 1.0E-100 TO 1.0E+100", m_reader.position(1));
  m_activeWidthAt = m_reader.position(kActiveWidthField);
  assembly.startTables(wall.numIncrements);
}

void BlockReader::readRestraints() {
  const int count = m_block.input.control.restraintCount;
  checkCount(count, kMaxRestraints, m_controlPositions[kRestraintCountField]);
  writeRestraintsHeading(m_report, count);
  const int n = m_block.tables.numIncrements;
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
    m_block.input.restraints.push_back(restraint);
  }
}

void BlockReader::readStiffness(BlockAssembly& assembly) {
  writeStiffnessHeading(m_report, m_block.units, m_block.input.control.sectionCount);
  assembly.openGroup(TableGroup::Stiffness);
  for (int i = 0; i < m_block.input.control.sectionCount; ++i) {
    const StiffnessRecord record = m_reader.stiffness();
    const RecordFields fields{.contd = 2, .from = 0, .to = 1};
    checkAndEcho(record, fields, assembly, [&] { return EchoValues{record.ei}; });
    assembly.addStiffness(record, m_reader.position(fields.to));
    m_block.input.stiffness.push_back(record);
  }
  checkGroupClosed(assembly.segmentOpen());
}

void BlockReader::readLoads(BlockAssembly& assembly) {
  const int count = m_reader.loadCount();
  checkCount(count, kMaxLoadRecords, m_reader.position(0));
  assembly.openGroup(TableGroup::Loads);
  for (int i = 0; i < count; ++i) {
    const LoadRecord record = m_reader.load();
    const RecordFields fields{.contd = 0, .from = 1, .to = 2};
    checkAndEcho(record, fields, assembly, [&] {
      return EchoValues{m_block.tables.ei[record.from], record.lateralLoad, 0.0, record.moment, 0.0, record.axialLoad};
    });
    assembly.addLoad(record, m_reader.position(fields.to));
    m_block.input.loads.push_back(record);
  }
  checkGroupClosed(assembly.segmentOpen());
}

void BlockReader::readSpringsAndTiebacks(BlockAssembly& assembly) {
  const int count = m_reader.springCount();
  checkCount(count, std::numeric_limits<int>::max(), m_reader.position(0));
  assembly.openGroup(TableGroup::SpringsAndTiebacks);
  for (int i = 0; i < count; ++i) {
    const SpringRecord record = m_reader.spring();
    const RecordFields fields{.contd = 2, .from = 0, .to = 1};
    checkAndEcho(record, fields, assembly, [&] {
      return EchoValues{m_block.tables.ei[record.from], 0.0, record.lateralStiffness, 0.0, record.rotationalStiffness, 0.0};
    });
    assembly.addSpring(record, m_reader.position(fields.to));
    m_block.input.springs.push_back(record);
  }
  checkGroupClosed(assembly.segmentOpen());

  const WallLine& wall = m_block.input.wall;
  const UnitSystem unitSystem = m_block.input.unitSystem;
  checkCount(m_block.input.control.tiebackCount, kMaxTiebacks, m_controlPositions[kTiebackCountField]);
  for (int i = 0; i < m_block.input.control.tiebackCount; ++i) {
    const TiebackRecord record = m_reader.tieback();
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
    checkStation(support.station, m_reader.position(0));
    // A tieback acts as a single-station record (CONTD 1) of the spring group.
    writeRecordEcho(m_report, assembly.keyFor(1), support.station, support.station, 1,
                    EchoValues{m_block.tables.ei[support.station], support.load, support.spring, 0.0, 0.0, 0.0});
    assembly.addTieback(support);
    m_block.input.tiebacks.push_back(record);
  }
}

void BlockReader::readPYModifications() {
  const int count = m_block.input.control.pyModCount;
  checkCount(count, kMaxPYModifications, m_controlPositions[kPYModCountField]);
  for (int i = 0; i < count; ++i) m_block.input.pyModifications.push_back(m_reader.pyModification());
}

void BlockReader::readSpecifiedPressure() {
  if (m_block.input.control.earthPressureMode != 1) return;
  const int count = m_reader.pressurePointCount();
  checkCount(count, kMaxPressurePoints, m_reader.position(0));
  for (int i = 0; i < count; ++i) m_block.input.pressurePoints.push_back(m_reader.pressurePoint());
}

void BlockReader::readSoilData() {
  BlockInput& input = m_block.input;
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

void BlockReader::checkSupportsForEnvelope() const {
  if (m_block.input.control.earthPressureMode != kApparentPressureMode) return;
  if (singleStationSupports(m_block.input, m_block.tiebacks).count > 0) return;
  stopAt("EARTH PRESSURE MODE 3 (APPARENT-PRESSURE ENVELOPE) NEEDS A SUPPORT: A SINGLE-STATION SPRING OR A TIEBACK",
         m_controlPositions[kEarthPressureModeField]);
}

void BlockReader::readUserCurves(BlockAssembly& assembly) {
  const ControlLine& control = m_block.input.control;
  if (control.userPYCount <= 0) return;
  checkCount(control.userPYCount, kMaxCurves, m_controlPositions[kUserCurveCountField]);
  writeUserCurvesHeading(m_report);
  const double h = m_block.input.wall.incrementLength;
  const double freeHeight = m_block.input.wall.freeHeight;
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
    writeUserCurve(m_report, m_block.units, curve, form, flag);
    previousFlag = flag;
    assembly.addUserCurve(curve);
    m_block.input.userCurves.push_back(std::move(curve));
  }
}

void BlockReader::readMomentEICurves() {
  const int count = m_block.input.control.eiCurveCount;
  checkCount(count, kMaxEICurves, m_controlPositions[kEICurveCountField]);
  const int n = m_block.tables.numIncrements;
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
    m_block.input.eiCurves.push_back(std::move(curve));
  }
}

}  // namespace korvex
