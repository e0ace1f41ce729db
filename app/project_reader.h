// Reading a project from any of the four kinds of data file the desktop program accepts:
//
//   kind 1  current version (.kx5d)
//   kind 2  previous version (.kx4d): no tieback count and no tieback rows
//   kind 3  version 3.0 (.kxd): as kind 2, and no moment-EI count, a single surcharge in place of
//           the surcharge table, no p- and y-multipliers on external curves
//   kind 4  version 2.0 (.kxd, or any file opened as "All Files"): as kind 3, and no stage
//           count, no long-term block, soil layers given by thickness with one parameter set
//
// Values go into the project in its unit system and into the tables in their display units
// (layer depths in ft, unit weights in lb/ft^3 in English), converted from the file's inches.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "app/program_data.h"
#include "app/project_tables.h"

namespace korvex {

inline constexpr int kCurrentKind = 1;
inline constexpr int kPreviousKind = 2;
inline constexpr int kVersion3Kind = 3;
inline constexpr int kVersion2Kind = 4;

// More rows than any table of a data file can need: the engine's largest table holds 2000
// earth-pressure points. A row count above this ends the read as an invalid file.
inline constexpr int kMostRowsInADataFile = 10000;

struct ProjectReadResult {
  TProgramData data;
  // Empty when the whole file was read; otherwise the message shown to the user ('\r' is a line
  // break). The project keeps everything read before the error.
  std::string error;
  // What the file says that the project cannot hold, in words for the user.
  std::vector<std::string> notes;
  // False when the file could not be opened or read at all: `error` holds the system's message
  // and the project is a new one.
  bool opened = false;
  // The line (1-based) of the last value the read took. In a staged data file the next stage's
  // block starts on the line after it.
  int lastLineRead = 0;
};

// The kind of a data file opened by name: ".kx4d" gives 2, ".kxd" 3, anything else 1 (letter
// case ignored).
int KindOfFile(const std::filesystem::path& path);

// What reading one block of a file found: the reading error ('\r' is a line break), empty when
// the whole block was read, and what the block holds that the project cannot.
struct BlockReadResult {
  std::string error;
  std::vector<std::string> notes;
};

// Reads the data file at `path` as `kind` into a new project and `tables` (emptied first). Never
// throws: a file that cannot be opened or read gives the system's message in `error`. After
// reading, also after an error, every plain table has at least MinRows rows and the project is
// unmodified.
ProjectReadResult ReadDataFile(const std::filesystem::path& path, int kind, ProjectTables& tables);
// The same for the text of a data file; the project's FileName is `fileName`.
ProjectReadResult ReadDataText(const std::string& text, int kind, ProjectTables& tables,
                               const std::string& fileName = kNewProjectFileName);

// A staged data file is read as its first block only; the project's StageCount (kept within 1
// to kMostStages) says how many stage blocks follow, and the stage files hold them.

// Reads one stage block (a stage file, or one stage's lines of a staged data file) as `kind`
// (1 to 3) into the open project, its block and continuation line: every table is emptied and
// read afresh, Title becomes the block's first line, and what the block does not say stays as
// the project had it. The project keeps its FileName, StageCount and CurrentStage, never turns
// long-term, and keeps its unit system: a block written in another one is converted into it.
// Afterwards, also after an error, every plain table has at least MinRows rows; the modified
// state is left to the caller.
BlockReadResult ReadStageBlock(const std::string& text, int kind, TProgramData& data, ProjectTables& tables);

// Where the blocks of a data file end: the 1-based lines holding their continuation values, and
// whether values follow the block where the engine stops.
struct BlockEnds {
  std::vector<int> lines;
  bool moreFollows = false;
};

// The ends of the blocks of the data file `text`, read block after block as `kind` (1 to 3) as
// the engine reads them: the file ends after a continuation of 0 or of the block's own stage
// count, or where no value follows. Reading stops after `mostBlocks` + 1 blocks. The tables
// `scratch` are emptied and hold whatever the blocks left in them. ProjectReadError when a
// block does not read.
BlockEnds ContinuationLines(const std::string& text, int kind, ProjectTables& scratch, int mostBlocks);

}  // namespace korvex
