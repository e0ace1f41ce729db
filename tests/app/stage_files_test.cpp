// Stage files: the stage block a stage file holds, reading one stage into the open project,
// the first block of a staged data file, cutting a staged data file into its stages and
// combining stage files into the data file.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/program_data.h"
#include "app/project_reader.h"
#include "app/project_tables.h"
#include "app/project_writer.h"
#include "app/stage_files.h"
#include "app/word_reader.h"
#include "entry/unit_codes.h"
#include "tables/catalogue.h"
#include "test_support.h"

namespace korvex {
namespace {

using korvex::testing::readFile;
using korvex::testing::writeFile;

struct Tables {
  Catalogue catalogue = createCatalogue();
  ProjectTables tables{catalogue};
};

// A staged English wall of `stages` stages; stage n is excavated to n x 5 ft (n x 60 in) and
// carries n concentrated loads, so that every stage's block is another size.
TProgramData stagedWall(ProjectTables& t, int stages) {
  TProgramData d = TProgramData::CreateNew(t);
  d.Title = "STAGED WALL";
  d.NumIncrements = 40;
  d.IncrementLength = 6;
  d.ActiveWidth = 12;
  d.StageCount = stages;
  d.GeneratePYCurves = 0;
  d.EarthPressureChoice = kTriangularPressure;
  d.ApplyConcLoads = true;
  t.PileSect.Column(1).SetInt(0, 40);
  t.PileSect.Column(3).SetFloat(0, 3E10L);
  return d;
}

void showStage(TProgramData& d, ProjectTables& t, int stage) {
  d.CurrentStage = stage;
  d.FreeHeight = 60.0L * stage;
  t.BoundCond.SetRowCount(stage);
  for (int row = 0; row < stage; ++row) t.BoundCond.Column(3).SetFloat(row, 1000.0L * (row + 1));
}

// The staged data file of stagedWall: its stage blocks one after another.
std::string stagedText(int stages) {
  Tables t;
  TProgramData d = stagedWall(t.tables, stages);
  std::string text;
  for (int stage = 1; stage <= stages; ++stage) {
    showStage(d, t.tables, stage);
    text += StageBlockText(d, t.tables);
  }
  return text;
}

std::string firstLine(const std::string& text) { return SplitLines(text).front(); }

void replaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

TEST(StageBlock, IsTitledByItsStageAndEndsWithItsNumber) {
  Tables t;
  TProgramData d = stagedWall(t.tables, 3);
  const struct {
    int stage;
    const char* title;
    const char* last;
  } cases[] = {{1, "STAGED WALL", "1"}, {2, " Stage No : 2", "2"}, {3, " Stage No : 3", "3"}};
  for (const auto& c : cases) {
    d.CurrentStage = c.stage;
    const std::string text = StageBlockText(d, t.tables);
    const std::vector<std::string> lines = SplitLines(text);
    EXPECT_EQ(lines.front(), c.title) << c.stage;
    // The control line carries the number of stages; no long-term block follows.
    EXPECT_EQ(lines[1], "1 0\t1\t0\t0\t0 0 3 0 0") << c.stage;
    EXPECT_EQ(lines.back(), c.last) << c.stage;
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  }
  EXPECT_EQ(d.Title, "STAGED WALL");
}

// Opening a staged file reads its first block only; its later blocks are stages, not data the
// project cannot hold. The project's stage count stays within one to five, and a file that is
// both staged and long-term is held as long-term.
TEST(StagedDataFile, ReadsTheFirstStageAndKeepsTheCountInRange) {
  // A block with the continuation `last`.
  const auto endingWith = [](std::string block, const char* last) { return block.replace(block.size() - 3, 3, last); };
  std::string longTerm = endingWith(stagedText(1), "9\r\n");
  replaceAll(longTerm, "0 1 0 0\r\n", "0 3 0 0\r\n");  // a stage count of 3 in the control line
  longTerm += endingWith(stagedText(1), "0\r\n");
  const struct {
    const char* name;
    std::string text;
    int stageCount;
    std::vector<std::string> notes;
  } cases[] = {
      {"three stages", stagedText(3), 3, {}},
      {"no stage count", endingWith(stagedText(1), "0\r\n"), 1, {}},
      {"six stages", stagedText(6), 5,
       {"The file's control line names 6 construction stages; the project holds at most 5."}},
      {"staged and long-term", longTerm, 1,
       {"The file's control line names 3 construction stages, but a long-term block follows its first block; "
        "the project holds it as a short-term and long-term analysis of one stage."}},
  };
  for (const auto& c : cases) {
    Tables t;
    const ProjectReadResult read = ReadDataText(c.text, kCurrentKind, t.tables);
    EXPECT_EQ(read.error, "") << c.name;
    EXPECT_EQ(read.data.StageCount, c.stageCount) << c.name;
    EXPECT_EQ(read.notes, c.notes) << c.name;
    EXPECT_EQ(read.data.Title, "STAGED WALL") << c.name;
  }
}

// A stage is read into the open project: its name, counts and unit system stay; the values of a
// block written in another unit system come into the project's.
TEST(StageBlockReading, KeepsTheProjectsNameCountsAndUnits) {
  Tables english;
  TProgramData wall = stagedWall(english.tables, 4);
  showStage(wall, english.tables, 2);
  const std::string block = StageBlockText(wall, english.tables);

  Tables t;
  TProgramData project = TProgramData::CreateNew(t.tables);
  project.SetUnits(kSIUnits, t.tables);
  project.FileName = "/walls/site.kx5d";
  project.StageCount = 4;
  project.CurrentStage = 3;
  const BlockReadResult read = ReadStageBlock(block, kCurrentKind, project, t.tables);
  EXPECT_EQ(read.error, "");
  EXPECT_EQ(project.FileName, "/walls/site.kx5d");
  EXPECT_EQ(project.StageCount, 4);
  EXPECT_EQ(project.CurrentStage, 3);
  EXPECT_EQ(project.UnitSystem, kSIUnits);
  EXPECT_EQ(project.Title, " Stage No : 2");
  EXPECT_FALSE(project.LongTerm);
  // 120 in of free height in metres; the factor 0.0254 is exact in the project's arithmetic.
  EXPECT_NEAR(static_cast<double>(project.FreeHeight), 3.048, 1E-12);
  EXPECT_EQ(t.tables.BoundCond.RowCount(), 2);
  EXPECT_EQ(t.tables.BoundCond.Units(), kSIUnits);

  // A block that ends early keeps what was read and gives every table its rows.
  const BlockReadResult cut = ReadStageBlock(block.substr(0, block.find("40 6")), kCurrentKind, project, t.tables);
  EXPECT_EQ(cut.error, kIncompleteFile);
  EXPECT_EQ(t.tables.BoundCond.RowCount(), t.tables.BoundCond.MinRows());
  EXPECT_EQ(project.StageCount, 4);
}

// Stage 2 starting at line 41 puts lines 1 to 40 into stage 1; later blocks titled otherwise
// are found at the continuation lines; a title that merely holds the words does not cut; a
// file that does not hold its stage count's blocks is not cut.
TEST(StageSplit, CutsAtStageTitlesOrAtContinuationLines) {
  std::string forty = "TITLE\r\n";
  for (int line = 2; line < 40; ++line) forty += "0\r\n";
  forty += "1\r\n Stage No : 2\r\n2\r\n";
  std::string otherTitles = stagedText(3);
  replaceAll(otherTitles, " Stage No : 2", "STAGE 2: Stage No : 2 WITH ANCHORS");
  replaceAll(otherTitles, " Stage No : 3", "STAGE 3");
  std::string threeOfTwo = stagedText(3);
  replaceAll(threeOfTwo, " 3 0 0\r\n", " 2 0 0\r\n");  // each block names two stages
  std::string otherThreeOfTwo = otherTitles;
  replaceAll(otherThreeOfTwo, " 3 0 0\r\n", " 2 0 0\r\n");
  std::string twoOfThree = stagedText(3);
  twoOfThree = twoOfThree.substr(0, twoOfThree.find(" Stage No : 3"));
  const struct {
    const char* name;
    std::string text;
    int stageCount;
    std::vector<std::string> firstLines;
    std::vector<int> lineCounts;
    bool atContinuationLines;
    std::string error;
  } cases[] = {
      {"titled as written", stagedText(3), 3, {"STAGED WALL", " Stage No : 2", " Stage No : 3"}, {8, 9, 10}, false, ""},
      {"stage 2 at line 41", forty, 2, {"TITLE", " Stage No : 2"}, {40, 2}, false, ""},
      {"titled otherwise", otherTitles, 3, {"STAGED WALL", "STAGE 2: Stage No : 2 WITH ANCHORS", "STAGE 3"},
       {8, 9, 10}, true, ""},
      {"more blocks than stages", threeOfTwo, 2, {}, {}, true,
       "The construction stages of this file could not be told apart: its control line names 2 stages, but it "
       "holds 3 blocks."},
      {"more blocks than stages, titled otherwise", otherThreeOfTwo, 2, {}, {}, true,
       "The construction stages of this file could not be told apart: its control line names 2 stages, but it "
       "holds more than 2 blocks."},
      {"fewer blocks than stages", twoOfThree, 3, {}, {}, true,
       "The construction stages of this file could not be told apart: its control line names 3 stages, but it "
       "holds 2 blocks."},
      {"unreadable block", "WALL\r\n1 0 1 0 0 0 0 2 0 0\r\n40 x\r\n", 2, {}, {}, true,
       "The construction stages of this file could not be told apart: Error on Line 3 Item 2\r"
       "A floating point number was expected but not found."},
  };
  for (const auto& c : cases) {
    Tables t;
    const StageSplit split = SplitStageBlocks(c.text, c.stageCount, kCurrentKind, t.tables);
    EXPECT_EQ(split.error, c.error) << c.name;
    std::vector<std::string> firstLines;
    std::vector<int> lineCounts;
    std::string joined;
    for (const std::string& stage : split.stages) {
      firstLines.push_back(firstLine(stage));
      lineCounts.push_back(static_cast<int>(SplitLines(stage).size()));
      joined += stage;
    }
    EXPECT_EQ(firstLines, c.firstLines) << c.name;
    EXPECT_EQ(lineCounts, c.lineCounts) << c.name;
    if (c.error.empty()) {
      EXPECT_EQ(split.atContinuationLines, c.atContinuationLines) << c.name;
      EXPECT_EQ(joined, c.text) << c.name;  // line for line, nothing lost
    }
  }
}

class StageFileFolder : public ::testing::Test {
 protected:
  std::filesystem::path path(const std::string& name) const { return m_folder / name; }
  // The stage files of `dataFile`, each holding "<name> <stage>\r\n".
  void writeStages(const std::string& dataFile, int count) {
    for (int stage = 1; stage <= count; ++stage)
      writeFile(StageFilePath(path(dataFile), stage), dataFile + " " + std::to_string(stage) + "\r\n");
  }
  bool exists(const std::string& name) const { return std::filesystem::exists(path(name)); }

