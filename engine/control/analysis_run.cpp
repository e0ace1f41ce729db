#include "control/analysis_run.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "control/error_stop.h"
#include "report/input_echo.h"
#include "beamcolumn/iteration.h"
#include "report/plot_records.h"
#include "report/result_tables.h"
#include "report/report_frame.h"

namespace korvex {

namespace {

// The continuation value after a long-term block follows.
constexpr int kLongTermFollows = 9;

// The last line of defence against infinities and NaNs in the output files; the data checks
// stop the known causes earlier with their own messages.
constexpr const char* kResultBeyondRange =
    "ERROR STOP -- A RESULT EXCEEDS THE RANGE OF NUMBERS: CHECK THE DATA FOR VALUES TOO LARGE OR TOO SMALL";

bool readWholeFile(const std::filesystem::path& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) return false;
  text = std::move(content).str();
  return true;
}

}  // namespace

AnalysisRun::AnalysisRun(const RunFiles& files, const RunOptions& options)
    : m_files(files), m_options(options), m_time(options.time ? *options.time : currentRunTime()) {}

void AnalysisRun::console(std::string_view line) const {
  if (m_options.console) {
    m_options.console(line);
  } else {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
  }
}

std::optional<RunOutcome> AnalysisRun::openFiles() {
  std::string text;
  if (!readWholeFile(m_files.input, text)) {
    const std::string message = " CANNOT READ THE INPUT DATA FILE " + m_files.input.string();
    console(message);
    return RunOutcome{RunStatus::FileError, message};
  }
  m_data = std::make_unique<DataReader>(std::move(text));
  m_records = std::make_unique<RecordReader>(*m_data);
  for (auto [file, path] : {std::pair{&m_report, &m_files.report}, std::pair{&m_plot, &m_files.plot},
                            std::pair{&m_monitor, &m_files.monitor}}) {
    if (!file->open(*path)) {
      const std::string message = " CANNOT CREATE THE OUTPUT FILE " + path->string();
      console(message);
      return RunOutcome{RunStatus::FileError, message};
    }
  }
  return std::nullopt;
}

RunOutcome AnalysisRun::execute() {
  if (auto failure = openFiles()) return *failure;
  try {
    analyseBlocks();
  } catch (const ErrorStop& stop) {
    reportErrorStop(stop.reportLines(), stop.consoleLines());
  } catch (const InputError& error) {
    reportErrorStop({error.what()}, {});
  } catch (const NonFiniteOutput&) {
    reportErrorStop({kResultBeyondRange}, {});
  } catch (const std::exception& error) {
    reportErrorStop({std::string("ERROR STOP -- INTERNAL ERROR: ") + error.what()}, {});
  }
  return finish();
}

void AnalysisRun::analyseBlocks() {
  for (;;) {
    const int continuation = analyseBlock(m_records->title());
    if (continuation == 0) return;
    // Another block follows: announce the result sets and write this block's results.
    m_resultSetCount = continuation == kLongTermFollows ? 2 : m_block.input.control.stageCount;
    writePlotResults(m_plot, m_resultSetCount, m_unitSystem, m_lastResults ? &*m_lastResults : nullptr);
  }
}

int AnalysisRun::analyseBlock(const std::string& title) {
  ++m_blockCount;
  if (m_blockCount == 1) m_firstTitle = title;
  m_block = LoadedBlock{};
  BlockInput& input = m_block.input;
  input.title = title;
  input.control = m_records->controlLine();
  const ControlLine& control = input.control;
  m_unitSystem = control.unitSystem;

  if (m_blockCount >= 2) writeEmptyLines(m_report, 2);
  writeBanner(m_report, m_files.version);
  writeFileNames(m_report, m_files.input.string(), m_files.report.string(), m_files.plot.string());
  writeEmptyLines(m_report, 1);
  writeRunTime(m_report, m_time);
  writeBlockHeading(m_report, control.stageCount, m_blockCount, m_firstTitle);

  m_block.units = selectUnitLabels(unitLabelSelector(control.unitSystem));
  writeControlParameters(m_report, control);

  BlockLoader loader(*m_records, m_report, m_plot, m_monitor, [this](std::string_view line) { console(line); });
  loader.checkControlLine(control);
  loader.readRecords(m_block, m_deflections);

  writeBlockHeading(m_report, control.stageCount, m_blockCount, m_firstTitle);
  solveBlock();

  int continuation = m_records->continuation();
  if (continuation == control.stageCount) continuation = 0;
  input.continuation = continuation;
  return continuation;
}

void AnalysisRun::solveBlock() {
  const BlockInput& input = m_block.input;
  const WallLine& wall = input.wall;
  StationTables& tables = m_block.tables;
  m_solver.setConditions(tables.numIncrements, input.restraints);
  writeMonitorHeading(m_monitor);
  const int n = tables.numIncrements;
  const IterationOutcome outcome =
      iterateWall(wall, tables, m_block.curves, input.eiCurves, m_solver, m_deflections,
                  [this, n](int iteration, bool offCurve, int notClosed, const StationTable& w) {
                    writeMonitorLine(m_monitor, iteration, offCurve, notClosed, w, n);
                  });
  deriveWallResults(tables, m_deflections, wall.incrementLength, m_results);
  writeResultsTable(m_report, m_block.units, outcome, tables, m_deflections, m_results, wall.incrementLength);
  writeTiebackResults(m_report, m_block.units, input.tiebacks, m_block.tiebacks, m_deflections,
                      input.control.unitSystem, wall.activeWidth);
  // The closing plot records repeat these rows after any later error stop: they must be writable.
  BlockResults rows = plotRows(tables, m_deflections, m_results, wall.incrementLength, input.control.unitSystem);
  for (const ResultRow& row : rows.rows) {
    for (double value : {row.depth, row.deflection, row.moment, row.shear, row.reaction})
      if (!std::isfinite(value)) throw NonFiniteOutput();
  }
  m_lastResults = std::move(rows);
}

void AnalysisRun::reportErrorStop(const std::vector<std::string>& reportLines,
                                  const std::vector<std::string>& consoleLines) {
  static const Format kMessageLine("5X,A");
  writeEmptyLines(m_report, 1);
  for (const std::string& line : reportLines) m_report.write(kMessageLine, line);
  for (const std::string& line : consoleLines) console(line);
}

RunOutcome AnalysisRun::finish() {
  writeEndOfAnalysis(m_report);
  writePlotResults(m_plot, m_resultSetCount, m_unitSystem, m_lastResults ? &*m_lastResults : nullptr);
  RunOutcome outcome;
  for (auto [file, path] : {std::pair{&m_report, &m_files.report}, std::pair{&m_plot, &m_files.plot},
                            std::pair{&m_monitor, &m_files.monitor}}) {
    if (!file->close() && outcome.status == RunStatus::Completed) {
      outcome = RunOutcome{RunStatus::FileError, " CANNOT WRITE THE OUTPUT FILE " + path->string()};
      console(outcome.message);
    }
  }
  return outcome;
}

}  // namespace korvex
