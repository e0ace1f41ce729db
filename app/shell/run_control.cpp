#include "app/shell/run_control.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <system_error>
#include <utility>
#include <vector>

#include "app/shell/control_file.h"
#include "app/shell/dynamic_library.h"
#include "app/shell/user_interface.h"
#include "app/system_error_text.h"

namespace korvex {

namespace {

using EngineEntry = std::int32_t (*)(std::int32_t);

// Where the engine's console output of a run is kept, in the run folder.
constexpr const char* kConsoleFileName = "engine-console.txt";
// The most console lines a message shows: the last ones, which say how the run ended.
constexpr std::size_t kConsoleLinesShown = 20;

// Runs `undo` when the scope ends, however it ends.
template <class Undo>
class OnExit {
 public:
  explicit OnExit(Undo undo) : m_undo(std::move(undo)) {}
  OnExit(const OnExit&) = delete;
  OnExit& operator=(const OnExit&) = delete;
  ~OnExit() { m_undo(); }

 private:
  Undo m_undo;
};

// A fresh folder of this run under the system's temporary folder, readable by this user only,
// removed with everything in it (the control file, the engine's scratch files) at the end.
class RunFolder {
 public:
  RunFolder() {
    std::error_code error;
    std::string pattern = (std::filesystem::temp_directory_path(error) / "korvex-run-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) {
      m_path = pattern;
    } else {
      m_error = errno;
      m_pattern = pattern;
    }
  }
  RunFolder(const RunFolder&) = delete;
  RunFolder& operator=(const RunFolder&) = delete;
  ~RunFolder() {
    std::error_code error;
    if (!m_path.empty()) std::filesystem::remove_all(m_path, error);
  }
  bool created() const { return !m_path.empty(); }
  const std::filesystem::path& path() const { return m_path; }
  std::string failure() const { return systemErrorText("Cannot create the run folder", m_pattern, m_error); }

 private:
  std::filesystem::path m_path;
  std::filesystem::path m_pattern;
  int m_error = 0;
};

// The current folder changed to `folder` for as long as the object lives.
class CurrentFolder {
 public:
  explicit CurrentFolder(const std::filesystem::path& folder) {
    std::error_code error;
    m_previous = std::filesystem::current_path(error);
    if (error) return;
    std::filesystem::current_path(folder, error);
    m_entered = !error;
    if (error) m_error = systemErrorText("Cannot enter the run folder", folder, error.value());
  }
  CurrentFolder(const CurrentFolder&) = delete;
  CurrentFolder& operator=(const CurrentFolder&) = delete;
  ~CurrentFolder() {
    std::error_code error;
    if (m_entered) std::filesystem::current_path(m_previous, error);
  }
  bool entered() const { return m_entered; }
  const std::string& failure() const { return m_error; }

 private:
  std::filesystem::path m_previous;
  bool m_entered = false;
  std::string m_error = "Cannot find the current folder";
};

// The process's standard error stream (the engine's console) sent into `file` for as long as
// the object lives; left as it was when the file cannot be created.
class ConsoleCapture {
 public:
  explicit ConsoleCapture(const std::filesystem::path& file) {
    std::fflush(stderr);
    const int capture = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (capture < 0) return;
    m_saved = dup(STDERR_FILENO);
    if (m_saved >= 0 && dup2(capture, STDERR_FILENO) < 0) {
      close(m_saved);
      m_saved = -1;
    }
    close(capture);
  }
  ConsoleCapture(const ConsoleCapture&) = delete;
  ConsoleCapture& operator=(const ConsoleCapture&) = delete;
  ~ConsoleCapture() {
    if (m_saved < 0) return;
    std::fflush(stderr);
    dup2(m_saved, STDERR_FILENO);
    close(m_saved);
  }

 private:
  int m_saved = -1;
};

// What tells one file of a name from another: the engine writes its outputs under a temporary
// name and renames them, so a report of this run is a new file (another inode) with a new time.
struct FileStamp {
  bool exists = false;
  dev_t device = 0;
  ino_t inode = 0;
  std::int64_t modifiedNs = 0;

