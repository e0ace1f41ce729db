#include "control/control_file.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <system_error>
#include <vector>

namespace korvex {

namespace {

constexpr std::size_t kVersionWidth = 12;
constexpr std::size_t kFileNameWidth = 255;

std::string lowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
  return text;
}

// A line read as fixed text of `width` characters, trailing blanks removed.
std::string fixedText(std::string line, std::size_t width) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.size() > width) line.resize(width);
  const std::size_t end = line.find_last_not_of(' ');
  line.resize(end == std::string::npos ? 0 : end + 1);
  return line;
}

}  // namespace

std::optional<std::filesystem::path> findControlFile(const std::filesystem::path& folder) {
  const std::filesystem::path exact = folder / kControlFileName;
  std::error_code error;
  if (std::filesystem::is_regular_file(exact, error)) return exact;
  // Any other spelling of the name; the first in name order when there are several.
  std::vector<std::filesystem::path> matches;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.is_regular_file(error) && lowerCase(entry.path().filename().string()) == lowerCase(kControlFileName))
      matches.push_back(entry.path());
  }
  if (matches.empty()) return std::nullopt;
  std::sort(matches.begin(), matches.end());
  return matches.front();
}

std::optional<RunFiles> readControlFile(const std::filesystem::path& folder) {
  const auto path = findControlFile(folder);
  if (!path) return std::nullopt;
  std::ifstream in(*path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string lines[5];
  for (std::string& line : lines) {
    if (!std::getline(in, line)) return std::nullopt;
  }
  RunFiles files;
  files.version = fixedText(lines[0], kVersionWidth);
  files.input = fixedText(lines[1], kFileNameWidth);
  files.report = fixedText(lines[2], kFileNameWidth);
  files.plot = fixedText(lines[3], kFileNameWidth);
  files.monitor = fixedText(lines[4], kFileNameWidth);
  return files;
}

RunOutcome runFromControlFile(const std::filesystem::path& folder, const RunOptions& options) {
  const auto files = readControlFile(folder);
  if (!files) {
    const char* lines[] = {" PLEASE CREATE AN INPUT DATA FILE AND SAVE IT", " BEFORE COMPUTATION.  TRY IT AGAIN!"};
    for (const char* line : lines) {
      if (options.console) {
        options.console(line);
      } else {
        std::fprintf(stderr, "%s\n", line);
      }
    }
    return RunOutcome::failed(RunStatus::FileError, "no control file");
  }
  return Engine::run(*files, options);
}

}  // namespace korvex
