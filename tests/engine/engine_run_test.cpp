#include "control/engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "test_support.h"

namespace korvex {
namespace {

using testing::readFile;
using testing::RunResult;
using testing::runEngineOn;
using testing::splitLines;
using testing::TempFolder;
using testing::writeFile;

const std::string kSampleWall =
    "SAMPLE WALL\n"
    "1 1 1 0 0 0 0 0 0 0\n"
    "80 3 10 0.001 0 12\n"
    "3 80 0 0\n"
    "0 80 1 3.0E+10\n"
    "1\n"
    "1 0 0 1000 0 0\n"
    "0\n"
    "0\n";

// The sample wall with line `number` (1-based) replaced by `text` (several lines allowed).
std::string sampleWallWith(int number, const std::string& text) {
  std::vector<std::string> lines = splitLines(kSampleWall);
  lines[static_cast<std::size_t>(number - 1)] = text;
  std::string data;
  for (const std::string& line : lines) data += line + "\n";
  return data;
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

// Compares `produced` with the reviewed golden file; KORVEX_REGENERATE_GOLDEN=1 rewrites it.
void expectGolden(const std::string& produced, const std::string& goldenName) {
  const std::string path = std::string(KORVEX_TEST_DATA) + "/golden/" + goldenName;
  if (const char* regenerate = std::getenv("KORVEX_REGENERATE_GOLDEN"); regenerate && std::string(regenerate) == "1") {
    writeFile(path, produced);
    return;
  }
  EXPECT_EQ(produced, readFile(path)) << "differs from " << path;
}

// Runs an example of examples/ and compares its three output files with the golden files;
// `console` is what the run must print on the console (generation announces itself).
void expectExampleMatchesGolden(const std::string& name, const std::vector<std::string>& console = {}) {
  TempFolder folder;
  const std::string data = readFile(std::string(KORVEX_EXAMPLES) + "/" + name + ".kx5d");
  ASSERT_FALSE(data.empty());
  const RunResult run = runEngineOn(folder, data, name);
  ASSERT_EQ(run.outcome.status, RunStatus::Completed);
  EXPECT_EQ(run.console, console);
  expectGolden(replaceAll(run.report, folder.path().string() + "/", "<DIR>/"), name + ".kx5o");
  expectGolden(run.plot, name + ".kx5p");
  expectGolden(run.monitor, name + ".kx5r");
}

TEST(EngineRun, SampleWallReportMatchesTheReviewedGoldenFiles) { expectExampleMatchesGolden("sample_wall"); }

TEST(EngineRun, TiedWallWithUserCurvesMatchesTheReviewedGoldenFiles) {
  expectExampleMatchesGolden("tied_wall_user_curves");
}

TEST(EngineRun, LayeredWallWithGeneratedPressureMatchesTheReviewedGoldenFiles) {
  expectExampleMatchesGolden("layered_wall_generated_pressure");
}

TEST(EngineRun, BracedWallWithTheApparentPressureEnvelopeMatchesTheReviewedGoldenFiles) {
  expectExampleMatchesGolden("braced_wall_apparent_pressure");
}

TEST(EngineRun, TiedWallWithGeneratedCurvesMatchesTheReviewedGoldenFiles) {
  expectExampleMatchesGolden("tied_wall_generated_curves", {" READ SOIL DATA...."});
}

TEST(EngineRun, SoldierPileInSiltOverRockMatchesTheReviewedGoldenFiles) {
  expectExampleMatchesGolden("soldier_pile_silt_over_rock", {" READ SOIL DATA...."});
}

// The lines of `report` from the first line equal to `first` on, `count` of them.
std::vector<std::string> linesFrom(const std::string& report, const std::string& first, std::size_t count) {
  const std::vector<std::string> lines = splitLines(report);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] == first) return std::vector<std::string>(lines.begin() + static_cast<long>(i),
                                                           lines.begin() + static_cast<long>(std::min(lines.size(), i + count)));
  }
  return {};
}

// The last result records of a plot data file: the count line (result sets, rows, unit
// system) and whether exactly that many rows follow it.
struct ClosingRecords {
  int resultSets = -1;
  int rows = -1;
  bool complete = false;
  std::vector<std::string> rowLines;
};