  bool operator==(const FileStamp&) const = default;
};

FileStamp stampOf(const std::filesystem::path& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return {};
  return {true, status.st_dev, status.st_ino,
          static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec};
}

// The last lines of the console output, '\r' between them; empty when there was none.
std::string consoleText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(' ') != std::string::npos) lines.push_back(line);
  }
  const std::size_t first = lines.size() > kConsoleLinesShown ? lines.size() - kConsoleLinesShown : 0;
  std::string text;
  for (std::size_t i = first; i < lines.size(); ++i) text += (text.empty() ? "" : "\r") + lines[i];
  return text;
}

std::string noReportMessage(const std::string& report, const std::string& console) {
  std::string message = "The analysis ended without writing its report\r" + report +
                        "\rso no results have been loaded.";
  if (!console.empty()) message += "\r\rThe analysis said:\r" + console;
  return message;
}

// Writes the control file; the system's message when it cannot.
std::optional<std::string> writeControlFile(const std::filesystem::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (out) out << text;
  if (out) out.close();
  if (!out) return systemErrorText("Cannot write the control file", path, errno != 0 ? errno : EIO);
  return std::nullopt;
}

}  // namespace

EngineCallResult RunControl::callEngine(const std::string& dataFile, UserInterface& ui) {
  if (m_running) {
    ui.information(kReinitialize);
    return EngineCallResult::Reentered;
  }
  m_running = true;
  const OnExit runEnds([this] { m_running = false; });

  // The engine runs in another folder: every name it gets must be a full one.
  std::error_code error;
  const std::string data = std::filesystem::absolute(dataFile, error).string();
  if (auto problem = controlFileProblem(data)) {
    ui.warning(*problem);
    return EngineCallResult::ControlFileFailed;
  }
  const RunFolder folder;
  if (!folder.created()) {
    ui.information(folder.failure());
    return EngineCallResult::ControlFileFailed;
  }
  errno = 0;
  if (auto failure = writeControlFile(folder.path() / kControlFileName, controlFileText(data))) {
    ui.information(*failure);
    return EngineCallResult::ControlFileFailed;
  }

  TDynamicLibrary library;
  library.SetLibraryName(std::filesystem::absolute(libraryPath(), error).string());
  EngineEntry entry = nullptr;
  try {
    library.Open();
    entry = reinterpret_cast<EngineEntry>(library.GetProcAddress(kEngineEntryName));
  } catch (const EDLLError&) {
    entry = nullptr;
  }
  if (entry == nullptr) {
    ui.information(kInitializeFailed);
    return EngineCallResult::LibraryFailed;
  }

  const std::string report = withExtension(data, ".kx5o");
  const FileStamp reportBefore = stampOf(report);
  const std::filesystem::path console = folder.path() / kConsoleFileName;
  std::int32_t result = 0;
  {
    ui.setBusy(true);
    const OnExit idle([&ui] { ui.setBusy(false); });
    const CurrentFolder inRunFolder(folder.path());
    if (!inRunFolder.entered()) {
      ui.information(inRunFolder.failure());
      return EngineCallResult::ControlFileFailed;
    }
    const ConsoleCapture capture(console);
    result = entry(kEngineRunCode);
  }
  library.Close();

  if (result == 1) {
    ui.information(kEngineRefused);
    return EngineCallResult::Refused;
  }
  // The engine returns 0 also when it could not open its files: only a report of this run
  // tells that it ran.
  const FileStamp reportAfter = stampOf(report);
  if (!reportAfter.exists || reportAfter == reportBefore) {
    ui.warning(noReportMessage(report, consoleText(console)));
    return EngineCallResult::NoReport;
  }
  ui.information(kComputationsCompleted);
  return EngineCallResult::Completed;
}

}  // namespace korvex
