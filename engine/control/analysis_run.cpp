#include "control/analysis_run.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "beamcolumn/iteration.h"
#include "input/error_stop.h"
#include "report/input_echo.h"
#include "report/plot_records.h"
#include "report/report_frame.h"
#include "report/result_tables.h"

namespace korvex {

namespace {

// The continuation value after a long-term block follows.
constexpr int kLongTermFollows = 9;

// The last line of defence against infinities and NaNs in the output files; the data checks
// stop the known causes earlier with their own messages.
constexpr const char* kResultBeyondRange =
    "ERROR STOP -- A RESULT EXCEEDS THE RANGE OF NUMBERS: CHECK THE DATA FOR VALUES TOO LARGE OR TOO SMALL";

// The reason of an error stop on one line: its report lines joined, without the heading
// "ERROR STOP --" (the code of "ERROR STOP 2 -- ..." follows as "(STOP 2)").
std::string reasonOf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    const std::size_t first = line.find_first_not_of(' ');
    if (first == std::string::npos) continue;
    if (!text.empty()) text += ' ';
    text += line.substr(first, line.find_last_not_of(' ') - first + 1);
  }
  for (std::string_view heading : {"ERROR STOP -- ", "ERROR -- "}) {
    if (text.starts_with(heading)) return text.substr(heading.size());
  }
  constexpr std::string_view kNumbered = "ERROR STOP ";
  if (const std::size_t dashes = text.find(" -- "); text.starts_with(kNumbered) && dashes != std::string::npos)
    return text.substr(dashes + 4) + " (" + text.substr(6, dashes - 6) + ")";
  return text;
}

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

void AnalysisRun::progress(std::string_view line) const {
  if (m_options.progress) {
    m_options.progress(line);
  } else {
    console(line);
  }
}

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
    return RunOutcome::failed(RunStatus::FileError, message);
  }
  m_data = std::make_unique<DataReader>(std::move(text));
  m_records = std::make_unique<RecordReader>(*m_data);
  for (auto [file, path] : {std::pair{&m_report, &m_files.report}, std::pair{&m_plot, &m_files.plot},
                            std::pair{&m_monitor, &m_files.monitor}}) {
    if (!file->open(*path)) {
      const std::string message = " CANNOT CREATE THE OUTPUT FILE " + path->string();
      console(message);
      return RunOutcome::failed(RunStatus::FileError, message);
    }
  }
  return std::nullopt;
}

RunOutcome AnalysisRun::execute() {
  if (auto failure = openFiles()) return *failure;
  try {
    analyseBlocks();
  } catch (const ErrorStop& stop) {
    reportErrorStop(stop.reportLines(), stop.consoleLines(), stop.reason(), stop.at());
  } catch (const InputError& error) {
    reportErrorStop({error.what()}, {}, error.reason(), error.position());
  } catch (const NonFiniteOutput&) {
    reportErrorStop({kResultBeyondRange}, {});
  } catch (const std::exception& error) {
    reportErrorStop({std::string("ERROR STOP -- INTERNAL ERROR: ") + error.what()}, {});
    m_outcome.status = RunStatus::InternalError;
    m_outcome.message = std::string("internal error: ") + error.what();
  }
  return finish();
}

void AnalysisRun::analyseBlocks() {
  for (;;) {
    const int continuation = analyseBlock(m_records->title());
    m_longTermBlockNext = continuation == kLongTermFollows;
    if (m_longTermBlockNext) m_outcome.blocks.back().role = BlockRole::ShortTerm;
    if (continuation == 0) return;
    // Another block follows: announce the result sets and write this block's results.
    m_resultSetCount = continuation == kLongTermFollows ? 2 : m_block.input.control.stageCount;
    writePlotResults(m_plot, m_resultSetCount, m_unitSystemCode, m_lastResults ? &*m_lastResults : nullptr);
  }
}

int AnalysisRun::analyseBlock(const std::string& title) {
  ++m_blockCount;
  if (m_blockCount == 1) m_firstTitle = title;
  m_block = AssembledBlock{};
  BlockInput& input = m_block.input;
  input.title = title;
  input.control = m_records->controlLine();
  const ControlLine& control = input.control;
  m_unitSystemCode = control.unitSystemCode;

  if (m_blockCount >= 2) writeEmptyLines(m_report, 2);
  writeBanner(m_report, m_files.version);
  writeFileNames(m_report, m_files.input.string(), m_files.report.string(), m_files.plot.string());
  writeEmptyLines(m_report, 1);
  writeRunTime(m_report, m_time);
  writeBlockHeading(m_report, control.stageCount, m_blockCount, m_firstTitle);

  writeControlParameters(m_report, control);

  readAndAssembleBlock();

  writeBlockHeading(m_report, control.stageCount, m_blockCount, m_firstTitle);
  solveBlock();

  int continuation = m_records->continuation();
  if (continuation == control.stageCount) continuation = 0;
  input.continuation = continuation;
  return continuation;
}

