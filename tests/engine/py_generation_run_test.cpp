// Whole runs with p-y curves generated from the soil layers: the curves of layered profiles,
// the multipliers, the storage limit shared with user curves, the plot records of the curves,
// the stops of the criteria and files of several blocks.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
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

// A 240-inch wall of 40 increments of 6 in with a fixed toe and the excavation at 120 in;
// the profile is cut two increments below the toe, at X = 132 in.
struct CurveWall {
  int modificationCount = 0;
  int userCurveCount = 0;
  std::string activeWidth = "12";
  std::string resistingWidth = "12";
  std::string modificationRows;
  std::string layers;
  std::string userCurves;

  std::string block(int stageCount = 0) const {
    std::ostringstream text;
    text << "GENERATED CURVES\n"
         << "1 1 1 " << modificationCount << " 2 2 " << userCurveCount << " " << stageCount << " 0 0\n"
         << "40 6 10 0.001 120 " << activeWidth << "\n3 40 0 0\n0 40 1 3.0E+10\n0\n0\n"
         << modificationRows << "120 " << activeWidth << " " << resistingWidth << " 1000 1000 1 1 0\n"
         << "0 0 0 0 0 0\n0\n"
         << layerCount() << "\n"
         << layers << userCurves;
    return text.str();
  }
  std::string file() const { return block() + "0\n"; }
  int layerCount() const { return static_cast<int>(splitLines(layers).size() / 3); }
};

std::string layer(int type, double bottom, const std::string& values) {
  std::ostringstream text;
  text << type << " " << bottom << "\n" << values << "\n" << values << "\n";
  return text.str();
}
std::string sand(double bottom) { return layer(4, bottom, "0.0694 0 32 0 25 0"); }
std::string softClay(double bottom) { return layer(1, bottom, "0.0637 5 0 0.01 0 0"); }
std::string strongRock(double bottom) { return layer(6, bottom, "0.0694 1000 0 0 0 0"); }

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

bool isNumber(const std::string& token, double& value) {
  value = korvex::testing::parseNumber(token);
  return !std::isnan(value);
}

std::vector<std::string> tokens(const std::string& line) {
  std::istringstream words(line);
  std::vector<std::string> all;
  for (std::string word; words >> word;) all.push_back(word);
  return all;
}

// One branch block of the report: its face, the depth on its value line, its 17 rows and
// the multiplier line after them (where the criterion prints one).
struct PrintedBranch {
  bool excavation = true;
  double depth = 0.0;
  std::vector<std::pair<double, double>> rows;
  std::string multipliers;
};

std::vector<PrintedBranch> printedBranches(const std::string& report) {
  std::vector<PrintedBranch> branches;
  const std::vector<std::string> lines = splitLines(report);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const bool excavation = contains(lines[i], "AT THE EXCAVATION SIDE");
    if (!excavation && !contains(lines[i], "AT THE BACKFILL SIDE")) continue;
    PrintedBranch branch;
    branch.excavation = excavation;
    bool depthFound = false;
    for (++i; i < lines.size() && branch.rows.size() < 17; ++i) {
      const std::vector<std::string> words = tokens(lines[i]);
      double first = 0.0, second = 0.0;
      if (words.empty() || !isNumber(words[0], first)) continue;
      if (!depthFound) {
        branch.depth = first;
        depthFound = true;
      } else if (words.size() == 2 && isNumber(words[1], second)) {
        branch.rows.emplace_back(first, second);
      }
    }
    if (i < lines.size() && contains(lines[i], "P-Multiplier")) branch.multipliers = lines[i];
    --i;
    branches.push_back(branch);
  }
  return branches;
}

// The resistance on the plateau of the excavation branch at depth X (the last row).
double plateauAt(const std::vector<PrintedBranch>& branches, double x) {
  for (const PrintedBranch& branch : branches) {
    if (branch.excavation && std::abs(branch.depth - x) < 1.0E-6 && branch.rows.size() == 17)
      return branch.rows.back().second;
  }
  ADD_FAILURE() << "no excavation branch at X = " << x;
  return 0.0;
}

