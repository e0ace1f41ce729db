// Whole runs of the engine that exercise the iteration, its warnings and the result records.
#include <gtest/gtest.h>

#include <string>

#include "test_support.h"

namespace korvex {
namespace {

using testing::RunResult;
using testing::runEngineOn;
using testing::splitLines;
using testing::TempFolder;

RunResult run(const std::string& data) {
  TempFolder folder;
  return runEngineOn(folder, data);
}

int countOf(const std::string& text, const std::string& piece) {
  int count = 0;
  for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++count;
  return count;
}

// A 10-ft wall of 40 increments (h = 3 in), fixed at the toe, tip load `load` lb.
std::string cantilever(const std::string& load, const std::string& maxDeflection = "10",
                       const std::string& extraControl = "0 0 0 0 0 0 0", const std::string& tail = "") {
  return "CANTILEVER\n1 1 1 " + extraControl + "\n40 3 " + maxDeflection +
         " 0.0001 0 12\n3 40 0 0\n0 40 1 1.0E+9\n1\n1 0 0 " + load + " 0 0\n0\n" + tail + "0\n";
}

TEST(Iteration, ABlockWithoutCurvesClosesAtTheSecondIterationOrTheFirstWhenNothingMoves) {
  RunResult loaded = run(cantilever("1000"));
  EXPECT_NE(loaded.report.find("     RESULTS -- ITERATION  2\n"), std::string::npos);
  EXPECT_EQ(countOf(loaded.monitor, "\n      "), 2);
  EXPECT_EQ(loaded.report.find("\n     *****"), std::string::npos) << "no warnings";

  RunResult unloaded = run(cantilever("0"));
  EXPECT_NE(unloaded.report.find("     RESULTS -- ITERATION  1\n"), std::string::npos);
}

TEST(Iteration, MonitorLinesShowStationsOneToFiveAndZerosBeyondTheToe) {
  const RunResult result = run(
      "SHORT\n1 1 1 0 0 0 0 0 0 0\n3 12 10 0.0001 0 12\n3 3 0 0\n0 3 1 1.0E+9\n1\n1 0 0 1000 0 0\n0\n0\n");
  const std::vector<std::string> lines = splitLines(result.monitor);
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[3], "     ITERATION MONITOR DATA");
  EXPECT_EQ(lines[4], "     ----------------------");
  // Iteration 1: every station of 0 .. 3 but the fixed toe moved.
  EXPECT_EQ(lines[5].substr(0, 27), "      1       NO          3");
  EXPECT_EQ(lines[5].substr(59), " 0.000E+00 0.000E+00");
  EXPECT_EQ(lines[5].substr(49, 10), " 0.000E+00") << "station 3 is the fixed toe";
  EXPECT_EQ(lines[6].substr(0, 27), "      2       NO          0");
}

TEST(Iteration, ExcessiveDeflectionStopsTheIterationWithAWarning) {
  const RunResult result = run(cantilever("1000", "0.01"));
  EXPECT_NE(result.report.find("     RESULTS -- ITERATION  1\n"), std::string::npos);
  EXPECT_NE(result.report.find("\n     ***** MAX ALLOWABLE DEFLECTION EXCEEDED AT ***"), std::string::npos);
  // The first solve also moved every station: the solution is not closed either.
  EXPECT_NE(result.report.find("\n     ***** SOLUTION NOT CLOSED WITHIN SPECIFIED'TOLERANCE *****\n"),
            std::string::npos);
  EXPECT_NE(result.report.find("END OF ANALYSIS"), std::string::npos);
}

TEST(Iteration, NonlinearCurvesIterateToClosureAndWarnWhenOffTheirPoints) {
  // Soil springs below station 20 from a softening curve; the wall is free at the toe.
  const std::string softening =
      "20 4 1 1\n-0.1 30000\n0 0\n0.05 -20000\n0.1 -30000\n"
      "40 4 1 1\n-0.1 30000\n0 0\n0.05 -20000\n0.1 -30000\n";
  const std::string data = "SOIL\n1 0 1 0 0 1 2 0 0 0\n40 3 10 0.0001 60 12\n0 40 1 1.0E+9\n1\n1 0 0 3000 0 0\n0\n" +
                           softening + "0\n";
  const RunResult result = run(data);
  const std::size_t at = result.report.find("     RESULTS -- ITERATION");
  ASSERT_NE(at, std::string::npos) << result.report;
  const int iterations = std::stoi(result.report.substr(at + 25, 3));
  EXPECT_GT(iterations, 2) << "a softening curve needs more than the confirming second solve";
  EXPECT_LT(iterations, 100);
  EXPECT_EQ(result.report.find("NOT CLOSED"), std::string::npos);
  EXPECT_EQ(result.report.find("OFF Q - W"), std::string::npos);

  // A load ten times larger pushes deflections past the last point of the curves.
  std::string pushed = data;
  pushed.replace(pushed.find("3000"), 4, "30000");
  const RunResult off = run(pushed);
  EXPECT_NE(off.report.find("\n     ***** DEFLECTION OFF Q - W CURVES *****\n"), std::string::npos);
}

TEST(Iteration, MomentEICurvesUpdateStiffnessUntilTheDeflectionsCloseAgainstTheUpdate) {
  // EI falls from 1e9 at 20000 lb-in towards 5e8 at 200000 lb-in: the cantilever cracks
  // towards its toe, where the moment reaches 117000 lb-in.
  const std::string data = cantilever("1000", "10", "0 0 0 0 0 1 0", "0 40 3\n0 1.0E+9\n20000 1.0E+9\n200000 5.0E+8\n");
  const RunResult result = run(data);
  const std::size_t at = result.report.find("     RESULTS -- ITERATION");
  ASSERT_NE(at, std::string::npos) << result.report;
  EXPECT_GT(std::stoi(result.report.substr(at + 25, 3)), 2);
  // The last row shows the reduced EI at the toe region, the first the uncracked one.
  EXPECT_NE(result.report.find("   0.100E+10\n     1 "), std::string::npos);
  const std::size_t toeRow = result.report.find("\n    39 ");
  ASSERT_NE(toeRow, std::string::npos);
  const double toeEI = korvex::testing::parseNumber(result.report.substr(toeRow + 79, 12));
  EXPECT_LT(toeEI, 1.0e9);
  EXPECT_GT(toeEI, 5.0e8);
}

TEST(Iteration, CurvesWithFewerThanTwoPointsAreRejected) {
  const std::string data = "SOIL\n1 0 1 0 0 1 1 0 0 0\n40 3 10 0.0001 60 12\n0 40 1 1.0E+9\n0\n0\n20 1 1 1\n0 0\n0\n";
  const RunResult result = run(data);
  EXPECT_NE(result.report.find("     ERROR STOP -- A P-Y CURVE NEEDS AT LEAST TWO POINTS (INPUT DATA LINE 7, ITEM 2)"),
            std::string::npos);
}

TEST(Iteration, TiebackResultsShowTheStationOfTheAnchorHead) {
  for (const auto& [depth, station] : {std::pair{"10", 10}, std::pair{"10.5", 11}}) {
    // 30-ft wall of 30 increments of 12 in, tieback at `depth` ft, no prestress.
    const std::string data = std::string("TIED\n1 1 1 0 0 0 0 0 0 1\n30 12 10 0.0001 0 12\n3 30 0 0\n0 30 1 1.0E+10\n") +
                             "1\n1 0 0 2000 0 0\n0\n" + depth + " 1 29E6 10 0 1 0\n0\n";
    const RunResult result = run(data);
    const std::size_t at = result.report.find("     TIE BACK RESULTS");
    ASSERT_NE(at, std::string::npos) << result.report;
    const std::vector<std::string> lines = splitLines(result.report.substr(at));
    ASSERT_GE(lines.size(), 7u);
    EXPECT_EQ(std::stoi(lines[6].substr(8, 5)), station) << lines[6];
    // Without prestress the force is the spring times the deflection, against it.
    EXPECT_LT(korvex::testing::parseNumber(lines[6].substr(29, 17)), 0.0) << lines[6];
  }
}

TEST(Iteration, SpecifiedPressureBelowTheToeStopsTheBlock) {
  const std::string data =
      "PRESSURE\n1 1 1 0 1 0 0 0 0 0\n10 12 10 0.0001 0 12\n3 10 0 0\n0 10 1 1.0E+10\n0\n0\n2\n0 1\n126 1\n0\n";
  const RunResult result = run(data);
  EXPECT_NE(result.report.find("     ERROR -- NON-ZERO TABLE 4 DATA BEYOND END\n"), std::string::npos);
  EXPECT_EQ(result.report.find("RESULTS -- ITERATION"), std::string::npos);
}

// The rows of the results table, from its column heads to the blank line after it.
std::string resultsTable(const std::string& report) {
  const std::size_t start = report.find("   STA I");
  const std::size_t end = report.find("\n\n", start);
  return start == std::string::npos ? std::string() : report.substr(start, end - start);
}

// A wall of 10 increments of 12 in, free at the toe, 1000 lb at the top, and the same wall on
// user p-y curves below the excavation level (48 in).
const std::string kTopLoadedWall = "SEGMENT REACHING BELOW THE TOE\n";
const std::string kTopLoadedFrame = "10 12 10 0.0001 48 12\n0 10 1 1.0E+10\n1\n1 0 0 1000 0 0\n";
std::string wallOnCurves(const std::string& curveCount, const std::string& curves) {
  return kTopLoadedWall + "1 0 1 0 0 1 " + curveCount + " 0 0 0\n" + kTopLoadedFrame + "0\n" + curves + "0\n";
}

// A linear curve of 1000 lb/in per in at station 7 is chained to one three times stiffer
// below the toe. Cut at the toe, the segment carries the lower curve in full to station 10,
// wherever that curve lies, and gives stations 7 to 10 the springs 1000*12/2,
// (1000 + 2000/3)*12, (1000 + 4000/3)*12 and 3000*12/2 lb/in: the wall must behave as with
// those four springs given as spring records.
TEST(Iteration, ASegmentReachingBelowTheToeIsCutThereWithTheLowerCurveInFullAtTheToe) {
  const RunResult springs = run(kTopLoadedWall + "1 0 1 0 0 0 0 0 0 0\n" + kTopLoadedFrame +
                                "4\n7 7 1 6000 0\n8 8 1 20000 0\n9 9 1 28000 0\n10 10 1 18000 0\n0\n");
  for (const std::string lower : {"13", "16"}) {
    SCOPED_TRACE("lower curve at station " + lower);
    const RunResult curves =
        run(wallOnCurves("2", "7 3 1 1\n-1 1000\n0 0\n1 -1000\n" + lower + " 3 1 1\n-1 3000\n0 0\n1 -3000\n"));
    const std::string table = resultsTable(curves.report);
    ASSERT_FALSE(table.empty()) << curves.report;
    EXPECT_NE(
        table.find("\n     0   0.000E+00   0.135E+01  -0.129E-01   0.000E+00   0.500E+03   0.100E+04   0.500E+10\n"),
        std::string::npos)
        << table;
    EXPECT_EQ(table, resultsTable(springs.report));
  }
}

// A curve below the toe that no segment reaches adds nothing: the wall stands on its
// stiffness alone, as without curves.
TEST(Iteration, ACurveBelowTheToeAloneAddsNothing) {
  const RunResult bare = run(kTopLoadedWall + "1 0 1 0 0 0 0 0 0 0\n" + kTopLoadedFrame + "0\n0\n");
  const RunResult deep = run(wallOnCurves("1", "14 3 1 1\n-1 1000\n0 0\n1 -1000\n"));
  ASSERT_NE(resultsTable(deep.report), "") << deep.report;
  EXPECT_EQ(resultsTable(deep.report), resultsTable(bare.report));
}

TEST(Iteration, StagedAndLongTermFilesGiveOneResultSetPerBlock) {
  struct Case {
    const char* name;
    std::string stageCount;
    std::vector<std::string> continuations;
    std::string announced;
  };
  const Case cases[] = {{"long term", "0", {"9", "0"}, "           2          42           1"},
                        {"three stages", "3", {"1", "2", "3"}, "           3          42           1"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string data;
    for (const std::string& continuation : c.continuations) {
      std::string block = cantilever("1000", "10", "0 0 0 0 0 0 0");
      block.replace(block.find("1 1 1 0 0 0 0 0 0 0"), 19, "1 1 1 0 0 0 0 " + c.stageCount + " 0 0");
      block.replace(block.size() - 2, 1, continuation);
      data += block;
    }
    const RunResult result = run(data);
    EXPECT_EQ(countOf(result.report, "RESULTS -- ITERATION"), static_cast<int>(c.continuations.size()));
    EXPECT_EQ(countOf(result.monitor, "ITERATION MONITOR DATA"), static_cast<int>(c.continuations.size()));
    EXPECT_EQ(countOf(result.plot, c.announced + "\n"), static_cast<int>(c.continuations.size()));
  }
}

}  // namespace
}  // namespace korvex
