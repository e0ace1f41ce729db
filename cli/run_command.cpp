#include "run_command.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <filesystem>
#include <map>
#include <mutex>
#include <ostream>
#include <system_error>
#include <thread>

#include "cli_app.h"
#include "file_checks.h"
#include "run_summary.h"

namespace korvex::cli {

namespace fs = std::filesystem;

const char* const kRunUsage =
    "  run FILE.kx5d... [--out DIR] [-j N] [--summary text|json|none] [--verbose]\n"
    "                              analyse data files; each FILE.kx5d gets FILE.kx5o (report),\n"
    "                              FILE.kx5p (plot data) and FILE.kx5r (iteration monitor) next to\n"
    "                              it, or in DIR; -j N analyses N files at a time in parallel\n";

namespace {

const char* const kRunHelp =
    "Usage: korvex run FILE.kx5d... [--out DIR] [-j N] [--summary text|json|none] [--verbose]\n"
    "\n"
    "Analyses each data file and writes FILE.kx5o (report), FILE.kx5p (plot data) and FILE.kx5r\n"
    "(iteration monitor) next to it, or into DIR (created when missing). The three files replace\n"
    "earlier ones only when the run has written them completely.\n"
    "\n"
    "Options:\n"
    "  --out DIR        write the output files into DIR\n"
    "  -j N, --jobs N   analyse N files at a time in parallel threads (1 to 1024, default 1)\n"
    "  --summary text   after each run, the key results of every block: maximum and minimum\n"
    "                   bending moment, maximum shear, top and maximum deflection, with their\n"
    "                   depths, each tieback's force and the iterations (default)\n"
    "  --summary json   the same as one JSON array on standard output, one object per file\n"
    "  --summary none   only the name of each report\n"
    "  --verbose        also show the engine's progress lines\n"
    "\n"
    "Why a run did not end well is written on standard error, one line per reason, with the\n"
    "engine's warnings and stop codes, each prefixed with the data file's name.\n"
    "\n"
    "Exit status (of the worst file in a batch):\n"
    "  0  every block of every file closed\n"
    "  4  a block did not close within the tolerance or exceeded the allowed deflection\n"
    "  3  an error in the data ended a run (ERROR STOP; the report says where)\n"
    "  2  a file could not be read or written, or the arguments are wrong\n"
    "\n"
    "Refused before anything is written: a data file that is one of its own outputs (e.g.\n"
    "`korvex run wall.kx5o`), and two data files whose outputs would be the same file.\n";

enum class SummaryStyle { Text, Json, None };

struct RunRequest {
  std::vector<fs::path> inputs;
  fs::path outFolder;
  unsigned jobs = 1;
  SummaryStyle summary = SummaryStyle::Text;
  bool verbose = false;
};

// Parses the arguments of `run`; returns the error message, or "" when they are usable.
std::string parseRunArguments(const std::vector<std::string>& args, RunRequest& request) {
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--out") {
      if (!hasValue) return "--out needs a folder (see korvex run --help)";
      request.outFolder = args[++i];
    } else if (arg == "-j" || arg == "--jobs") {
      if (!hasValue) return arg + " needs a number of parallel runs (see korvex run --help)";
      const std::string& count = args[++i];
      unsigned long jobs = 0;
      const auto [end, error] = std::from_chars(count.data(), count.data() + count.size(), jobs);
      if (error != std::errc() || end != count.data() + count.size() || jobs < 1 || jobs > 1024)
        return "-j takes a number from 1 to 1024, not " + count;
      request.jobs = static_cast<unsigned>(jobs);
    } else if (arg == "--summary") {
      if (!hasValue) return "--summary needs text, json or none";
      const std::string& style = args[++i];
      if (style == "text") {
        request.summary = SummaryStyle::Text;
      } else if (style == "json") {
        request.summary = SummaryStyle::Json;
      } else if (style == "none") {
        request.summary = SummaryStyle::None;
      } else {
        return "--summary takes text, json or none, not " + style;
      }
    } else if (arg == "--verbose" || arg == "-v") {
      request.verbose = true;
    } else if (!arg.empty() && arg[0] == '-') {
      return "unknown option " + arg + " (see korvex run --help)";
    } else {
      request.inputs.emplace_back(arg);
    }
  }
  if (request.inputs.empty()) return "run needs a data file (see korvex run --help)";
  return "";
}

// The run of one data file as planned: its absolute name and its three outputs.
FileRun planRun(const fs::path& given, const fs::path& outFolder) {
  FileRun run;
  std::error_code error;
  run.input = fs::absolute(given, error).lexically_normal();
  const fs::path stem = (outFolder.empty() ? run.input.parent_path() : outFolder) / run.input.stem();
  run.files.input = run.input;
  run.files.report = fs::path(stem).concat(".kx5o");
  run.files.plot = fs::path(stem).concat(".kx5p");
  run.files.monitor = fs::path(stem).concat(".kx5r");
  if (const std::string reason = unreadableReason(run.input); !reason.empty())
    run.failure = "cannot read " + run.input.string() + ": " + reason;
  return run;
}

const fs::path* outputsOf(const FileRun& run, std::size_t i) {
  const fs::path* outputs[] = {&run.files.report, &run.files.plot, &run.files.monitor};
  return outputs[i];
}