ClosingRecords closingRecords(const std::string& plot) {
  const std::vector<std::string> lines = splitLines(plot);
  ClosingRecords closing;
  for (std::size_t i = lines.size(); i-- > 0;) {
    std::istringstream words(lines[i]);
    int a = 0, b = 0, c = 0;
    std::string rest;
    if ((words >> a >> b >> c) && !(words >> rest) && lines[i].find('.') == std::string::npos) {
      closing.resultSets = a;
      closing.rows = b;
      closing.rowLines.assign(lines.begin() + static_cast<long>(i) + 1, lines.end());
      closing.complete = closing.rowLines.size() == static_cast<std::size_t>(b);
      return closing;
    }
  }
  return closing;
}

// The sample wall with `wallLine` and one tieback line.
std::string tiedWall(const std::string& wallLine, const std::string& tieback) {
  return "SAMPLE WALL\n1 1 1 0 0 0 0 0 0 1\n" + wallLine + "\n3 80 0 0\n0 80 1 3.0E+10\n1\n1 0 0 1000 0 0\n0\n" +
         tieback + "\n0\n";
}

struct ErrorCase {
  const char* name;
  std::string data;
  std::vector<std::string> message;  // the report lines of the message, without the 5 leading blanks
};

std::vector<ErrorCase> errorCases() {
  return {
      {"text in a real field", sampleWallWith(3, "80 3 ten 0.001 0 12"),
       {"ERROR STOP -- INPUT DATA LINE 3, ITEM 3: A NUMBER IS EXPECTED, NOT 'ten' (WALL LINE)"}},
      {"real in an integer field", sampleWallWith(2, "1 1.0 1 0 0 0 0 0 0 0"),
       {"ERROR STOP -- INPUT DATA LINE 2, ITEM 2: AN INTEGER IS EXPECTED, NOT '1.0' (CONTROL LINE)"}},
      {"end of file inside a block", "SAMPLE WALL\n1 1 1 0 0 0 0 0 0 0\n80 3 10 0.001 0 12\n3 80 0 0\n0 80 1 3.0E+10\n",
       {"ERROR STOP -- INPUT DATA FILE ENDS AT LINE 5: ITEM 1 OF THE LOAD COUNT LINE IS MISSING"}},
      {"missing continuation line", kSampleWall.substr(0, kSampleWall.size() - 2),
       {"ERROR STOP -- INPUT DATA FILE ENDS AT LINE 8: ITEM 1 OF THE CONTINUATION LINE IS MISSING"}},
      {"unit system 3", sampleWallWith(2, "3 1 1 0 0 0 0 0 0 0"),
       {"ERROR STOP -- UNIT SYSTEM MUST BE 1 (ENGLISH) OR 2 (SI) (INPUT DATA LINE 2, ITEM 1)"}},
      {"more than 407 increments", sampleWallWith(3, "408 3 10 0.001 0 12"),
       {"TOO MUCH DATA FOR AVAILABLE STORAGE", "(INPUT DATA LINE 3, ITEM 1)"}},
      {"no increments", sampleWallWith(3, "0 3 10 0.001 0 12"),
       {"ERROR STOP -- NUMBER OF INCREMENTS MUST BE AT LEAST 1 (INPUT DATA LINE 3, ITEM 1)"}},
      {"zero increment length", sampleWallWith(3, "80 0 10 0.001 0 12"),
       {"ERROR STOP -- INCREMENT LENGTH MUST BE GREATER THAN ZERO (INPUT DATA LINE 3, ITEM 2)"}},
      {"21 specified deflections", sampleWallWith(2, "1 21 1 0 0 0 0 0 0 0"),
       {"TOO MUCH DATA FOR AVAILABLE STORAGE", "(INPUT DATA LINE 2, ITEM 2)"}},
      {"negative record count", sampleWallWith(2, "1 1 -1 0 0 0 0 0 0 0"),
       {"ERROR STOP -- A RECORD COUNT MUST NOT BE NEGATIVE (INPUT DATA LINE 2, ITEM 3)"}},
      {"decreasing specified stations",
       "SAMPLE WALL\n1 2 1 0 0 0 0 0 0 0\n80 3 10 0.001 0 12\n1 10 0 0\n1 5 0 0\n0 80 1 3.0E+10\n1\n1 0 0 1000 0 0\n0\n0\n",
       {"ERROR STOP -- STATIONS NOT IN ORDER", "(INPUT DATA LINE 5, ITEM 2)"}},
      {"first specified station above -1", sampleWallWith(4, "1 -2 0 0"),
       {"ERROR STOP -- STATIONS NOT IN ORDER", "(INPUT DATA LINE 4, ITEM 2)"}},
      {"specified slope below the toe", sampleWallWith(4, "2 81 0 0"),
       {"ERROR STOP -- A SPECIFIED SLOPE MUST LIE AT A STATION FROM 0 TO 80 (INPUT DATA LINE 4, ITEM 2)"}},
      {"specified slope above the top", sampleWallWith(4, "3 -1 0 0"),
       {"ERROR STOP -- A SPECIFIED SLOPE MUST LIE AT A STATION FROM 0 TO 80 (INPUT DATA LINE 4, ITEM 2)"}},
      {"specified deflection far below the toe", sampleWallWith(4, "1 82 0 0"),
       {"ERROR STOP -- A SPECIFIED DEFLECTION MUST LIE AT A STATION FROM -1 TO 81 (INPUT DATA LINE 4, ITEM 2)"}},
      {"CONTD 3", sampleWallWith(5, "0 80 3 3.0E+10"),
       {"ERROR STOP -- CONTD MUST BE 1 OR 2 (INPUT DATA LINE 5, ITEM 3)"}},
      {"group ends inside a segment", sampleWallWith(5, "0 80 2 3.0E+10"),
       {"ERROR STOP -- THE LAST RECORD OF A GROUP MUST HAVE CONTD = 1 (INPUT DATA LINE 5)"}},
      {"stiffness TO above FROM", sampleWallWith(5, "80 0 1 3.0E+10"),
       {"ERROR STOP -- STATIONS NOT IN ORDER", "(INPUT DATA LINE 5, ITEM 2)"}},
      {"load below the toe", sampleWallWith(7, "1 81 81 1000 0 0"), {"ERROR -- NON-ZERO TABLE 4 DATA BEYOND END"}},
      {"load outside the model", sampleWallWith(7, "1 90 90 1000 0 0"),
       {"ERROR STOP -- STATION 90 LIES OUTSIDE THE WALL MODEL (STATIONS -3 TO 83) (INPUT DATA LINE 7, ITEM 2)"}},
      {"negative load count", sampleWallWith(6, "-1"),
       {"ERROR STOP -- A RECORD COUNT MUST NOT BE NEGATIVE (INPUT DATA LINE 6, ITEM 1)"}},
      {"51 load records", sampleWallWith(6, "51"), {"TOO MUCH DATA FOR AVAILABLE STORAGE", "(INPUT DATA LINE 6, ITEM 1)"}},
      {"tieback without spacing", tiedWall("80 3 10 0.001 0 12", "10 1 29E6 10 0 0 1000"),
       {"ERROR STOP -- TIEBACK SPACING MUST BE GREATER THAN ZERO (INPUT DATA LINE 9, ITEM 6)"}},
      {"user curves without a curve mode", sampleWallWith(2, "1 1 1 0 0 0 1 0 0 0"),
       {"ERROR STOP -- USER-SPECIFIED P-Y CURVES NEED P-Y CURVE MODE 1 OR 2 (INPUT DATA LINE 2, ITEM 7)"}},
      {"negative earth pressure mode", sampleWallWith(2, "1 1 1 0 -1 0 0 0 0 0"),
       {"ERROR STOP -- EARTH PRESSURE MODE MUST NOT BE NEGATIVE (INPUT DATA LINE 2, ITEM 5)"}},
      {"increment length whose square is zero", sampleWallWith(3, "80 1E-200 10 0.001 0 12"),
       {"ERROR STOP -- INCREMENT LENGTH MUST LIE FROM 1.0E-100 TO 1.0E+100 (INPUT DATA LINE 3, ITEM 2)"}},
      {"tieback with the active width left unchanged", tiedWall("80 3 10 0.001 2*", "10 1 29E6 10 0 8 1000"),
       {"ERROR STOP -- ACTIVE WIDTH MUST BE GREATER THAN ZERO: TIEBACKS ARE SCALED BY ACTIVE WIDTH / SPACING "
        "(INPUT DATA LINE 3, ITEM 5)"}},
      {"tieback with a zero active width", tiedWall("80 3 10 0.001 0 0", "10 1 29E6 10 0 8 1000"),
       {"ERROR STOP -- ACTIVE WIDTH MUST BE GREATER THAN ZERO: TIEBACKS ARE SCALED BY ACTIVE WIDTH / SPACING "
        "(INPUT DATA LINE 3, ITEM 6)"}},
      {"tieback spacing too small to divide by", tiedWall("80 3 10 0.001 0 12", "10 1 29E6 10 0 1E-320 1000"),
       {"ERROR STOP -- TIEBACK SPACING IS TOO SMALL: ACTIVE WIDTH / SPACING EXCEEDS THE RANGE OF NUMBERS "
        "(INPUT DATA LINE 9, ITEM 6)"}},
      {"tieback stiffness beyond the range of numbers", tiedWall("80 3 10 0.001 0 12", "10 1E+200 1E+200 10 0 8 1000"),
       {"ERROR STOP -- TIEBACK STIFFNESS OR LOAD EXCEEDS THE RANGE OF NUMBERS: CHECK AREA, MODULUS, UNBONDED LENGTH "
        "AND PRESTRESS (INPUT DATA LINE 9, ITEM 1)"}},
      {"moment-EI curve whose moment does not rise",
       "SAMPLE WALL\n1 1 1 0 0 0 0 0 1 0\n80 3 10 0.001 0 12\n3 80 0 0\n0 80 1 3.0E+10\n1\n1 0 0 1000 0 0\n0\n"
       "0 80 2\n1.0E+6 3.0E+10\n1.0E+6 2.0E+10\n0\n",
       {"ERROR STOP -- MOMENT-EI CURVE MOMENTS MUST INCREASE FROM POINT TO POINT (INPUT DATA LINE 11, ITEM 1)"}},
      {"a load that drives the results beyond the range of numbers", sampleWallWith(7, "1 0 0 1E+308 0 0"),
       {"ERROR STOP -- A RESULT EXCEEDS THE RANGE OF NUMBERS: CHECK THE DATA FOR VALUES TOO LARGE OR TOO SMALL"}},
      {"sloping backfill on a friction angle beyond 90 degrees",
       "SLOPE\n1 1 1 0 2 0 0 0 0 0\n40 6 10 0.001 120 12\n3 40 0 0\n0 40 1 3.0E+10\n0\n0\n120 12 6 1000 1000 1 1 100\n"
       "0 0 0 0 0 0\n0\n1\n4 600\n0.0694 0 120 0 0 0\n0.0694 0 120 0 0 0\n0\n",
       {"ERROR STOP -- LAYER 1 HAS NO ACTIVE EARTH PRESSURE COEFFICIENT FOR THE SLOPING BACKFILL: ITS FRICTION ANGLE "
        "MUST NOT EXCEED 90 DEGREES"}},
      // Chained user curves run from station 30 up to station 20: found when the iteration
      // joins them, after the block heading.
      {"user p-y curves chained upwards",
       "SOIL\n1 0 1 0 0 1 2 0 0 0\n40 3 10 0.0001 60 12\n0 40 1 1.0E+9\n0\n0\n30 2 1 1\n0 0\n1 -10\n"
       "20 2 1 1\n0 0\n1 -10\n0\n",
       {"ERROR STOP -- STATIONS NOT IN ORDER"}},
      {"user p-y curve above the station tables",
       "SOIL\n1 0 1 0 0 1 1 0 0 0\n40 3 10 0.0001 60 12\n0 40 1 1.0E+9\n0\n0\n-4 2 1 1\n0 0\n1 -10\n0\n",
       {"ERROR STOP -- A P-Y CURVE MUST LIE AT STATION -3 OR BELOW IT (INPUT DATA LINE 7, ITEM 1)"}},
      // The excavation level of the soil data (-1 m) lies above the top of the wall.
      {"generated p-y curves above the station tables",
       "\n2 1 0 1 0 2 0 0 0 0\n50 .2 0 2 4 1\n0 1 6 0\n0\n0\n1 0 9\n-1 1 0 6\n0 0 0 0\n3 5 0 5 3\n0\n0\n1\n0\n1\n"
       "7 1 0 3 5 9\n7 1 0 3 5 9\n",
       {"ERROR STOP -- A P-Y CURVE MUST LIE AT STATION -3 OR BELOW IT (THE GENERATED CURVE AT DEPTH -0.99 M): CHECK "
        "THE FREE HEIGHT AND THE LAYERS OF THE SOIL DATA"}},
      {"unknown curve mode", sampleWallWith(2, "1 1 1 0 0 3 0 0 0 0"),
       {"ERROR STOP -- P-Y CURVE MODE MUST BE 0, 1 OR 2 (INPUT DATA LINE 2, ITEM 6)"}},
  };
}

