// Construction stages driven as the user drives them, with a scripted screen: the number of
// stages, switching and copying stages, opening and saving staged projects, the stage files'
// safety, and a staged example analysed after a save as it was before.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/project_writer.h"
#include "app/shell/construction_stages.h"
#include "app/shell/project_session.h"
#include "app/stage_files.h"
#include "app/word_reader.h"
#include "shell_fakes.h"

namespace korvex {
namespace {

using Lines = std::vector<std::string>;
using testing::readFile;
using testing::writeFile;

// The sample wall as a two-stage file of the previous version (no tieback count, no active
// width on the wall line); stage 2 carries twice the load.
const char* const kStagedPreviousKind =
    "OLD WALL\r\n1 1 1 0 0 0 0 2 0\r\n80 3 10 0.001 0\r\n3 80 0 0\r\n0 80 1 3.0E+10\r\n1\r\n1 0 0 1000 0 0\r\n0\r\n1\r\n"
    " Stage No : 2\r\n1 1 1 0 0 0 0 2 0\r\n80 3 10 0.001 0\r\n3 80 0 0\r\n0 80 1 3.0E+10\r\n1\r\n1 0 0 2000 0 0\r\n0\r\n2\r\n";

class StagesTest : public testing::RunEnvironment {
 protected:
  ProjectSession& session() {
    if (!m_session) m_session = std::make_unique<ProjectSession>(ui, settings, KORVEX_ENGINE_DIR);
    return *m_session;
  }
  void endSession() { m_session.reset(); }
  // A session that opened a copy of `example` saved as `name`, its start-up left out of the log.
  ProjectSession& opened(const std::string& example, const std::string& name) {
    std::filesystem::copy_file(std::filesystem::path(KORVEX_EXAMPLES) / example, path(name));
    ProjectSession& s = session();
    s.start(path(name).string());
    ui.log.clear();
    return s;
  }
  ProjectSession& stagedExcavation() { return opened("staged_excavation.kx5d", "dig.kx5d"); }
  std::string stageFile(const std::string& dataFile, int stage) const {
    return readFile(StageFilePath(path(dataFile), stage));
  }
  bool exists(const std::string& name) const { return std::filesystem::exists(path(name)); }
  bool modified() { return session().project().IsModified(session().tables()); }
  long double freeHeight() { return session().project().FreeHeight; }
  int tiebacks() { return session().tables().TiebackTable1.RowCount(); }

  testing::ScriptedUserInterface ui;
  testing::MemorySettings settings;