TEST(PYGenerationRun, FiveCurvesPerProfileLayerOnBothFaces) {
  TempFolder folder;
  CurveWall wall;
  wall.layers = sand(186) + softClay(600);
  const RunResult run = runEngineOn(folder, wall.file());
  EXPECT_EQ(run.console, (std::vector<std::string>{" READ SOIL DATA...."}));
  const std::vector<PrintedBranch> branches = printedBranches(run.report);
  ASSERT_EQ(branches.size(), 20u);
  // Sand X 0..66 and clay X 66..132 (cut at the tip limit): X top + 0.1, the quarter points
  // and X bottom - 0.1; the excavation face prints X, the backfill face of the sand H + X.
  const double depths[] = {0.1, 16.5, 33.0, 49.5, 65.9, 66.1, 82.5, 99.0, 115.5, 131.9};
  for (std::size_t i = 0; i < 10; ++i) {
    EXPECT_TRUE(branches[2 * i].excavation);
    EXPECT_FALSE(branches[2 * i + 1].excavation);
    EXPECT_NEAR(branches[2 * i].depth, depths[i], 1.0E-9) << "curve " << i + 1;
    ASSERT_EQ(branches[2 * i].rows.size(), 17u);
    // Both faces start from the active shift, the excavation face below and the backfill
    // face above zero resistance.
    EXPECT_DOUBLE_EQ(branches[2 * i].rows[0].second, -branches[2 * i + 1].rows[0].second) << "curve " << i + 1;
  }
  EXPECT_NEAR(branches[1].depth, 120.1, 1.0E-9);
  EXPECT_TRUE(contains(run.report, "      3 LAYER(S) OF SOIL\n") == false);
  EXPECT_TRUE(contains(run.report, "      2 LAYER(S) OF SOIL\n"));
  EXPECT_TRUE(contains(run.report, "      LAYER  1   THE SOIL IS A SAND\n"));
  EXPECT_TRUE(contains(run.report, "      LAYER  2   THE SOIL IS A SOFT CLAY\n"));
  EXPECT_FALSE(contains(run.report, "REDUCTION FACTORS"));
  EXPECT_TRUE(contains(run.report, "END OF ANALYSIS"));
  for (const std::string& line : splitLines(run.report + run.plot + run.monitor)) {
    EXPECT_FALSE(contains(line, "nan") || contains(line, "NaN") || contains(line, "inf") || contains(line, "Inf"))
        << line;
  }
}

// The plot data file: with generated curves only, each curve starts with its depth in F10.2
// and its point count in I5; the 33 points are the backfill branch negated and reversed, then
// the excavation branch.
TEST(PYGenerationRun, PlotRecordsOfGeneratedCurvesHoldThirtyThreePoints) {
  TempFolder folder;
  CurveWall wall;
  wall.layers = sand(600);
  const RunResult run = runEngineOn(folder, wall.file());
  const std::vector<std::string> lines = splitLines(run.plot);
  std::vector<std::size_t> depthLines;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].size() == 17 && lines[i][0] == ' ' && lines[i][11] == ' ' && lines[i].substr(12) == "   33")
      depthLines.push_back(i);
  }
  ASSERT_EQ(depthLines.size(), 5u);
  EXPECT_EQ(lines[depthLines[0]], "     120.10    33");
  EXPECT_EQ(lines[depthLines[4]], "     251.90    33");
  const std::vector<PrintedBranch> branches = printedBranches(run.report);
  ASSERT_EQ(branches.size(), 10u);
  std::vector<std::pair<double, double>> points;
  for (std::size_t i = depthLines[0] + 1; i <= depthLines[0] + 33; ++i) {
    const std::vector<std::string> words = tokens(lines[i]);
    ASSERT_EQ(words.size(), 2u) << lines[i];
    points.emplace_back(korvex::testing::parseNumber(words[0]), korvex::testing::parseNumber(words[1]));
  }
  const PrintedBranch& excavation = branches[0];
  const PrintedBranch& backfill = branches[1];
  // The report prints three decimals; the plot carries the E10.3 values of the hand-off.
  for (int k = 0; k < 17; ++k) {
    EXPECT_NEAR(points[16 - k].first, -backfill.rows[k].first, 5.0E-3 * std::abs(backfill.rows[k].first) + 1.0E-3) << k;
    EXPECT_NEAR(points[16 - k].second, backfill.rows[k].second, 1.0E-2 * std::abs(backfill.rows[k].second) + 1.0E-3)
        << k;
  }
  for (int k = 1; k < 17; ++k) {
    EXPECT_NEAR(points[16 + k].first, excavation.rows[k].first, 5.0E-3 * std::abs(excavation.rows[k].first) + 1.0E-3) << k;
    EXPECT_NEAR(points[16 + k].second, -excavation.rows[k].second,
                1.0E-2 * std::abs(excavation.rows[k].second) + 1.0E-3)
        << k;
  }
}

