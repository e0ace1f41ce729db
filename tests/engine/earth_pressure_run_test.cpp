// Whole runs with earth pressure generated from the soil profile or specified with
// surcharges: report sections, console lines, plot records and the checks that end a run.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "test_support.h"

namespace korvex {
namespace {

using testing::RunResult;
using testing::runEngineOn;
using testing::splitLines;
using testing::TempFolder;

// A 240-inch wall with a fixed toe in one layer, the group 10 lines given.
std::string englishWall(const std::string& control, const std::string& soilLines, const std::string& extra = "") {
  return "GENERATED PRESSURE\n" + control + "\n40 6 10 0.001 120 12\n3 40 0 0\n0 40 1 3.0E+10\n0\n0\n" + extra +
         soilLines + "0\n";
}

const std::string kControlMode2 = "1 1 1 0 2 0 0 0 0 0";
const std::string kSandProfile = "1\n4 600\n0.0694 0 30 0 0 0\n0.0694 0 30 0 0 0\n";

std::string soilLines(const std::string& line10a, const std::string& surcharges = "0\n",
                      const std::string& layers = kSandProfile) {
  return line10a + "\n0 0 0 0 0 0\n" + surcharges + layers;
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The rows of the generated-pressure table: depth and pressure times the width.
std::vector<std::pair<double, double>> pressureRows(const std::string& report) {
  std::vector<std::pair<double, double>> rows;
  const std::vector<std::string> lines = splitLines(report);
  bool inTable = false;
  for (const std::string& line : lines) {
    if (line.find("--------       ------------------------") != std::string::npos) {
      inTable = true;
      continue;
    }
    if (!inTable) continue;
    std::istringstream words(line);
    double depth = 0, pressure = 0;
    std::string rest;
    if (!(words >> depth >> pressure) || (words >> rest)) break;
    rows.emplace_back(depth, pressure);
  }
  return rows;
}

TEST(EarthPressureRun, WidthsWaAboveAndWpBelowTheExcavationLevel) {
  TempFolder folder;
  const RunResult run = runEngineOn(folder, englishWall(kControlMode2, soilLines("120 12 6 1000 1000 1 1 0")));
  ASSERT_TRUE(run.console.empty());
  const auto rows = pressureRows(run.report);
  ASSERT_EQ(rows.size(), 41u);  // 241 points, every 6th
  // 60 in: 0.0694 x 1/3 x 60 = 1.388 read back as 0.139E+01, times Wa = 12 is 16.68,
  // printed 0.167E+02.
  EXPECT_DOUBLE_EQ(rows[10].first, 60.0);
  EXPECT_DOUBLE_EQ(rows[10].second, 16.7);
  // Below H: sigma'v,exc Ka = 2.776 read back as 0.278E+01, times Wp = 6 (16.68), and at H
  // itself still times Wa (33.36).
  EXPECT_DOUBLE_EQ(rows[30].second, 16.7);
  EXPECT_DOUBLE_EQ(rows[20].second, 33.4);
  EXPECT_TRUE(contains(run.report, "      FREE HEIGHT OF WALL                    =  0.120E+03 IN\n"));
  EXPECT_TRUE(contains(run.report, "      WIDTH FOR SOIL RESISTANCE, WP          =  0.600E+01 IN\n"));
  // The plot data file holds the same 41 points.
  EXPECT_EQ(splitLines(run.plot).front(), "          41");
}

// Modes above 3 run the module, whose report sections appear, but hand the solution only
// the first point of the diagram (depth 0, q Ka = 0 here): the wall carries no earth pressure.
TEST(EarthPressureRun, ModesAboveThreeHandOverOnlyTheFirstPointOfTheDiagram) {
  TempFolder folder;
  const RunResult run = runEngineOn(folder, englishWall("1 1 1 0 4 0 0 0 0 0", soilLines("120 12 6 1000 1000 1 1 0")));
  EXPECT_TRUE(contains(run.report, "*      ACTIVE EARTH PRESSURE OF EACH LAYER       *"));
  EXPECT_EQ(pressureRows(run.report), (std::vector<std::pair<double, double>>{{0.0, 0.0}}));
  EXPECT_EQ(splitLines(run.plot).front(), "           1");
  EXPECT_TRUE(contains(run.report, "     RESULTS -- ITERATION  1\n")) << "nothing loads the wall";
}

TEST(EarthPressureRun, ExcavationBelowTheProfileStopsWithCodeOne) {
  TempFolder folder;
  const std::string shallow = "1\n4 100\n0.0694 0 30 0 0 0\n0.0694 0 30 0 0 0\n";
  const RunResult run = runEngineOn(folder, englishWall(kControlMode2, soilLines("120 12 12 1000 1000 1 1 0", "0\n", shallow)));
  EXPECT_EQ(run.console, (std::vector<std::string>{"STOP 1"}));
  EXPECT_TRUE(contains(run.report, "*                SOIL INFORMATION                *"));
  EXPECT_TRUE(contains(run.report, "     ERROR STOP 1 -- NO SOIL LAYER STARTS AT THE EXCAVATION LEVEL"));
  EXPECT_FALSE(contains(run.report, "EFFECTIVE OVERBURDEN STRESS"));
  EXPECT_TRUE(contains(run.report, "END OF ANALYSIS"));
}

TEST(EarthPressureRun, MoreThanTwentyLayersAfterSubdivisionStopWithCodeTwo) {
  std::string twenty = "20\n";
  for (int i = 1; i <= 20; ++i) twenty += "4 " + std::to_string(30 * i) + "\n0.0694 0 30 0 0 0\n0.0694 0 30 0 0 0\n";
  TempFolder folder;
  const RunResult run =
      runEngineOn(folder, englishWall(kControlMode2, soilLines("125 12 12 200 1000 1 1 0", "0\n", twenty)));
  EXPECT_EQ(run.console, (std::vector<std::string>{"STOP 2"}));
  EXPECT_TRUE(contains(run.report, "     ERROR STOP 2 -- THE SOIL PROFILE HAS MORE THAN 20 LAYERS AFTER SUBDIVISION\n"));
}

TEST(EarthPressureRun, ApparentPressureNeedsASingleStationSupport) {
  TempFolder folder;
  const RunResult run = runEngineOn(folder, englishWall("1 1 1 0 3 0 0 0 0 0", soilLines("120 12 12 1000 1000 1 1 0")));
  EXPECT_TRUE(contains(run.report, "     ERROR STOP -- EARTH PRESSURE MODE 3 (APPARENT-PRESSURE ENVELOPE) NEEDS A SUPPORT: "
                                   "A SINGLE-STATION SPRING OR A TIEBACK (INPUT DATA LINE 2, ITEM 5)"));
  // A spring over a single station is such a support: the run goes through.
  TempFolder other;
  const std::string withSpring = "GENERATED PRESSURE\n1 1 1 0 3 0 0 0 0 0\n40 6 10 0.001 120 12\n3 40 0 0\n"
                                 "0 40 1 3.0E+10\n0\n1\n10 10 1 1000 0\n" +
                                 soilLines("120 12 12 1000 1000 1 1 0") + "0\n";
  const RunResult supported = runEngineOn(other, withSpring);
  EXPECT_FALSE(contains(supported.report, "ERROR STOP"));
  EXPECT_TRUE(contains(supported.report, "RESULTS -- ITERATION"));
}

TEST(EarthPressureRun, NegativeNetForceWarnsOnTheConsoleAndInTheReport) {
  TempFolder folder;
  const std::string stiffClay = "2\n1 120\n0.065 10 0 0 0 0\n0.065 10 0 0 0 0\n4 600\n0.0694 0 30 0 0 0\n"
                                "0.0694 0 30 0 0 0\n";
  const RunResult run =
      runEngineOn(folder, englishWall(kControlMode2, soilLines("120 12 12 1000 1000 1 1 0", "0\n", stiffClay)));
  EXPECT_EQ(run.console, (std::vector<std::string>{"     Net active pressure is negative."}));
  EXPECT_TRUE(contains(run.report, "\n\n\n     Net active pressure is negative.\n"));
  EXPECT_TRUE(contains(run.report, "RESULTS -- ITERATION"));  // a warning only
}

TEST(EarthPressureRun, SlopeWarningGoesToTheReportAndTheMonitorFile) {
  TempFolder folder;
  const RunResult run = runEngineOn(folder, englishWall(kControlMode2, soilLines("120 12 12 1000 1000 1 1 30")));
  const std::string warning =
      "\n\n**** WARNING ******\nTHE BACKFILL SLOPE ANGLE SHOULD BE LESS THAN THE 'INTERNAL FRICTION ANGLE OF SAND.\n";
  EXPECT_TRUE(contains(run.report, warning + "           1          0.333E+00"));
  EXPECT_EQ(run.monitor.find(warning), 0u);
  // The layer below H gets no warning: once in each file.
  EXPECT_EQ(run.report.find(warning, run.report.find(warning) + 1), std::string::npos);
}

TEST(EarthPressureRun, SIDistancesAreReadInMillimetres) {
  TempFolder folder;
  const std::string data =
      "SI WALL\n2 1 1 0 2 0 0 0 0 0\n40 0.15 1 0.0001 3 1\n3 40 0 0\n0 40 1 50000\n0\n0\n"
      "3 1 1 10 10 1 1 0\n0 0 0 0 0 0\n1\n3 20 2000 1000\n1\n4 10\n18 0 30 0 0 0\n18 0 30 0 0 0\n0\n";
  const RunResult run = runEngineOn(folder, data);
  EXPECT_TRUE(contains(run.report, "      STRIP LOAD                   =  0.200E+02  KN/ M**2\n"
                                   "      WIDTH OF THE STRIP LOAD      =  0.100E+01  M\n"
                                   "      HORIZONTAL DISTANCE BETWEEN  =  0.200E+01  M\n"
                                   "      WALL AND MIDDLE OF STRIP WIDTH          \n"));
  EXPECT_TRUE(contains(run.report, "       NO.      M        kPa     DEG   kN/M^3    T OR F   M \n"));
}

// The plot records of the earth pressure: depth, total, soil part, surcharge part.
std::vector<std::vector<double>> plotPressure(const std::string& plot) {
  std::istringstream in(plot);
  int count = 0;
  in >> count;
  std::vector<std::vector<double>> points(static_cast<std::size_t>(count), std::vector<double>(4));
  for (auto& point : points)
    for (double& value : point) in >> value;
  return points;
}

TEST(EarthPressureRun, SpecifiedPressureTakesTheBlocksOwnSurchargesTimesWa) {
  // Specified pressure with group 10 present (generated curves asked for): a line load of
  // 100 lb/in at 20 in, m = 0.5 with the block's own free height of 40 in, grid every 1.2 in.
  const std::string block =
      "SPECIFIED\n1 1 1 0 1 2 0 0 0 0\n200 1.2 10 0.001 40 12\n3 200 0 0\n0 200 1 3.0E+10\n0\n0\n"
      "2\n10 5\n40 20\n40 12 12 1000 1000 1 1 0\n0 0 0 0 0 0\n1\n2 100 20 0\n1\n4 600\n0.0694 0 30 0 0 0\n"
      "0.0694 0 30 0 0 0\n";
  TempFolder folder;
  const RunResult run = runEngineOn(folder, block + "0\n");
  const auto points = plotPressure(run.plot);
  ASSERT_EQ(points.size(), 2u);
  // At 10 in the grid takes 9.6 in: m = 0.5, n = 0.24, sigma = 4/pi QL m^2 n / (H (m^2+n^2)^2).
  const double m = 0.5, n = 9.6 / 40;
  const double sigma = 4 * 100 * m * m * n / (3.1416 * 40 * (m * m + n * n) * (m * m + n * n));
  // Printed with three significant digits.
  EXPECT_NEAR(points[0][1], 5 + 12 * sigma, 0.05);
  EXPECT_NEAR(points[0][2], 5, 1e-9);
  EXPECT_NEAR(points[0][3], 12 * sigma, 0.05);

  // A following block without group 10 inherits none of them.
  TempFolder second;
  const std::string next = "NEXT\n1 1 1 0 1 0 0 0 0 0\n200 1.2 10 0.001 40 12\n3 200 0 0\n0 200 1 3.0E+10\n0\n0\n"
                           "2\n10 5\n40 20\n0\n";
  const RunResult two = runEngineOn(second, block + "9\n" + next);
  EXPECT_FALSE(contains(two.report, "ERROR"));
  EXPECT_TRUE(contains(two.plot, "   0.100E+02   0.500E+01   0.500E+01   0.000E+00\n"));
}

}  // namespace
}  // namespace korvex
