// libFuzzer target: a whole analysis run on arbitrary bytes written as the input data file.
//
// Whatever the data, the run must end in order: the engine completes (the folder is
// writable, so no file error is expected), the report ends with "END OF ANALYSIS", no
// exception reaches the run's last-resort handler ("INTERNAL ERROR"), no output file holds
// an infinity or a NaN, and the three output files stay within a size that the engine's
// capacities allow for an input of this length. Any breach aborts, so that libFuzzer keeps
// the input as a crash.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>

#include "control/engine.h"
#include "fuzz/token_mutator.h"

namespace {

namespace fs = std::filesystem;

// The outputs of one block are bounded by the capacities (407 increments, 100 iterations,
// 2000 pressure points, 63 curves of 34 points); a block needs at least a few lines of data.
// Beyond this many bytes of output per byte of input, output is running away.
constexpr std::uintmax_t kOutputBytesPerInputByte = 4096;
constexpr std::uintmax_t kOutputAllowance = std::uintmax_t{4} << 20;

[[noreturn]] void fail(const std::string& what) {
  std::fprintf(stderr, "fuzz_engine_run: %s\n", what.c_str());
  std::abort();
}

// The private folder of this fuzzing process, removed when the process ends.
class RunFolder {
 public:
  RunFolder() {
    std::string pattern = (fs::temp_directory_path() / "korvex-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) fail("cannot create a temporary folder");
    m_path = pattern;
  }
  ~RunFolder() { clear(true); }
  RunFolder(const RunFolder&) = delete;
  RunFolder& operator=(const RunFolder&) = delete;

  const fs::path& path() const { return m_path; }

  // Removes every file of the run; the folder itself only at the end.
  void clear(bool removeFolder) const {
    std::error_code error;
    if (removeFolder) {
      fs::remove_all(m_path, error);
      return;
    }
    for (const auto& entry : fs::directory_iterator(m_path, error)) fs::remove_all(entry.path(), error);
  }

 private:
  fs::path m_path;
};

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string_view lastNonBlankLine(std::string_view text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.remove_suffix(1);
  const std::size_t start = text.find_last_of('\n');
  std::string_view line = start == std::string_view::npos ? text : text.substr(start + 1);
  while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
  return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const RunFolder folder;
  korvex::RunFiles files;
  files.input = folder.path() / "wall.kx5d";
  files.report = folder.path() / "wall.kx5o";
  files.plot = folder.path() / "wall.kx5p";
  files.monitor = folder.path() / "wall.kx5r";
  {
    std::ofstream input(files.input, std::ios::binary);
    input.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!input) fail("cannot write the input data file");
  }

  korvex::RunOptions options;
  options.time = korvex::RunTime{2026, 3, 9, 8, 5, 7};
  std::size_t consoleBytes = 0;
  options.console = [&consoleBytes](std::string_view line) { consoleBytes += line.size() + 1; };
  const korvex::RunOutcome outcome = korvex::Engine::run(files, options);
  if (outcome.status != korvex::RunStatus::Completed && outcome.status != korvex::RunStatus::ErrorStop)
    fail("the run did not complete: " + outcome.message);

  std::error_code error;
  const std::uintmax_t outputBytes = fs::file_size(files.report, error) + fs::file_size(files.plot, error) +
                                     fs::file_size(files.monitor, error) + consoleBytes;
  if (error) fail("an output file is missing: " + error.message());
  if (outputBytes > kOutputAllowance + kOutputBytesPerInputByte * size)
    fail("runaway output: " + std::to_string(outputBytes) + " bytes from " + std::to_string(size) + " bytes of data");

  const std::string report = readFile(files.report);
  if (outcome.status == korvex::RunStatus::ErrorStop) {
    if (outcome.errorStop.reportLines.empty() || outcome.errorStop.reason.empty()) fail("an error stop without its reason");
    for (const std::string& line : outcome.errorStop.reportLines)
      if (report.find(line) == std::string::npos) fail("an error stop the report does not show: " + line);
  }
  if (lastNonBlankLine(report) != "END OF ANALYSIS") fail("the report does not end with END OF ANALYSIS");
  // The report echoes the title and quotes bad tokens, so only data without the words can show
  // that the words came from the engine's last-resort handler.
  constexpr std::string_view kInternalError = "INTERNAL ERROR";
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (report.find(kInternalError) != std::string::npos && text.find(kInternalError) == std::string_view::npos)
    fail("the run ended on an internal error");
  // A number field that is not a finite number prints as NaN, Inf or Infinity; the words can
  // come from the data only through the echoed title and quoted tokens.
  for (const std::string_view word : {"NaN", "Inf"}) {
    if (text.find(word) != std::string_view::npos) continue;
    if (report.find(word) != std::string::npos || readFile(files.plot).find(word) != std::string::npos ||
        readFile(files.monitor).find(word) != std::string::npos)
      fail("an output file holds " + std::string(word));
  }

  folder.clear(false);
  return 0;
}
