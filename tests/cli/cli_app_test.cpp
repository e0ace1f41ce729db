#include "cli_app.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

#include <nlohmann/json.hpp>

#include "export/xlsx_reader.h"
#include "graphs/result_graphs.h"
#include "plot_command.h"
#include "run_summary.h"
#include "test_support.h"

namespace korvex::cli {
namespace {

using korvex::testing::readFile;
using korvex::testing::TempFolder;
using korvex::testing::writeFile;

struct CliResult {
  int status;
  std::string out;
  std::string err;
};

CliResult runTool(const std::vector<std::string>& args, bool terminal = false) {
  std::ostringstream out, err;
  const int status = runCli(args, out, err, terminal);
  return {status, out.str(), err.str()};
}

std::string sampleWall() { return readFile(std::string(KORVEX_EXAMPLES) + "/sample_wall.kx5d"); }

TEST(CliApp, VersionAndHelp) {
  CliResult result = runTool({"--version"});
  EXPECT_EQ(result.status, kExitOk);
  EXPECT_EQ(result.out, "korvex 2015.5.11\n");
  result = runTool({"--help"});
  EXPECT_EQ(result.status, kExitOk);
  EXPECT_NE(result.out.find("run FILE.kx5d... [--out DIR] [-j N]"), std::string::npos);
  result = runTool({});
  EXPECT_EQ(result.status, kExitFailure);
  EXPECT_NE(result.err.find("Usage:"), std::string::npos);
  // Each command has help of its own, with its options and exit statuses.
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"run", "--help"}, {"help", "run"}, {"run", "a.kx5d", "-h"}}) {
    result = runTool(args);
    EXPECT_EQ(result.status, kExitOk);
    EXPECT_EQ(result.out.rfind("Usage: korvex run ", 0), 0u) << result.out;
    EXPECT_NE(result.out.find("  3  an error in the data ended a run"), std::string::npos);
  }
  result = runTool({"convert", "--help"});
  EXPECT_EQ(result.out.rfind("Usage: korvex convert ", 0), 0u) << result.out;
  EXPECT_NE(result.out.find("--kind K       the kind of IN (not of OUT)"), std::string::npos);
}

TEST(CliPlot, HasHelpAndNeedsItsDrawingProgram) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"plot", "--help"}, {"help", "plot"}}) {
    const CliResult result = runTool(args);
    EXPECT_EQ(result.status, kExitOk);
    EXPECT_EQ(result.out.rfind("Usage: korvex plot FILE.kx5p --out DIR", 0), 0u) << result.out;
  }
  EXPECT_NE(runTool({"--help"}).out.find("plot FILE.kx5p --out DIR"), std::string::npos);
  TempFolder empty;
  std::ostringstream out, err;
  EXPECT_EQ(runPlot({"plot", "a.kx5p", "--out", "x"}, out, err, empty.path()), kExitFailure);
  EXPECT_EQ(err.str(), "korvex: plot needs the program " + (empty.path() / "korvex-plot").string() +
                           ", which is built with the desktop program (KORVEX_BUILD_GUI=ON)\n");
}

#ifdef KORVEX_PLOT_TOOL_DIR
// korvex plot starts korvex-plot with its arguments and gives back its exit status.
TEST(CliPlot, StartsTheDrawingProgramAndPassesItsStatusOn) {
  TempFolder folder;
  writeFile(folder / "wall.kx5d", sampleWall());
  ASSERT_EQ(runTool({"run", (folder / "wall.kx5d").string(), "--summary", "none"}).status, kExitOk);
  std::ostringstream out, err;
  EXPECT_EQ(runPlot({"plot", (folder / "wall.kx5p").string(), "--out", (folder / "pictures").string()}, out, err,
                    KORVEX_PLOT_TOOL_DIR),
            kExitOk);
  EXPECT_TRUE(std::filesystem::exists(folder / "pictures" / "wall-moment.png"));
  EXPECT_EQ(runPlot({"plot", (folder / "wall.kx5d").string(), "--out", (folder / "pictures").string()}, out, err,
                    KORVEX_PLOT_TOOL_DIR),
            kExitFailure);
}
#endif

TEST(CliApp, BadArgumentsGiveOneLineAndStatusTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {"frobnicate"},           {"run"},
      {"run", "a.kx5d", "--out"}, {"run", "--fast", "a.kx5d"},
      {"run", "a.kx5d", "-j"},    {"run", "a.kx5d", "-j", "0"},
      {"run", "a.kx5d", "-j", "2x"}, {"run", "a.kx5d", "--summary", "xml"}};
  for (const auto& args : cases) {
    const CliResult result = runTool(args);
    EXPECT_EQ(result.status, kExitFailure);
    EXPECT_EQ(result.err.rfind("korvex: ", 0), 0u) << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
  }
}

