#include "app/shell/construction_stages.h"

#include <stdlib.h>

#include <algorithm>
#include <cerrno>
#include <exception>
#include <optional>
#include <system_error>
#include <vector>

#include "app/project_reader.h"
#include "app/project_writer.h"
#include "app/stage_files.h"
#include "app/system_error_text.h"
#include "app/word_reader.h"

namespace korvex {

std::string copyStageQuestion(int stage) {
  return "Do you want to copy all information from Stage " + std::to_string(stage - 1) + " to Stage " +
         std::to_string(stage);
}

ConstructionStages::~ConstructionStages() {
  if (m_privateFolder.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(m_privateFolder, ignored);
}

std::filesystem::path ConstructionStages::stageBase() {
  if (m_project.FileName != kNewProjectFileName) return m_project.FileName;
  if (m_privateFolder.empty()) {
    std::error_code error;
    const std::filesystem::path temporary = std::filesystem::temp_directory_path(error);
    if (error) throw ProjectWriteError("The temporary folder for the stage files cannot be found. " + error.message());
    std::string pattern = (temporary / "korvex-stages-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
      throw ProjectWriteError(systemErrorText("Cannot create a folder in", temporary, errno));
    m_privateFolder = pattern;
  }
  return m_privateFolder / kNewProjectFileName;
}

std::filesystem::path ConstructionStages::stageFile(int stage) { return StageFilePath(stageBase(), stage); }

template <class Step>
bool ConstructionStages::keepingModifiedState(Step step) {
  const bool modified = m_project.IsModified(m_tables);
  const bool done = step();
  // Reading and writing mark the tables changed; the project is as modified as it was.
  m_project.SetModified(false, m_tables);
  if (modified) m_project.SetModified(true, m_tables);
  return done;
}

bool ConstructionStages::saveStage() {
  if (!m_stageFilesInPlace) {
    m_ui.information(kStagesNotInFiles);
    return false;
  }
  return keepingModifiedState([this] {
    try {
      const std::filesystem::path file = stageFile(m_project.CurrentStage);
      m_project.StageFileName = file.string();
      WriteFileSafely(file, StageBlockText(m_project, m_tables));
    } catch (const std::exception& error) {
      m_ui.information(error.what());
      return false;
    }
    return true;
  });
}

bool ConstructionStages::loadStage() {
  // Stage files that are not this project's are never read.
  if (!m_stageFilesInPlace) return true;
  return keepingModifiedState([this] {
    std::string text;
    try {
      const std::filesystem::path file = stageFile(m_project.CurrentStage);
      m_project.StageFileName = file.string();
      std::error_code error;
      if (!std::filesystem::exists(file, error)) return true;
      text = ReadTextFile(file);
    } catch (const std::exception& error) {
      m_ui.information(error.what());
      return false;
    }
    return loadStageFrom(text, StageFileKind(m_project.HasEICount, m_project.HasTiebackCount));
  });
}

bool ConstructionStages::loadStageFrom(const std::string& text, int kind) {
  const BlockReadResult read = ReadStageBlock(text, kind, m_project, m_tables);
  if (read.error.empty()) return true;
  m_ui.information(read.error + "\r(stage " + std::to_string(m_project.CurrentStage) + ")");
  return false;
}

bool ConstructionStages::select(int stage) {
  if (stage < 1 || stage > m_project.StageCount) return false;
  if (stage == m_project.CurrentStage) return true;
  if (!saveStage()) return false;
  m_project.CurrentStage = stage;
  loadStage();
  return true;
}

bool ConstructionStages::copyPrevious() {
  const int stage = m_project.CurrentStage;
  if (m_project.StageCount <= 1 || stage <= 1) return false;
  if (!m_stageFilesInPlace) {
    m_ui.information(kStagesNotInFiles);
    return false;
  }
  if (!m_ui.confirm(copyStageQuestion(stage))) return false;
  // The stage as it is on screen, to come back to when the copy fails.
  std::string shown;
  try {
    shown = StageBlockText(m_project, m_tables);
  } catch (const std::exception& error) {
    m_ui.information(error.what());
    return false;
  }
  m_project.CurrentStage = stage - 1;
  const bool loaded = loadStage();
  m_project.CurrentStage = stage;
  if (!loaded || !saveStage()) {
    keepingModifiedState([&] { return loadStageFrom(shown, kCurrentKind); });
    return false;
  }
  // The copy is this stage's now, titled as its stage file is.
  m_project.Title = StageTitle(stage);
  m_project.SetModified(true, m_tables);
  return true;
}

bool ConstructionStages::setCount(int count) {
  count = std::clamp(count, 1, kMostStages);
  const int old = m_project.StageCount;
  if (count == old) return true;
  const bool done = keepingModifiedState([&] {
    if (old > 1 && m_stageFilesInPlace && !saveStage()) return false;
    return count == 1 ? dropToOneStage() : writeStages(count);
  });
  if (done) m_project.SetModified(true, m_tables);
  return done;
}

bool ConstructionStages::dropToOneStage() {
  const int shown = m_project.CurrentStage;
  if (shown != 1 && m_stageFilesInPlace) {
    m_project.CurrentStage = 1;
    if (!loadStage()) {
      m_project.CurrentStage = shown;
      loadStage();
      return false;
    }
  }
  m_project.StageCount = 1;
  m_stageFilesInPlace = true;
  try {
    DeleteStageFiles(stageBase(), 1);
  } catch (const std::exception& error) {
    // A stage file left behind is stale: a project of one stage never reads it.
    m_ui.information(error.what());
  }
  return true;
}

bool ConstructionStages::writeStages(int count) {
  const int old = m_project.StageCount;
  const int shown = m_project.CurrentStage;
  // Stage files of a project of one stage, or of one whose stages were not cut into files, are
  // stale: never data.
  const bool fromFiles = old > 1 && m_stageFilesInPlace;
  const auto restore = [&] {
    m_project.StageCount = old;
    m_project.CurrentStage = shown;
    if (fromFiles) loadStage();
  };
  // Every stage's block first: an existing stage as its file holds it, a new one as a copy of
  // the stage before it (stage 1 of a project of one stage: the tables as they are).
  m_project.StageCount = count;
  std::vector<std::string> blocks;
  for (int stage = 1; stage <= count; ++stage) {
    m_project.CurrentStage = stage;
    if (fromFiles && stage <= old && !loadStage()) {
      restore();
      return false;
    }
    blocks.push_back(StageBlockText(m_project, m_tables));
  }
  // Then the files; a failure puts back those already replaced.
  std::vector<std::pair<std::filesystem::path, std::optional<std::string>>> replaced;
  try {
    const std::filesystem::path base = stageBase();
    if (!fromFiles) DeleteStageFiles(base, 1);
    for (int stage = 1; stage <= count; ++stage) {
      const std::filesystem::path file = StageFilePath(base, stage);
      std::error_code error;
      replaced.emplace_back(file, std::filesystem::exists(file, error) ? std::optional(ReadTextFile(file)) : std::nullopt);
      WriteFileSafely(file, blocks[static_cast<std::size_t>(stage - 1)]);
    }
  } catch (const std::exception& error) {
    m_ui.information(error.what());
    for (const auto& [file, previous] : replaced) {
      try {
        if (previous) {
          WriteFileSafely(file, *previous);
        } else {
          std::filesystem::remove(file);
        }
      } catch (const std::exception&) {
        // Nothing more to do: the message above names the file that failed.
      }
    }
    restore();
    return false;
  }
  try {
    DeleteStageFiles(stageBase(), count + 1);
  } catch (const std::exception& error) {
    // A stage file above the count is stale: it is never read as a stage.
    m_ui.information(error.what());
  }
  m_stageFilesInPlace = true;
  m_project.CurrentStage = old == 1 || count < old ? 1 : shown;
  loadStage();
  return true;
}

bool ConstructionStages::prepareOpened(const std::filesystem::path& path, int kind) {
  m_stageFilesInPlace = false;
  std::string text;
  try {
    text = ReadTextFile(path);
  } catch (const std::exception& error) {
    m_ui.information(std::string(error.what()) + "\r" + kStagesNotWritten);
    return false;
  }
  // Cutting may read the blocks into the tables; the first stage comes back at the end. A file
  // that cannot be cut leaves every stage file as it was.
  const StageSplit split = SplitStageBlocks(text, m_project.StageCount, kind, m_tables);
  if (!split.error.empty()) {
    m_ui.information(split.error + "\r" + kStagesNotWritten);
  } else {
    try {
      DeleteStageFiles(path, 1);
      for (int stage = 1; stage <= m_project.StageCount; ++stage)
        WriteFileSafely(StageFilePath(path, stage), split.stages[static_cast<std::size_t>(stage - 1)]);
      m_stageFilesInPlace = true;
    } catch (const std::exception& error) {
      m_ui.information(std::string(error.what()) + "\r" + kStagesNotWritten);
    }
    if (m_stageFilesInPlace && kind != kCurrentKind) m_stageFilesInPlace = convertStageFiles(kind);
  }
  m_project.CurrentStage = 1;
  keepingModifiedState([&] { return loadStageFrom(text, kind); });
  return m_stageFilesInPlace;
}

bool ConstructionStages::convertStageFiles(int kind) {
  for (int stage = 1; stage <= m_project.StageCount; ++stage) {
    m_project.CurrentStage = stage;
    m_project.HasEICount = kind == kPreviousKind;
    m_project.HasTiebackCount = false;
    const bool loaded = loadStage();
    m_project.HasEICount = true;
    m_project.HasTiebackCount = true;
    if (!loaded || !saveStage()) return false;
  }
  return true;
}

void ConstructionStages::combine(const std::filesystem::path& target) {
  if (!m_stageFilesInPlace) throw ProjectWriteError(kStagesNotInFiles);
  CombineStageFiles(target, stageBase(), m_project.StageCount);
}

}  // namespace korvex
