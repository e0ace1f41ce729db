#include "py/py_profile_report.h"

namespace korvex {

namespace {

const char* soilDescription(int soilType) {
  switch (soilType) {
    case 2:
      return "THE SOIL IS A STIFF CLAY BELOW THE WATER TABLE";
    case 3:
      return "THE SOIL IS A STIFF CLAY ABOVE THE WATER TABLE";
    case 4:
      return "THE SOIL IS A SAND";
    case 5:
      return "THE SOIL IS A SILT";
    case 6:
      return "THE LAYER IS ROCK";
    case 7:
      return "THE LAYER IS WEAK ROCK";
    default:
      return "THE SOIL IS A SOFT CLAY";
  }
}

// e50 values this small mean "not given" and print as a dash.
constexpr double kNoEps50 = double(1.0E-6f);

}  // namespace

void writePYProfileSections(TextOutput& report, const UnitLabels& units, const PYProfile& profile,
                            std::span<const PYModification> modifications) {
  static const Format kBanner(
      "6X,50('*'),/,6X,'*        SOIL LAYERS AND STRENGTH DATA           *',/,6X,50('*')");
  static const Format kSurface("6X,'X AT THE SURFACE OF EXCAVATION SIDE     = ',F10.2,A");
  static const Format kLayerCount("/,6X,I1,' LAYER(S) OF SOIL'");
  static const Format kLayer("6X,'LAYER',I3,3X,A");
  static const Format kWeightTitle("/,6X,'DISTRIBUTION OF EFFECTIVE UNIT WEIGHT WITH DEPTH',/,6X,I3,' POINTS'");
  static const Format kWeightHeads("/,19X,'X,',A,7X,'WEIGHT,',A");
  static const Format kWeightRow("10X,F15.4,D15.4");
  static const Format kStrengthTitle("/,6X,'DISTRIBUTION OF STRENGTH PARAMETERS WITH DEPTH',/,6X,I3,' POINTS'");
  static const Format kStrengthHeads("/,10X,'X,',A,1X,'S,',A,2X,'PHI,DEGREES',12X,'E50'");
  static const Format kStrengthRow("F15.2,D13.4,F13.3,D15.4");
  static const Format kStrengthRowNoEps50("F15.2,D13.4,F13.3,10X,'-----'");
  static const Format kFactorsTitle(
      "/,6X,'REDUCTION FACTORS FOR CLOSELY-SPACED WALL ELEMENTS',/,33X,/,"
      "'      DEPTH     P-FACTOR     Y-FACTOR        '");
  static const Format kFactorRow("4X,F7.2,7X,F6.2,7X,F6.2");
  static const Format kCurvesHeading("/,/,6X,'P-Y CURVES DATA',/");

  report.write(kBanner);
  report.write(kSurface, profile.freeHeight, units.len3);
  report.write(kLayerCount, static_cast<int>(profile.layers.size()));
  int number = 0;
  for (const ProfileLayer& layer : profile.layers) report.write(kLayer, ++number, soilDescription(layer.soilType));

  const double h = profile.freeHeight;
  report.write(kWeightTitle, static_cast<int>(profile.unitWeights.size()));
  report.write(kWeightHeads, units.len3, unitWeightLabel(units));
  for (const UnitWeightRow& row : profile.unitWeights) report.write(kWeightRow, h + row.x, row.unitWeight);

  report.write(kStrengthTitle, static_cast<int>(profile.strengths.size()));
  report.write(kStrengthHeads, units.len3, pressureLabel(units));
  for (const StrengthRow& row : profile.strengths) {
    const double phi = radiansToDegrees(row.phi);
    if (row.eps50 > kNoEps50) {
      report.write(kStrengthRow, h + row.x, row.strength, phi, row.eps50);
    } else {
      report.write(kStrengthRowNoEps50, h + row.x, row.strength, phi);
    }
  }

  if (!modifications.empty()) {
    report.write(kFactorsTitle);
    for (const PYModification& row : modifications) report.write(kFactorRow, row.depth, row.pMultiplier, row.yMultiplier);
  }
  report.write(kCurvesHeading);
}

}  // namespace korvex