TEST(CliApp, RunWritesTheThreeOutputFilesNextToTheDataFile) {
  TempFolder folder;
  writeFile(folder / "job.kx5d", sampleWall());
  const CliResult result = runTool({"run", (folder / "job.kx5d").string(), "--summary", "none"});
  EXPECT_EQ(result.status, kExitOk) << result.err;
  EXPECT_EQ(result.out, "Report: " + (folder / "job.kx5o").string() + "\n");
  EXPECT_NE(readFile(folder / "job.kx5o").find("END OF ANALYSIS"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(folder / "job.kx5p"));
  EXPECT_TRUE(std::filesystem::exists(folder / "job.kx5r"));
  // Nothing but the three outputs lands next to the data.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 4);
}

TEST(CliApp, RunWithOutWritesIntoTheGivenFolderCreatingIt) {
  TempFolder folder;
  writeFile(folder / "job.kx5d", sampleWall());
  const std::filesystem::path out = folder / "results" / "today";
  const CliResult result = runTool({"run", (folder / "job.kx5d").string(), "--out", out.string()});
  EXPECT_EQ(result.status, kExitOk) << result.err;
  EXPECT_TRUE(std::filesystem::exists(out / "job.kx5o"));
  EXPECT_FALSE(std::filesystem::exists(folder / "job.kx5o"));
}

// The exit status tells how the run ended; a run that did not end well says why on one line
// of standard error, and the report is written as the engine writes it.
TEST(CliApp, TheExitStatusAndOneLineTellHowEachRunEnded) {
  const std::string wall = sampleWall();
  const auto withWallLine = [&](const std::string& line) {
    std::string data = wall;
    const std::size_t start = data.find('\n', data.find('\n') + 1) + 1;
    return data.replace(start, data.find('\n', start) - start, line);
  };
  struct Case {
    const char* name;
    std::string data;
    int status;
    std::string err;
  };
  const Case cases[] = {
      {"closed", wall, kExitOk, ""},
      {"text in a real field", withWallLine("80 1O"), kExitErrorStop,
       "korvex: wall.kx5d: ERROR STOP at line 3 item 2: a number is expected, not '1O' (wall line)\n"},
      // The engine's stop code reaches the user after the file's name.
      {"soil profile ending above the excavation",
       "SAND\n1 0 1 0 2 2 0 0 0 0\n150 2 10 0.0001 120 12\n0 150 1 5.34E+09\n0\n0\n120 12 12 120 120 1 1 0\n"
       "0 0 0 0 0 0\n0\n1\n4 100\n0.06655 0 32 0 90 0\n0.06655 0 32 0 90 0\n0\n",
       kExitErrorStop,
       "wall.kx5d: STOP 1\nkorvex: wall.kx5d: ERROR STOP: no soil layer starts at the excavation level: the free height "
       "lies outside the soil profile (the profile ends at the first layer whose bottom does not lie below the one "
       "above) (stop 1)\n"},
      {"deflection beyond the allowed 1E-4 in", withWallLine("80 3 1E-4 0.001 0 12"), kExitNotClosed,
       "korvex: wall.kx5d: the deflection exceeds the allowed maximum at 79 stations (iteration 1)\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    writeFile(folder / "wall.kx5d", c.data);
    const CliResult result = runTool({"run", (folder / "wall.kx5d").string()});
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.err, c.err);
    EXPECT_NE(readFile(folder / "wall.kx5o").find("END OF ANALYSIS"), std::string::npos);
  }
}

// Every bundled example, and a long-term file made of an example's block twice, is analysed to
// its end; generated p-y curves announce themselves on the error channel, not in the output.
TEST(CliApp, RunAnalysesEveryExampleAndLongTermFiles) {
  TempFolder folder;
  int examples = 0;
  for (const auto& entry : std::filesystem::directory_iterator(KORVEX_EXAMPLES)) {
    if (entry.path().extension() != ".kx5d") continue;
    ++examples;
    const CliResult result = runTool({"run", entry.path().string(), "--out", folder.path().string()});
    EXPECT_EQ(result.status, kExitOk) << entry.path() << result.err;
    const std::string report = readFile(folder / entry.path().filename().replace_extension(".kx5o"));
    EXPECT_NE(report.find("END OF ANALYSIS"), std::string::npos) << entry.path();
    EXPECT_EQ(report.find("ERROR"), std::string::npos) << entry.path();
  }
  EXPECT_GE(examples, 6);

  std::string block = readFile(std::string(KORVEX_EXAMPLES) + "/tied_wall_generated_curves.kx5d");
  ASSERT_GE(block.size(), 2u);
  block.erase(block.rfind("0\n"));  // the continuation line of the single analysis
  writeFile(folder / "long_term.kx5d", block + "9\n" + block + "0\n");
  CliResult result = runTool({"run", (folder / "long_term.kx5d").string()});
  EXPECT_EQ(result.status, kExitOk);
  EXPECT_EQ(result.err, "") << "progress lines only with --verbose";
  EXPECT_NE(result.out.find("  Short-term: closed in "), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("  Long-term: closed in "), std::string::npos) << result.out;
  result = runTool({"run", (folder / "long_term.kx5d").string(), "--verbose"});
  EXPECT_EQ(result.err, "long_term.kx5d: READ SOIL DATA....\nlong_term.kx5d: READ SOIL DATA....\n");
  const std::string report = readFile(folder / "long_term.kx5o");
  std::size_t analyses = 0;
  for (std::size_t at = report.find("RESULTS -- ITERATION"); at != std::string::npos;
       at = report.find("RESULTS -- ITERATION", at + 1))
    ++analyses;
  EXPECT_EQ(analyses, 2u);
}

std::vector<std::filesystem::path> exampleFiles() {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(KORVEX_EXAMPLES))
    if (entry.path().extension() == ".kx5d") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

// Every file of `folder`, by name, with its bytes.
std::map<std::string, std::string> filesIn(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    files[entry.path().filename().string()] = readFile(entry.path());
  return files;
}

// Runs in parallel threads write exactly what runs one at a time write.
TEST(CliApp, BatchRunsWriteWhatSingleRunsWrite) {
  ::setenv("KORVEX_FIXED_TIME", "2026-03-09 08:05:07", 1);
  TempFolder folder;
  const std::vector<std::filesystem::path> examples = exampleFiles();
  ASSERT_GE(examples.size(), 6u);
  for (const auto& example : examples) {
    const CliResult single = runTool({"run", example.string(), "--out", (folder / "single").string()});
    ASSERT_EQ(single.status, kExitOk) << single.err;
  }
  for (const std::string jobs : {"1", "2"}) {
    std::vector<std::string> args = {"run"};
    for (const auto& example : examples) args.push_back(example.string());
    args.insert(args.end(), {"-j", jobs, "--out", (folder / ("batch" + jobs)).string()});
    const CliResult batch = runTool(args);
    EXPECT_EQ(batch.status, kExitOk) << batch.err;
    EXPECT_NE(batch.out.find(std::to_string(examples.size()) + " data files: " + std::to_string(examples.size()) +
                             " analysed and closed\n"),
              std::string::npos)
        << batch.out;
    // The summaries come in the order the files were given.
    std::size_t previous = 0;
    for (const auto& example : examples) {
      const std::size_t at = batch.out.find("Report: " + (folder / ("batch" + jobs) / example.stem()).string() + ".kx5o");
      ASSERT_NE(at, std::string::npos) << example;
      EXPECT_GT(at, previous) << example;
      previous = at;
    }
    EXPECT_TRUE(filesIn(folder / "single") == filesIn(folder / ("batch" + jobs))) << "-j " << jobs;
  }
  EXPECT_EQ(filesIn(folder / "single").size(), 3 * examples.size());
  ::unsetenv("KORVEX_FIXED_TIME");
}

TEST(CliApp, OneFileThatCannotBeRunDoesNotStopTheOthers) {
  TempFolder folder;
  writeFile(folder / "first.kx5d", sampleWall());
  writeFile(folder / "third.kx5d", sampleWall());
  const CliResult result = runTool({"run", (folder / "first.kx5d").string(), (folder / "second.kx5d").string(),
                                    (folder / "third.kx5d").string(), "-j", "2"},
                                   true);
  EXPECT_EQ(result.status, kExitFailure);
  EXPECT_TRUE(std::filesystem::exists(folder / "first.kx5o"));
  EXPECT_TRUE(std::filesystem::exists(folder / "third.kx5o"));
  EXPECT_NE(result.err.find("korvex: second.kx5d: cannot read " + (folder / "second.kx5d").string() +
                            ": No such file or directory\n"),
            std::string::npos)
      << result.err;
  EXPECT_NE(result.out.find("3 data files: 2 analysed and closed, 1 could not be run\n"), std::string::npos) << result.out;
  // On a terminal the progress line counts the finished runs.
  EXPECT_NE(result.err.find("\rkorvex: 3 of 3 analysed\n"), std::string::npos) << result.err;
}

TEST(CliApp, FilesThatCannotBeReadOrWrittenGiveStatusTwo) {
  TempFolder folder;
  CliResult result = runTool({"run", (folder / "missing.kx5d").string()});
  EXPECT_EQ(result.status, kExitFailure);
  EXPECT_EQ(result.err, "korvex: missing.kx5d: cannot read " + (folder / "missing.kx5d").string() +
                            ": No such file or directory\n");

  writeFile(folder / "job.kx5d", sampleWall());
  writeFile(folder / "plain-file", "");
  result = runTool({"run", (folder / "job.kx5d").string(), "--out", (folder / "plain-file").string()});
  EXPECT_EQ(result.status, kExitFailure);
  EXPECT_EQ(result.err, "korvex: cannot create folder " + (folder / "plain-file").string() + "\n");

  // A plot file that cannot be written (a folder stands in its place): the report and monitor
  // of the earlier run stay as they were.
  writeFile(folder / "job.kx5o", "earlier report");
  writeFile(folder / "job.kx5r", "earlier monitor");
  std::filesystem::create_directory(folder / "job.kx5p");
  result = runTool({"run", (folder / "job.kx5d").string()});
  EXPECT_EQ(result.status, kExitFailure);
  EXPECT_EQ(result.err, "korvex: job.kx5d: CANNOT CREATE THE OUTPUT FILE " + (folder / "job.kx5p").string() + "\n");
  EXPECT_EQ(readFile(folder / "job.kx5o"), "earlier report");
  EXPECT_EQ(readFile(folder / "job.kx5r"), "earlier monitor");
}

// Inputs that would destroy a file are refused before anything is written: a data file that
// is one of its own outputs, a folder, and two runs whose outputs are one file reached through
// a symbolic link.
TEST(CliApp, RefusalsLeaveEveryFileAsItWas) {
  TempFolder folder;
  writeFile(folder / "wall.kx5o", sampleWall());
  writeFile(folder / "wall.kx5d", sampleWall());
  std::filesystem::create_directory(folder / "sub");
  std::filesystem::create_directory_symlink(folder / "sub", folder / "link");
  writeFile(folder / "sub" / "a.kx5d", sampleWall());
  const auto before = filesIn(folder.path());

  struct Case {
    std::vector<std::string> args;
    std::string err;
  };
  const std::string dir = folder.path().string();
  const Case cases[] = {
      {{"run", dir + "/wall.kx5o"},
       "korvex: " + dir + "/wall.kx5o would be replaced by its own output " + dir +
           "/wall.kx5o; give the data file the extension .kx5d\n"},
      {{"run", dir, "--summary", "none"}, "korvex: " + folder.path().filename().string() + ": cannot read " + dir +
                                             ": Is a directory\n"},
      {{"run", dir + "/sub/a.kx5d", dir + "/link/a.kx5d", "-j", "2"},
       "korvex: " + dir + "/sub/a.kx5d and " + dir + "/link/a.kx5d would write the same output file " + dir +
           "/link/a.kx5o\n"},
  };
  for (const Case& c : cases) {
    const CliResult result = runTool(c.args);
    EXPECT_EQ(result.status, kExitFailure);
    EXPECT_EQ(result.err, c.err);
    EXPECT_TRUE(filesIn(folder.path()) == before) << c.err;
    EXPECT_TRUE(filesIn(folder / "sub").size() == 1u) << c.err;
  }
  EXPECT_FALSE(std::filesystem::exists(folder.path().parent_path() / (folder.path().filename().string() + ".kx5o")));
}

// The bending moments the report prints (E12.3 in the results table) by depth.
std::map<double, double> printedMoments(const std::string& report) {
  std::map<double, double> moments;
  std::istringstream lines(report.substr(report.find("   ------    ----")));
  std::string line;
  std::getline(lines, line);
  while (std::getline(lines, line) && line.size() >= 80)
    moments[korvex::testing::parseNumber(line.substr(8, 10))] = korvex::testing::parseNumber(line.substr(42, 12));
  return moments;
}

// The summary of the cantilever in sand: the conventional cantilever method (Blum, Rankine
// pressures) gives a maximum moment of 196 554 lb-in per foot below the excavation level
// (worked in tests/validation/example_results_test.cpp); the p-y analysis lies within 25 % of
// it, for the reasons given there. The summary's figure is the report's largest printed moment,
// found from the results in memory.
TEST(CliSummary, GivesTheKeyResultsOfTheCantileverInSand) {
  TempFolder folder;
  const std::string example = std::string(KORVEX_EXAMPLES) + "/cantilever_in_sand.kx5d";
  const CliResult json = runTool({"run", example, "--out", folder.path().string(), "--summary", "json"});
  ASSERT_EQ(json.status, kExitOk) << json.err;
  const nlohmann::json files = nlohmann::json::parse(json.out);
  ASSERT_EQ(files.size(), 1u);
  const nlohmann::json& file = files[0];
  EXPECT_EQ(file["status"], "closed");
  EXPECT_EQ(file["exitStatus"], 0);
  ASSERT_EQ(file["blocks"].size(), 1u);
  const nlohmann::json& block = file["blocks"][0];
  EXPECT_EQ(block["units"]["moment"], "lb-in");
  EXPECT_TRUE(block["closed"].get<bool>());

  const double maxMoment = block["maxMoment"]["value"].get<double>();
  const double depth = block["maxMoment"]["depth"].get<double>();
  EXPECT_NEAR(maxMoment, 196554.0, 0.25 * 196554.0);
  EXPECT_GE(depth, 120.0) << "below the excavation level";
  const std::map<double, double> printed = printedMoments(readFile(folder / "cantilever_in_sand.kx5o"));
  ASSERT_EQ(printed.count(depth), 1u);
  double largest = -1e300;
  for (const auto& [x, moment] : printed) largest = std::max(largest, moment);
  EXPECT_EQ(printed.at(depth), largest) << "the report's largest moment is printed at that depth";
  EXPECT_NEAR(maxMoment, largest, 0.005 * largest) << "three printed digits";
  EXPECT_GT(block["topDeflection"].get<double>(), 0.0) << "towards the excavation";

  const CliResult text = runTool({"run", example, "--out", folder.path().string()});
  EXPECT_NE(text.out.find("  Maximum moment       " + figureText(maxMoment) + " lb-in at " + figureText(depth) +
                          " in (" + figureText(depth / 12.0) + " ft)\n"),
            std::string::npos)
      << text.out;
}

// JSON holds one object per file and one per block, also for stages, error stops and files
// that could not be run.
TEST(CliSummary, JsonHoldsOneObjectPerFileAndBlock) {
  TempFolder folder;
  writeFile(folder / "bad.kx5d", "BAD\n1 0 0 0 0 0 0 0 0 0\n80 x\n");
  const CliResult result = runTool({"run", std::string(KORVEX_EXAMPLES) + "/staged_excavation.kx5d",
                                    (folder / "bad.kx5d").string(), (folder / "none.kx5d").string(), "--out",
                                    folder.path().string(), "--summary", "json", "-j", "2"});
  EXPECT_EQ(result.status, kExitFailure);
  const nlohmann::json files = nlohmann::json::parse(result.out);
  ASSERT_EQ(files.size(), 3u);
  EXPECT_EQ(files[0]["status"], "closed");
  ASSERT_EQ(files[0]["blocks"].size(), 3u);
  EXPECT_EQ(files[0]["blocks"][2]["label"], "Stage 3");
  EXPECT_EQ(files[0]["blocks"][2]["tiebacks"].size(), 2u);
  EXPECT_EQ(files[1]["status"], "error-stop");
  EXPECT_EQ(files[1]["exitStatus"], 3);
  EXPECT_EQ(files[1]["errorStop"]["line"], 3);
  EXPECT_EQ(files[1]["errorStop"]["reason"], "A NUMBER IS EXPECTED, NOT 'x' (WALL LINE)");
  EXPECT_EQ(files[2]["status"], "not-run");
  EXPECT_TRUE(files[2]["blocks"].empty());
}

TEST(CliSummary, EngineMessagesReadAsSentences) {
  EXPECT_EQ(sentenceCase("A NUMBER IS EXPECTED, NOT '1O' (WALL LINE)"), "a number is expected, not '1O' (wall line)");
  EXPECT_EQ(sentenceCase("MOMENT-EI CURVE MOMENTS MUST INCREASE"), "moment-EI curve moments must increase");
  EXPECT_EQ(sentenceCase("STOP 2: PA1 IS NEGATIVE"), "stop 2: PA1 is negative");
  EXPECT_EQ(figureText(196554.0), "1.966E+05");
  EXPECT_EQ(figureText(0.15361), "0.1536");
  EXPECT_EQ(figureText(-2489.0), "-2489");
}

// ---------------------------------------------------------------------------------------------
// convert

TEST(CliConvert, WritesTheCurrentKindAsTheDesktopProgramSavesIt) {
  TempFolder folder;
  const CliResult result =
      runTool({"convert", std::string(KORVEX_EXAMPLES) + "/sample_wall.kx5d", (folder / "out.kx5d").string()});
  EXPECT_EQ(result.status, kExitOk) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out, "Written: " + (folder / "out.kx5d").string() + "\n");
  const std::string text = readFile(folder / "out.kx5d");
  // The project holds the file's stage count of 0 as one stage.
  EXPECT_EQ(text.substr(0, 34), "SAMPLE WALL\r\n1 1\t1\t0\t0\t0 0 1 0 0\r\n");
}

