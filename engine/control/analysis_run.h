// The run sequence of one analysis: open the files, analyse every block of the data file in
// order, and end the run in order, also after a fatal data error.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "beamcolumn/block_results.h"
#include "beamcolumn/wall_results.h"
#include "beamcolumn/wall_solver.h"
#include "control/block_assembly.h"
#include "control/block_reader.h"
#include "control/engine.h"
#include "format/output_file.h"
#include "input/data_reader.h"
#include "input/record_reader.h"

namespace korvex {

class AnalysisRun {
 public:
  AnalysisRun(const RunFiles& files, const RunOptions& options);

  RunOutcome execute();

 private:
  // Reads the data file and creates the three output files; on failure the outcome says why.
  std::optional<RunOutcome> openFiles();
  // The block loop; throws ErrorStop or InputError on a fatal data error.
  void analyseBlocks();
  // Reads, echoes and analyses one block whose title is read; returns its continuation value.
  int analyseBlock(const std::string& title);
  // Reads the records of the block after its control line and assembles its wall model.
  void readAndAssembleBlock();
  // Iterates the block read into m_block and writes its results.
  void solveBlock();
  // Writes the messages of a fatal data error and keeps them for the outcome.
  void reportErrorStop(const std::vector<std::string>& reportLines, const std::vector<std::string>& consoleLines,
                       std::string reason = {}, DataPosition at = {});
  // "END OF ANALYSIS", the closing plot records, every file closed.
  RunOutcome finish();
  // Removes the files not yet given their names and reports the one that could not be written.
  RunOutcome writeFailure(const std::filesystem::path& path);
  void console(std::string_view line) const;
  void progress(std::string_view line) const;

  RunFiles m_files;
  RunOptions m_options;
  RunTime m_time;
  RunOutcome m_outcome;  // the blocks solved and the error stop, if any

  std::unique_ptr<DataReader> m_data;
  std::unique_ptr<RecordReader> m_records;
  OutputFile m_report;
  OutputFile m_plot;
  OutputFile m_monitor;

  int m_blockCount = 0;      // blocks read so far
  std::string m_firstTitle;  // heads every block of the report
  int m_resultSetCount = 1;  // the plot-block flag: result sets announced in the plot file
  int m_unitSystemCode = 0;  // of the last block read, as read
  bool m_longTermBlockNext = false;  // the block last solved announced a long-term block
  std::optional<BlockResults> m_lastResults;  // of the last solved block
  AssembledBlock m_block;
  StationTable m_deflections;  // kept from block to block: moment-EI curves start from them
  WallSolver m_solver;
  WallResults m_results;
};

}  // namespace korvex