TEST(EngineRun, EveryErrorStopWritesItsMessageAndEndsTheRunInOrder) {
  for (const ErrorCase& c : errorCases()) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    const RunResult run = runEngineOn(folder, c.data);
    EXPECT_EQ(run.outcome.status, RunStatus::ErrorStop);
    EXPECT_EQ(run.outcome.errorStop.reportLines, c.message);

    std::vector<std::string> expected;
    for (const std::string& line : c.message) expected.push_back("     " + line);
    EXPECT_EQ(linesFrom(run.report, expected.front(), expected.size()), expected) << run.report;

    // The message is followed by the end of the analysis, and nothing else.
    const std::string ending = expected.back() + "\n\n\n\n     END OF ANALYSIS                             \n";
    ASSERT_GE(run.report.size(), ending.size());
    EXPECT_EQ(run.report.substr(run.report.size() - ending.size()), ending);

    // The plot data file ends with the closing result records: those of the block solved
    // last, or none.
    const ClosingRecords closing = closingRecords(run.plot);
    EXPECT_TRUE(closing.complete) << run.plot;
    EXPECT_EQ(closing.resultSets, 1);
  }
}

// The outcome gives the reason of a stop on one line, without its heading, and the place
// where the value was read apart from it.
TEST(EngineRun, AnErrorStopGivesItsReasonAndPlaceToTheCaller) {
  struct ReasonCase {
    std::string name;
    std::string reason;
    DataPosition at;
  };
  const ReasonCase cases[] = {
      {"text in a real field", "A NUMBER IS EXPECTED, NOT 'ten' (WALL LINE)", {3, 3}},
      {"missing continuation line", "THE INPUT DATA FILE ENDS: ITEM 1 OF THE CONTINUATION LINE IS MISSING", {8, 0}},
      {"CONTD 3", "CONTD MUST BE 1 OR 2", {5, 3}},
      {"stiffness TO above FROM", "STATIONS NOT IN ORDER", {5, 2}},
      {"51 load records", "TOO MUCH DATA FOR AVAILABLE STORAGE", {6, 1}},
      {"load below the toe", "NON-ZERO TABLE 4 DATA BEYOND END", {0, 0}},
      {"a load that drives the results beyond the range of numbers",
       "A RESULT EXCEEDS THE RANGE OF NUMBERS: CHECK THE DATA FOR VALUES TOO LARGE OR TOO SMALL", {0, 0}},
  };
  const std::vector<ErrorCase> all = errorCases();
  for (const ReasonCase& c : cases) {
    SCOPED_TRACE(c.name);
    const auto found = std::find_if(all.begin(), all.end(), [&](const ErrorCase& e) { return e.name == c.name; });
    ASSERT_NE(found, all.end());
    TempFolder folder;
    const RunOutcome outcome = runEngineOn(folder, found->data).outcome;
    EXPECT_EQ(outcome.errorStop.reason, c.reason);
    EXPECT_EQ(outcome.errorStop.at.line, c.at.line);
    EXPECT_EQ(outcome.errorStop.at.item, c.at.item);
  }
}

