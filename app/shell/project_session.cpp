#include "app/shell/project_session.h"

#include <exception>
#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "app/project_reader.h"
#include "app/project_writer.h"
#include "app/shell/control_file.h"
#include "app/shell/pre_run_checks.h"
#include "app/shell/window_title.h"
#include "app/word_reader.h"
#include "entry/unit_codes.h"

namespace korvex {

namespace {

constexpr const char* kCurrentExtension = ".kx5d";

bool isCurrentKindName(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return extension == kCurrentExtension;
}

// The kind a file chosen through the Open dialog is read as: its filter's index, the last
// filter ("All Files") reading the oldest kind.
int kindOfFilter(int filterIndex) {
  return filterIndex >= kCurrentKind && filterIndex <= kVersion2Kind ? filterIndex : kVersion2Kind;
}

std::string fullPath(const std::string& path) {
  std::error_code error;
  const std::filesystem::path full = std::filesystem::absolute(path, error);
  return error ? path : full.lexically_normal().string();
}

// Why the file at `path` cannot be read at all (in the reader's words), or nothing.
std::optional<std::string> whyUnreadable(const std::string& path) {
  try {
    TWordReader::FromFile(path);
  } catch (const std::exception& error) {
    return error.what();
  }
  return std::nullopt;
}

// The reader's notes (what the file holds that the project cannot), after `text`.
std::string withNotes(std::string text, const std::vector<std::string>& notes) {
  for (const std::string& note : notes) text += "\r\r" + note;
  return text;
}

struct TableOfSwitch {
  bool TProgramData::*flag;
  const char* table;  // the table window closed when the switch goes off; nullptr for none
};

TableOfSwitch tableOfSwitch(OptionSwitch which) {
  switch (which) {
    case OptionSwitch::ConcentratedLoads: return {&TProgramData::ApplyConcLoads, "BoundCond"};
    case OptionSwitch::Tieback: return {&TProgramData::ApplyTieback, nullptr};
    case OptionSwitch::Restraints: return {&TProgramData::ApplyRestraints, "Soillayer"};
    case OptionSwitch::ExternalPY: return {&TProgramData::ApplyExternalPY, "PYCurves2"};
    case OptionSwitch::Springs: return {&TProgramData::ApplySprings, "SoilStrength"};
    case OptionSwitch::PYModification: return {&TProgramData::ApplyPYMod, "PYMod"};
    case OptionSwitch::Surcharge: return {&TProgramData::ApplySurcharge, "SurchargeTable"};
    case OptionSwitch::EICurves: return {&TProgramData::ApplyEICurves, "MEICurves2"};
    case OptionSwitch::GeneratePYCurves: break;
  }
  return {nullptr, nullptr};
}

}  // namespace

ProjectSession::ProjectSession(UserInterface& ui, SettingsStore& settings, std::filesystem::path programFolder)
    : m_ui(ui),
      m_settings(settings),
      m_catalogue(createCatalogue()),
      m_tables(m_catalogue),
      m_project(TProgramData::CreateNew(m_tables)),
      m_stages(m_project, m_tables, ui),
      m_run(std::move(programFolder)) {}

void ProjectSession::start(const std::optional<std::string>& argument) {
  const std::optional<std::string> editor = m_settings.read(kEditorKey);
  m_editorPath = editor && !editor->empty() ? *editor : kDefaultEditor;
  m_recent.load(m_settings);
  m_project = TProgramData::CreateNew(m_tables);
  clearResults();
  m_readIncomplete = false;
  if (argument && !argument->empty()) {
    std::string path = *argument;
    // A name given without any extension is taken as a data file of the previous version.
    if (std::filesystem::path(path).filename().string().find('.') == std::string::npos) path += ".kx4d";
    openFile(path, KindOfFile(path));
  }
  notifyChanged();
}

bool ProjectSession::fileNew() {
  if (!m_ui.commitActiveChild() || !askToSaveChanges()) return false;
  m_ui.closeAllChildren();
  m_project = TProgramData::CreateNew(m_tables);
  m_readIncomplete = false;
  clearResults();
  notifyChanged();
  return true;
}

bool ProjectSession::fileOpen() {
  if (!m_ui.commitActiveChild() || !askToSaveChanges()) return false;
  std::error_code error;
  const std::optional<OpenChoice> choice = m_ui.chooseFileToOpen(std::filesystem::current_path(error).string());
  if (!choice) return false;
  return openFile(choice->path, kindOfFilter(choice->filterIndex));
}

bool ProjectSession::fileSave() { return m_ui.commitActiveChild() && save(); }

bool ProjectSession::fileSaveAs() { return m_ui.commitActiveChild() && saveAs(); }

bool ProjectSession::openRecent(int number) {
  if (!m_ui.commitActiveChild() || number < 1 || number > m_recent.count()) return false;
  const std::string path = m_recent.entries()[static_cast<std::size_t>(number - 1)];
  std::error_code error;
  if (!std::filesystem::exists(path, error)) {
    m_ui.information("The file \"" + path + "\" no longer exists; it has been taken off the list of recent files.");
    m_recent.remove(path);
    m_recent.save(m_settings);
    notifyChanged();
    return false;
  }
  if (!askToSaveChanges()) return false;
  return openFile(path, KindOfFile(path));
}

bool ProjectSession::openDropped(const std::string& path) {
  if (!m_ui.commitActiveChild() || !askToSaveChanges()) return false;
  return openFile(path, KindOfFile(path));
}

bool ProjectSession::queryClose() {
  if (!m_ui.commitActiveChild() || !askToSaveChanges()) return false;
  m_settings.write(kEditorKey, m_editorPath);
  m_recent.save(m_settings);
  m_ui.closeAllChildren();
  return true;
}

bool ProjectSession::askToSaveChanges() {
  if (!m_project.IsModified(m_tables)) return true;
  switch (m_ui.askYesNoCancel(kSaveChangesQuestion)) {
    case Answer::Yes: return save();
    case Answer::No: return true;
    case Answer::Cancel: break;
  }
  return false;
}

bool ProjectSession::save() {
  if (m_project.StageCount > 1 && !m_stages.saveStage()) return false;
  // A project never saved, one read from an older kind of file and one that read only in part
  // get a new current-kind file: writing over the old one would lose what it holds.
  if (m_project.FileName == kNewProjectFileName || !isCurrentKindName(m_project.FileName) || m_readIncomplete)
    return saveAs();
  return writeAs(m_project.FileName);
}

bool ProjectSession::saveAs() {
  if (m_project.StageCount > 1 && !m_stages.saveStage()) return false;
  const std::string proposal = withExtension(m_project.FileName, kCurrentExtension);
  const std::optional<std::string> chosen =
      m_ui.chooseFileToSave(proposal, "Save " + displayName(proposal) + " As");
  if (!chosen) return false;
  const std::string path = fullPath(*chosen);
  if (!writeAs(path)) return false;
  m_readIncomplete = false;
  m_recent.add(path);
  m_recent.save(m_settings);
  // The results shown belong to the file the project came from.
  clearResults();
  m_ui.closeAllChildren();
  notifyChanged();
  return true;
}

bool ProjectSession::writeAs(const std::string& path) {
  const std::string previous = m_project.FileName;
  try {
    if (m_project.StageCount > 1) {
      // The stage files are found by the project's present name and then move to the new one.
      m_stages.combine(path);
      m_project.FileName = path;
      m_project.SetModified(false, m_tables);
    } else {
      m_project.FileName = path;
      WriteDataFile(m_project, m_tables);
    }
  } catch (const std::exception& error) {
    m_project.FileName = previous;
    m_ui.information(error.what());
    return false;
  }
  return true;
}

bool ProjectSession::openFile(const std::string& path, int kind) {
  const std::string full = fullPath(path);
  // A file that cannot be read at all leaves the project as it is.
  if (auto reason = whyUnreadable(full)) {
    m_ui.information(*reason);
    return false;
  }
  m_ui.closeAllChildren();
  std::error_code error;
  std::filesystem::current_path(std::filesystem::path(full).parent_path(), error);

  ProjectReadResult read = ReadDataFile(full, kind, m_tables);
  clearResults();
  if (!read.opened) {
    // The file went away between the two reads: the tables are emptied, so a new project.
    m_project = TProgramData::CreateNew(m_tables);
    m_readIncomplete = false;
    m_ui.information(read.error);
    notifyChanged();
    return false;
  }
  m_project = std::move(read.data);
  m_readIncomplete = !read.error.empty() || !read.notes.empty();

  const std::filesystem::path plot = withExtension(full, ".kx5p");
  if (m_loadPlot && std::filesystem::is_regular_file(plot, error)) m_plotLoaded = m_loadPlot(plot, false);
  m_recent.add(full);
  m_recent.save(m_settings);
  // The window shows the project it now holds before the message about it.
  notifyChanged();
  if (read.error.empty())
    m_ui.information(withNotes("Data file: " + displayName(full) + ", has been read by KORVEX 2015", read.notes));
  else
    m_ui.information(withNotes(read.error, read.notes));
  // A staged file: its stages go into their stage files, and the tables show stage 1.
  if (m_project.StageCount > 1) {
    if (!m_stages.prepareOpened(full, kind)) m_readIncomplete = true;
    notifyChanged();
  }
  return true;
}

void ProjectSession::setUnits(int system) {
  if (!m_ui.commitActiveChild() || clampUnitSystem(system) == m_project.UnitSystem) return;
  m_project.SetUnits(system, m_tables);
  markModified();
  notifyChanged();
}

void ProjectSession::setEarthPressureChoice(int choice) {
  if (!m_ui.commitActiveChild()) return;
  m_project.EarthPressureChoice = choice;
  m_project.UserEarthPressure = choice == kUserPressure;
  notifyChanged();
}

void ProjectSession::toggle(OptionSwitch which) {
  if (!m_ui.commitActiveChild()) return;
  if (which == OptionSwitch::GeneratePYCurves) {
    m_project.GeneratePYCurves = m_project.GeneratePYCurves >= 1 ? 0 : 1;
  } else {
    const TableOfSwitch s = tableOfSwitch(which);
    bool& on = m_project.*s.flag;
    on = !on;
    if (!on && s.table != nullptr) m_ui.closeTableWindow(s.table);
  }
  notifyChanged();
}

void ProjectSession::toggleLongTerm() {
  if (!m_ui.commitActiveChild()) return;
  if (m_project.StageCount > 1) {
    m_ui.information(kLongTermWhileStaged);
    return;
  }
  m_project.LongTerm = !m_project.LongTerm;
  m_project.LongTermCode = m_project.LongTerm ? kLongTermContinuation : 0;
  markModified();
  notifyChanged();
}

bool ProjectSession::selectStage(int stage) {
  if (!m_ui.commitActiveChild()) return false;
  const bool done = m_stages.select(stage);
  notifyChanged();
  return done;
}

bool ProjectSession::copyPreviousStage() {
  if (!m_ui.commitActiveChild()) return false;
  const bool done = m_stages.copyPrevious();
  notifyChanged();
  return done;
}

bool ProjectSession::setStageCount(int count) {
  if (!m_ui.commitActiveChild()) return false;
  if (m_project.LongTerm) {
    m_ui.information(kStagedWhileLongTerm);
    return false;
  }
  const bool done = m_stages.setCount(count);
  notifyChanged();
  return done;
}

void ProjectSession::editInput() {
  if (m_ui.commitActiveChild()) startEditorOn(m_project.FileName);
}

void ProjectSession::editMonitor() {
  if (m_ui.commitActiveChild()) startEditorOn(withExtension(m_project.FileName, ".kx5r"));
}

void ProjectSession::editOutput() {
  if (m_ui.commitActiveChild()) startEditorOn(withExtension(m_project.FileName, ".kx5o"));
}

void ProjectSession::startEditorOn(const std::string& file) {
  if (!m_ui.startEditor(m_editorPath, file)) m_ui.information(kEditorFailed);
}

bool ProjectSession::runAnalysis() {
  // A cancelled Save As stops the run without a word; a failed write has said why.
  if (!m_ui.commitActiveChild() || !save()) return false;
  if (auto warning = preRunWarning(m_project, m_tables)) {
    m_ui.warning(*warning);
    return false;
  }
  const EngineCallResult result = m_run.callEngine(m_project.FileName, m_ui);
  if (result == EngineCallResult::Completed) {
    const std::filesystem::path plot = withExtension(m_project.FileName, ".kx5p");
    std::error_code error;
    m_plotLoaded = m_loadPlot && std::filesystem::is_regular_file(plot, error) && m_loadPlot(plot, true);
  }
  const bool engineCalled = result == EngineCallResult::Completed || result == EngineCallResult::NoReport ||
                            result == EngineCallResult::Refused;
  if (engineCalled) m_ui.closeAllChildren();
  notifyChanged();
  return result == EngineCallResult::Completed;
}

void ProjectSession::markModified() { m_project.SetModified(true, m_tables); }

MenuState ProjectSession::menuState() const {
  // A project never saved has no files: a file of its default name in the current folder is
  // another project's.
  ResultFacts facts = m_project.FileName == kNewProjectFileName ? ResultFacts{} : filesNextTo(m_project.FileName);
  facts.plotLoaded = m_plotLoaded;
  if (m_countGraphs) facts.firstCurvePoints = m_countGraphs();
  return korvex::menuState(m_project, facts);
}

std::string ProjectSession::windowTitle() const { return korvex::windowTitle(m_project); }

std::string ProjectSession::statusText() const { return korvex::statusText(m_project); }

void ProjectSession::clearResults() { m_plotLoaded = false; }

void ProjectSession::notifyChanged() {
  if (m_changed) m_changed();
}

}  // namespace korvex