// A version 3.0 file (by its extension) gets the current control line and its single surcharge
// as surcharge rows.
TEST(CliConvert, ReadsTheKindOfTheExtensionOrTheOneGiven) {
  TempFolder folder;
  const std::string old =
      "OLD WALL\n1 0 1 0 2 2 0 1\n40 6 10 0.001 120\n0 40 1 3E10\n0\n0\n"
      "120 12 12 0 0 1 1 0\n0 60 1000 0 0 0\n1\n4 360\n0.066666667 0 32 0 90 0\n0.066666667 0 32 0 90 0\n0\n";
  writeFile(folder / "old.KXD", old);
  CliResult result = runTool({"convert", (folder / "old.KXD").string(), (folder / "new.kx5d").string()});
  EXPECT_EQ(result.status, kExitOk) << result.err;
  std::vector<std::string> lines = korvex::testing::splitLines(readFile(folder / "new.kx5d"));
  ASSERT_GT(lines.size(), 8u);
  EXPECT_EQ(lines[1], "1 0\t1\t0\t2\t2 0 1 0 0\r");
  EXPECT_EQ(lines[8], "3\r");  // point, line and strip rows from the single surcharge

  // Read as the current kind, the same text is short of values.
  writeFile(folder / "old.kx5d", old);
  result = runTool({"convert", (folder / "old.kx5d").string(), (folder / "cut.kx5d").string(), "--kind", "1"});
  EXPECT_EQ(result.status, kExitErrorStop);
  EXPECT_NE(result.err.find("korvex: " + (folder / "old.kx5d").string() + ": Error on Line"), std::string::npos)
      << result.err;
  EXPECT_NE(result.err.find(": Error on Line 4 Item 4\nAn integer was expected but not found.\n"), std::string::npos)
      << result.err;
  EXPECT_NE(result.err.find("the project as read up to there is written"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(folder / "cut.kx5d"));
}

// An input that is missing or a folder reads nothing: the system's message, and the output,
// which may be a user's file, is left as it was.
TEST(CliConvert, AnInputThatCannotBeReadWritesNothing) {
  TempFolder folder;
  writeFile(folder / "out.kx5d", "kept");
  const std::string missing = (folder / "missing.kx5d").string();
  CliResult result = runTool({"convert", missing, (folder / "out.kx5d").string()});
  EXPECT_EQ(result.status, kExitFailure);
  EXPECT_EQ(result.err, "korvex: Cannot open file \"" + missing + "\". No such file or directory\n");
  result = runTool({"convert", folder.path().string(), (folder / "out.kx5d").string()});
  EXPECT_EQ(result.status, kExitFailure);
  EXPECT_EQ(result.err, "korvex: Cannot read file \"" + folder.path().string() + "\". Is a directory\n");
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(readFile(folder / "out.kx5d"), "kept");
}

TEST(CliConvert, SaysWhatTheProjectCannotHoldAndExitsNonZero) {
  TempFolder folder;
  writeFile(folder / "trailing.kx5d", sampleWall() + "7 7 7\r\n");
  const CliResult result =
      runTool({"convert", (folder / "trailing.kx5d").string(), (folder / "out.kx5d").string()});
  EXPECT_EQ(result.status, kExitErrorStop);
  EXPECT_NE(result.err.find("more values after the blocks the project reads"), std::string::npos) << result.err;
  EXPECT_NE(result.err.find("korvex: " + (folder / "out.kx5d").string() + " lacks what is named above\n"),
            std::string::npos)
      << result.err;
}

// A staged file is converted stage by stage (its later blocks here titled otherwise than the
// desktop program titles them), and analyses as the original; a file whose blocks do not match
// its stage count is not written at all.
TEST(CliConvert, ConvertsEveryStageOfAStagedFile) {
  TempFolder folder;
  const std::string original = readFile(std::string(KORVEX_EXAMPLES) + "/staged_excavation.kx5d");
  writeFile(folder / "staged.kx5d", original);
  CliResult result = runTool({"convert", (folder / "staged.kx5d").string(), (folder / "out.kx5d").string()});
  EXPECT_EQ(result.status, kExitOk) << result.err;
  EXPECT_EQ(result.err, "");
  const std::string converted = readFile(folder / "out.kx5d");
  EXPECT_NE(converted.find("\r\n1\r\n Stage No : 2\r\n2 0\t1\t0\t2\t2 0 3 0 1\r\n"), std::string::npos) << converted;
  EXPECT_EQ(converted.substr(converted.size() - 3), "3\r\n");
  TempFolder runs;
  EXPECT_EQ(korvex::testing::runEngineOn(runs, converted).report, korvex::testing::runEngineOn(runs, original).report);

  const std::string twoBlocks = original.substr(0, original.find("STAGE 3"));
  writeFile(folder / "short.kx5d", twoBlocks);
  result = runTool({"convert", (folder / "short.kx5d").string(), (folder / "short-out.kx5d").string()});
  EXPECT_EQ(result.status, kExitFailure);
  EXPECT_EQ(result.err, "korvex: " + (folder / "short.kx5d").string() +
                            ": The construction stages of this file could not be told apart: its control line names "
                            "3 stages, but it holds 2 blocks.\nkorvex: nothing was written\n");
  EXPECT_FALSE(std::filesystem::exists(folder / "short-out.kx5d"));
}

// Converting a file onto itself needs --force, and even then replaces it only when it read
// whole: a typo would otherwise zero the rest of the user's file.
TEST(CliConvert, NeverReplacesItsInputWithLess) {
  TempFolder folder;
  const std::string good = sampleWall();
  std::string typo = good;
  typo.replace(typo.find("80 3"), 4, "80 x");
  writeFile(folder / "good.kx5d", good);
  writeFile(folder / "typo.kx5d", typo);
  std::filesystem::create_symlink(folder / "good.kx5d", folder / "alias.kx5d");

  CliResult result = runTool({"convert", (folder / "good.kx5d").string(), (folder / "alias.kx5d").string()});
  EXPECT_EQ(result.status, kExitFailure);
  EXPECT_EQ(result.err, "korvex: " + (folder / "alias.kx5d").string() +
                            " is the input file itself; give another output name, or --force to replace it\n");
  EXPECT_EQ(readFile(folder / "good.kx5d"), good);

  result = runTool({"convert", (folder / "typo.kx5d").string(), (folder / "typo.kx5d").string(), "--force"});
  EXPECT_EQ(result.status, kExitFailure);
  EXPECT_EQ(readFile(folder / "typo.kx5d"), typo);

  result = runTool({"convert", (folder / "good.kx5d").string(), (folder / "good.kx5d").string(), "--force"});
  EXPECT_EQ(result.status, kExitOk) << result.err;
  EXPECT_NE(readFile(folder / "good.kx5d"), good) << "rewritten as the desktop program saves it";
  EXPECT_TRUE(std::filesystem::is_symlink(folder / "alias.kx5d"));
}

TEST(CliConvert, ConvertsTheUnitSystem) {
  TempFolder folder;
  CliResult result = runTool({"convert", std::string(KORVEX_EXAMPLES) + "/sample_wall.kx5d",
                              (folder / "si.kx5d").string(), "--units", "si"});
  EXPECT_EQ(result.status, kExitOk) << result.err;
  std::vector<std::string> lines = korvex::testing::splitLines(readFile(folder / "si.kx5d"));
  ASSERT_GT(lines.size(), 2u);
  EXPECT_EQ(lines[1].substr(0, 2), "2 ");
  EXPECT_EQ(lines[2], "80 0.0762\t0.254\t2.54E-5\t0\t0.3048\r");  // inches x 0.0254

  result = runTool({"convert", "a.kx5d", "b.kx5d", "--units", "metric"});
  EXPECT_EQ(result.status, kExitFailure);
  EXPECT_EQ(result.err, "korvex: --units takes si, english or other, not metric\n");
  result = runTool({"convert", "a.kx5d"});
  EXPECT_EQ(result.err, "korvex: convert needs an input file and an output file (see korvex --help)\n");
  result = runTool({"convert", "a.kx5d", "b.kx5d", "--kind", "5"});
  EXPECT_EQ(result.err, "korvex: --kind takes 1, 2, 3 or 4, not 5\n");
}

// korvex export on the plot file of a real run: graph 5 alone is numbered 1; by default every
// graph the Graphics menu offers (the sample wall has no p-y curves and no earth pressure), each
// data sheet holding the points of the graph the desktop program draws.
TEST(CliExport, WritesTheChosenGraphsWithThePointsOfTheirLines) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"export", "--help"}, {"help", "export"}})
    EXPECT_EQ(runTool(args).out.rfind("Usage: korvex export FILE.kx5p OUT.xlsx", 0), 0u);
  TempFolder folder;
  writeFile(folder / "wall.kx5d", sampleWall());
  ASSERT_EQ(runTool({"run", (folder / "wall.kx5d").string(), "--summary", "none"}).status, kExitOk);
  const std::string plot = (folder / "wall.kx5p").string();
  const std::string workbook = (folder / "wall plots.xlsx").string();
  ResultGraphs graphs;
  ASSERT_TRUE(loadPlotFileOfProject(plot, "", graphs).loaded);

  const struct {
    std::vector<std::string> options;
    std::vector<GraphIndex> graphs;
  } cases[] = {
      {{"--graphs", "5"}, {kGraphReaction}},
      {{}, {kGraphDeflection, kGraphShear, kGraphMoment, kGraphReaction, kGraphCombined}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"export", plot, workbook};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const CliResult result = runTool(args);
    ASSERT_EQ(result.status, kExitOk) << result.err;
    EXPECT_EQ(result.out.rfind("Written: " + workbook + "\n", 0), 0u) << result.out;
    const korvex::testing::XlsxFile book(workbook);
    std::vector<std::string> sheets = {"Legend"};
    for (std::size_t n = 1; n <= c.graphs.size(); ++n) {
      const std::string number = std::to_string(n);
      const TGraphPlot& graph = graphs.graph(c.graphs[n - 1]);
      sheets.insert(sheets.end(), {"Page_" + number, "Plot_" + number});
      EXPECT_EQ(book.cell("Legend", "C" + std::to_string(n + 2)).text, graph.Caption);
      // The workbook holds 16 significant digits of each value, the last one rounded.
      const auto near = [](double value) { return 1e-15 * std::abs(value); };
      const std::vector<TFloatPoint>& points = graph.Line(0).points;
      for (std::size_t k = 0; k < points.size(); ++k) {
        const std::string row = std::to_string(k + 6);
        const double x = korvex::testing::parseNumber(book.cell("Page_" + number, "A" + row).text);
        const double y = korvex::testing::parseNumber(book.cell("Page_" + number, "B" + row).text);
        EXPECT_NEAR(x, points[k].x, near(points[k].x)) << row;
        EXPECT_NEAR(y, points[k].y, near(points[k].y)) << row;
      }
      EXPECT_EQ(book.cell("Page_" + number, "A" + std::to_string(points.size() + 6)).text, "");
    }
    EXPECT_EQ(book.sheetNames(), sheets);
  }
}

