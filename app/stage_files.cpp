#include "app/stage_files.h"

#include <algorithm>
#include <exception>
#include <system_error>

#include "app/program_data.h"
#include "app/project_reader.h"
#include "app/project_writer.h"
#include "app/system_error_text.h"
#include "app/word_reader.h"

namespace korvex {

namespace {

constexpr const char* kNotCut = "The construction stages of this file could not be told apart: ";

std::string trimmed(const std::string& line) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  std::size_t begin = 0;
  std::size_t end = line.size();
  while (begin < end && blank(line[begin])) ++begin;
  while (end > begin && blank(line[end - 1])) --end;
  return line.substr(begin, end - begin);
}

std::string withoutTrailingBlanks(std::string line) {
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.pop_back();
  return line;
}

// The first line of each stage from 2 on: " Stage No : n" right after the line holding n - 1,
// in order.
std::vector<std::size_t> labelledStarts(const std::vector<std::string>& lines) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const int stage = static_cast<int>(starts.size()) + 2;
    if (withoutTrailingBlanks(lines[i]) == StageTitle(stage) && trimmed(lines[i - 1]) == std::to_string(stage - 1))
      starts.push_back(i);
  }
  return starts;
}

std::string countError(int stageCount, const std::string& blocks) {
  return kNotCut + std::string("its control line names ") + std::to_string(stageCount) + " stages, but it holds " +
         blocks + ".";
}

std::string blockCount(int blocks) { return std::to_string(blocks) + (blocks == 1 ? " block" : " blocks"); }

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code error;
  return std::filesystem::exists(a, error) && std::filesystem::exists(b, error) &&
         std::filesystem::equivalent(a, b, error);
}

void removeFile(const std::filesystem::path& path) {
  std::error_code error;
  std::filesystem::remove(path, error);
  if (error) throw ProjectWriteError(systemErrorText("Cannot delete file", path, error.value()));
}

}  // namespace

std::filesystem::path StageFilePath(const std::filesystem::path& dataFile, int stage) {
  std::filesystem::path path = dataFile;
  return path.replace_extension(".st" + std::to_string(stage));
}

int StageFileKind(bool hasEICount, bool hasTiebackCount) {
  if (hasEICount && hasTiebackCount) return kCurrentKind;
  return hasEICount ? kPreviousKind : kVersion3Kind;
}

StageSplit SplitStageBlocks(const std::string& text, int stageCount, int kind, ProjectTables& scratch) {
  StageSplit split;
  const std::vector<std::string> lines = SplitLines(text);
  std::vector<std::size_t> starts = labelledStarts(lines);
  const int labelled = static_cast<int>(starts.size()) + 1;
  if (labelled > stageCount) {
    split.error = countError(stageCount, blockCount(labelled));
    return split;
  }
  if (labelled < stageCount) {
    // Titled otherwise: each stage starts after the continuation line of the block before.
    BlockEnds ends;
    try {
      ends = ContinuationLines(text, kind, scratch, stageCount);
    } catch (const std::exception& error) {
      split.error = kNotCut + std::string(error.what());
      return split;
    }
    const int blocks = static_cast<int>(ends.lines.size());
    if (ends.moreFollows || blocks > stageCount) {
      split.error = countError(stageCount, "more than " + blockCount(stageCount));
      return split;
    }
    if (blocks != stageCount) {
      split.error = countError(stageCount, blockCount(blocks));
      return split;
    }
    starts.assign(ends.lines.begin(), ends.lines.end() - 1);
    split.atContinuationLines = true;
  }
  starts.insert(starts.begin(), 0);
  starts.push_back(lines.size());
  for (std::size_t stage = 0; stage + 1 < starts.size(); ++stage) {
    std::string block;
    for (std::size_t line = starts[stage]; line < starts[stage + 1]; ++line) block += lines[line] + "\r\n";
    split.stages.push_back(std::move(block));
  }
  return split;
}

StagedRewrite RewriteStages(const std::vector<std::string>& stages, int kind, TProgramData& data,
                            ProjectTables& tables) {
  StagedRewrite rewrite;
  for (std::size_t stage = 0; stage < stages.size(); ++stage) {
    data.CurrentStage = static_cast<int>(stage) + 1;
    rewrite.findings.push_back(ReadStageBlock(stages[stage], kind, data, tables));
    rewrite.text += StageBlockText(data, tables);
  }
  return rewrite;
}

void CombineStageFiles(const std::filesystem::path& target, const std::filesystem::path& source, int stageCount) {
  std::vector<std::string> stages;
  std::string combined;
  for (int stage = 1; stage <= stageCount; ++stage) {
    const std::filesystem::path file = StageFilePath(source, stage);
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
      throw ProjectWriteError("The stage file \"" + file.string() + "\" of stage " + std::to_string(stage) +
                              " is missing, so the stages cannot be combined; nothing was written.");
    }
    try {
      stages.push_back(ReadTextFile(file));
    } catch (const ProjectReadError& unreadable) {
      throw ProjectWriteError(std::string(unreadable.what()) + "\rThe stages cannot be combined; nothing was written.");
    }
    // Line for line: a stage file that does not end its last line still ends it here.
    std::string& text = stages.back();
    if (!text.empty() && text.back() != '\n' && text.back() != '\r') text += "\r\n";
    combined += text;
  }
  WriteFileSafely(target, combined);
  if (sameFile(StageFilePath(target, 1), StageFilePath(source, 1))) return;
  for (int stage = 1; stage <= stageCount; ++stage)
    WriteFileSafely(StageFilePath(target, stage), stages[static_cast<std::size_t>(stage - 1)]);
  DeleteStageFiles(target, stageCount + 1);
  // The stages have moved: the old names' files are no longer the project's.
  for (int stage = 1; stage <= stageCount; ++stage) {
    std::error_code ignored;
    std::filesystem::remove(StageFilePath(source, stage), ignored);
  }
}

void DeleteStageFiles(const std::filesystem::path& dataFile, int from) {
  for (int stage = std::max(from, 1); stage <= kMostStages; ++stage) removeFile(StageFilePath(dataFile, stage));
}

}  // namespace korvex