// A data file that one of its own outputs would replace, or two runs that would write the
// same file, however the names are spelled: the message, or "" when every output is apart.
std::string outputConflict(const std::vector<FileRun>& runs) {
  std::map<FileIdentity, const FileRun*> writers;
  for (const FileRun& run : runs) {
    if (!run.failure.empty()) continue;
    for (std::size_t i = 0; i < 3; ++i) {
      const fs::path& output = *outputsOf(run, i);
      if (sameFile(run.input, output))
        return run.input.string() + " would be replaced by its own output " + output.string() +
               "; give the data file the extension .kx5d";
      const auto identity = identityOf(output);
      if (!identity) continue;  // a missing folder: the run reports it
      const auto [at, added] = writers.emplace(*identity, &run);
      if (!added && at->second != &run)
        return at->second->input.string() + " and " + run.input.string() + " would write the same output file " +
               output.string();
    }
  }
  return "";
}

// Writes each finished run's lines in the order the files were given, as soon as it and every
// run before it have finished, so that parallel runs never mix their lines.
class OrderedPrinter {
 public:
  OrderedPrinter(const RunRequest& request, std::vector<FileRun>& runs, std::ostream& out, std::ostream& err,
                 bool progress)
      : m_request(request), m_runs(runs), m_done(runs.size(), false), m_out(out), m_err(err), m_progress(progress) {}

  void finished(std::size_t index) {
    const std::lock_guard lock(m_mutex);
    m_done[index] = true;
    ++m_finished;
    if (m_progress) m_err << '\r' << std::string(kProgressWidth, ' ') << '\r';
    for (; m_next < m_runs.size() && m_done[m_next]; ++m_next) print(m_runs[m_next]);
    if (m_progress)
      m_err << "\rkorvex: " + std::to_string(m_finished) + " of " + std::to_string(m_runs.size()) + " analysed"
            << std::flush;
  }

  void end() {
    if (m_progress) m_err << '\n';
  }

 private:
  static constexpr std::size_t kProgressWidth = 40;

  void print(const FileRun& run) {
    const std::string name = run.input.filename().string();
    const auto engineLine = [&](const std::string& line) {
      const std::size_t first = line.find_first_not_of(' ');
      if (first != std::string::npos) m_err << name << ": " << line.substr(first) << '\n';
    };
    if (m_request.verbose)
      for (const std::string& line : run.progress) engineLine(line);
    const std::vector<std::string> problems = problemsOf(run);
    for (const std::string& line : run.console) {
      // A file the engine could not read or write is said once, as the run's problem.
      const std::size_t first = line.find_first_not_of(' ');
      if (first == std::string::npos || std::find(problems.begin(), problems.end(), line.substr(first)) == problems.end())
        engineLine(line);
    }
    for (const std::string& problem : problems) m_err << "korvex: " << name << ": " << problem << '\n';
    if (m_request.summary == SummaryStyle::Text) writeTextSummary(m_out, run);
    if (m_request.summary == SummaryStyle::None && verdictOf(run) != Verdict::NotRun)
      m_out << "Report: " << run.files.report.string() << '\n';
    m_out << std::flush;
  }

  const RunRequest& m_request;
  std::vector<FileRun>& m_runs;
  std::vector<bool> m_done;
  std::size_t m_next = 0;
  std::size_t m_finished = 0;
  std::ostream& m_out;
  std::ostream& m_err;
  bool m_progress;
  std::mutex m_mutex;
};

void analyse(FileRun& run) {
  if (!run.failure.empty()) return;
  RunOptions options;
  options.console = [&run](std::string_view line) { run.console.emplace_back(line); };
  options.progress = [&run](std::string_view line) { run.progress.emplace_back(line); };
  run.outcome = Engine::run(run.files, options);
}

// Runs every planned file, `jobs` at a time, each in a thread of its own. A file that cannot
// be run does not stop the others.
void runAll(std::vector<FileRun>& runs, unsigned jobs, OrderedPrinter& printer) {
  std::atomic<std::size_t> next{0};
  const auto work = [&]() {
    for (std::size_t i = next++; i < runs.size(); i = next++) {
      analyse(runs[i]);
      printer.finished(i);
    }
  };
  const unsigned threads = static_cast<unsigned>(std::min<std::size_t>(jobs, runs.size()));
  std::vector<std::jthread> workers;
  for (unsigned t = 1; t < threads; ++t) workers.emplace_back(work);
  work();
}

}  // namespace

int runRun(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool terminal) {
  if (asksForHelp(args)) {
    out << kRunHelp;
    return kExitOk;
  }
  RunRequest request;
  if (const std::string problem = parseRunArguments(args, request); !problem.empty()) return fail(err, problem);

  if (!request.outFolder.empty()) {
    std::error_code error;
    request.outFolder = fs::absolute(request.outFolder, error);
    fs::create_directories(request.outFolder, error);
    if (!fs::is_directory(request.outFolder)) return fail(err, "cannot create folder " + request.outFolder.string());
  }
  std::vector<FileRun> runs;
  for (const fs::path& input : request.inputs) runs.push_back(planRun(input, request.outFolder));
  if (const std::string conflict = outputConflict(runs); !conflict.empty()) return fail(err, conflict);

  const bool batch = runs.size() > 1;
  OrderedPrinter printer(request, runs, out, err, terminal && batch);
  runAll(runs, request.jobs, printer);
  printer.end();

  if (request.summary == SummaryStyle::Json) writeJsonSummary(out, runs);
  else if (batch) out << batchCountLine(runs) << '\n';

  Verdict worst = Verdict::Closed;
  for (const FileRun& run : runs) worst = std::max(worst, verdictOf(run));
  return exitStatusOf(worst);
}

}  // namespace korvex::cli
