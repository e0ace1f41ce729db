#include "cli_app.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <system_error>
#include <vector>

#include "control/engine.h"

namespace korvex::cli {

namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage =
    "Usage: korvex COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  run FILE.kx5d [--out DIR]   analyse a data file; writes FILE.kx5o (report), FILE.kx5p (plot\n"
    "                              data) and FILE.kx5r (iteration monitor) next to it, or into DIR\n"
    "  --version                   print the program version\n"
    "  --help                      print this help\n"
    "\n"
    "Exit status: 0 when the analysis ran (errors in the data are reported in the report file),\n"
    "2 when a file could not be read or written or the arguments are wrong.\n";

// A private folder for the engine's scratch files, removed when it goes out of scope.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    std::string pattern = ((error ? fs::path("/tmp") : base) / "korvex-XXXXXX").string();
    if (char* made = mkdtemp(pattern.data())) m_path = made;
  }
  ~ScratchFolder() {
    std::error_code error;
    if (!m_path.empty()) fs::remove_all(m_path, error);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const fs::path& path() const { return m_path; }

 private:
  fs::path m_path;
};

int fail(std::ostream& err, const std::string& message) {
  err << "korvex: " << message << '\n';
  return kExitFailure;
}

int runCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  fs::path input;
  fs::path outFolder;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--out") {
      if (i + 1 >= args.size()) return fail(err, "--out needs a folder (see korvex --help)");
      outFolder = args[++i];
    } else if (!args[i].empty() && args[i][0] == '-') {
      return fail(err, "unknown option " + args[i] + " (see korvex --help)");
    } else if (input.empty()) {
      input = args[i];
    } else {
      return fail(err, "run takes one data file (see korvex --help)");
    }
  }
  if (input.empty()) return fail(err, "run needs a data file (see korvex --help)");

  std::error_code error;
  input = fs::absolute(input, error);
  if (!std::ifstream(input).good()) return fail(err, "cannot read " + input.string());

  fs::path folder = outFolder.empty() ? input.parent_path() : fs::absolute(outFolder, error);
  if (!outFolder.empty()) {
    fs::create_directories(folder, error);
    if (!fs::is_directory(folder)) return fail(err, "cannot create folder " + folder.string());
  }

  ScratchFolder scratch;
  if (scratch.path().empty()) return fail(err, "cannot create a temporary folder");

  RunFiles files;
  files.input = input;
  const fs::path stem = folder / input.stem();
  files.report = fs::path(stem).concat(".kx5o");
  files.plot = fs::path(stem).concat(".kx5p");
  files.monitor = fs::path(stem).concat(".kx5r");
  files.scratchFolder = scratch.path();

  // The engine's console lines reach the terminal after the run; a file failure is said once.
  std::vector<std::string> console;
  RunOptions options;
  options.console = [&console](std::string_view line) { console.emplace_back(line); };
  const RunOutcome outcome = Engine::run(files, options);
  if (outcome.status != RunStatus::Completed) {
    std::string message = outcome.message;
    message.erase(0, message.find_first_not_of(' '));
    return fail(err, message);
  }
  for (const std::string& line : console) err << line << '\n';
  out << "Report: " << files.report.string() << '\n';
  return kExitOk;
}

}  // namespace

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
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
  if (command == "run") return runCommand(args, out, err);
  return fail(err, "unknown command " + command + " (see korvex --help)");
}

}  // namespace korvex::cli