TEST(PYGenerationRun, WidthRatioSetsThePMultiplierOfEveryCurve) {
  struct Case {
    const char* activeWidth;
    const char* multiplierLine;
  };
  const Case cases[] = {
      {"12", " P-Multiplier =  0.100E+01 Y-Multiplier =  0.100E+01"},  // continuous wall
      {"24", " P-Multiplier =  0.783E+00 Y-Multiplier =  0.100E+01"},  // 0.5292 x 2^0.5659
      {"30", " P-Multiplier =  0.889E+00 Y-Multiplier =  0.100E+01"},  // 0.5292 x 2.5^0.5659
      {"40", " P-Multiplier =  0.100E+01 Y-Multiplier =  0.100E+01"},  // 3.33: elements act alone
  };
  for (const Case& c : cases) {
    TempFolder folder;
    CurveWall wall;
    wall.activeWidth = c.activeWidth;
    wall.layers = sand(186) + softClay(600);
    const RunResult run = runEngineOn(folder, wall.file());
    const std::vector<PrintedBranch> branches = printedBranches(run.report);
    ASSERT_EQ(branches.size(), 20u) << c.activeWidth;
    for (const PrintedBranch& branch : branches) EXPECT_EQ(branch.multipliers, c.multiplierLine) << c.activeWidth;
  }
}

TEST(PYGenerationRun, ModificationTableWithTwoRowsAtOneDepthStepsTheMultipliers) {
  TempFolder folder;
  CurveWall wall;
  wall.activeWidth = "24";  // the table replaces the automatic reduction
  wall.modificationCount = 4;
  wall.modificationRows = "100 1 1\n186 1 1\n186 0.5 0.8\n400 0.5 0.8\n";
  wall.layers = sand(186) + sand(600);
  const RunResult run = runEngineOn(folder, wall.file());
  EXPECT_TRUE(contains(run.report, "REDUCTION FACTORS FOR CLOSELY-SPACED WALL ELEMENTS"));
  EXPECT_TRUE(contains(run.report, "      DEPTH     P-FACTOR     Y-FACTOR        "));
  const std::vector<PrintedBranch> branches = printedBranches(run.report);
  ASSERT_EQ(branches.size(), 20u);
  for (const PrintedBranch& branch : branches) {
    const double absolute = branch.excavation ? 120.0 + branch.depth : branch.depth;
    EXPECT_EQ(branch.multipliers, absolute < 186.0 ? " P-Multiplier =  0.100E+01 Y-Multiplier =  0.100E+01"
                                                   : " P-Multiplier =  0.500E+00 Y-Multiplier =  0.800E+00")
        << absolute;
  }
}

// A layer below the first takes an equivalent depth that continues the resistance of the
// layers above it: the same soil split into two layers gives (nearly) the curves of one
// layer at the depths the two profiles share, 99 in and 131.9 in. Without the equivalent
// depth the second layer would start again from no resistance. The elements stand two widths
// apart: a continuous wall takes its resistance from the true depth and has no equivalent
// depth to test.
TEST(PYGenerationRun, EquivalentDepthsContinueTheResistanceOfTheLayersAbove) {
  struct Case {
    const char* name;
    std::string whole;
    std::string split;
    double tolerance;
  };
  const Case cases[] = {
      {"sand", sand(600), sand(186) + sand(600), 0.02},
      {"soft clay", softClay(600), softClay(186) + softClay(600), 0.005},
  };
  for (const Case& c : cases) {
    TempFolder wholeFolder, splitFolder;
    CurveWall whole, split;
    whole.activeWidth = split.activeWidth = "24";
    whole.layers = c.whole;
    split.layers = c.split;
    const std::vector<PrintedBranch> one = printedBranches(runEngineOn(wholeFolder, whole.file()).report);
    const std::vector<PrintedBranch> two = printedBranches(runEngineOn(splitFolder, split.file()).report);
    for (const double x : {99.0, 131.9}) {
      const double expected = plateauAt(one, x);
      EXPECT_NEAR(plateauAt(two, x), expected, c.tolerance * std::abs(expected)) << c.name << " at X = " << x;
    }
    // The first curve of the second layer lies well above the first curve of the profile.
    EXPECT_GT(plateauAt(two, 66.1), 1.5 * plateauAt(one, 0.1)) << c.name;
  }
}

// Rock adds nothing to the resistance carried down: sand under rock continues the sand
// above the rock as if the rock were not there.
TEST(PYGenerationRun, SoilUnderRockContinuesOnlyTheSoilAboveTheRock) {
  TempFolder layeredFolder, wholeFolder;
  CurveWall layered, whole;
  layered.activeWidth = whole.activeWidth = "24";
  layered.layers = sand(164) + strongRock(208) + sand(600);  // X 0..44, 44..88, 88..132
  whole.layers = sand(208);                                  // X 0..88, curve at 3/4: 66
  const std::vector<PrintedBranch> withRock = printedBranches(runEngineOn(layeredFolder, layered.file()).report);
  const std::vector<PrintedBranch> sandOnly = printedBranches(runEngineOn(wholeFolder, whole.file()).report);
  // The middle curve of the lower sand (X = 110) is 22 in below its top: with the 44 in of
  // sand above the rock it stands at an equivalent 66 in.
  const double expected = plateauAt(sandOnly, 66.0);
  EXPECT_NEAR(plateauAt(withRock, 110.0), expected, 0.03 * std::abs(expected));
}

