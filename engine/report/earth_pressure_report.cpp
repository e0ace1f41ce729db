#include "report/earth_pressure_report.h"

#include <string>

#include "report/report_frame.h"

namespace korvex {

namespace {

// The banner of a section: its title between two lines of 50 asterisks, indented 6.
void writeBanner3(TextOutput& report, std::string_view title) {
  static const Format kBanner("6X,50('*'),/,6X,A,/,6X,50('*')");
  report.write(kBanner, title);
}

void writeWallInformation(TextOutput& report, const UnitLabels& units, const SoilProfile& profile) {
  static const Format kValue("6X,A,E10.3,A");
  writeBanner3(report, "*                WALL INFORMATION                *");
  const std::string weight = unitWeightLabel(units);
  report.write(kValue, "FREE HEIGHT OF WALL                    = ", profile.freeHeight, units.len3);
  report.write(kValue, "WIDTH FOR EARTH PRESSURE, WA           = ", profile.activeWidth, units.len3);
  report.write(kValue, "WIDTH FOR SOIL RESISTANCE, WP          = ", profile.passiveWidth, units.len3);
  report.write(kValue, "DEPTH TO THE WATER TABLE AT BACKFILL   = ", profile.waterTableBackfill, units.len3);
  report.write(kValue, "DEPTH TO THE WATER TABLE AT EXCAVATION = ", profile.waterTableExcavation, units.len3);
  report.write(kValue, "UNIT WEIGHT OF WATER                   = ", profile.unitWeightWater, weight);
  report.write(kValue, "SLOPE OF THE BACKFILL (deg.)           = ", profile.backfillSlope, "");
  report.write(kValue, "MODIFICATION FOR ACTIVE EARTH PRESSURE = ", profile.activeFactor, "");
}

void writeSurchargeInformation(TextOutput& report, const UnitLabels& units, double uniformPressure,
                               std::span<const Surcharge> surcharges) {
  static const Format kValue("6X,A,E10.3,A");
  static const Format kNumber("6X,'SURCHARGE LOADING NO.        = ',I10");
  static const Format kText("6X,A");
  writeBoxHeading(report, "*              SURCHARGE INFORMATION             *");
  writeEmptyLines(report, 1);
  report.write(kValue, "UNIFORM SURFACE PRESSURE     =", uniformPressure, pressureLabel(units));
  int number = 0;
  for (const Surcharge& load : surcharges) {
    ++number;
    if (load.type < 1 || load.type > 3) continue;
    writeEmptyLines(report, 1);
    report.write(kNumber, number);
    switch (load.type) {
      case 1:
        report.write(kValue, "POINT LOAD                   = ", load.magnitude, units.force4);
        break;
      case 2:
        report.write(kValue, "LINE LOAD                    = ", load.magnitude, forcePerLengthLabel(units));
        break;
      default:
        report.write(kValue, "STRIP LOAD                   = ", load.magnitude, pressureLabel(units));
        report.write(kValue, "WIDTH OF THE STRIP LOAD      = ", load.width, units.len3);
        break;
    }
    report.write(kValue, "HORIZONTAL DISTANCE BETWEEN  = ", load.distance, units.len3);
    report.write(kText, load.type == 3 ? "WALL AND MIDDLE OF STRIP WIDTH          " : "THE WALL AND SURCHARGE         ");
    writeEmptyLines(report, 1);
  }
}

void writeSoilInformation(TextOutput& report, const SoilProfile& profile) {
  static const Format kHeading("15X,'TOTAL',17X,'TOTAL UNIT',/,7X,'LAYER THICKNESS COHESION  PHI   WEIGHT   DRAINED  ZTOP'");
  static const Format kEnglishUnits("7X,'NO.      IN       PSI     DEG    PCI      T OR F   IN'");
  static const Format kSIUnits("7X,'NO.      M        kPa     DEG   kN/M^3    T OR F   M '");
  static const Format kRow("7X,I3,F9.1,F11.1,F6.1,F9.3,5X,L1,F10.2");
  writeBanner3(report, "*                SOIL INFORMATION                *");
  report.write(kHeading);
  report.write(profile.unitSystem == UnitSystem::English ? kEnglishUnits : kSIUnits);
  int number = 0;
  for (const WorkingLayer& layer : profile.layers) {
    report.write(kRow, ++number, layer.thickness, layer.cohesion, layer.frictionAngle, layer.unitWeight, layer.drained,
                 layer.top);
  }
}

void writeOverburden(TextOutput& report, const UnitLabels& units, const SoilProfile& profile) {
  static const Format kHeading("6X,'          DEPTH                     STRESS       '");
  static const Format kUnits("16X,A,22X,A");
  static const Format kRow("12X,E10.3,17X,E10.3");
  writeBanner3(report, "*            EFFECTIVE OVERBURDEN STRESS         *");
  report.write(kHeading);
  report.write(kUnits, units.len3, pressureLabel(units));
  for (const WorkingLayer& layer : profile.layers) report.write(kRow, layer.top, layer.effectiveStress);
}

void writeCoefficients(TextOutput& report, TextOutput& monitor, const SoilProfile& profile) {
  static const Format kHeading(
      "6X,'  LAYER         ACTIVE EARTH     PASSIVE EARTH   ','  OPTIONAL EARTH',/,"
      "6X,'   NO.          COEFFICIENT      COEFFICIENT     ','  COEFFICIENT   '");
  static const Format kRow("10X,I2,9X,E10.3,8X,E10.3,8X,E10.3");
  static const Format kWarning(
      "/,/,'**** WARNING ******',/,"
      "'THE BACKFILL SLOPE ANGLE SHOULD BE LESS THAN THE ''INTERNAL FRICTION ANGLE OF SAND.'");
  writeBanner3(report, "* ACTIVE AND PASSIVE EARTH PRESSURE COEFFICIENT  *");
  writeEmptyLines(report, 1);
  report.write(kHeading);
  int number = 0;
  for (const WorkingLayer& layer : profile.layers) {
    if (layer.slopeWarning) {
      monitor.write(kWarning);
      report.write(kWarning);
    }
    report.write(kRow, ++number, layer.computedKa, layer.kp, layer.optionalK);
  }
}

void writeLayerResultants(TextOutput& report, const UnitLabels& units, const SoilProfile& profile,
                          const ProfileResultants& resultants) {
  static const Format kHeading("6X,' LAYER    PA1     Z1       PA2     Z2         PA3     Z3','        PA4'");
  static const Format kUnits("6X,'  NO',2X,A,4X,A,4X,A,4X,A,4X,A,4X,A,4X,A");
  static const Format kRow("6X,I2,3(1X,F10.2,1X,F6.2),1X,F10.2");
  writeBanner3(report, "*      ACTIVE EARTH PRESSURE OF EACH LAYER       *");
  writeEmptyLines(report, 1);
  report.write(kHeading);
  const std::string force = forcePerLengthLabel(units);
  report.write(kUnits, force, units.len3, force, units.len3, force, units.len3, force);
  for (int i = 0; i < profile.excavationLayer; ++i) {
    const LayerResultants& r = resultants.layers[static_cast<std::size_t>(i)];
    report.write(kRow, i + 1, r.pa1, r.z1, r.pa2, r.z2, r.pa3, r.z3, r.pa4);
  }
}

void writeWaterResultants(TextOutput& report, const ProfileResultants& resultants) {
  static const Format kHeading(
      "6X,' LAYER    PW1     Z1       PW2     Z2                ',/,6X,'  NO             '");
  static const Format kRow("6X,I2,2(1X,F10.2,1X,F6.2)");
  if (!resultants.waterSection) return;
  writeBanner3(report, "*      ACTIVE WATER PRESSURE OF EACH LAYER       *");
  report.write(kHeading);
  for (std::size_t i = 0; i < resultants.layers.size(); ++i) {
    const LayerResultants& r = resultants.layers[i];
    if (r.waterRow) report.write(kRow, static_cast<int>(i + 1), r.pw1, r.z1, r.pw2, r.z2);
  }
}

void writeNetForceWarning(TextOutput& report) {
  static const Format kWarning("/,/,5X,A");
  report.write(kWarning, kNetActivePressureNegative);
}

}  // namespace

void writeEarthPressureSections(TextOutput& report, TextOutput& monitor, const UnitLabels& units,
                                std::span<const Surcharge> surcharges, const EarthPressureResult& result) {
  const SoilProfile& profile = result.profile;
  writeWallInformation(report, units, profile);
  writeSurchargeInformation(report, units, profile.uniformPressure, surcharges);
  writeSoilInformation(report, profile);
  if (result.reached == EarthPressureStep::Profile) return;
  writeOverburden(report, units, profile);
  if (result.reached == EarthPressureStep::Overburden) return;
  writeCoefficients(report, monitor, profile);
  writeLayerResultants(report, units, profile, result.resultants);
  writeWaterResultants(report, result.resultants);
  if (result.resultants.netForceNegative()) writeNetForceWarning(report);
}

}  // namespace korvex
