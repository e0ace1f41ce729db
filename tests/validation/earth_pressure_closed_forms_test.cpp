// Generated active earth pressure against Rankine's theory (Rankine 1857; Terzaghi & Peck,
// "Soil Mechanics in Engineering Practice", 1967) with Bell's cohesion term
// (Bell 1915) and the tension cut-off, the water pressure below a water table, a uniform
// surcharge, Rankine's coefficient for a sloping backfill (as tabulated in Das, "Principles
// of Geotechnical Engineering") and Jaky's at-rest coefficient K0 = 1 - sin phi (Jaky 1944)
// entered as the optional coefficient.
//
// The diagram is read from the earth-pressure records of the plot data file: depth, total,
// earth-and-water part and surcharge part, each a pressure times the wall width (Wa down to
// the excavation level H, Wp below it). The system takes the active pressure below H as the
// constant value reached at H (sigma'v(H) Ka - 2c sqrt Ka), without water pressure: the
// diagram is the net load on the wall below the dredge line.
//
// Tolerance. Each pressure passes two E10.3 roundings: the diagram hands the pressures on
// with three significant digits, and the widths multiply those rounded values before they
// are printed with three digits again. The bound is W * r(p) + r(W p), r being half a unit
// in the third digit. Coefficients are computed in the test from their formulas with the
// exact pi; the system's single-precision constants (57.2958 degrees per radian, 0.036)
// differ by less than 1E-6 relative, far inside the bound.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "validation_support.h"

namespace korvex::validation {
namespace {

constexpr double kWaterUnitWeight = 0.036;  // lb/in^3 (62.2 pcf)

double radians(double degrees) { return degrees * kPi / 180.0; }

// Rankine's active coefficient for a level backfill, (1 - sin phi)/(1 + sin phi).
double rankineActive(double phiDegrees) {
  const double s = std::sin(radians(phiDegrees));
  return (1 - s) / (1 + s);
}

double printedBound(double pressure, double width) {
  return 1.001 * (width * halfUnitInLastDigit(pressure, 3) + halfUnitInLastDigit(width * pressure, 3));
}

// A wall of 40 increments of 6 in (240 in, toe fixed) with generated pressure
// (EarthPressureMode 2, no p-y curves), English units.
struct PressureWall {
  int unitSystem = 1;
  int increments = 40;
  double incrementLength = 6.0;
  double freeHeight = 120.0;
  double activeWidth = 12.0;
  double resistingWidth = 12.0;
  double backfillWater = 1000.0;
  double excavationWater = 1000.0;
  double slopeDegrees = 0.0;
  double surfacePressure = 0.0;
  std::vector<std::string> surcharges;  // group 10c records
  std::string layers;                   // group 10d, count line included