TEST(EngineRun, AnErrorInTheSecondBlockStillClosesThePlotFile) {
  const std::string data = kSampleWall.substr(0, kSampleWall.size() - 2) + "9\nLONG TERM\n1 1 1 0 0 0 0 0 0 0\n80 -3\n";
  TempFolder folder;
  const RunResult run = runEngineOn(folder, data);
  EXPECT_NE(run.report.find("Long Term :  SAMPLE WALL"), std::string::npos);
  EXPECT_NE(run.report.find("ERROR STOP -- INPUT DATA FILE ENDS AT LINE 12: ITEM 3 OF THE WALL LINE IS MISSING"),
            std::string::npos);
  // Block 1 announces two result sets when the long-term block follows; the closing records
  // keep that count and repeat the results of block 1, the last block solved.
  const ClosingRecords closing = closingRecords(run.plot);
  EXPECT_TRUE(closing.complete);
  EXPECT_EQ(closing.resultSets, 2);
  EXPECT_EQ(closing.rows, 82);
  const std::string firstSet = "           2          82           1\n";
  const std::size_t first = run.plot.find(firstSet);
  ASSERT_NE(first, std::string::npos);
  const std::size_t last = run.plot.rfind(firstSet);
  EXPECT_NE(first, last);
  EXPECT_EQ(run.plot.substr(first, last - first).substr(firstSet.size()).substr(0, 200),
            run.plot.substr(last + firstSet.size(), 200));
}