// Wrong arguments, a graph without results, a workbook over its input and a plot file that
// does not read are refused with one line, and nothing is written.
TEST(CliExport, RefusalsSayWhyAndWriteNothing) {
  TempFolder folder;
  writeFile(folder / "wall.kx5d", sampleWall());
  ASSERT_EQ(runTool({"run", (folder / "wall.kx5d").string(), "--summary", "none"}).status, kExitOk);
  const std::string plot = (folder / "wall.kx5p").string();
  const std::string out = (folder / "out.xlsx").string();
  const std::string missing = (folder / "none.kx5p").string();
  const auto before = filesIn(folder.path());
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{"export", plot}, "export needs a plot data file and a workbook file (see korvex export --help)"},
      {{"export", plot, out, "--graphs", "0"}, "--graphs takes numbers 1 to 7 separated by commas, not 0"},
      {{"export", plot, out, "--graphs", "2,"}, "--graphs takes numbers 1 to 7 separated by commas, not 2,"},
      {{"export", plot, out, "--graphs"}, "--graphs needs a value (see korvex export --help)"},
      {{"export", plot, out, "--fast"}, "unknown option --fast (see korvex export --help)"},
      {{"export", plot, out, "--graphs", "2,1"}, "graph 1 (p-y Curves) has no results to export in " + plot},
      {{"export", plot, plot}, plot + " is the input file " + plot + "; give another workbook name"},
      {{"export", missing, out}, missing + ": Cannot open file \"" + missing + "\". No such file or directory"},
  };
  for (const auto& c : cases) {
    const CliResult result = runTool(c.args);
    EXPECT_EQ(result.status, kExitFailure);
    EXPECT_EQ(result.err, "korvex: " + c.err + "\n");
    EXPECT_TRUE(filesIn(folder.path()) == before) << c.err;
  }
}

}  // namespace
}  // namespace korvex::cli