TEST(PYGenerationRun, UserAndGeneratedCurvesShareSixtyThreePlaces) {
  const auto wallWithUserCurves = [](int count) {
    CurveWall wall;
    wall.userCurveCount = count;
    wall.layers = sand(600);
    for (int i = 0; i < count; ++i) wall.userCurves += std::to_string(i % 20 + 21) + " 2 1 1\n0 0\n1 100\n";
    return wall;
  };
  {
    TempFolder folder;
    const RunResult run = runEngineOn(folder, wallWithUserCurves(58).file());
    EXPECT_FALSE(contains(run.report, "TOO MUCH DATA FOR AVAILABLE STORAGE"));
    EXPECT_TRUE(contains(run.report, "END OF ANALYSIS"));
    // With user curves in the block every curve heading is written in free format.
    const std::vector<std::string> lines = splitLines(run.plot);
    bool curveCount = false;
    for (const std::string& line : lines) curveCount = curveCount || tokens(line) == std::vector<std::string>{"1", "63"};
    EXPECT_TRUE(curveCount);
    for (const std::string& line : lines) EXPECT_NE(line, "     120.10    33");
  }
  {
    TempFolder folder;
    const RunResult run = runEngineOn(folder, wallWithUserCurves(59).file());
    // The curves are generated and reported; the solution cannot take them all.
    EXPECT_LT(run.report.find("P-Y CURVES DATA"), run.report.find("TOO MUCH DATA FOR AVAILABLE STORAGE"));
    EXPECT_NE(run.report.find("TOO MUCH DATA FOR AVAILABLE STORAGE"), std::string::npos);
    EXPECT_FALSE(contains(run.report, "RESULTS -- ITERATION"));
  }
}

TEST(PYGenerationRun, SiltWithoutFrictionEndsTheRunWithTheConsoleWarning) {
  TempFolder folder;
  CurveWall wall;
  wall.layers = sand(160) + layer(5, 600, "0.07 5 0 0.01 25 0");
  const RunResult run = runEngineOn(folder, wall.file());
  ASSERT_GE(run.console.size(), 6u);
  EXPECT_EQ(run.console[0], " READ SOIL DATA....");
  EXPECT_EQ(run.console[3], "       WARNING-------The Angle of the slope can not");
  EXPECT_TRUE(contains(run.report, "ERROR STOP -- THE SILT AT X = 40.10 IN BELOW THE EXCAVATION LEVEL HAS NO FRICTION"));
  // The sand's curves were written before the stop; no result follows.
  EXPECT_EQ(printedBranches(run.report).size(), 10u);
  EXPECT_FALSE(contains(run.report, "RESULTS -- ITERATION"));
}

// A long-term block and construction stages generate their own curves, each block from its
// own soil data.
TEST(PYGenerationRun, EveryBlockOfLongTermAndStagedFilesGeneratesItsCurves) {
  CurveWall shortTerm, longTerm;
  shortTerm.layers = sand(186) + softClay(600);
  longTerm.layers = sand(186) + sand(600);
  {
    TempFolder folder;
    const RunResult run = runEngineOn(folder, shortTerm.block() + "9\n" + longTerm.block() + "0\n");
    EXPECT_EQ(run.console, (std::vector<std::string>{" READ SOIL DATA....", " READ SOIL DATA...."}));
    const std::vector<PrintedBranch> branches = printedBranches(run.report);
    ASSERT_EQ(branches.size(), 40u);
    EXPECT_NE(branches[10].rows.back(), branches[30].rows.back());  // clay, then sand at X = 66.1
    EXPECT_EQ(branches[0].rows, branches[20].rows);                  // the same sand on top
  }
  {
    TempFolder folder;
    CurveWall stage2 = longTerm;
    const RunResult run = runEngineOn(folder, shortTerm.block(2) + "1\n" + stage2.block(2) + "2\n");
    EXPECT_EQ(run.console.size(), 2u);
    EXPECT_EQ(printedBranches(run.report).size(), 40u);
    std::size_t results = 0;
    for (const std::string& line : splitLines(run.report)) results += contains(line, "END OF ANALYSIS") ? 1 : 0;
    EXPECT_GE(results, 1u);
  }
}

}  // namespace
}  // namespace korvex
