#include "app/shell/window_title.h"

#include <filesystem>

#include "app/program_data.h"

namespace korvex {

namespace {

bool isOldestKindExtension(const std::string& extension) {
  if (extension.size() != 4 || extension[0] != '.') return false;
  std::string lower;
  for (const char c : extension) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return lower == ".kxd";
}

}  // namespace

std::string displayName(const std::string& path) {
  std::filesystem::path name = std::filesystem::path(path).filename();
  if (isOldestKindExtension(name.extension().string())) name.replace_extension();
  std::string text = name.string();
  if (text.size() > 1 && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
  return text;
}

std::string windowTitle(const TProgramData& project) { return "KORVEX 2015.5.11 - " + displayName(project.FileName); }

std::string statusText(const TProgramData& project) {
  if (project.StageCount <= 1) return {};
  return "Construction Stage Number: " + std::to_string(project.CurrentStage);
}

}  // namespace korvex
