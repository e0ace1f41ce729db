// The engine's C++ interface: one analysis run of an input data file.
//
// A run reads the data file, analyses every block and writes the report, the plot data file
// and the iteration monitor file. Errors in the data end the run in order with a message in
// the report; they are not failures of the run. Every run lives in its own object, so runs
// may go on in parallel threads as long as each has its own files.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include <vector>

#include "beamcolumn/block_results.h"
#include "input/data_reader.h"
#include "report/report_frame.h"

namespace korvex {

// The version string printed in the report banner when the caller gives none.
inline constexpr const char* kEngineVersion = "2015.5.11";

struct RunFiles {
  std::string version = kEngineVersion;  // printed in the banner (12 characters)
  std::filesystem::path input;           // data file (.kx5d)
  std::filesystem::path report;          // report (.kx5o)
  std::filesystem::path plot;            // plot data file (.kx5p)
  std::filesystem::path monitor;         // iteration monitor file (.kx5r)
};

struct RunOptions {
  // Receives the lines the engine writes to the console; standard error when empty.
  std::function<void(std::string_view)> console;
  // Receives the progress lines (" READ SOIL DATA...."); the console when empty.
  std::function<void(std::string_view)> progress;
  // The date and time printed in the report; the local clock (or KORVEX_FIXED_TIME) when empty.
  std::optional<RunTime> time;
};

enum class RunStatus {
  Completed,      // every block was analysed; `blocks` tells how each ended
  ErrorStop,      // an error in the data ended the run in order; `errorStop` says what
  FileError,      // a file could not be read or written; `message` says which
  InternalError,  // a fault of the engine itself; `message` says what
};

// The error in the data that ended a run: the report's lines, and the reason on one line
// with where the value was read (line 0 when the message names no place).
struct DataErrorStop {
  std::vector<std::string> reportLines;
  std::string reason;  // upper case as the report prints it, without "ERROR STOP --" and place
  DataPosition at;
};

struct RunOutcome {
  RunStatus status = RunStatus::Completed;
  std::string message;
  DataErrorStop errorStop;            // with RunStatus::ErrorStop
  std::vector<BlockOutcome> blocks;   // the blocks solved, in order (also before an error stop)

  // A run that could not be made or finished, with its reason.
  static RunOutcome failed(RunStatus status, std::string message) {
    RunOutcome outcome;
    outcome.status = status;
    outcome.message = std::move(message);
    return outcome;
  }
};

class Engine {
 public:
  // Runs the analysis of `files.input`. Never throws.
  static RunOutcome run(const RunFiles& files, const RunOptions& options = {});
};

}  // namespace korvex
