#include "cli_app.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <ostream>
#include <system_error>
#include <thread>
#include <vector>

#include "control/engine.h"
#include "convert_command.h"

namespace korvex::cli {

namespace {

namespace fs = std::filesystem;

const std::string kUsage = std::string(
    "Usage: korvex COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  run FILE.kx5d... [--out DIR] [-j N]\n"
    "                              analyse data files; each FILE.kx5d gets FILE.kx5o (report),\n"
    "                              FILE.kx5p (plot data) and FILE.kx5r (iteration monitor) next to\n"
    "                              it, or in DIR; -j N analyses N files at a time in parallel\n") +
    kConvertUsage + std::string(
    "  --version                   print the program version\n"
    "  --help                      print this help\n"
    "\n"
    "Exit status: 0 when every analysis ran (errors in the data are reported in the report\n"
    "file), 2 when a file could not be read or written or the arguments are wrong. One file\n"
    "that cannot be run does not stop the others; a file that converts only in part is written\n"
    "as far as it was read, with status 2.\n");

int fail(std::ostream& err, const std::string& message) {
  err << "korvex: " << message << '\n';
  return kExitFailure;
}

// What one data file's run gave: the report written, the engine's console lines, or why the
// run could not be made.
struct FileRun {
  fs::path input;
  fs::path report;
  std::vector<std::string> console;
  std::string failure;  // empty when the engine ran
};

struct RunRequest {
  std::vector<fs::path> inputs;
  fs::path outFolder;
  unsigned jobs = 1;
};

// Parses the arguments of `run`; returns the error message, or "" when they are usable.
std::string parseRunArguments(const std::vector<std::string>& args, RunRequest& request) {
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--out") {
      if (i + 1 >= args.size()) return "--out needs a folder (see korvex --help)";
      request.outFolder = args[++i];
    } else if (args[i] == "-j" || args[i] == "--jobs") {
      if (i + 1 >= args.size()) return args[i] + " needs a number of parallel runs (see korvex --help)";
      const std::string& count = args[++i];
      unsigned long jobs = 0;
      const auto [end, error] = std::from_chars(count.data(), count.data() + count.size(), jobs);
      if (error != std::errc() || end != count.data() + count.size() || jobs < 1 || jobs > 1024)
        return "-j takes a number from 1 to 1024, not " + count;
      request.jobs = static_cast<unsigned>(jobs);
    } else if (!args[i].empty() && args[i][0] == '-') {
      return "unknown option " + args[i] + " (see korvex --help)";
    } else {
      request.inputs.emplace_back(args[i]);
    }
  }
  if (request.inputs.empty()) return "run needs a data file (see korvex --help)";
  return "";
}

fs::path outputStem(const fs::path& input, const fs::path& folder) { return folder / input.stem(); }

// Runs the engine on one data file; safe in parallel threads, each run being an object of its
// own with files of its own.
FileRun runOne(const fs::path& given, const fs::path& outFolder) {
  FileRun run;
  std::error_code error;
  run.input = fs::absolute(given, error);
  if (!std::ifstream(run.input).good()) {
    run.failure = "cannot read " + run.input.string();
    return run;
  }
  const fs::path folder = outFolder.empty() ? run.input.parent_path() : outFolder;
  RunFiles files;
  files.input = run.input;
  const fs::path stem = outputStem(run.input, folder);
  files.report = fs::path(stem).concat(".kx5o");
  files.plot = fs::path(stem).concat(".kx5p");
  files.monitor = fs::path(stem).concat(".kx5r");

  RunOptions options;
  options.console = [&run](std::string_view line) { run.console.emplace_back(line); };
  const RunOutcome outcome = Engine::run(files, options);
  if (outcome.status != RunStatus::Completed) {
    run.failure = outcome.message;
    run.failure.erase(0, run.failure.find_first_not_of(' '));
    return run;
  }
  run.report = files.report;
  return run;
}

// Two data files of one batch that would write the same output files.
std::string sameOutputs(const std::vector<fs::path>& inputs, const fs::path& outFolder) {
  std::map<fs::path, fs::path> writers;
  for (const fs::path& given : inputs) {
    std::error_code error;
    const fs::path input = fs::absolute(given, error).lexically_normal();
    const fs::path stem = outputStem(input, outFolder.empty() ? input.parent_path() : outFolder);
    const auto [at, added] = writers.emplace(stem, input);
    if (!added) return at->second.string() + " and " + input.string() + " would write the same output files";
  }
  return "";
}

// Runs every data file, `jobs` at a time, each in a thread of its own. A file that cannot be
// run does not stop the others. With `progress` a line on the terminal counts the finished.
std::vector<FileRun> runAll(const RunRequest& request, std::ostream& err, bool progress) {
  std::vector<FileRun> runs(request.inputs.size());
  std::atomic<std::size_t> next{0};
  std::size_t finished = 0;
  std::mutex progressMutex;
  const auto work = [&]() {
    for (std::size_t i = next++; i < runs.size(); i = next++) {
      runs[i] = runOne(request.inputs[i], request.outFolder);
      if (!progress) continue;
      const std::lock_guard lock(progressMutex);
      err << "\rkorvex: " + std::to_string(++finished) + " of " + std::to_string(runs.size()) + " analysed"
          << std::flush;
    }
  };
  const unsigned threads = static_cast<unsigned>(std::min<std::size_t>(request.jobs, runs.size()));
  {
    std::vector<std::jthread> workers;
    for (unsigned t = 1; t < threads; ++t) workers.emplace_back(work);
    work();
  }
  if (progress) err << '\n';
  return runs;
}

int runCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool terminal) {
  RunRequest request;
  if (const std::string problem = parseRunArguments(args, request); !problem.empty()) return fail(err, problem);

  if (!request.outFolder.empty()) {
    std::error_code error;
    request.outFolder = fs::absolute(request.outFolder, error);
    fs::create_directories(request.outFolder, error);
    if (!fs::is_directory(request.outFolder)) return fail(err, "cannot create folder " + request.outFolder.string());
  }
  if (const std::string clash = sameOutputs(request.inputs, request.outFolder); !clash.empty()) return fail(err, clash);

  const bool batch = request.inputs.size() > 1;
  const std::vector<FileRun> runs = runAll(request, err, terminal && batch);

  // Results in the order the files were given, whatever order the runs finished in.
  std::size_t failed = 0;
  for (const FileRun& run : runs) {
    const std::string prefix = batch ? run.input.filename().string() + ": " : "";
    if (!run.failure.empty()) {
      ++failed;
      fail(err, prefix + run.failure);
      continue;
    }
    for (const std::string& line : run.console) err << prefix << line << '\n';
    out << "Report: " << run.report.string() << '\n';
  }
  if (batch) {
    out << std::to_string(runs.size() - failed) + " of " + std::to_string(runs.size()) + " data files analysed";
    if (failed > 0) out << ", " + std::to_string(failed) + " could not be run";
    out << '\n';
  }
  return failed == 0 ? kExitOk : kExitFailure;
}

}  // namespace

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool terminal) {
  if (args.empty()) {
    err << kUsage;
    return kExitFailure;
  }
  const std::string& command = args[0];
  if (command == "--help" || command == "-h" || command == "help") {
    out << kUsage;
    return kExitOk;
  }
  if (command == "--version") {
    out << "korvex " << kEngineVersion << '\n';
    return kExitOk;
  }
  if (command == "run") return runCommand(args, out, err, terminal);
  if (command == "convert") return runConvert(args, out, err);
  return fail(err, "unknown command " + command + " (see korvex --help)");
}

}  // namespace korvex::cli