 private:
  testing::TempFolder m_folder;
};

TEST_F(StageFileFolder, StageFilesAreNamedAfterTheDataFile) {
  EXPECT_EQ(StageFilePath("/walls/site.kx5d", 3), std::filesystem::path("/walls/site.st3"));
  EXPECT_EQ(StageFilePath("/walls/site.kx4d", 1), std::filesystem::path("/walls/site.st1"));
  EXPECT_EQ(StageFileKind(true, true), kCurrentKind);
  EXPECT_EQ(StageFileKind(true, false), kPreviousKind);
  EXPECT_EQ(StageFileKind(false, false), kVersion3Kind);
}

TEST_F(StageFileFolder, CombiningOntoItsOwnNameLeavesTheStageFiles) {
  writeStages("a.kx5d", 2);
  writeFile(path("a.st2"), "a.kx5d 2");  // a last line without its line end still ends
  CombineStageFiles(path("a.kx5d"), path("a.kx5d"), 2);
  EXPECT_EQ(readFile(path("a.kx5d")), "a.kx5d 1\r\na.kx5d 2\r\n");
  EXPECT_TRUE(exists("a.st1"));
  EXPECT_TRUE(exists("a.st2"));
}

TEST_F(StageFileFolder, CombiningUnderAnotherNameMovesTheStageFilesAndDropsTheTargetsExtraOnes) {
  writeStages("a.kx5d", 2);
  writeStages("b.kx5d", 4);
  CombineStageFiles(path("b.kx5d"), path("a.kx5d"), 2);
  EXPECT_EQ(readFile(path("b.kx5d")), "a.kx5d 1\r\na.kx5d 2\r\n");
  EXPECT_EQ(readFile(path("b.st2")), "a.kx5d 2\r\n");
  for (const char* gone : {"a.st1", "a.st2", "b.st3", "b.st4"}) EXPECT_FALSE(exists(gone)) << gone;
}

TEST_F(StageFileFolder, CombiningWithAStageFileMissingWritesNothing) {
  writeStages("a.kx5d", 3);
  std::filesystem::remove(path("a.st2"));
  writeFile(path("a.kx5d"), "the user's file");
  try {
    CombineStageFiles(path("a.kx5d"), path("a.kx5d"), 3);
    ADD_FAILURE() << "combined without stage 2";
  } catch (const ProjectWriteError& error) {
    EXPECT_EQ(std::string(error.what()), "The stage file \"" + path("a.st2").string() +
                                             "\" of stage 2 is missing, so the stages cannot be combined; nothing "
                                             "was written.");
  }
  EXPECT_EQ(readFile(path("a.kx5d")), "the user's file");
}

}  // namespace
}  // namespace korvex
