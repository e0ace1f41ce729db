// Lateral pressures of surcharges behind the wall against their published forms, as given by
// Das, "Principles of Foundation Engineering" (lateral pressure due to surcharge): the
// point-load forms and the near-wall line-load form are Terzaghi's (1954, "Anchored bulkheads",
// Trans. ASCE 119) adjustments of Boussinesq's solution to measurements (Spangler & Mickle
// 1956); away from the wall the line load takes Boussinesq's (Flamant's) solution doubled for
// an unyielding wall, and the strip load is the doubled elastic solution. With
//   m = X/H (distance of the load from the wall) and n = z/H (depth below the top):
//   point load Q:  0.28 Q n^2 / (H^2 (0.16 + n^2)^3)             (m <= 0.4)
//                  1.77 Q m^2 n^2 / (H^2 (m^2 + n^2)^3)           (m > 0.4)
//   line load q:   0.203 q n / (H (0.16 + n^2)^2)                 (m <= 0.4)
//                  2 x Boussinesq (Flamant) = 4 q X^2 z / (pi (X^2 + z^2)^2)   (m > 0.4)
//   strip load q of width B, centre at X:  (2q/pi) (beta - sin beta cos 2 alpha), beta the
//                  angle the strip subtends at the point of the wall and alpha the angle
//                  of its bisector from the vertical.
//
// The diagram samples the surcharge pressures on a fixed grid of 200 depths over the wall
// length L (spacing L/200) and gives each diagram point the value at the deepest grid
// depth above it. The wall here is 200 in long, so the grid is every inch and the diagram
// point at depth z (a whole number of inches) carries the pressure of depth z - 1 in.
//
// Read from the surcharge part of the plot file's earth-pressure records (pressure times
// the width, 12 in on both sides of the excavation level); tolerance as for the Rankine
// cases: two E10.3 roundings, W r(p) + r(W p). The system's pi = 3.1416 and its
// single-precision constants differ from the exact values by less than 3E-6 relative.
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

constexpr double kFreeHeight = 120.0;  // in
constexpr double kWidth = 12.0;        // in, Wa = Wp
constexpr double kWallLength = 200.0;  // in: 40 increments of 5 in

double printedBound(double pressure) {
  return 1.001 * (kWidth * halfUnitInLastDigit(pressure, 3) + halfUnitInLastDigit(kWidth * pressure, 3));
}

// Dry sand behind a 200-in wall with the excavation at 120 in and the given group 10c
// records; no uniform surface pressure, so the surcharge part is the surcharges alone.
std::string wallWithSurcharges(const std::vector<std::string>& surcharges) {
  std::ostringstream text;
  text << "SURCHARGE VALIDATION\n1 1 1 0 2 0 0 0 0 0\n40 5 1000 0.001 " << kFreeHeight << " " << kWidth
       << "\n3 40 0 0\n0 40 1 3.0E+10\n0\n0\n"
       << kFreeHeight << " " << kWidth << " " << kWidth << " 1000 1000 1 1 0\n0 0 0 0 0 0\n"
       << surcharges.size() << "\n";
  for (const std::string& line : surcharges) text << line << "\n";
  text << "1\n4 600\n0.0694 0 30 0 0 0\n0.0694 0 30 0 0 0\n0\n";
  return text.str();
}

std::string surchargeRecord(int type, double magnitude, double distance, double stripWidth = 0.0) {
  return std::to_string(type) + " " + number(magnitude) + " " + number(distance) + " " + number(stripWidth);
}

double pointLoad(double Q, double X, double z) {
  const double H = kFreeHeight, m = X / H, n = z / H;
  if (m <= 0.4) return 0.28 * Q * n * n / (H * H * std::pow(0.16 + n * n, 3));
  return 1.77 * Q * m * m * n * n / (H * H * std::pow(m * m + n * n, 3));
}

double lineLoad(double q, double X, double z) {
  const double H = kFreeHeight, m = X / H, n = z / H;
  if (m <= 0.4) return 0.203 * q * n / (H * std::pow(0.16 + n * n, 2));
  return 4 * q * X * X * z / (kPi * std::pow(X * X + z * z, 2));
}

double stripLoad(double q, double X, double B, double z) {
  const double near = std::atan((X - B / 2) / z), far = std::atan((X + B / 2) / z);
  const double beta = far - near, alpha = (near + far) / 2;
  return 2 * q / kPi * (beta - std::sin(beta) * std::cos(2 * alpha));
}

