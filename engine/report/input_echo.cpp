#include "report/input_echo.h"

#include "report/report_frame.h"

namespace korvex {

void writeControlParameters(TextOutput& report, const ControlLine& control) {
  static const Format kParameters(
      "6X,'NO OF POINTS FOR SPECIFIED DEFLECTIONS AND SLOPES  = ',I2,/,"
      "6X,'NO OF POINTS FOR WALL STIFFNESS AND LOAD DATA      = ',I2,/,"
      "6X,'GENERATE EARTH PRESSURE INTERNALLY                 = ',I2,/,"
      "6X,'GENERATE SOIL RESISTANCE (P-Y) CURVES INTERNALLY   = ',I2,/,"
      "6X,'NO OF P-Y MODIFICATION FACTORS FOR GEN. P-Y CURVES = ',I2,/,"
      "6X,'NO OF USER-SPECIFIED SOIL RESISTANCE (P-Y) CURVES  = ',I2");
  writeBoxHeading(report, "*        PROGRAM CONTROL PARAMETERS              *");
  writeEmptyLines(report, 1);
  report.write(kParameters, control.restraintCount, control.sectionCount, control.generatesEarthPressure() ? 1 : 0,
               control.generatesCurves() ? 1 : 0, control.pyModCount, control.userPYCount);
}

void writeWallLine(TextOutput& report, const WallLine& wall, const UnitLabels& units) {
  static const Format kGeometry(
      "6X,'NUMBER OF INCREMENTS                               = ',I3,/,"
      "6X,'INCREMENT LENGTH                                   = ',F9.3,A3,/,"
      "6X,'FREE HEIGHT OF WALL                                = ',F9.3,A3");
  static const Format kTolerances(
      "6X,'MAXIMUM ALLOWABLE DEFLECTION                       = ',F9.3,A3,/,"
      "6X,'DEFLECTION CLOSURE TOLERANCE                       = ',1P,E9.3,A3");
  report.write(kGeometry, wall.numIncrements, wall.incrementLength, units.len3, wall.freeHeight, units.len3);
  report.write(kTolerances, wall.maxDeflection, units.len3, wall.closureTolerance, units.len3);
}

void writeRestraintsHeading(TextOutput& report, int restraintCount) {
  static const Format kHeads("5X,'     STA      CASE       DEFLECTION        SLOPE',/");
  if (restraintCount < 1) {
    writeEmptySection(report);
    return;
  }
  writeBoxHeading(report, "*        SPECIFIED DEFLECTIONS AND SLOPES        *");
  writeEmptyLines(report, 1);
  report.write(kHeads);
}

void writeRestraint(TextOutput& report, const Restraint& restraint) {
  static const Format kDeflection("10X,I3,7X,I2,8X,E10.3,9X,'NONE'");
  static const Format kSlope("10X,I3,7X,I2,11X,'NONE',8X,E10.3");
  static const Format kBoth("10X,I3,7X,I2,3X,2(5X,E10.3)");
  switch (restraint.caseCode) {
    case 1:
      report.write(kDeflection, restraint.station, restraint.caseCode, restraint.deflection);
      break;
    case 2:
      report.write(kSlope, restraint.station, restraint.caseCode, restraint.slope);
      break;
    default:
      report.write(kBoth, restraint.station, restraint.caseCode, restraint.deflection, restraint.slope);
      break;
  }
}

void writeStiffnessHeading(TextOutput& report, const UnitLabels& units, int sectionCount) {
  static const Format kLegend(
      "6X,'EI - FLEXURAL RIGIDITY,  Q - TRANSVERSE LOAD,',/,"
      "6X,'S - STIFFNESS OF TRANSVERSE RESISTANCE,',/,"
      "6X,'T - TORQUE,              P - AXIAL LOAD,',/,"
      "6X,'R - STIFFNESS OF TORSIONAL RESISTANCE.',/,/,"
      "\"     FROM TO CONTD     EI         Q        S'        T         R         P\",/");
  static const Format kUnits(
      "18X,A4,'-',A2,'**','2',4X,A4,4X,A4,'/',A2,3X,A3,'-',A3,2X,A3,'-',A3,4X,A4");
  writeBoxHeading(report, "*        STIFFNESS AND LOAD DATA                 *");
  report.write(kLegend);
  report.write(kUnits, units.force4, units.len2, units.force4, units.force4, units.len2, units.len3, units.force3,
               units.len3, units.force3, units.force4);
  if (sectionCount == 0) writeEmptySection(report);
}

void writeRecordEcho(TextOutput& report, int key, int from, int to, int contd, const EchoValues& values) {
  static const Format kOpens("5X,I4,4X,I3,1X,6E10.3");
  static const Format kCloses("9X,I4,I3,1X,6E10.3");
  static const Format kStandAlone("5X,2I4,I3,1X,6E10.3");
  const int k = contd - 1;
  switch (key) {
    case 2:
      report.write(kOpens, from, k, values.ei, values.q, values.s, values.t, values.r, values.p);
      break;
    case 3:
    case 4:
      report.write(kCloses, to, k, values.ei, values.q, values.s, values.t, values.r, values.p);
      break;
    default:
      report.write(kStandAlone, from, to, k, values.ei, values.q, values.s, values.t, values.r, values.p);
      break;
  }
}

void writePressureColumnHeads(TextOutput& report, const UnitLabels& units) {
  static const Format kHeads(
      "/,/,8X,' DEPTH         ACTIVE EARTH PRESSURE',/,8X,1X,A3,17X,A4,'/',A2,/,"
      "8X,'--------       ------------------------'");
  report.write(kHeads, units.len3, units.force4, units.len2);
}

void writePressureRow(TextOutput& report, double depth, double load) {
  static const Format kRow("6X,E10.3,10X,E10.3");
  report.write(kRow, depth, load);
}

void writeSpecifiedPressure(TextOutput& report, const UnitLabels& units, std::span<const PressurePoint> points) {
  writeBoxHeading(report, "*        SPECIFIED ACTIVE EARTH PRESSURE         *");
  writePressureColumnHeads(report, units);
  for (const PressurePoint& point : points) writePressureRow(report, point.depth, point.load);
}

void writeUserCurvesHeading(TextOutput& report) {
  writeBoxHeading(report, "*     INPUTTED  SOIL RESISTANCE (P-Y) CURVES     *");
}

void writeUserCurve(TextOutput& report, const UnitLabels& units, const UserCurve& curve, CurveLineForm form,
                    int chainingFlag) {
  static const Format kHeads("/,\"     FROM TO CONTD      P-MULTIPLIER  Y-MULTIPLIER'      POINTS     \",/");
  static const Format kWithGenerated("/,9X,I4,I3,5X,2E14.3,10X,I3");
  static const Format kOpens("/,5X,I4,4X,I3,5X,2E14.3,10X,I3");
  static const Format kCloses("/,9X,I4,I3,5X,2E14.3,10X,I3");
  static const Format kStandAlone("/,5X,2I4,I3,5X,2E14.3,8X,I4");
  static const Format kPointHeads(
      "/,/,18X,'    Y    ',12X,'   P    ',/,18X,2X,A3,16X,A4,'/',A2,/,18X,'---------',12X,'--------'");
  static const Format kPoint("17X,E10.3,10X,E10.3");

  report.write(kHeads);
  const int points = static_cast<int>(curve.points.size());
  switch (form) {
    case CurveLineForm::WithGeneratedCurves:
      report.write(kWithGenerated, curve.station, 0, curve.pMultiplier, curve.yMultiplier, points);
      break;
    case CurveLineForm::OpensSegment:
      report.write(kOpens, curve.station, chainingFlag, curve.pMultiplier, curve.yMultiplier, points);
      break;
    case CurveLineForm::ClosesSegment:
      report.write(kCloses, curve.station, chainingFlag, curve.pMultiplier, curve.yMultiplier, points);
      break;
    case CurveLineForm::StandAlone:
      report.write(kStandAlone, curve.station, curve.station, chainingFlag, curve.pMultiplier, curve.yMultiplier,
                   points);
      break;
  }
  report.write(kPointHeads, units.len3, units.force4, units.len2);
  for (const CurvePoint& point : curve.points)
    report.write(kPoint, point.y * curve.yMultiplier, point.p * curve.pMultiplier);
}

}  // namespace korvex
