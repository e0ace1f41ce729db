#include "cli_app.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

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
}

TEST(CliApp, BadArgumentsGiveOneLineAndStatusTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {"frobnicate"},           {"run"},
      {"run", "a.kx5d", "--out"}, {"run", "--fast", "a.kx5d"},
      {"run", "a.kx5d", "-j"},    {"run", "a.kx5d", "-j", "0"},
      {"run", "a.kx5d", "-j", "2x"}, {"run", "x/a.kx5d", "y/a.kx5d", "--out", std::filesystem::temp_directory_path().string()}};
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
  const CliResult result = runTool({"run", (folder / "job.kx5d").string()});
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

TEST(CliApp, ErrorsInTheDataAreInTheReportAndTheRunStillSucceeds) {
  TempFolder folder;
  writeFile(folder / "bad.kx5d", "BAD\n1 0 0 0 0 0 0 0 0 0\n80 x\n");
  const CliResult result = runTool({"run", (folder / "bad.kx5d").string()});
  EXPECT_EQ(result.status, kExitOk);
  EXPECT_NE(readFile(folder / "bad.kx5o").find("A NUMBER IS EXPECTED, NOT 'x' (WALL LINE)"), std::string::npos);
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
    EXPECT_EQ(result.status, kExitOk) << entry.path();
    const std::string report = readFile(folder / entry.path().filename().replace_extension(".kx5o"));
    EXPECT_NE(report.find("END OF ANALYSIS"), std::string::npos) << entry.path();
    EXPECT_EQ(report.find("ERROR"), std::string::npos) << entry.path();
  }
  EXPECT_GE(examples, 6);

  std::string block = readFile(std::string(KORVEX_EXAMPLES) + "/tied_wall_generated_curves.kx5d");
  ASSERT_GE(block.size(), 2u);
  block.erase(block.rfind("0\n"));  // the continuation line of the single analysis
  writeFile(folder / "long_term.kx5d", block + "9\n" + block + "0\n");
  const CliResult result = runTool({"run", (folder / "long_term.kx5d").string()});
  EXPECT_EQ(result.status, kExitOk);
  EXPECT_EQ(result.err, " READ SOIL DATA....\n READ SOIL DATA....\n");
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
    EXPECT_NE(batch.out.find(std::to_string(examples.size()) + " of " + std::to_string(examples.size()) +
                             " data files analysed\n"),
              std::string::npos)
        << batch.out;
    // The reports are listed in the order the files were given.
    EXPECT_EQ(batch.out.find("Report: " + (folder / ("batch" + jobs) / examples[0].stem()).string() + ".kx5o"), 0u);
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
  EXPECT_NE(result.err.find("korvex: second.kx5d: cannot read "), std::string::npos) << result.err;
  EXPECT_NE(result.out.find("2 of 3 data files analysed, 1 could not be run\n"), std::string::npos) << result.out;
  // On a terminal the progress line counts the finished runs.
  EXPECT_NE(result.err.find("\rkorvex: 3 of 3 analysed\n"), std::string::npos) << result.err;
}

TEST(CliApp, FilesThatCannotBeReadOrWrittenGiveStatusTwo) {
  TempFolder folder;
  CliResult result = runTool({"run", (folder / "missing.kx5d").string()});
  EXPECT_EQ(result.status, kExitFailure);
  EXPECT_EQ(result.err, "korvex: cannot read " + (folder / "missing.kx5d").string() + "\n");

  writeFile(folder / "job.kx5d", sampleWall());
  writeFile(folder / "plain-file", "");
  result = runTool({"run", (folder / "job.kx5d").string(), "--out", (folder / "plain-file").string()});
  EXPECT_EQ(result.status, kExitFailure);
  EXPECT_EQ(result.err, "korvex: cannot create folder " + (folder / "plain-file").string() + "\n");

  // A report that cannot be created: a folder stands where the report would go.
  std::filesystem::create_directory(folder / "job.kx5o");
  result = runTool({"run", (folder / "job.kx5d").string()});
  EXPECT_EQ(result.status, kExitFailure);
  EXPECT_EQ(result.err, "korvex: CANNOT CREATE THE OUTPUT FILE " + (folder / "job.kx5o").string() + "\n");
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
  EXPECT_EQ(text.substr(0, 34), "SAMPLE WALL\r\n1 1\t1\t0\t0\t0 0 0 0 0\r\n");
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
  EXPECT_EQ(result.status, kExitFailure);
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

TEST(CliConvert, SaysWhatTheProjectCannotHold) {
  TempFolder folder;
  const CliResult result = runTool(
      {"convert", std::string(KORVEX_EXAMPLES) + "/staged_excavation.kx5d", (folder / "out.kx5d").string()});
  EXPECT_EQ(result.status, kExitOk);
  EXPECT_NE(result.err.find("more values after the blocks the project reads"), std::string::npos) << result.err;
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

}  // namespace
}  // namespace korvex::cli
