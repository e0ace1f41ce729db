#include "report/result_tables.h"

namespace korvex {

void writeMonitorHeading(TextOutput& monitor) {
  static const Format kHeading("/,/,/,'     ITERATION MONITOR DATA',/,'     ----------------------'");
  monitor.write(kHeading);
}

void writeMonitorLine(TextOutput& monitor, int iteration, bool offCurve, int notClosed, const StationTable& w, int n) {
  static const Format kOffCurve("3X,I4,7X,'YES',6X,I4,2X,5E10.3");
  static const Format kOnCurve("3X,I4,7X,'NO',7X,I4,2X,5E10.3");
  double shown[5];
  for (int j = 1; j <= 5; ++j) shown[j - 1] = j <= n ? w[j] : 0.0;
  monitor.write(offCurve ? kOffCurve : kOnCurve, iteration, notClosed, shown[0], shown[1], shown[2], shown[3],
                shown[4]);
}

void writeResultsTable(TextOutput& report, const UnitLabels& units, const IterationOutcome& outcome,
                       const StationTables& tables, const StationTable& w, const WallResults& results, double h) {
  static const Format kTitle("/,/,'     RESULTS -- ITERATION',I3,/,'     --------------------'");
  static const Format kOffCurve("/,'     ***** DEFLECTION OFF Q - W CURVES *****'");
  static const Format kExceeded("/,'     ***** MAX ALLOWABLE DEFLECTION EXCEEDED AT ***',I4,'  *** STATIONS *****'");
  static const Format kNotClosed("/,\"     ***** SOLUTION NOT CLOSED WITHIN SPECIFIED'TOLERANCE *****\"");
  static const Format kHeads(
      "/,'   STA I      X         DEFL.       SLOPE','      MOMENT      SHEAR    NET REACT/STA    EI '");
  static const Format kUnits("12X,A3,9X,A3,19X,A3,'-',A2,7X,A4,8X,A4,7X,A3,'-',A2,'**','2'");
  static const Format kUnderline(
      "'   ------    ----        ----       -----','      ------      ------    ---------    ----------'");
  static const Format kRow("2X,I4,2X,E10.3,6E12.3");

  report.write(kTitle, outcome.iteration);
  if (outcome.offCurve) report.write(kOffCurve);
  if (outcome.counts.overMaxDeflection > 0) report.write(kExceeded, outcome.counts.overMaxDeflection);
  if (outcome.counts.notClosed > 0) report.write(kNotClosed);
  report.write(kHeads);
  report.write(kUnits, units.len3, units.len3, units.force3, units.len2, units.force4, units.force4, units.force3,
               units.len2);
  report.write(kUnderline);
  for (int j = 0; j <= tables.numIncrements; ++j) {
    report.write(kRow, j, static_cast<double>(j) * h, w[j], results.slope[j], results.moment[j], results.shear[j],
                 results.reaction[j], tables.ei[j]);
  }
}

void writeTiebackResults(TextOutput& report, const UnitLabels& units, std::span<const TiebackForce> forces) {
  static const Format kHeading(
      "/,/,'     TIE BACK RESULTS',/,'     ----------------',/,/,"
      "'     N     STA         X       ',' HOR.FORCE/STA.     FORCE/STA.     FORCE/TIE BACK',/,"
      "'                     ',A3,12X,A3,15X,A3,15X,A3,/,"
      "'   -----  -----    --------    ',' --------------   --------------   --------------'");
  static const Format kRow("1X,I5,2X,I5,2X,E12.3,3(2X,E15.4)");
  if (forces.empty()) return;
  report.write(kHeading, units.len3, units.force3, units.force3, units.force3);
  for (std::size_t i = 0; i < forces.size(); ++i) {
    const TiebackForce& force = forces[i];
    report.write(kRow, static_cast<int>(i + 1), force.station, force.depth, force.horizontalPerStation,
                 force.alongPerStation, force.perTieback);
  }
}

}  // namespace korvex
