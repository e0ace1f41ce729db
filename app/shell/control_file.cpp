#include "app/shell/control_file.h"

#include <array>
#include <filesystem>

namespace korvex {

namespace {

// The four files a run names, in the order of the control file's lines 2 to 5.
std::array<std::string, 4> runFileNames(const std::string& dataFile) {
  return {dataFile, withExtension(dataFile, ".kx5o"), withExtension(dataFile, ".kx5p"),
          withExtension(dataFile, ".kx5r")};
}

}  // namespace

std::string controlFileText(const std::string& dataFile) {
  std::string text = std::string(kControlFileVersion) + "\r\n";
  for (const std::string& name : runFileNames(dataFile)) text += name + "\r\n";
  return text;
}

std::optional<std::string> controlFileProblem(const std::string& dataFile) {
  // The engine reads each name as a fixed-width line: it would cut a longer name, drop a
  // trailing blank and take a line break for the end of the name, and so meet another file.
  for (const std::string& name : runFileNames(dataFile)) {
    const std::string quoted = "The file name \"" + name + "\"";
    if (name.find_first_of("\r\n") != std::string::npos)
      return quoted + " holds a line break, which the analysis cannot read.\r"
                      "Please save the project under another name before running it.";
    if (name.size() > kControlFileNameLimit)
      return quoted + " is " + std::to_string(name.size()) + " bytes long; the analysis reads at most " +
             std::to_string(kControlFileNameLimit) +
             ".\rPlease save the project under a shorter name or in a folder with a shorter path before running it.";
    if (!name.empty() && name.back() == ' ')
      return quoted + " ends in a blank, which the analysis would drop.\r"
                      "Please save the project under another name before running it.";
  }
  return std::nullopt;
}

std::string withExtension(const std::string& path, const std::string& extension) {
  return std::filesystem::path(path).replace_extension(extension).string();
}

}  // namespace korvex