 private:
  std::unique_ptr<ProjectSession> m_session;
};

// Raising the count from 1 to 3 writes three stage files that differ only in their first and
// last lines, ignores and deletes stale stage files of the name, and shows stage 1; the title
// at stage 3 reads " Stage No : 3".
TEST_F(StagesTest, RaisingTheCountWritesEqualStagesAndNeverReadsStaleFiles) {
  writeFile(path("wall.st2"), "STALE\r\n");
  writeFile(path("wall.st5"), "STALE\r\n");
  ProjectSession& s = opened("sample_wall.kx5d", "wall.kx5d");
  ASSERT_TRUE(s.setStageCount(3));
  EXPECT_EQ(ui.shown(), Lines{});
  EXPECT_EQ(s.project().StageCount, 3);
  EXPECT_EQ(s.project().CurrentStage, 1);
  EXPECT_TRUE(modified());
  EXPECT_EQ(s.statusText(), "Construction Stage Number: 1");
  EXPECT_FALSE(exists("wall.st5"));
  std::vector<Lines> stages;
  for (int stage = 1; stage <= 3; ++stage) stages.push_back(SplitLines(stageFile("wall.kx5d", stage)));
  EXPECT_EQ(stages[0].front(), "SAMPLE WALL");
  EXPECT_EQ(stages[1].front(), " Stage No : 2");
  for (int stage = 1; stage <= 3; ++stage) {
    Lines& lines = stages[static_cast<std::size_t>(stage - 1)];
    EXPECT_EQ(lines.back(), std::to_string(stage));
    lines = Lines(lines.begin() + 1, lines.end() - 1);
  }
  EXPECT_EQ(stages[1], stages[0]);
  EXPECT_EQ(stages[2], stages[0]);
  ASSERT_TRUE(s.selectStage(3));
  EXPECT_EQ(s.project().Title, " Stage No : 3");
  EXPECT_EQ(s.statusText(), "Construction Stage Number: 3");
}

// A count change first saves the stage on screen: raising 2 to 3 keeps stage 2's edit and copies
// it into the new stage 3; lowering 4 to 2 deletes stage files 3 and 4 and shows stage 1;
// dropping to one stage from stage 2 shows stage 1 and deletes every stage file.
TEST_F(StagesTest, ACountChangeSavesTheStageOnScreenFirst) {
  ProjectSession& s = opened("sample_wall.kx5d", "wall.kx5d");
  ASSERT_TRUE(s.setStageCount(2));
  ASSERT_TRUE(s.selectStage(2));
  s.project().FreeHeight = 77;
  ASSERT_TRUE(s.setStageCount(3));
  EXPECT_EQ(s.project().CurrentStage, 2);
  EXPECT_EQ(freeHeight(), 77);
  ASSERT_TRUE(s.selectStage(3));
  EXPECT_EQ(freeHeight(), 77);

  ASSERT_TRUE(s.setStageCount(4));
  EXPECT_EQ(s.project().CurrentStage, 3);
  ASSERT_TRUE(s.setStageCount(2));
  EXPECT_EQ(s.project().CurrentStage, 1);
  EXPECT_TRUE(exists("wall.st2"));
  for (const char* gone : {"wall.st3", "wall.st4"}) EXPECT_FALSE(exists(gone)) << gone;
  ASSERT_TRUE(s.selectStage(2));
  s.project().FreeHeight = 88;
  ASSERT_TRUE(s.setStageCount(1));
  EXPECT_EQ(s.project().CurrentStage, 1);
  EXPECT_EQ(freeHeight(), 0);  // the sample wall's stage 1
  EXPECT_EQ(s.statusText(), "");
  for (const char* gone : {"wall.st1", "wall.st2"}) EXPECT_FALSE(exists(gone)) << gone;
  EXPECT_EQ(ui.shown(), Lines{});
}

// Leaving a stage saves it and coming back shows its edits; the modified state is what it was.
TEST_F(StagesTest, SwitchingKeepsEachStagesEditsAndTheModifiedState) {
  ProjectSession& s = stagedExcavation();
  EXPECT_EQ(ui.shown(), Lines{});
  ASSERT_TRUE(s.selectStage(2));
  EXPECT_FALSE(modified());
  s.tables().TiebackTable1.Column(6).SetFloat(0, 175);
  s.markModified();  // as the table's window does
  ASSERT_TRUE(s.selectStage(1));
  EXPECT_TRUE(modified());
  EXPECT_FALSE(s.project().ApplyTieback);
  ASSERT_TRUE(s.selectStage(2));
  EXPECT_EQ(s.tables().TiebackTable1.Column(6).GetFloat(0), 175);
  EXPECT_TRUE(modified());
}

// The acceptance of staged construction: the example opens with its three stages, each
// stage's tables hold that stage's values, and after Save the engine reports what it reported
// for the original file.
TEST_F(StagesTest, TheStagedExampleShowsItsStagesAndAnalysesAlikeAfterSaving) {
  const std::string original = readFile(std::filesystem::path(KORVEX_EXAMPLES) / "staged_excavation.kx5d");
  ProjectSession& s = stagedExcavation();
  EXPECT_EQ(s.project().StageCount, 3);
  EXPECT_EQ(s.menuState().stages, (std::array<bool, 5>{true, true, true, false, false}));
  const struct {
    int stage;
    long double freeHeight;
    int tiebacks;
    std::string title;
  } stages[] = {{1, 3, 0, "STAGED EXCAVATION, ANCHORED SHEET PILE WALL IN SAND, SI UNITS"},
                {2, 6, 1, "STAGE 2: EXCAVATE TO 6 M, TIEBACK AT 1.5 M"},
                {3, 9, 2, "STAGE 3: EXCAVATE TO 9 M, SECOND TIEBACK AT 5 M"}};
  for (const auto& stage : stages) {
    ASSERT_TRUE(s.selectStage(stage.stage));
    EXPECT_EQ(freeHeight(), stage.freeHeight) << stage.stage;
    EXPECT_EQ(s.project().ApplyTieback ? tiebacks() : 0, stage.tiebacks) << stage.stage;
    EXPECT_EQ(s.project().Title, stage.title) << stage.stage;
  }
  EXPECT_EQ(s.tables().TiebackTable1.Column(0).GetFloat(1), 5);
  ASSERT_TRUE(s.selectStage(1));
  ASSERT_TRUE(s.fileSave());
  EXPECT_FALSE(modified());
  const std::string saved = readFile(path("dig.kx5d"));
  EXPECT_NE(saved, original);  // written anew: the engine's input, not the original's text
  testing::TempFolder runs;
  EXPECT_EQ(testing::runEngineOn(runs, saved).report, testing::runEngineOn(runs, original).report);

  // Run Analysis with the engine library: one result set per stage in the plot file.
  ASSERT_TRUE(s.runAnalysis());
  int resultSets = 0;
  for (const std::string& line : SplitLines(readFile(path("dig.kx5p"))))
    if (line == "           3         302           2") ++resultSets;
  EXPECT_EQ(resultSets, 3);
}

// Copy Previous Stage asks first; Yes puts the stage before into the one shown and marks the
// project modified.
TEST_F(StagesTest, CopyingThePreviousStageAsksAndMarksTheProjectModified) {
  ProjectSession& s = stagedExcavation();
  ASSERT_TRUE(s.selectStage(3));
  ui.answers = {Answer::No, Answer::Yes};
  EXPECT_FALSE(s.copyPreviousStage());
  EXPECT_EQ(freeHeight(), 9);
  EXPECT_FALSE(modified());
  EXPECT_TRUE(s.copyPreviousStage());
  EXPECT_EQ(ui.shown(), (Lines{"confirm: Do you want to copy all information from Stage 2 to Stage 3",
                               "confirm: Do you want to copy all information from Stage 2 to Stage 3"}));
  EXPECT_EQ(freeHeight(), 6);
  EXPECT_EQ(tiebacks(), 1);
  EXPECT_EQ(s.project().Title, " Stage No : 3");
  EXPECT_TRUE(modified());
  EXPECT_EQ(SplitLines(stageFile("dig.kx5d", 3)).front(), " Stage No : 3");
  EXPECT_EQ(SplitLines(stageFile("dig.kx5d", 3)).back(), "3");
}

// A stage file that cannot be written keeps the stage on screen: switching, copying and a count
// change stop with the system's message and change nothing.
TEST_F(StagesTest, AStageThatCannotBeSavedStaysOnScreen) {
  ProjectSession& s = stagedExcavation();
  ASSERT_TRUE(s.selectStage(2));
  s.project().FreeHeight = 7;
  const std::string stage3 = stageFile("dig.kx5d", 3);
  std::filesystem::remove(path("dig.st2"));
  std::filesystem::create_directory(path("dig.st2"));
  const std::string refused = "info: Cannot replace file \"" + path("dig.st2").string() + "\". Is a directory";
  ui.answers = {Answer::Yes};
  EXPECT_FALSE(s.selectStage(1));
  EXPECT_FALSE(s.setStageCount(4));
  EXPECT_FALSE(s.setStageCount(1));
  EXPECT_FALSE(s.copyPreviousStage());
  EXPECT_EQ(ui.shown(), (Lines{refused, refused, refused,
                               "confirm: Do you want to copy all information from Stage 1 to Stage 2", refused}));
  EXPECT_EQ(s.project().CurrentStage, 2);
  EXPECT_EQ(s.project().StageCount, 3);
  EXPECT_EQ(freeHeight(), 7);
  EXPECT_EQ(stageFile("dig.kx5d", 3), stage3);
  EXPECT_TRUE(exists("dig.st1"));
}

// Save never writes a data file from stage files that are not all there; only a combined save
// that went through makes the project unmodified.
TEST_F(StagesTest, SavingRefusesWhileAStageFileIsMissing) {
  ProjectSession& s = stagedExcavation();
  const std::string original = readFile(path("dig.kx5d"));
  s.markModified();
  std::filesystem::remove(path("dig.st3"));
  EXPECT_FALSE(s.fileSave());
  EXPECT_EQ(ui.shown(), Lines{"info: The stage file \"" + path("dig.st3").string() +
                              "\" of stage 3 is missing, so the stages cannot be combined; nothing was written."});
  EXPECT_EQ(readFile(path("dig.kx5d")), original);
  EXPECT_TRUE(modified());
}

// Save As writes the stages under the new name, replaces that name's stage files and deletes its
// extra ones; when it fails the project keeps its name.
TEST_F(StagesTest, SaveAsMovesTheStagesToTheNewName) {
  for (int stage = 1; stage <= 5; ++stage) writeFile(StageFilePath(path("other.kx5d"), stage), "OTHER\r\n");
  ProjectSession& s = stagedExcavation();
  const std::string stage2 = stageFile("dig.kx5d", 2);
  ui.saveChoices = {path("other.kx5d").string()};
  ASSERT_TRUE(s.fileSaveAs());
  EXPECT_EQ(s.project().FileName, path("other.kx5d").string());
  EXPECT_EQ(stageFile("other.kx5d", 2), stage2);
  for (const char* gone : {"other.st4", "other.st5", "dig.st1", "dig.st2", "dig.st3"}) EXPECT_FALSE(exists(gone)) << gone;

  std::filesystem::create_directory(path("third.st2"));
  ui.saveChoices = {path("third.kx5d").string()};
  ui.log.clear();
  EXPECT_FALSE(s.fileSaveAs());
  EXPECT_EQ(ui.shown().back(), "info: Cannot replace file \"" + path("third.st2").string() + "\". Is a directory");
  EXPECT_EQ(s.project().FileName, path("other.kx5d").string());
  EXPECT_TRUE(exists("other.st2"));
}

// A project never saved keeps its stage files in a private folder, never in the current folder
// where another project's files may lie; Save As moves them to the chosen name, and the private
// folder goes with the session.
TEST_F(StagesTest, ANeverSavedProjectKeepsItsStagesInAPrivateFolder) {
  std::filesystem::current_path(folder());
  writeFile(path("NewWall.st2"), "ANOTHER PROJECT\r\n");
  ProjectSession& s = session();
  s.start(std::nullopt);
  ASSERT_TRUE(s.setStageCount(2));
  ASSERT_TRUE(s.selectStage(2));
  EXPECT_EQ(readFile(path("NewWall.st2")), "ANOTHER PROJECT\r\n");
  EXPECT_FALSE(exists("NewWall.st1"));
  ui.saveChoices = {path("first.kx5d").string()};
  ASSERT_TRUE(s.fileSave());
  EXPECT_EQ(SplitLines(readFile(path("first.kx5d")))[0], "New Wall");
  EXPECT_EQ(SplitLines(stageFile("first.kx5d", 2)).front(), " Stage No : 2");
  endSession();
  EXPECT_EQ(leftInTemporaryFolder(), Lines{});
}

// Opening a staged file of the previous version rewrites its stage files in the current kind;
// saving it then goes through Save As with a .kx5d proposal.
TEST_F(StagesTest, AStagedOlderProjectGetsStageFilesOfTheCurrentKind) {
  writeFile(path("old.kx4d"), kStagedPreviousKind);
  ProjectSession& s = session();
  s.start(path("old.kx4d").string());
  EXPECT_EQ(s.project().StageCount, 2);
  EXPECT_EQ(SplitLines(stageFile("old.kx4d", 2))[1], "1 1\t1\t0\t0\t0 0 2 0 0");
  EXPECT_EQ(SplitLines(stageFile("old.kx4d", 2))[2], "80 3\t10\t0.001\t0\t0");
  ASSERT_TRUE(s.selectStage(2));
  EXPECT_EQ(s.tables().BoundCond.Column(3).GetFloat(0), 2000);
  ui.log.clear();
  ui.saveChoices = {std::nullopt};
  EXPECT_FALSE(s.fileSave());
  EXPECT_EQ(ui.shown(), Lines{"save dialog: " + path("old.kx5d").string() + " | Save Old.kx5d As"});
}

// A file whose blocks do not match its stage count touches no stage file, and its stages can
// be neither switched nor saved until the number of stages is set again.
TEST_F(StagesTest, AFileWhoseStagesCannotBeToldApartTouchesNoStageFile) {
  std::string text = readFile(std::filesystem::path(KORVEX_EXAMPLES) / "staged_excavation.kx5d");
  for (std::size_t at = text.find(" 3 0 "); at != std::string::npos; at = text.find(" 3 0 ", at + 1))
    text.replace(at, 5, " 4 0 ");
  writeFile(path("four.kx5d"), text);
  writeFile(path("four.st1"), "KEPT\r\n");
  ProjectSession& s = session();
  s.start(path("four.kx5d").string());
  const std::string notCut =
      "info: The construction stages of this file could not be told apart: its control line names 4 stages, but it "
      "holds 3 blocks.\r" + std::string(kStagesNotWritten);
  EXPECT_EQ(ui.shown(), (Lines{"info: Data file: Four.kx5d, has been read by KORVEX 2015", notCut}));
  EXPECT_EQ(readFile(path("four.st1")), "KEPT\r\n");
  EXPECT_EQ(freeHeight(), 3);
  ui.log.clear();
  EXPECT_FALSE(s.selectStage(2));
  EXPECT_FALSE(s.fileSave());
  EXPECT_EQ(ui.shown(), (Lines{std::string("info: ") + kStagesNotInFiles, std::string("info: ") + kStagesNotInFiles}));
  EXPECT_EQ(readFile(path("four.kx5d")), text);
  ASSERT_TRUE(s.setStageCount(2));
  EXPECT_EQ(SplitLines(stageFile("four.kx5d", 1)).back(), "1");
}

// A project is staged or analysed short- and long-term, never both.
TEST_F(StagesTest, StagingAndLongTermExcludeEachOther) {
  ProjectSession& s = session();
  s.start(std::nullopt);
  s.toggleLongTerm();
  EXPECT_FALSE(s.setStageCount(3));
  EXPECT_EQ(s.project().StageCount, 1);
  s.toggleLongTerm();
  ASSERT_TRUE(s.setStageCount(3));
  s.toggleLongTerm();
  EXPECT_FALSE(s.project().LongTerm);
  EXPECT_EQ(ui.shown(), (Lines{std::string("info: ") + kStagedWhileLongTerm, std::string("info: ") + kLongTermWhileStaged}));
}

}  // namespace
}  // namespace korvex