TEST(EngineRun, BlocksRunUntilTheContinuationIsZeroOrEqualsTheStageCount) {
  struct Case {
    const char* name;
    std::vector<std::string> continuations;
    int stageCount;
    int banners;
  };
  const Case cases[] = {{"single", {"0"}, 0, 1},
                        {"long term", {"9", "0"}, 0, 2},
                        {"three stages", {"1", "2", "3"}, 3, 3},
                        {"stage count reached at once", {"2"}, 2, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string data;
    for (std::size_t block = 0; block < c.continuations.size(); ++block) {
      std::string text = sampleWallWith(2, "1 1 1 0 0 0 0 " + std::to_string(c.stageCount) + " 0 0");
      text = text.substr(0, text.size() - 2) + c.continuations[block] + "\n";
      if (block > 0) text.replace(0, text.find('\n'), "STAGE " + std::to_string(block + 1));
      data += text;
    }
    // Anything after the last block is never read.
    data += "this line is not part of the analysis\n";
    TempFolder folder;
    const RunResult run = runEngineOn(folder, data);
    int banners = 0;
    for (std::size_t at = run.report.find("KORVEX for Windows"); at != std::string::npos;
         at = run.report.find("KORVEX for Windows", at + 1))
      ++banners;
    EXPECT_EQ(banners, c.banners);
    EXPECT_EQ(run.report.find("ERROR"), std::string::npos);
    if (c.stageCount >= 2) {
      EXPECT_NE(run.report.find("      Stage No : 1  SAMPLE WALL"), std::string::npos);
      EXPECT_EQ(run.report.find("STAGE 2   "), std::string::npos) << "later titles never head a block";
    }
  }
}

TEST(EngineRun, ASecondBlockStartsWithTwoEmptyLinesAndItsOwnFrame) {
  const std::string data = kSampleWall.substr(0, kSampleWall.size() - 2) + "9\n" +
                           sampleWallWith(1, "LONG TERM TITLE IS NOT PRINTED");
  TempFolder folder;
  const RunResult run = runEngineOn(folder, data);
  const std::string rule = "     " + std::string(73, '=');
  const std::string lastRow = "    80   0.240E+03   0.000E+00   0.000E+00   0.120E+06  -0.395E+05  -0.100E+04   0.150E+11";
  EXPECT_NE(run.report.find(lastRow + "\n\n\n" + rule + "\n"), std::string::npos)
      << "the first block's last result row, two empty lines, then the banner";
  EXPECT_NE(run.report.find("      Long Term :  SAMPLE WALL"), std::string::npos);
  EXPECT_EQ(run.report.find("LONG TERM TITLE"), std::string::npos);
}

TEST(EngineRun, ExistingOutputFilesAreReplaced) {
  TempFolder folder;
  writeFile(folder / "wall.kx5o", std::string(100000, 'x'));
  writeFile(folder / "wall.kx5p", "old plot\n");
  writeFile(folder / "wall.kx5r", "old monitor\n");
  const RunResult run = runEngineOn(folder, kSampleWall);
  EXPECT_EQ(run.report.find('x' + std::string(10, 'x')), std::string::npos);
  EXPECT_EQ(run.report.substr(0, 5), "     ");
  EXPECT_EQ(run.plot.find("old plot"), std::string::npos);
  EXPECT_EQ(run.monitor.find("old monitor"), std::string::npos);
  EXPECT_EQ(run.monitor.substr(0, 30), "\n\n\n     ITERATION MONITOR DATA");
}

TEST(EngineRun, FilesThatCannotBeReadOrCreatedEndTheRunWithAConsoleMessage) {
  TempFolder folder;
  RunFiles files;
  files.input = folder / "missing.kx5d";
  files.report = folder / "r.kx5o";
  files.plot = folder / "r.kx5p";
  files.monitor = folder / "r.kx5r";
  std::vector<std::string> console;
  RunOptions options;
  options.console = [&console](std::string_view line) { console.emplace_back(line); };
  RunOutcome outcome = Engine::run(files, options);
  EXPECT_EQ(outcome.status, RunStatus::FileError);
  ASSERT_EQ(console.size(), 1u);
  EXPECT_EQ(console[0], " CANNOT READ THE INPUT DATA FILE " + files.input.string());
  EXPECT_FALSE(std::filesystem::exists(files.report)) << "nothing is created when the input cannot be read";

  // The outputs of an earlier run stay as they were when one of the new ones cannot be made,
  // and no temporary file is left behind.
  writeFile(files.input, kSampleWall);
  writeFile(files.report, "earlier report\n");
  writeFile(files.monitor, "earlier monitor\n");
  files.plot = folder / "no-such-folder" / "r.kx5p";
  console.clear();
  outcome = Engine::run(files, options);
  EXPECT_EQ(outcome.status, RunStatus::FileError);
  ASSERT_EQ(console.size(), 1u);
  EXPECT_EQ(console[0], " CANNOT CREATE THE OUTPUT FILE " + files.plot.string());
  EXPECT_EQ(readFile(files.report), "earlier report\n");
  EXPECT_EQ(readFile(files.monitor), "earlier monitor\n");
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path())) ++entries;
  EXPECT_EQ(entries, 3) << "the data file and the two earlier outputs only";
}

