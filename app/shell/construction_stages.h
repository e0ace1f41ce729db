// The construction stages of the main window's project: the tables hold the stage CurrentStage,
// the other stages wait in their stage files (app/stage_files.h). Switching, copying and a
// change of the number of stages save the stage on screen first and stay on it when that
// fails; the modified state survives them (a copy or a new count marks the project modified,
// and only a successful combined save clears it). A project never saved keeps its stage files
// in a private temporary folder, removed with this object, so that it never meets another
// project's files in the current folder.
#pragma once

#include <filesystem>
#include <string>

#include "app/program_data.h"
#include "app/project_tables.h"
#include "app/shell/user_interface.h"

namespace korvex {

// "Do you want to copy all information from Stage 1 to Stage 2" for stage 2.
std::string copyStageQuestion(int stage);

// After a staged file whose stages cannot be told apart (or written) was opened, and when such
// a project is saved.
inline constexpr const char* kStagesNotWritten =
    "No stage files were written; the project shows the first stage of the file.";
inline constexpr const char* kStagesNotInFiles =
    "The stages of this project are not in stage files, so they cannot be switched or saved. "
    "Set the number of stages again (Options, Conduct Staged-Construction Analysis...) to start "
    "them from the stage on screen.";

class ConstructionStages {
 public:
  ConstructionStages(TProgramData& project, ProjectTables& tables, UserInterface& ui)
      : m_project(project), m_tables(tables), m_ui(ui) {}
  ~ConstructionStages();
  ConstructionStages(const ConstructionStages&) = delete;
  ConstructionStages& operator=(const ConstructionStages&) = delete;

  // The data file whose stage files are the project's: FileName, or for a project never saved
  // its name in the private folder (created on first use; empty when it cannot be).
  std::filesystem::path stageBase();

  // SaveStage: the stage block of CurrentStage into its stage file, safely. A failure is shown
  // and gives false; the tables keep their data. The modified state stays as it was. Refused
  // (kStagesNotInFiles) while the opened file's stages are not in stage files.
  bool saveStage();
  // LoadStage: the stage file of CurrentStage read into the project (in the kind of the flags
  // HasEICount and HasTiebackCount); nothing when it does not exist or the opened file's stages
  // are not in stage files. A reading error is shown
  // and gives false, the project keeping what was read. The modified state stays as it was.
  bool loadStage();

  // SelectStage: the stage on screen saved, then stage `stage` (1 to StageCount) loaded.
  bool select(int stage);
  // CopyPreviousStage: after the user confirmed, the stage before CurrentStage is saved as
  // CurrentStage (its unsaved edits are discarded); the project becomes modified. When that
  // fails, the stage shown stays as it was.
  bool copyPrevious();
  // The number of stages set to `count` (1 to 5; the OK of the staged-construction window).
  // The stage on screen is saved first. One stage: stage 1 is loaded and every stage file
  // deleted. More: the stages 1 to `count` are written (a new stage as a copy of the one before
  // it; files of a project that had one stage are stale and ignored), those above deleted, and
  // stage 1 shown when the project had one stage or fewer stages remain. Nothing changes
  // when a step fails; the project becomes modified when the count changed.
  bool setCount(int count);

  // After a staged data file `path` of `kind` was opened (its first block read): the file cut
  // into stage files (those of the name deleted first), stage files of an older kind rewritten
  // in the current kind, and stage 1 on screen. A file that cannot be cut (no stage file is
  // touched then), or stage files that cannot be written, are reported and give false: the
  // tables hold the first stage, and the stages stay out of stage files until the number of
  // stages is set again, so that no stage file that is not this project's is ever read.
  bool prepareOpened(const std::filesystem::path& path, int kind);

  // Save and Save As: `target` written as the project's stage files one after another; the
  // stage files move to `target`'s names when those differ. ProjectWriteError when a stage file
  // is missing (nothing written) or a write fails.
  void combine(const std::filesystem::path& target);

 private:
  std::filesystem::path stageFile(int stage);
  // Runs `step` with the project's modified state kept as it was.
  template <class Step>
  bool keepingModifiedState(Step step);
  bool loadStageFrom(const std::string& text, int kind);
  bool dropToOneStage();
  bool writeStages(int count);
  bool convertStageFiles(int kind);

  TProgramData& m_project;
  ProjectTables& m_tables;
  UserInterface& m_ui;
  std::filesystem::path m_privateFolder;
  bool m_stageFilesInPlace = true;  // the stage files 1 to StageCount are this project's
};

}  // namespace korvex
