#include "report/py_curves_report.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvex {

namespace {

const char* soilDescription(SoilType soilType) {
  switch (soilType) {
    case SoilType::StiffClayWithFreeWater:
      return "THE SOIL IS A STIFF CLAY BELOW THE WATER TABLE";
    case SoilType::StiffClayWithoutFreeWater:
      return "THE SOIL IS A STIFF CLAY ABOVE THE WATER TABLE";
    case SoilType::Sand:
      return "THE SOIL IS A SAND";
    case SoilType::Silt:
      return "THE SOIL IS A SILT";
    case SoilType::StrongRock:
      return "THE LAYER IS ROCK";
    case SoilType::WeakRock:
      return "THE LAYER IS WEAK ROCK";
    case SoilType::SoftClay:
      break;
  }
  return "THE SOIL IS A SOFT CLAY";
}

// e50 values this small mean "not given" and print as a dash.
constexpr double kNoEps50 = double(1.0E-6f);

// The unit labels of a block heading's units line; a line has five at most.
enum class Label { Length, Pressure, UnitWeight, ForcePerLength };
constexpr std::size_t kMaxLabels = 5;

// The layout of a criterion's branch block: the formats of its lines and the parts it has.
struct BranchLayout {
  bool title = true;              // the face named in a line of its own before the block
  bool headingNamesFace = false;  // the face named in the heading instead
  Format heading;
  Format units;
  std::vector<Label> labels;  // of the units line, left to right
  Format values;              // the echo's values
  std::optional<Format> pointHeading;  // "Y" and "P" with the length and force/length labels
  Format row;                          // one point: y', p'
  bool smallDeflectionWarnings = false;
  bool multiplierLine = true;
};

using enum Label;

// In the order of the soil types, 1 to 7.
const std::array<BranchLayout, 7>& branchLayouts() {
  static const std::array<BranchLayout, 7> kLayouts = {
      BranchLayout{
          // soft clay
          .heading = Format("9X,'DEPTH BELOW GS',6X,'DIAM',8X,'C',6X,'GAMMA AVG',6X,'E50'"),
          .units = Format("15X,A,13X,A,1X,A,1X,A"),
          .labels = {Length, Length, Pressure, UnitWeight},
          .values = Format("8X,F10.2,6X,F10.3,1X,D10.4,1X,D10.4,1X,D12.4"),
          .pointHeading = Format("36X,'Y,',A,11X,'P,',A"),
          .row = Format("21X,2F20.3"),
          .smallDeflectionWarnings = true,
      },
      BranchLayout{
          // stiff clay with free water: no point heading
          .heading = Format("/,/,9X,'DEPTH BELOW GS',6X,'DIAM',8X,'C',7X,'CAVG',5X,'GAMMA AVG',7X,'E50'"),
          .units = Format("16X,A,12X,A,3(1X,A)"),
          .labels = {Length, Length, Pressure, Pressure, UnitWeight},
          .values = Format("9X,F10.2,5X,F10.3,3(1X,D10.2),D12.4"),
          .pointHeading = std::nullopt,
          .row = Format("21X,2F20.3"),
          .smallDeflectionWarnings = true,
      },
      BranchLayout{
          // stiff clay without free water
          .heading = Format("10X,'DEPTH BELOW GS',6X,'DIAM',7X,'C',6X,'CAVG',4X,'GAMMA AVG',6X,'E50'"),
          .units = Format("17X,A,12X,A,3A"),
          .labels = {Length, Length, Pressure, Pressure, UnitWeight},
          .values = Format("10X,F10.2,5X,F10.3,3D10.2,D12.4"),
          .pointHeading = Format("38X,'Y',19X,'P',/,38X,A,13X,A"),
          .row = Format("21X,2F20.5"),
          .smallDeflectionWarnings = true,
      },
      BranchLayout{
          // sand
          .heading = Format("/,/,11X,'DEPTH BELOW GS',2X,'DIAM',3X,'PHI',2X,'GAMMA AVG',4X,'A',4X,'B',5X,'PCT',7X,'PCD'"),
          .units = Format("17X,A,8X,A,7X,A"),
          .labels = {Length, Length, UnitWeight},
          .values = Format("10X,F10.2,4X,2F7.2,E9.2,2X,2F5.2,2E9.2"),
          .pointHeading = Format("/,38X,'Y',19X,'P',/,38X,A,13X,A"),
          .row = Format("21X,2F20.3"),
      },
      BranchLayout{
          // silt; its heading ends with the sign of phi as the report's code page (437) writes it
          .heading = Format("/,/,5X,'DEPTH',6X,'DIAM',6X,'PHI',2X,'GAMMA AVG',8X,'A',9X,'B',5X,'Puc',7X,'Pu\xED'"),
          .units = Format("7X,A,7X,A,10X,A"),
          .labels = {Length, Length, UnitWeight},
          .values = Format("2F10.2,F10.1,E10.3,2F10.2,2E10.3"),
          .pointHeading = Format("37X,'Y',19X,'P',/,38X,A,13X,A"),
          .row = Format("21X,2E20.3"),
      },
      BranchLayout{
          // strong rock
          .title = false,
          .headingNamesFace = true,
          .heading = Format("/,/,17X,A,5X,'DIAM',8X,'C'"),
          .units = Format("30X,A,13X,A,A"),
          .labels = {Length, Length, Pressure},
          .values = Format("24X,F10.2,5X,F10.3,E10.1"),
          .pointHeading = Format("38X,'Y',19X,'P',/,38X,A,13X,A"),
          .row = Format("21X,2D20.3"),
          .multiplierLine = false,
      },
      BranchLayout{
          // weak rock
          .heading = Format("/,/,14X,'DEPTH',5X,'DIAM',7X,'Qu',7X,' Eu ',3X,'GAMMA AVG',6X,'E50'"),
          .units = Format("17X,A,7X,A,A,A,A"),
          .labels = {Length, Length, Pressure, Pressure, UnitWeight},
          .values = Format("10X,F10.2,F10.3,3E10.2,E12.3"),
          .pointHeading = Format("37X,'Y',19X,'P',/,38X,A,13X,A"),
          .row = Format("21X,2E20.3"),
          .multiplierLine = false,
      },
  };
  return kLayouts;
}

// The labels of the units lines, made once for all the blocks of a generation.
struct BlockLabels {
  explicit BlockLabels(const UnitLabels& units)
      : length(units.len3),
        pressure(pressureLabel(units)),
        unitWeight(unitWeightLabel(units)),
        forcePerLength(forcePerLengthLabel(units)) {}