// A fault that is neither in the data nor in a file (here the caller's progress display
// fails as the p-y generation announces itself) ends the run in order as an internal error:
// the report says so, the files are written, and the outcome is not taken for a file error.
TEST(EngineRun, AFaultOutsideTheDataAndTheFilesEndsTheRunAsAnInternalError) {
  TempFolder folder;
  RunFiles files;
  files.input = std::string(KORVEX_EXAMPLES) + "/tied_wall_generated_curves.kx5d";
  files.report = folder / "r.kx5o";
  files.plot = folder / "r.kx5p";
  files.monitor = folder / "r.kx5r";
  RunOptions options;
  options.time = testing::testRunTime();
  options.console = [](std::string_view) {};
  options.progress = [](std::string_view) { throw std::runtime_error("the progress display is gone"); };
  const RunOutcome outcome = Engine::run(files, options);
  EXPECT_EQ(outcome.status, RunStatus::InternalError);
  EXPECT_EQ(outcome.message, "internal error: the progress display is gone");
  const std::string report = readFile(files.report);
  EXPECT_TRUE(report.ends_with(
      "\n\n     ERROR STOP -- INTERNAL ERROR: the progress display is gone\n\n\n\n"
      "     END OF ANALYSIS                             \n"))
      << report.substr(report.size() - std::min<std::size_t>(report.size(), 300));
  EXPECT_TRUE(std::filesystem::exists(files.plot));
  EXPECT_TRUE(std::filesystem::exists(files.monitor));
}