  std::string dataFile() const {
    std::ostringstream text;
    text << "RANKINE VALIDATION\n"
         << unitSystem << " 1 1 0 2 0 0 0 0 0\n"
         << increments << " " << number(incrementLength) << " 1000 0.001 " << number(freeHeight) << " "
         << number(activeWidth) << "\n"
         << "3 " << increments << " 0 0\n"
         << "0 " << increments << " 1 " << (unitSystem == 1 ? "3.0E+10" : "80000") << "\n0\n0\n"
         << number(freeHeight) << " " << number(activeWidth) << " " << number(resistingWidth) << " "
         << number(backfillWater) << " " << number(excavationWater) << " 1 1 " << number(slopeDegrees) << "\n"
         << number(surfacePressure) << " 0 0 0 0 0\n"
         << surcharges.size() << "\n";
    for (const std::string& line : surcharges) text << line << "\n";
    text << layers << "0\n";
    return text.str();
  }
};

// One layer of the given type reaching `bottom`, with the same six values at top and bottom.
std::string layer(int type, double bottom, const std::string& values) {
  return std::to_string(type) + " " + number(bottom) + "\n" + values + "\n" + values + "\n";
}

struct Diagram {
  RunResult run;
  PlotBlock block;
};

Diagram generate(const PressureWall& wall) {
  TempFolder folder;
  Diagram diagram{runEngineOn(folder, wall.dataFile()), {}};
  EXPECT_EQ(diagram.run.report.find("ERROR"), std::string::npos);
  diagram.block = readPlotBlock(diagram.run.plot);
  EXPECT_TRUE(diagram.block.complete);
  return diagram;
}

// Pressures per unit area at depth z of a hand calculation: total and the surcharge part.
struct HandPressure {
  double total;
  double surcharge;
};

// Checks every printed point against `hand` (pressure per unit area, times the width of
// its side of the excavation level) and returns the number of points checked.
int expectDiagram(const Diagram& diagram, const PressureWall& wall, const std::function<HandPressure(double z)>& hand) {
  int checked = 0;
  for (const PressurePoint& point : diagram.block.pressure) {
    const double width = point.depth <= wall.freeHeight ? wall.activeWidth : wall.resistingWidth;
    const HandPressure p = hand(point.depth);
    const double soil = p.total - p.surcharge;
    // Points in the tension zone carry a tiny positive placeholder instead of a pressure.
    const double floor = 1.0e-8;
    EXPECT_NEAR(point.total, width * p.total, printedBound(p.total, width) + floor) << "depth " << point.depth;
    // A soil part of exactly zero is written as 1.0E-7 (the graphs of the plot file skip zeros).
    EXPECT_NEAR(point.soil, width * soil, printedBound(soil, width) + 1.01e-7) << "depth " << point.depth;
    EXPECT_NEAR(point.surcharge, width * p.surcharge, printedBound(p.surcharge, width) + floor)
        << "depth " << point.depth;
    ++checked;
  }
  return checked;
}

// The rows of the report section ACTIVE EARTH PRESSURE OF EACH LAYER: layer, PA1, Z1, PA2,
// Z2, PA3, Z3, PA4 (forces per unit width in F10.2, depths in F6.2).
std::vector<std::vector<double>> layerResultants(const std::string& report, const std::string& section) {
  std::vector<std::vector<double>> rows;
  const std::vector<std::string> lines = splitLines(report);
  std::size_t i = 0;
  while (i < lines.size() && lines[i].find(section) == std::string::npos) ++i;
  for (++i; i < lines.size(); ++i) {
    std::vector<double> numbers;
    bool numeric = true;
    for (const std::string& word : splitWords(lines[i])) {
      double value = 0.0;
      if (!parseNumber(word, value)) {
        numeric = false;
        break;
      }
      numbers.push_back(value);
    }
    if (!numeric || numbers.empty()) {
      if (!rows.empty()) break;
      continue;
    }
    rows.push_back(numbers);
  }
  return rows;
}

// The active coefficients printed in the coefficient table, one per working layer.
std::vector<double> printedActiveCoefficients(const std::string& report) {
  std::vector<double> coefficients;
  for (const std::vector<double>& row : layerResultants(report, "ACTIVE AND PASSIVE EARTH PRESSURE COEFFICIENT"))
    if (row.size() == 4) coefficients.push_back(row[1]);
  return coefficients;
}

// Dry sand, phi = 30 deg, gamma = 0.0694 lb/in^3 (120 pcf), no surcharge: Ka = 1/3 and the
// Rankine triangle p = Ka gamma z down to H = 120 in, then the constant Ka gamma H; the
// widths Wa = 12 in above and Wp = 6 in below the excavation level.
TEST(RankineValidation, DrySandGivesTheActiveTriangle) {
  PressureWall wall;
  wall.resistingWidth = 6.0;
  wall.layers = "1\n" + layer(4, 600, "0.0694 0 30 0 0 0");
  const Diagram diagram = generate(wall);
  const double ka = rankineActive(30.0), gamma = 0.0694, H = wall.freeHeight;
  EXPECT_NEAR(ka, 1.0 / 3.0, 1.0e-12);
  const int checked = expectDiagram(diagram, wall, [&](double z) {
    return HandPressure{ka * gamma * std::min(z, H), 0.0};
  });
  EXPECT_EQ(checked, 41);  // 241 points to the tip, every 6th printed
  ASSERT_EQ(diagram.block.pressure.size(), 41u);
  EXPECT_DOUBLE_EQ(diagram.block.pressure[20].depth, H);
  for (const double coefficient : printedActiveCoefficients(diagram.run.report))
    EXPECT_NEAR(coefficient, ka, halfUnitInLastDigit(ka, 3));
}

// Sand with a water table at 60 in and a uniform surcharge q = 0.5 psi (Terzaghi & Peck):
// with sigma'v = q + gamma min(z, zw) + (gamma - gamma_w)(z - zw)+,
//   p = Ka sigma'v + gamma_w (z - zw)+ above H,  p = Ka sigma'v(H) below,
// the surcharge part being Ka q throughout. The layer resultants per unit width are the
// integrals of the two pressure shapes and of the water pressure (PA1 = Ka sigma'v(top) t,
// PA2 = Ka gamma_e t^2/2, PW1 = gamma_w (top - zw) t, PW2 = gamma_w t^2/2), printed F10.2.
TEST(RankineValidation, WaterTableAndUniformSurchargeAddTheirPressures) {
  PressureWall wall;
  wall.backfillWater = 60.0;
  wall.surfacePressure = 0.5;
  wall.layers = "1\n" + layer(4, 600, "0.0694 0 30 0 0 0");
  const Diagram diagram = generate(wall);
  const double ka = rankineActive(30.0), gamma = 0.0694, gw = kWaterUnitWeight, q = 0.5, zw = 60.0, H = 120.0;
  const auto effective = [&](double z) { return q + gamma * std::min(z, zw) + (gamma - gw) * std::max(z - zw, 0.0); };
  const int checked = expectDiagram(diagram, wall, [&](double z) {
    if (z > H) return HandPressure{ka * effective(H), ka * q};
    return HandPressure{ka * effective(z) + gw * std::max(z - zw, 0.0), ka * q};
  });
  EXPECT_EQ(checked, 41);

  const double t = 60.0, tolerance = 0.0051;
  const auto earth = layerResultants(diagram.run.report, "ACTIVE EARTH PRESSURE OF EACH LAYER");
  ASSERT_EQ(earth.size(), 2u);  // the two layers above H: 0-60 and 60-120
  EXPECT_NEAR(earth[0][1], ka * q * t, tolerance);
  EXPECT_NEAR(earth[0][3], ka * gamma * t * t / 2, tolerance);
  EXPECT_NEAR(earth[1][1], ka * effective(zw) * t, tolerance);
  EXPECT_NEAR(earth[1][3], ka * (gamma - gw) * t * t / 2, tolerance);
  EXPECT_NEAR(earth[0][2], t / 2, 0.0051);           // Z1: middle of the layer
  EXPECT_NEAR(earth[1][4], zw + 2 * t / 3, 0.0051);  // Z2: third point of the triangle
  const auto water = layerResultants(diagram.run.report, "ACTIVE WATER PRESSURE OF EACH LAYER");
  ASSERT_EQ(water.size(), 1u);  // the layer below the water table
  EXPECT_NEAR(water[0][1], 0.0, tolerance);
  EXPECT_NEAR(water[0][3], gw * t * t / 2, tolerance);
}

// Cohesion (Bell 1915): p = Ka sigma'v - 2 c sqrt Ka, cut off to zero above the tension
// crack z_c = 2c / (gamma sqrt Ka); the compression zone below it carries the resultant
// (H - z_c) p(H) / 2 acting at H - (H - z_c)/3 (report columns PA4 and Z3). Two soils:
// a clay (phi = 0 for the earth pressure: Ka = 1, z_c = 2c/gamma) and a c-phi soil
// (c = 1 psi, phi = 20 deg).
TEST(RankineValidation, CohesionReducesThePressureAndTensionIsCutOff) {
  struct Case {
    const char* name;
    int type;
    std::string values;
    double cohesion;
    double phi;
  };
  const Case cases[] = {
      {"stiff clay without free water", 3, "0.0694 1.5 0 0.005 0 0", 1.5, 0.0},
      {"c-phi soil", 5, "0.0694 1 20 0.005 100 0", 1.0, 20.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PressureWall wall;
    wall.layers = "1\n" + layer(c.type, 600, c.values);
    const Diagram diagram = generate(wall);
    const double ka = rankineActive(c.phi), gamma = 0.0694, H = wall.freeHeight;
    const double crack = 2 * c.cohesion / (gamma * std::sqrt(ka));
    const auto active = [&](double z) { return std::max(ka * gamma * z - 2 * c.cohesion * std::sqrt(ka), 0.0); };
    int inTension = 0;
    expectDiagram(diagram, wall, [&](double z) {
      if (z < crack) ++inTension;
      return HandPressure{active(std::min(z, H)), 0.0};
    });
    EXPECT_GE(inTension, 4);  // the cut-off is seen at several printed points
    const auto earth = layerResultants(diagram.run.report, "ACTIVE EARTH PRESSURE OF EACH LAYER");
    ASSERT_EQ(earth.size(), 1u);
    const double pBottom = active(H);
    EXPECT_NEAR(earth[0][7], (H - crack) * pBottom / 2, 0.0051);  // PA4
    EXPECT_NEAR(earth[0][6], H - (H - crack) / 3, 0.0051);        // Z3
    EXPECT_NEAR(earth[0][1], 0.0, 0.0051);                        // PA1 .. PA3 cleared
    EXPECT_NEAR(earth[0][3], 0.0, 0.0051);
    EXPECT_NEAR(earth[0][5], 0.0, 0.0051);
  }
}

// A backfill sloping at beta = 20 deg on sand of phi = 30 deg: Rankine's coefficient
//   Ka = cos b (cos b - sqrt(cos^2 b - cos^2 phi)) / (cos b + sqrt(cos^2 b - cos^2 phi))
// = 0.4142. The system applies Ka gamma z as the pressure on the wall (Rankine's
// conjugate stress acts parallel to the slope; its horizontal part would be cos b times
// it), above H and, as the constant Ka gamma H, below.
TEST(RankineValidation, SlopingBackfillUsesRankinesInclinedCoefficient) {
  PressureWall wall;
  wall.slopeDegrees = 20.0;
  wall.layers = "1\n" + layer(4, 600, "0.0694 0 30 0 0 0");
  const Diagram diagram = generate(wall);
  const double b = radians(20.0), cb = std::cos(b), cp = std::cos(radians(30.0));
  const double root = std::sqrt(cb * cb - cp * cp);
  const double ka = cb * (cb - root) / (cb + root);
  EXPECT_NEAR(ka, 0.4142, 5.0e-5);  // Das's table: 0.414 for beta = 20, phi = 30
  EXPECT_EQ(expectDiagram(diagram, wall,
                          [&](double z) {
                            return HandPressure{ka * 0.0694 * std::min(z, 120.0), 0.0};
                          }),
            41);
  const std::vector<double> coefficients = printedActiveCoefficients(diagram.run.report);
  ASSERT_FALSE(coefficients.empty());
  for (const double coefficient : coefficients) EXPECT_NEAR(coefficient, ka, halfUnitInLastDigit(ka, 3));
}

// The optional coefficient replaces Ka and drops the cohesion term: Jaky's at-rest
// coefficient K0 = 1 - sin phi = 0.5 for phi = 30 deg gives p = K0 gamma z, even in a
// c-phi soil whose Rankine pressure would be reduced by 2 c sqrt Ka.
TEST(RankineValidation, OptionalCoefficientGivesTheAtRestPressure) {
  const double k0 = 1 - std::sin(radians(30.0));
  PressureWall wall;
  wall.layers = "1\n" + layer(5, 600, "0.0694 1 30 0.005 100 " + number(k0));
  const Diagram diagram = generate(wall);
  EXPECT_EQ(expectDiagram(diagram, wall,
                          [&](double z) {
                            return HandPressure{k0 * 0.0694 * std::min(z, 120.0), 0.0};
                          }),
            41);
}

// The same Rankine triangle in SI units: gamma = 18 kN/m^3, phi = 30 deg, H = 3 m on a
// 6 m wall, widths 1 m: p = 6 z kPa to 3 m, then 18 kPa. The diagram has 20 points per
// metre (121 to the tip) and every 4th is printed.
TEST(RankineValidation, DrySandInSIUnits) {
  PressureWall wall;
  wall.unitSystem = 2;
  wall.incrementLength = 0.15;
  wall.freeHeight = 3.0;
  wall.activeWidth = 1.0;
  wall.resistingWidth = 1.0;
  wall.layers = "1\n" + layer(4, 10, "18 0 30 0 0 0");
  const Diagram diagram = generate(wall);
  const double ka = rankineActive(30.0);
  EXPECT_EQ(expectDiagram(diagram, wall,
                          [&](double z) {
                            return HandPressure{ka * 18.0 * std::min(z, 3.0), 0.0};
                          }),
            31);
  EXPECT_NEAR(diagram.block.pressure[5].depth, 1.0, 1.0e-9);
}

}  // namespace
}  // namespace korvex::validation
