// Helpers the engine, entry-point and command-line tests share: temporary folders, file
// reading and writing, and a run of the engine on data-file text.
#pragma once

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "control/engine.h"

namespace korvex::testing {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "korvex-test-XXXXXX").string();
    m_path = mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code error;
    std::filesystem::remove_all(m_path, error);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return m_path; }
  std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

 private:
  std::filesystem::path m_path;
};

inline std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void writeFile(const std::filesystem::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

inline std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The number a field of a report, plot or monitor line holds, blanks around it allowed, read
// whatever the process locale; NaN when the field holds no number.
inline double parseNumber(std::string_view field) {
  while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
  while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
  if (!field.empty() && field.front() == '+') field.remove_prefix(1);
  double value = 0.0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (error != std::errc() || end != field.data() + field.size() || field.empty()) return std::nan("");
  return value;
}

// The fixed date and time of test runs.
inline RunTime testRunTime() { return RunTime{2026, 3, 9, 8, 5, 7}; }

// The three output files and the console lines of one run.
struct RunResult {
  RunOutcome outcome;
  std::string report;
  std::string plot;
  std::string monitor;
  std::vector<std::string> console;
};

// Runs the engine on `data` written as `name` in `folder`.
inline RunResult runEngineOn(const TempFolder& folder, const std::string& data, const std::string& name = "wall") {
  const std::filesystem::path input = folder / (name + ".kx5d");
  writeFile(input, data);
  RunFiles files;
  files.input = input;
  files.report = folder / (name + ".kx5o");
  files.plot = folder / (name + ".kx5p");
  files.monitor = folder / (name + ".kx5r");
  RunResult result;
  RunOptions options;
  options.time = testRunTime();
  options.console = [&result](std::string_view line) { result.console.emplace_back(line); };
  result.outcome = Engine::run(files, options);
  result.report = readFile(files.report);
  result.plot = readFile(files.plot);
  result.monitor = readFile(files.monitor);
  return result;
}

}  // namespace korvex::testing