// The caller learns how each block ended and its results without reading the report. The
// sample wall is a cantilever of L = 240 in, EI = 3E10 lb-in^2, fixed at the toe, with
// P = 1000 lb at the top: M(x) = P x, exact in the difference scheme, and a top deflection of
// P L^3 / 3 EI = 0.1536 in, which the scheme gives within its end-load error P L h^2 / 6 EI =
// 1.2E-5 in (h = 3 in).
TEST(EngineRun, TheOutcomeHoldsEachBlocksEndAndResults) {
  TempFolder folder;
  const RunOutcome single = runEngineOn(folder, kSampleWall).outcome;
  ASSERT_EQ(single.status, RunStatus::Completed);
  ASSERT_EQ(single.blocks.size(), 1u);
  const BlockOutcome& block = single.blocks[0];
  EXPECT_EQ(block.role, BlockRole::Single);
  EXPECT_EQ(block.unitSystem, UnitSystem::English);
  EXPECT_EQ(block.iterations, 2) << "a linear wall closes when the second solve repeats the first";
  EXPECT_TRUE(block.closed());
  ASSERT_EQ(block.rows.size(), 81u) << "stations 0 to N";
  EXPECT_NEAR(block.rows[40].moment, 1000.0 * 120.0, 1e-6 * 120000.0);
  EXPECT_DOUBLE_EQ(block.rows[40].depth, 120.0);
  EXPECT_NEAR(std::fabs(block.rows[0].deflection), 0.1536, 1.2e-5 + 1e-9);

  const std::string longTerm = kSampleWall.substr(0, kSampleWall.size() - 2) + "9\n" + kSampleWall;
  const RunOutcome pair = runEngineOn(folder, longTerm).outcome;
  ASSERT_EQ(pair.blocks.size(), 2u);
  EXPECT_EQ(pair.blocks[0].role, BlockRole::ShortTerm);
  EXPECT_EQ(pair.blocks[1].role, BlockRole::LongTerm);
  EXPECT_EQ(pair.blocks[1].block, 2);

  // A wall that moves more than allowed (MaxDeflection 1E-3 in) did not close.
  const RunOutcome exceeded = runEngineOn(folder, sampleWallWith(3, "80 3 1E-3 0.001 0 12")).outcome;
  ASSERT_EQ(exceeded.blocks.size(), 1u);
  EXPECT_GT(exceeded.blocks[0].stationsOverMaxDeflection, 0);
  EXPECT_FALSE(exceeded.blocks[0].closed());

  // Blocks solved before an error stop are kept.
  const RunOutcome stopped = runEngineOn(folder, kSampleWall.substr(0, kSampleWall.size() - 2) +
                                                     "9\nLONG TERM\n1 1 1 0 0 0 0 0 0 0\n80 -3\n")
                                 .outcome;
  EXPECT_EQ(stopped.status, RunStatus::ErrorStop);
  EXPECT_EQ(stopped.blocks.size(), 1u);
}

TEST(EngineRun, RunsInParallelThreadsGiveTheSameFilesAsOneAtATime) {
  const std::string data = readFile(std::string(KORVEX_EXAMPLES) + "/tied_wall_user_curves.kx5d");
  TempFolder alone;
  const RunResult reference = runEngineOn(alone, data);
  constexpr int kThreads = 4;
  std::vector<RunResult> results(kThreads);
  std::vector<std::unique_ptr<TempFolder>> folders;
  for (int i = 0; i < kThreads; ++i) folders.push_back(std::make_unique<TempFolder>());
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i)
    threads.emplace_back([&, i] { results[static_cast<std::size_t>(i)] = runEngineOn(*folders[static_cast<std::size_t>(i)], data); });
  for (std::thread& thread : threads) thread.join();
  for (int i = 0; i < kThreads; ++i) {
    const RunResult& result = results[static_cast<std::size_t>(i)];
    EXPECT_EQ(replaceAll(result.report, folders[static_cast<std::size_t>(i)]->path().string(), "<DIR>"),
              replaceAll(reference.report, alone.path().string(), "<DIR>"));
    EXPECT_EQ(result.plot, reference.plot);
  }
}

}  // namespace
}  // namespace korvex
