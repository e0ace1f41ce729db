// The stage files of a staged project. The input tables hold one construction stage at a time;
// every stage's block lives in a stage file next to the data file (wall.kx5d has wall.st1 to
// wall.st5), and the data file is the stage blocks of stages 1 to StageCount one after another:
//
//   wall.kx5d                                   stage files
//   +----------------------------------------+
//   | the project's title, control line, ... |  wall.st1
//   | 1                 (continuation line)  |
//   |  Stage No : 2                          |  wall.st2
//   | ...                                    |
//   | 2                                      |
//   |  Stage No : 3                          |  wall.st3
//   | ...                                    |
//   | 3    (equal to the stage count: ends)  |
//   +----------------------------------------+
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "app/program_data.h"
#include "app/project_reader.h"
#include "app/project_tables.h"

namespace korvex {

// The stage file of stage `stage` of the data file `dataFile`: its extension replaced by ".st"
// and the stage's digit.
std::filesystem::path StageFilePath(const std::filesystem::path& dataFile, int stage);

// The file kind stage files are read in, from the project's two flags: both on the current kind,
// only HasEICount the previous version's, neither version 3.0's.
int StageFileKind(bool hasEICount, bool hasTiebackCount);

// A staged data file cut into its stages.
struct StageSplit {
  // The lines of each stage, each line ended by CR LF; empty when the file could not be cut.
  std::vector<std::string> stages;
  // Why it could not be cut, for the user ('\r' is a line break); empty when it was.
  std::string error;
  // The later stages were titled otherwise than " Stage No : n" and were found at the
  // continuation lines of the blocks before them.
  bool atContinuationLines = false;
};

// Cuts the text of a staged data file of `kind` (1 to 3) into its `stageCount` stages. Stage 1
// starts at the first line and the last stage ends at the last line. A stage n from 2 starts
// at a line that reads " Stage No : n" right after a line holding n - 1 (its continuation
// line), so a title that merely contains the words does not cut. A file whose later blocks are
// titled otherwise is cut after each block's continuation line, found by reading the blocks as
// the engine does; the tables `scratch` then hold whatever the blocks left in them. A file with
// another number of blocks than `stageCount`, or whose blocks do not read, is not cut.
StageSplit SplitStageBlocks(const std::string& text, int stageCount, int kind, ProjectTables& scratch);

// A staged data file rewritten in the current kind: `stages` (of a file of `kind`, as
// SplitStageBlocks cut them) read one after another into the project and written as its stage
// blocks, in the project's unit system. `findings` holds what reading each stage found.
struct StagedRewrite {
  std::string text;
  std::vector<BlockReadResult> findings;
};
StagedRewrite RewriteStages(const std::vector<std::string>& stages, int kind, TProgramData& data,
                            ProjectTables& tables);

// Writes `target` as the stage files 1 to `stageCount` of the data file `source` one after
// another, line for line, through a temporary file. When the two names' stage files differ,
// the stage files of `source` then move to the names of `target` (written safely, then the
// old ones deleted), and the stage files of `target` above `stageCount` are deleted.
// ProjectWriteError: a stage file 1 to `stageCount` is missing or unreadable (nothing is
// written then), or a write failed (the files already written stay).
void CombineStageFiles(const std::filesystem::path& target, const std::filesystem::path& source, int stageCount);

// Deletes the stage files `from` to kMostStages of `dataFile` that exist. ProjectWriteError
// with the system's message when one cannot be deleted.
void DeleteStageFiles(const std::filesystem::path& dataFile, int from);

}  // namespace korvex