  std::string_view of(Label label) const {
    switch (label) {
      case Length:
        return length;
      case Pressure:
        return pressure;
      case UnitWeight:
        return unitWeight;
      case ForcePerLength:
        break;
    }
    return forcePerLength;
  }

  std::string length;
  std::string pressure;
  std::string unitWeight;
  std::string forcePerLength;
};

void writeBlock(TextOutput& report, const BlockLabels& labels, const Branch& branch) {
  static const Format kTitle("/,/,9X,A");
  static const Format kSmallDeflectionWarning(
      "29X,'**** WARNING ****',/,5X,'DEFLECTION IS LESS THAN 1.0E-14.  THE PROGRAM',/,"
      "5X,'USED A SOIL MODULUS OF ',D12.4");
  static const Format kMultipliers("' P-Multiplier = ',E10.3,' Y-Multiplier = ',E10.3");
  const BranchEcho& echo = branch.echo;
  const BranchLayout& layout = branchLayouts()[static_cast<std::size_t>(echo.criterion) - 1];
  const bool excavation = echo.face == Face::Excavation;

  if (layout.title) report.write(kTitle, excavation ? "AT THE EXCAVATION SIDE" : "AT THE BACKFILL SIDE");
  if (layout.headingNamesFace) {
    report.write(layout.heading, excavation ? "DEPTH-EXCAVATION SIDE" : "DEPTH-BACKFILL SIDE  ");
  } else {
    report.write(layout.heading);
  }
  // The items of the units and value lines stay on the stack: a run writes many blocks.
  std::array<FieldValue, kMaxLabels> labelItems;
  const std::size_t labelCount = std::min(layout.labels.size(), kMaxLabels);
  for (std::size_t i = 0; i < labelCount; ++i) labelItems[i] = labels.of(layout.labels[i]);
  report.writeItems(layout.units, std::span(labelItems).first(labelCount));
  const std::span<const double> values = echo.shownValues();
  std::array<FieldValue, BranchEcho::kMaxValues> valueItems;
  std::copy(values.begin(), values.end(), valueItems.begin());
  report.writeItems(layout.values, std::span(valueItems).first(values.size()));
  if (layout.pointHeading) report.write(*layout.pointHeading, labels.length, labels.forcePerLength);
  const BranchCurve& curve = branch.curve;
  for (std::size_t i = 0; i < kBranchPoints; ++i) {
    report.write(layout.row, curve.y[i], curve.p[i]);
    if (layout.smallDeflectionWarnings && i > 0 && curve.y[i] < kSmallDeflection)
      report.write(kSmallDeflectionWarning, echo.initialModulus);
  }
  if (layout.multiplierLine) report.write(kMultipliers, echo.pMultiplier, echo.yMultiplier);
}

}  // namespace

void writeBranch(TextOutput& report, const UnitLabels& units, const Branch& branch) {
  writeBlock(report, BlockLabels(units), branch);
}

void writePYGeneration(TextOutput& report, const UnitLabels& units, const PYGeneration& generation,
                       std::span<const PYModification> modifications) {
  writePYProfileSections(report, units, generation.profile, modifications);
  const BlockLabels labels(units);
  for (const Branch& branch : generation.branches) writeBlock(report, labels, branch);
}

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
