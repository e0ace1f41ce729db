// The main window's logic apart from its widgets: the project and its tables, its life from
// New or Open to Exit, saving, the recent-file list, the text editor's path, the option
// switches of the Options menu, the loaded results and the run of the analysis. Every command
// first stores the active child window's entries and stops when one is invalid; questions,
// messages and dialogs go through UserInterface, settings through SettingsStore.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/program_data.h"
#include "app/project_tables.h"
#include "app/shell/construction_stages.h"
#include "app/shell/menu_state.h"
#include "app/shell/recent_files.h"
#include "app/shell/run_control.h"
#include "app/shell/settings_store.h"
#include "app/shell/user_interface.h"
#include "tables/catalogue.h"

namespace korvex {

inline constexpr const char* kSaveChangesQuestion = "Do you want to save any changes?";
inline constexpr const char* kEditorFailed = "An error occurred in running the Word Processor";
inline constexpr const char* kDefaultEditor = "xdg-open";
// A project is either staged or analysed short- and long-term, never both.
inline constexpr const char* kStagedWhileLongTerm =
    "Staged construction is not available while short-term and long-term analyses are on; switch "
    "\"Conduct Short-Term and Long-Term Analyses\" off first.";
inline constexpr const char* kLongTermWhileStaged =
    "Short-term and long-term analyses are not available for a staged project; set the number of "
    "stages to 1 first.";

// Loads a plot data file into the result graphs (after a run when `afterRun`); true when it
// loaded. The graphs fill it in; until then nothing is loaded.
using PlotLoader = std::function<bool(const std::filesystem::path& plotFile, bool afterRun)>;
// The points of the first curve of each result graph, for the results buttons.
using GraphCounter = std::function<std::array<int, kGraphCount>()>;

// The switches of the Options menu that a click toggles.
enum class OptionSwitch {
  GeneratePYCurves,
  ConcentratedLoads,
  Tieback,
  Restraints,
  ExternalPY,
  Springs,
  PYModification,
  Surcharge,
  EICurves,
};

class ProjectSession {
 public:
  ProjectSession(UserInterface& ui, SettingsStore& settings, std::filesystem::path programFolder);

  TProgramData& project() { return m_project; }
  const TProgramData& project() const { return m_project; }
  ProjectTables& tables() { return m_tables; }
  const ProjectTables& tables() const { return m_tables; }
  const RecentFiles& recentFiles() const { return m_recent; }
  const std::string& editorPath() const { return m_editorPath; }
  void setEditorPath(std::string path) { m_editorPath = std::move(path); }

  void setPlotLoader(PlotLoader loader) { m_loadPlot = std::move(loader); }
  void setGraphCounter(GraphCounter counter) { m_countGraphs = std::move(counter); }
  bool plotLoaded() const { return m_plotLoaded; }

  // Start-up: the editor path ("xdg-open" when none is stored) and the recent files from the
  // settings, then the project: the file named on the command line (made absolute, opened as
  // Open opens a file, kind by extension), otherwise a new one.
  void start(const std::optional<std::string>& argument);

  // File commands. Each returns whether it went through (false when cancelled or failed).
  bool fileNew();
  bool fileOpen();
  // Saves; true only when a current-kind data file was written (a never-saved project, a file
  // of an older kind and a file that read only in part go through Save As). A staged project
  // saves the stage on screen, then writes the data file as its stage files one after another.
  bool fileSave();
  bool fileSaveAs();
  bool openRecent(int number);  // 1-based
  bool openDropped(const std::string& path);
  // Whether the window may close (the active child committed and the save prompt allowed it);
  // then the settings are written.
  bool queryClose();

  // Ask to save changes: true when the command may go on.
  bool askToSaveChanges();

  // Options menu.
  void setUnits(int system);
  void setEarthPressureChoice(int choice);
  void toggle(OptionSwitch which);
  // Refused while the project is staged.
  void toggleLongTerm();

  // Stage Construction menu and buttons: the stage `stage` on screen (the one shown saved to its
  // stage file first); the stage before copied onto the one shown, after a question.
  bool selectStage(int stage);
  bool copyPreviousStage();
  // OK of the "Staged Construction Options" window: the number of stages set to `count` (1 to
  // 5); refused while short-term and long-term analyses are on.
  bool setStageCount(int count);

  // Computation menu: the editor on the data file, the monitor file (.kx5r), the report (.kx5o).
  void editInput();
  void editMonitor();
  void editOutput();

  // Run Analysis: save, check, call the engine, load the plot file. True when the engine ran.
  bool runAnalysis();

  // A data window changed the project.
  void markModified();

  // The states of menus and buttons now; the window title; the status bar text.
  MenuState menuState() const;
  std::string windowTitle() const;
  std::string statusText() const;

  // Called after a command that replaced or renamed the project or changed the results, so
  // the window can refresh its title, menus and buttons.
  void setChangeListener(std::function<void()> listener) { m_changed = std::move(listener); }

 private:
  // Save and Save As without committing the active child first (their callers have).
  bool save();
  bool saveAs();
  bool openFile(const std::string& path, int kind);
  bool writeAs(const std::string& path);
  void startEditorOn(const std::string& file);
  void clearResults();
  void notifyChanged();

  UserInterface& m_ui;
  SettingsStore& m_settings;
  Catalogue m_catalogue;
  ProjectTables m_tables;
  TProgramData m_project;
  ConstructionStages m_stages;
  RecentFiles m_recent;
  std::string m_editorPath = kDefaultEditor;
  RunControl m_run;
  PlotLoader m_loadPlot;
  GraphCounter m_countGraphs;
  bool m_plotLoaded = false;
  bool m_readIncomplete = false;  // the file read only in part: the next Save goes through Save As
  std::function<void()> m_changed;
};

}  // namespace korvex