// The grid depth whose value a diagram point at depth z carries: the deepest multiple of
// L/200 strictly above z (none for z at or above the first grid depth).
double gridDepthAbove(double z) {
  const double spacing = kWallLength / 200;
  const double steps = std::floor(z / spacing - 1.0e-9);
  return steps >= 1 ? steps * spacing : 0.0;
}

struct Case {
  const char* name;
  std::vector<std::string> records;
  std::function<double(double z)> pressure;  // per unit area at depth z
};

std::vector<Case> cases() {
  return {
      {"point load near the wall, m = 0.2",
       {surchargeRecord(1, 20000, 24)},
       [](double z) { return pointLoad(20000, 24, z); }},
      {"point load away from the wall, m = 0.6",
       {surchargeRecord(1, 20000, 72)},
       [](double z) { return pointLoad(20000, 72, z); }},
      {"line load near the wall, m = 0.2",
       {surchargeRecord(2, 100, 24)},
       [](double z) { return lineLoad(100, 24, z); }},
      {"line load away from the wall, m = 0.6",
       {surchargeRecord(2, 100, 72)},
       [](double z) { return lineLoad(100, 72, z); }},
      {"strip load 48 in wide centred 60 in from the wall",
       {surchargeRecord(3, 2, 60, 48)},
       [](double z) { return stripLoad(2, 60, 48, z); }},
      {"all three together",
       {surchargeRecord(1, 20000, 72), surchargeRecord(2, 100, 24), surchargeRecord(3, 2, 60, 48)},
       [](double z) { return pointLoad(20000, 72, z) + lineLoad(100, 24, z) + stripLoad(2, 60, 48, z); }},
  };
}

TEST(SurchargeValidation, DiagramCarriesThePublishedSurchargePressures) {
  for (const Case& c : cases()) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    const RunResult run = runEngineOn(folder, wallWithSurcharges(c.records));
    EXPECT_EQ(run.report.find("ERROR"), std::string::npos);
    const PlotBlock block = readPlotBlock(run.plot);
    ASSERT_TRUE(block.complete);
    ASSERT_EQ(block.pressure.size(), 35u);  // 201 points, every 6th and the last
    double largest = 0.0;
    for (const PressurePoint& point : block.pressure) {
      const double zGrid = gridDepthAbove(point.depth);
      const double expected = zGrid > 0 ? c.pressure(zGrid) : 0.0;
      largest = std::max(largest, expected);
      EXPECT_NEAR(point.surcharge, kWidth * expected, printedBound(expected) + 1.0e-12) << "depth " << point.depth;
    }
    EXPECT_GT(largest * kWidth, 1.0);  // the cases load the wall noticeably
  }
}

// The near-wall forms join Boussinesq's doubled solutions only roughly at m = 0.4: the
// system switches on m alone, so a load moved from 0.4 H to 0.41 H changes its diagram by
// the jump between the two published forms, not by the small change of distance.
TEST(SurchargeValidation, FormsSwitchAtFourTenthsOfTheFreeHeight) {
  for (const double X : {0.4 * kFreeHeight, 0.41 * kFreeHeight}) {
    SCOPED_TRACE("X = " + std::to_string(X));
    TempFolder folder;
    const RunResult run = runEngineOn(folder, wallWithSurcharges({surchargeRecord(2, 100, X)}));
    const PlotBlock block = readPlotBlock(run.plot);
    ASSERT_TRUE(block.complete);
    for (const PressurePoint& point : block.pressure) {
      const double zGrid = gridDepthAbove(point.depth);
      const double expected = zGrid > 0 ? lineLoad(100, X, zGrid) : 0.0;
      EXPECT_NEAR(point.surcharge, kWidth * expected, printedBound(expected) + 1.0e-12) << "depth " << point.depth;
    }
  }
  // The two forms differ noticeably near the top: at n = 0.2 the near-wall form gives
  // 0.203 x 0.2/0.2^2 = 1.015 q/H against 4 x 0.41^2 x 0.2 / (pi x 0.2081^2) = 0.988 q/H.
  const double nearForm = lineLoad(100, 0.4 * kFreeHeight, 24), farForm = lineLoad(100, 0.41 * kFreeHeight, 24);
  EXPECT_NEAR(nearForm * kFreeHeight / 100, 1.015, 1.0e-12);
  EXPECT_NEAR(farForm * kFreeHeight / 100, 0.988, 5.0e-4);
  EXPECT_GT(std::abs(nearForm - farForm) / nearForm, 0.01);
}

}  // namespace
}  // namespace korvex::validation
