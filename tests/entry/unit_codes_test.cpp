// Unit codes: the labels every input table, data window and graph axis shows, and the factors
// that convert table values between English and SI units, checked against the labels the
// catalogue of input tables, the data windows and the graphs print and against the exact
// definitions of the inch and the pound-force.
#include "entry/unit_codes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace korvex {
namespace {

// Factors built here from the element table by plain multiplication and compared with the
// parser's: both are extended-precision products of the same few numbers, so they agree to a
// few units in the last place.
constexpr long double kSameProductTolerance = 1e-17L;

// 1 in = 0.0254 m and 1 lbf = 4.4482216152605 N exactly. The element table's force factor,
// 224.8089237, is 8.6e-8 below 1000/4.4482216152605 = 224.80894310; its length factors are
// good to about 1e-10. A code with a force element and up to three lengths therefore agrees with
// the definitions to better than 1e-7.
constexpr long double kDefinitionTolerance = 1e-7L;
constexpr long double kPoundsPerKilonewton = 1000.0L / 4.4482216152605L;
constexpr long double kInchesPerMetre = 1.0L / 0.0254L;
constexpr long double kFeetPerMetre = 1.0L / 0.3048L;

void expectRelative(long double actual, long double expected, long double tolerance, const std::string& what) {
  EXPECT_LE(std::fabs(actual - expected), tolerance * std::fabs(expected))
      << what << ": " << static_cast<double>(actual) << " vs " << static_cast<double>(expected);
}

struct LabelCase {
  const char* code;
  const char* english;
  const char* si;
};

// Every unit code of the catalogue of input tables with the label it lists after the column
// header (English / SI).
const std::vector<LabelCase> kCatalogueCodes = {
    {"L2", "ft", "m"},
    {"L", "in", "m"},
    {"L1", "in", "mm"},
    {"L1^2", "in^2", "mm^2"},
    {"F", "lbs", "kN"},
    {"F-L", "lbs-in", "kN-m"},
    {"F-L^2", "lbs-in^2", "kN-m^2"},
    {"F/L", "lbs/in", "kN/m"},
    {"F/L2", "lbs/ft", "kN/m"},
    {"F/L2^2", "lbs/ft^2", "kN/m^2"},
    {"F/L2^3", "lbs/ft^3", "kN/m^3"},
    {"F/L^2", "lbs/in^2", "kN/m^2"},
    {"F/L^3", "lbs/in^3", "kN/m^3"},
    {"F-L/RAD.", "lbs-in/RAD.", "kN-m/RAD."},
    {"DEG.", "DEG.", "DEG."},
    {"SEE NOTES", "SEE NOTES", "SEE NOTES"},
};

TEST(UnitCodes, CatalogueCodesGiveTheColumnLabelsInEnglishAndSI) {
  for (const LabelCase& c : kCatalogueCodes) {
    EXPECT_EQ(tableUnitLabel(c.code, kEnglishUnits), c.english) << c.code;
    EXPECT_EQ(tableUnitLabel(c.code, kSIUnits), c.si) << c.code;
  }
}

TEST(UnitCodes, EveryElementHasItsLabelInEachSystem) {
  struct Element {
    const char* code;
    const char* english;
    const char* si;
    const char* other;
  };
  const std::vector<Element> elements = {
      {"F", "lbs", "kN", "F"},        {"F1", "kips", "kN", "F"}, {"F2", "tons", "kN", "F"},
      {"F4", "lb-sec2/in", "Mg", "M"}, {"F5", "sec", "sec", "T"}, {"F6", "slug", "Mg", "F"},
      {"L", "in", "m", "L"},          {"L1", "in", "mm", "L"},   {"L2", "ft", "m", "L"},
      {"L3", "rad", "rad", "L"},
  };
  for (const Element& e : elements) {
    EXPECT_EQ(tableUnitLabel(e.code, kEnglishUnits), e.english) << e.code;
    EXPECT_EQ(tableUnitLabel(e.code, kSIUnits), e.si) << e.code;
    EXPECT_EQ(tableUnitLabel(e.code, kOtherUnits), e.other) << e.code;
  }
  // Several elements in one code, each replaced where it stands.
  EXPECT_EQ(tableUnitLabel("F1-L2/L3", kEnglishUnits), "kips-ft/rad");
  EXPECT_EQ(tableUnitLabel("F4/L1^2", kSIUnits), "Mg/mm^2");
  EXPECT_EQ(tableUnitLabel("L2/L", kEnglishUnits), "ft/in");
  // Other units show the letters: F/L^3 for a unit weight, whatever the length element.
  EXPECT_EQ(tableUnitLabel("F/L2^3", kOtherUnits), "F/L^3");
  EXPECT_EQ(tableUnitLabel("L1^2", kOtherUnits), "L^2");
  EXPECT_EQ(tableUnitLabel("F-L/RAD.", kOtherUnits), "F-L/RAD.");
  // A label that spells an element is not replaced again.
  EXPECT_EQ(tableUnitLabel("F6-F", kOtherUnits), "F-F");
}

TEST(UnitCodes, CodesWithoutElementsShowAsTheyStandAndConvertByOne) {
  for (const char* code : {"", "DEG.", "SEE NOTES", "deg."}) {
    for (int system : {kEnglishUnits, kSIUnits, kOtherUnits}) {
      EXPECT_EQ(tableUnitLabel(code, system), code);
      EXPECT_EQ(editUnitLabel(code, system), code);
      EXPECT_EQ(axisUnitLabel(code, system), code);
    }
    EXPECT_EQ(unitCodeFactor(code), 1.0L) << code;
    EXPECT_EQ(unitConversionFactor(code, kEnglishUnits, kSIUnits), 1.0L) << code;
    EXPECT_EQ(unitConversionFactor(code, kSIUnits, kEnglishUnits), 1.0L) << code;
  }
}

TEST(UnitCodes, FactorsCombineForceAndLengthElementsWithTheirExponents) {
  const long double f = 224.8089237L;
  const long double f1 = 0.2248089237L;
  const long double l = 39.37007874L;
  const long double l1 = 0.03937007874L;
  const long double l2 = 3.280839895L;
  struct FactorCase {
    const char* code;
    long double factor;
  };
  const std::vector<FactorCase> cases = {
      {"F", f},
      {"F1", f1},
      {"F2", 0.1124044745L},
      {"F4", 5.7101483L},
      {"F5", 1.0L},
      {"L", l},
      {"L1", l1},
      {"L2", l2},
      {"L3", 1.0L},
      {"L1^2", l1 * l1},
      {"F-L", f * l},
      {"F-L^2", f * l * l},
      {"F/L", f / l},
      {"F/L2", f / l2},
      {"F/L2^2", f / (l2 * l2)},
      {"F/L2^3", f / (l2 * l2 * l2)},
      {"F/L^2", f / (l * l)},
      {"F/L^3", f / (l * l * l)},
      {"F-L/RAD.", f * l},
      {"F1-L2", f1 * l2},
      {"F^2-L", f * f * l},   // a force exponent, then the separator
      {"F1/L2^3", f1 / (l2 * l2 * l2)},
      {"F0-L0^2", f * l * l},  // F0 and L0 are F and L spelt out
  };
  for (const FactorCase& c : cases) expectRelative(unitCodeFactor(c.code), c.factor, kSameProductTolerance, c.code);
  // Slugs in one Mg: 1000 kg / 14.5939 kg per slug = 68.5218, to the six figures of the
  // published conversion tables.
  EXPECT_NEAR(static_cast<double>(unitCodeFactor("F6")), 68.5218, 0.00005);
}

TEST(UnitCodes, EnglishToSIDividesByTheFactorAndSIToEnglishMultiplies) {
  // Unit weight: from lb/ft^3 to kN/m^3 a stored value is divided by 224.8089237 / 3.280839895^3.
  const long double unitWeight = 224.8089237L / (3.280839895L * 3.280839895L * 3.280839895L);
  expectRelative(unitConversionFactor("F/L2^3", kEnglishUnits, kSIUnits), 1.0L / unitWeight,
                 kSameProductTolerance, "F/L2^3 to SI");
  expectRelative(unitConversionFactor("F/L2^3", kSIUnits, kEnglishUnits), unitWeight, kSameProductTolerance,
                 "F/L2^3 to English");
  // Feet to metres and back.
  expectRelative(unitConversionFactor("L2", kEnglishUnits, kSIUnits), 1.0L / 3.280839895L, kSameProductTolerance,
                 "L2 to SI");
  expectRelative(unitConversionFactor("L2", kSIUnits, kEnglishUnits), 3.280839895L, kSameProductTolerance,
                 "L2 to English");
  // Flexural rigidity.
  expectRelative(unitConversionFactor("F-L^2", kSIUnits, kEnglishUnits), 224.8089237L * 39.37007874L * 39.37007874L,
                 kSameProductTolerance, "F-L^2 to English");
  // There and back again is the identity, to rounding.
  for (const LabelCase& c : kCatalogueCodes) {
    const long double there = unitConversionFactor(c.code, kEnglishUnits, kSIUnits);
    const long double back = unitConversionFactor(c.code, kSIUnits, kEnglishUnits);
    expectRelative(there * back, 1.0L, kSameProductTolerance, c.code);
  }
}

TEST(UnitCodes, NothingIsConvertedWithinASystemOrToAndFromOtherUnits) {
  for (const LabelCase& c : kCatalogueCodes) {
    for (int from : {kEnglishUnits, kSIUnits, kOtherUnits}) {
      EXPECT_EQ(unitConversionFactor(c.code, from, from), 1.0L) << c.code;
      EXPECT_EQ(unitConversionFactor(c.code, from, kOtherUnits), 1.0L) << c.code;
      EXPECT_EQ(unitConversionFactor(c.code, kOtherUnits, from), 1.0L) << c.code;
    }
  }
}

TEST(UnitCodes, CatalogueFactorsAgreeWithTheDefinitionsOfInchAndPoundForce) {
  const long double f = kPoundsPerKilonewton;
  const long double in = kInchesPerMetre;
  const long double ft = kFeetPerMetre;
  struct Definition {
    const char* code;
    long double englishPerSI;
  };
  const std::vector<Definition> definitions = {
      {"L2", ft},          {"L", in},           {"L1", in / 1000},     {"L1^2", in * in / 1e6L},
      {"F", f},            {"F-L", f * in},     {"F-L^2", f * in * in}, {"F/L", f / in},
      {"F/L2", f / ft},    {"F/L2^2", f / (ft * ft)}, {"F/L2^3", f / (ft * ft * ft)},
      {"F/L^2", f / (in * in)}, {"F/L^3", f / (in * in * in)}, {"F-L/RAD.", f * in},
  };
  for (const Definition& d : definitions)
    expectRelative(unitConversionFactor(d.code, kSIUnits, kEnglishUnits), d.englishPerSI, kDefinitionTolerance, d.code);

  // Water: 62.4 lb/ft^3 x (0.0044482216 kN / 0.3048^3 m^3 = 0.15708746) = 9.802258 kN/m^3.
  EXPECT_NEAR(static_cast<double>(62.4L * unitConversionFactor("F/L2^3", kEnglishUnits, kSIUnits)), 9.802258, 1e-5);
  // A 1000 lb point load is 4.4482 kN.
  EXPECT_NEAR(static_cast<double>(1000.0L * unitConversionFactor("F", kEnglishUnits, kSIUnits)), 4.44822, 1e-5);
}

TEST(UnitCodes, DataWindowFieldsLabelTheirCodesByTheEditControlRule) {
  // The unit codes of the wall properties and wall configuration windows.
  const std::vector<LabelCase> fields = {
      {"L", "in", "m"},
      {"L2", "ft", "m"},
      {"F/L2^2", "lbs/ft^2", "kN/m^2"},
      {"deg.", "deg.", "deg."},
  };
  for (const LabelCase& c : fields) {
    EXPECT_EQ(editUnitLabel(c.code, kEnglishUnits), c.english) << c.code;
    EXPECT_EQ(editUnitLabel(c.code, kSIUnits), c.si) << c.code;
    EXPECT_EQ(editUnitLabel(c.code, kOtherUnits), c.code) << c.code;
  }
  // Over the catalogue codes the edit rule gives the table labels in English and SI.
  for (const LabelCase& c : kCatalogueCodes) {
    EXPECT_EQ(editUnitLabel(c.code, kEnglishUnits), c.english) << c.code;
    EXPECT_EQ(editUnitLabel(c.code, kSIUnits), c.si) << c.code;
  }
}

TEST(UnitCodes, EditControlRuleReplacesOnlyTheFirstElementKindFound) {
  // One force kind (F6 before F5 before F4 before F2 before F1, else F) and one length kind
  // (L2 before L1 before L3, else L); the others stay as letters.
  EXPECT_EQ(editUnitLabel("L2/L", kEnglishUnits), "ft/L");
  EXPECT_EQ(tableUnitLabel("L2/L", kEnglishUnits), "ft/in");
  EXPECT_EQ(editUnitLabel("F1-F", kEnglishUnits), "kips-F");
  EXPECT_EQ(editUnitLabel("F6/F1", kSIUnits), "Mg/F1");
  EXPECT_EQ(editUnitLabel("F2-L1/L3", kEnglishUnits), "tons-in/L3");
  EXPECT_EQ(editUnitLabel("F-L3", kSIUnits), "kN-rad");
  // Every occurrence of the kind found is replaced.
  EXPECT_EQ(editUnitLabel("L2-L2", kSIUnits), "m-m");
  // Other units: the code itself, not the letters F and L of the table rule.
  EXPECT_EQ(editUnitLabel("F/L2^3", kOtherUnits), "F/L2^3");
}

TEST(UnitCodes, GraphAxesLabelTheirCodesByTheAxisRule) {
  // The codes of the result graphs' axes.
  const std::vector<LabelCase> axes = {
      {"L", "in", "m"},
      {"F", "lbs", "kN"},
      {"F/L", "lbs/in", "kN/m"},
      {"L2", "ft", "m"},
  };
  for (const LabelCase& c : axes) {
    EXPECT_EQ(axisUnitLabel(c.code, kEnglishUnits), c.english) << c.code;
    EXPECT_EQ(axisUnitLabel(c.code, kSIUnits), c.si) << c.code;
    EXPECT_EQ(axisUnitLabel(c.code, kOtherUnits), c.code) << c.code;
  }
  EXPECT_EQ(axisUnitLabel("F2-L1", kEnglishUnits), "tons-in");
  EXPECT_EQ(axisUnitLabel("F1-L1", kSIUnits), "kN-mm");
  EXPECT_EQ(axisUnitLabel("F1/L2", kEnglishUnits), "kips/ft");
  // F2 is found before F1, and only one kind is replaced.
  EXPECT_EQ(axisUnitLabel("F1-F2", kEnglishUnits), "F1-tons");
  // The axis rule knows no angle: L3 is the plain L followed by a 3.
  EXPECT_EQ(axisUnitLabel("L3", kEnglishUnits), "in3");
  EXPECT_EQ(editUnitLabel("L3", kEnglishUnits), "rad");
}

TEST(UnitCodes, ChartTablesReadUnknownElementDigitsAsZero) {
  // The codes the chart tables use read as in other tables.
  for (const char* code : {"F-L", "F-L^2", "L", "F/L"}) {
    for (int system : {kEnglishUnits, kSIUnits, kOtherUnits})
      EXPECT_EQ(tableUnitLabel(code, system, UnitElementSet::Chart), tableUnitLabel(code, system)) << code;
    EXPECT_EQ(unitCodeFactor(code, UnitElementSet::Chart), unitCodeFactor(code)) << code;
  }
  EXPECT_EQ(unitCodeFactor("F4", UnitElementSet::Chart), 224.8089237L);
  EXPECT_EQ(unitCodeFactor("L3", UnitElementSet::Chart), 39.37007874L);
  expectRelative(unitCodeFactor("F6-L3^2", UnitElementSet::Chart), 224.8089237L * 39.37007874L * 39.37007874L,
                 kSameProductTolerance, "F6-L3^2 in a chart table");
  EXPECT_EQ(tableUnitLabel("L3", kEnglishUnits, UnitElementSet::Chart), "in");
  EXPECT_EQ(tableUnitLabel("F4/L3", kSIUnits, UnitElementSet::Chart), "kN/m");
  EXPECT_EQ(tableUnitLabel("F1/L2", kEnglishUnits, UnitElementSet::Chart), "kips/ft");
  // The same codes in other tables are mass and angle.
  EXPECT_EQ(unitCodeFactor("F4"), 5.7101483L);
  EXPECT_EQ(tableUnitLabel("F4/L3", kSIUnits), "Mg/rad");
}

TEST(UnitCodes, UnitSystemsOutsideOneToThreeAreBroughtIntoRange) {
  EXPECT_EQ(clampUnitSystem(-4), kEnglishUnits);
  EXPECT_EQ(clampUnitSystem(0), kEnglishUnits);
  EXPECT_EQ(clampUnitSystem(2), kSIUnits);
  EXPECT_EQ(clampUnitSystem(9), kOtherUnits);
  EXPECT_EQ(tableUnitLabel("L2", 0), "ft");
  EXPECT_EQ(tableUnitLabel("L2", 7), "L");
  EXPECT_EQ(editUnitLabel("L2", 7), "L2");
}

}  // namespace
}  // namespace korvex