void AnalysisRun::readAndAssembleBlock() {
  BlockReader reader(*m_records, m_report, m_block);
  BlockAssembly assembly(m_block, AssemblyOutputs{m_report, m_plot, m_monitor,
                                                  [this](std::string_view line) { console(line); },
                                                  [this](std::string_view line) { progress(line); }});
  m_block.input.unitSystem = reader.checkControlLine(m_block.input.control);
  m_block.units = unitLabelsOf(m_block.input.unitSystem);
  reader.readWallAndSupports(assembly);
  reader.readSoilGroups();
  reader.checkSupportsForEnvelope();
  assembly.addEarthPressure();
  assembly.checkNothingBeyondToe();
  reader.readUserCurves(assembly);
  reader.readMomentEICurves();
  assembly.applyMomentEI(m_deflections);
  assembly.addGeneratedCurves();
  assembly.writeCurveRecords();
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
  stopOnFailure(outcome.check);
  deriveWallResults(tables, m_deflections, wall.incrementLength, m_results);
  writeResultsTable(m_report, m_block.units, outcome, tables, m_deflections, m_results, wall.incrementLength);
  BlockOutcome block;
  block.block = m_blockCount;
  block.role = input.control.stageCount > 1 ? BlockRole::Stage
               : m_longTermBlockNext        ? BlockRole::LongTerm
                                            : BlockRole::Single;
  block.unitSystem = input.unitSystem;
  block.iterations = outcome.iteration;
  block.offCurve = outcome.offCurve;
  block.stationsOverMaxDeflection = outcome.counts.overMaxDeflection;
  block.stationsNotClosed = outcome.counts.notClosed;
  for (std::size_t i = 0; i < input.tiebacks.size() && i < m_block.tiebacks.size(); ++i) {
    const TiebackSupport& support = m_block.tiebacks[i];
    block.tiebacks.push_back(tiebackForce(input.tiebacks[i], support, m_deflections[support.station],
                                          input.unitSystem, wall.activeWidth));
  }
  writeTiebackResults(m_report, m_block.units, block.tiebacks);
  // The closing plot records repeat these rows after any later error stop: they must be writable.
  BlockResults rows = plotRows(tables, m_deflections, m_results, wall.incrementLength, input.unitSystem);
  for (const ResultRow& row : rows.rows) {
    for (double value : {row.depth, row.deflection, row.moment, row.shear, row.reaction})
      if (!std::isfinite(value)) throw NonFiniteOutput();
  }
  block.rows.assign(rows.rows.begin(), rows.rows.begin() + n + 1);
  m_lastResults = std::move(rows);
  m_outcome.blocks.push_back(std::move(block));
}

void AnalysisRun::reportErrorStop(const std::vector<std::string>& reportLines,
                                  const std::vector<std::string>& consoleLines, std::string reason, DataPosition at) {
  static const Format kMessageLine("5X,A");
  writeEmptyLines(m_report, 1);
  for (const std::string& line : reportLines) m_report.write(kMessageLine, line);
  for (const std::string& line : consoleLines) console(line);
  m_outcome.status = RunStatus::ErrorStop;
  m_outcome.errorStop = DataErrorStop{reportLines, reason.empty() ? reasonOf(reportLines) : std::move(reason), at};
}

RunOutcome AnalysisRun::finish() {
  writeEndOfAnalysis(m_report);
  writePlotResults(m_plot, m_resultSetCount, m_unitSystemCode, m_lastResults ? &*m_lastResults : nullptr);
  // The three files take their names only when all three were written completely.
  const std::pair<OutputFile*, const std::filesystem::path*> files[] = {
      {&m_report, &m_files.report}, {&m_plot, &m_files.plot}, {&m_monitor, &m_files.monitor}};
  for (auto [file, path] : files) {
    if (!file->close()) return writeFailure(*path);
  }
  for (auto [file, path] : files) {
    if (!file->commit()) return writeFailure(*path);
  }
  return std::move(m_outcome);
}

RunOutcome AnalysisRun::writeFailure(const std::filesystem::path& path) {
  for (OutputFile* file : {&m_report, &m_plot, &m_monitor}) file->discard();
  const std::string message = " CANNOT WRITE THE OUTPUT FILE " + path.string();
  console(message);
  RunOutcome outcome = RunOutcome::failed(RunStatus::FileError, message);
  outcome.blocks = std::move(m_outcome.blocks);
  return outcome;
}

}  // namespace korvex
