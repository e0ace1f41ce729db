// The main window's logic driven as the user drives it, with a scripted screen and settings in
// memory: the save prompt, New, Open, Save, Save As, recent files, start-up, the option
// switches, the editor and Run Analysis with a stub engine and with the real one.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/shell/control_file.h"
#include "app/shell/project_session.h"
#include "app/shell/window_title.h"
#include "app/word_reader.h"
#include "shell_fakes.h"

namespace korvex {
namespace {

using Lines = std::vector<std::string>;
using testing::readFile;
using testing::writeFile;

const std::string kReadMessageTail = ", has been read by KORVEX 2015";

// The sample wall as a file of the previous version (no tieback count, no extra wall value) and
// of version 3.0 (no moment-EI count either).
const char* const kPreviousKindText =
    "OLD WALL\r\n1 1 1 0 0 0 0 1 0\r\n80 3 10 0.001 0\r\n3 80 0 0\r\n0 80 1 3.0E+10\r\n1\r\n1 0 0 1000 0 0\r\n0\r\n0\r\n";
const char* const kVersion3Text =
    "OLD WALL\r\n1 1 1 0 0 0 0 1\r\n80 3 10 0.001 0\r\n3 80 0 0\r\n0 80 1 3.0E+10\r\n1\r\n1 0 0 1000 0 0\r\n0\r\n0\r\n";

class SessionTest : public testing::RunEnvironment {
 protected:
  ProjectSession& session(const std::filesystem::path& programFolder = KORVEX_STUB_ENGINE_DIR) {
    m_session.reset();  // one set of the main window's tables at a time
    m_session = std::make_unique<ProjectSession>(ui, settings, programFolder);
    m_session->setPlotLoader([this](const std::filesystem::path& plot, bool afterRun) {
      plotLoads.emplace_back(plot.string(), afterRun);
      return true;
    });
    return *m_session;
  }
  // A session started without a project argument, its start-up left out of the log.
  ProjectSession& started() {
    ProjectSession& s = session();
    s.start(std::nullopt);
    ui.log.clear();
    return s;
  }
  std::string sample(const std::string& name) const {
    std::filesystem::copy_file(std::filesystem::path(KORVEX_EXAMPLES) / "sample_wall.kx5d", path(name));
    return path(name).string();
  }
  static std::string read(const std::string& file) { return "info: Data file: " + file + kReadMessageTail; }

  testing::ScriptedUserInterface ui;
  testing::MemorySettings settings;
  std::vector<std::pair<std::string, bool>> plotLoads;

 private:
  std::unique_ptr<ProjectSession> m_session;
};

TEST_F(SessionTest, SavePromptDecidesWhetherNewOpenAndExitGoOn) {
  const std::string saved = path("saved.kx5d").string();
  const std::string nowhere = path("no-folder/saved.kx5d").string();
  const struct {
    const char* name;
    bool modified;
    std::optional<Answer> answer;
    std::optional<std::optional<std::string>> saveChoice;
    bool goesOn;
  } prompts[] = {
      {"unmodified", false, std::nullopt, std::nullopt, true},
      {"cancel", true, Answer::Cancel, std::nullopt, false},
      {"no", true, Answer::No, std::nullopt, true},
      {"yes, save as cancelled", true, Answer::Yes, std::optional<std::string>(), false},
      {"yes, saved", true, Answer::Yes, saved, true},
      {"yes, save failed", true, Answer::Yes, nowhere, false},
  };
  const struct {
    const char* name;
    std::function<bool(ProjectSession&, testing::ScriptedUserInterface&)> command;
    std::function<bool(ProjectSession&, const testing::MemorySettings&)> wentOn;
  } commands[] = {
      {"New", [](ProjectSession& s, auto&) { return s.fileNew(); },
       [](ProjectSession& s, auto&) { return s.project().Title == "New Wall"; }},
      {"Open",
       [](ProjectSession& s, testing::ScriptedUserInterface& ui) {
         ui.openChoices.push_back(std::nullopt);
         return s.fileOpen();
       },
       [](ProjectSession&, auto&) { return false; }},
      {"Exit", [](ProjectSession& s, auto&) { return s.queryClose(); },
       [](ProjectSession&, const testing::MemorySettings& m) { return m.values.count(kEditorKey) == 1; }},
  };
  for (const auto& command : commands) {
    for (const auto& p : prompts) {
      std::filesystem::remove(saved);
      settings.values.clear();
      ui.openChoices.clear();
      ProjectSession& s = started();
      s.project().Title = "EDITED";
      if (p.modified) s.markModified();
      if (p.answer) ui.answers.push_back(*p.answer);
      if (p.saveChoice) ui.saveChoices.push_back(*p.saveChoice);
      const bool result = command.command(s, ui);
      const std::string which = std::string(command.name) + ", " + p.name;
      const bool openDialogShown = std::find_if(ui.log.begin(), ui.log.end(), [](const std::string& line) {
                                     return line.rfind("open dialog: ", 0) == 0;
                                   }) != ui.log.end();
      EXPECT_EQ(command.wentOn(s, settings) || openDialogShown, p.goesOn) << which;
      if (std::string(command.name) != "Open") {
        EXPECT_EQ(result, p.goesOn) << which;
      }
      EXPECT_EQ(std::filesystem::exists(saved), p.saveChoice && *p.saveChoice == saved) << which;
      EXPECT_TRUE(ui.answers.empty() && ui.saveChoices.empty()) << which;
    }
  }
}

TEST_F(SessionTest, NeverSavedProjectSavesThroughSaveAsThenInPlace) {
  ProjectSession& s = started();
  ui.saveChoices.push_back(std::nullopt);
  EXPECT_FALSE(s.fileSave());
  EXPECT_EQ(ui.shown(), Lines{"save dialog: NewWall.kx5d | Save NewWall.kx5d As"});
  EXPECT_EQ(s.project().FileName, kNewProjectFileName);
  EXPECT_EQ(s.recentFiles().count(), 0);

  // A write that fails changes neither the name nor the recent list.
  ui.log.clear();
  const std::string nowhere = path("no-folder/first.kx5d").string();
  ui.saveChoices.push_back(nowhere);
  EXPECT_FALSE(s.fileSave());
  EXPECT_EQ(ui.shown().back(), "info: Cannot create file \"" + nowhere + "\". No such file or directory");
  EXPECT_EQ(s.windowTitle(), "KORVEX 2015.5.11 - NewWall.kx5d");
  EXPECT_EQ(s.recentFiles().count(), 0);

  const std::string file = path("first.kx5d").string();
  ui.saveChoices.push_back(file);
  EXPECT_TRUE(s.fileSave());
  EXPECT_EQ(s.project().FileName, file);
  EXPECT_EQ(s.windowTitle(), "KORVEX 2015.5.11 - First.kx5d");
  EXPECT_EQ(s.recentFiles().entries(), Lines{file});
  EXPECT_EQ(settings.values["File1"], file);

  ui.log.clear();
  s.project().Title = "SECOND TITLE";
  s.markModified();
  EXPECT_TRUE(s.fileSave());
  EXPECT_EQ(ui.shown(), Lines{});
  EXPECT_EQ(readFile(file).substr(0, 14), "SECOND TITLE\r\n");
  EXPECT_FALSE(s.project().IsModified(s.tables()));
}

TEST_F(SessionTest, OlderAndPartlyReadFilesAreSavedUnderANewCurrentKindName) {
  std::string truncated = readFile(std::filesystem::path(KORVEX_EXAMPLES) / "sample_wall.kx5d");
  truncated = truncated.substr(0, truncated.find("0 80 1"));
  const struct {
    const char* file;
    std::string text;
    Lines openShown;
    const char* proposal;
  } cases[] = {
      {"old.kx4d", kPreviousKindText, {read("Old.kx4d")}, "old.kx5d"},
      {"old.kxd", kVersion3Text, {read("Old")}, "old.kx5d"},
      {"cut.kx5d", truncated, {std::string("info: ") + kIncompleteFile}, "cut.kx5d"},
  };
  for (const auto& c : cases) {
    writeFile(path(c.file), c.text);
    ProjectSession& s = started();
    EXPECT_TRUE(s.openDropped(path(c.file).string()));
    EXPECT_EQ(ui.shown(), c.openShown) << c.file;

    ui.log.clear();
    ui.saveChoices.push_back(std::nullopt);
    EXPECT_FALSE(s.fileSave()) << c.file;
    EXPECT_EQ(ui.shown(), Lines{"save dialog: " + path(c.proposal).string() + " | Save " + displayName(c.proposal) +
                                " As"})
        << c.file;
    EXPECT_EQ(readFile(path(c.file)), c.text) << c.file;

    // Saved under a current-kind name, the project saves in place from then on.
    ui.saveChoices.push_back(path("new.kx5d").string());
    EXPECT_TRUE(s.fileSave()) << c.file;
    ui.log.clear();
    EXPECT_TRUE(s.fileSave()) << c.file;
    EXPECT_EQ(ui.shown(), Lines{}) << c.file;
    EXPECT_EQ(readFile(path(c.file)), c.text) << c.file;
  }
}

TEST_F(SessionTest, OpenRoundTripRestoresTheProjectTheFolderAndTheResults) {
  std::filesystem::create_directory(path("walls"));
  const std::string file = path("walls/rt.kx5d").string();
  ProjectSession& s = started();
  s.project().Title = "ROUND TRIP";
  s.project().NumIncrements = 40;
  s.setUnits(2);
  ui.saveChoices.push_back(file);
  ASSERT_TRUE(s.fileSaveAs());
  writeFile(path("walls/rt.kx5p"), "");

  EXPECT_TRUE(s.fileNew());
  EXPECT_EQ(s.project().Title, "New Wall");
  EXPECT_EQ(s.project().UnitSystem, 1);

  ui.log.clear();
  ui.openChoices.push_back(OpenChoice{file, 1});
  ASSERT_TRUE(s.fileOpen());
  EXPECT_EQ(ui.shown().back(), read("Rt.kx5d"));
  EXPECT_EQ(s.project().Title, "ROUND TRIP");
  EXPECT_EQ(s.project().NumIncrements, 40);
  EXPECT_EQ(s.project().UnitSystem, 2);
  EXPECT_EQ(std::filesystem::current_path(), path("walls"));
  EXPECT_EQ(s.recentFiles().menuCaption(1, std::filesystem::current_path().string()), "1 rt.kx5d");
  EXPECT_EQ(plotLoads, (std::vector<std::pair<std::string, bool>>{{path("walls/rt.kx5p").string(), false}}));
  EXPECT_TRUE(s.plotLoaded());

  // The results shown belong to the file they came with.
  ui.saveChoices.push_back(path("copy.kx5d").string());
  ASSERT_TRUE(s.fileSaveAs());
  EXPECT_FALSE(s.plotLoaded());
  ui.openChoices.push_back(OpenChoice{file, 1});
  ASSERT_TRUE(s.fileOpen());
  EXPECT_TRUE(s.plotLoaded());
  EXPECT_TRUE(s.fileNew());
  EXPECT_FALSE(s.plotLoaded());
}

TEST_F(SessionTest, UnreadableFilesAndMissingRecentEntriesLeaveTheProjectAlone) {
  const std::string there = sample("there.kx5d");
  const std::string gone = path("gone.kx5d").string();
  settings.values = {{"File1", gone}, {"File2", there}};
  ProjectSession& s = started();
  s.project().Title = "KEEP";
  const std::filesystem::path before = std::filesystem::current_path();

  EXPECT_FALSE(s.openDropped(gone));
  EXPECT_EQ(ui.shown(), Lines{"info: Cannot open file \"" + gone + "\". No such file or directory"});
  ui.log.clear();
  EXPECT_FALSE(s.openDropped(folder().string()));
  EXPECT_EQ(ui.shown(), Lines{"info: Cannot read file \"" + folder().string() + "\". Is a directory"});
  EXPECT_EQ(s.project().Title, "KEEP");
  EXPECT_EQ(std::filesystem::current_path(), before);

  ui.log.clear();
  s.markModified();
  EXPECT_FALSE(s.openRecent(1));
  EXPECT_EQ(ui.shown(), Lines{"info: The file \"" + gone +
                              "\" no longer exists; it has been taken off the list of recent files."});
  EXPECT_EQ(s.project().Title, "KEEP");
  EXPECT_EQ(s.recentFiles().entries(), Lines{there});
  EXPECT_EQ(settings.values["File1"], there);
  EXPECT_EQ(settings.values["File2"], "");
}

TEST_F(SessionTest, StartOpensTheArgumentAsOpenDoes) {
  writeFile(path("wall.kx4d"), kPreviousKindText);
  writeFile(path("wall.kx5p"), "");
  std::filesystem::current_path(folder());
  const struct {
    const char* name;
    std::optional<std::string> argument;
    std::optional<std::string> storedEditor;
    std::string fileName;
    std::string editor;
    Lines shown;
    std::vector<std::pair<std::string, bool>> plotLoads;
  } cases[] = {
      {"nothing", std::nullopt, std::nullopt, kNewProjectFileName, kDefaultEditor, {}, {}},
      {"empty editor", std::nullopt, "", kNewProjectFileName, kDefaultEditor, {}, {}},
      {"relative name without extension", "wall", "gedit", path("wall.kx4d").string(), "gedit",
       {read("Wall.kx4d")}, {{path("wall.kx5p").string(), false}}},
      {"missing file", "missing.kx5d", std::nullopt, kNewProjectFileName, kDefaultEditor,
       {"info: Cannot open file \"" + path("missing.kx5d").string() + "\". No such file or directory"}, {}},
  };
  for (const auto& c : cases) {
    settings.values.clear();
    if (c.storedEditor) settings.values[kEditorKey] = *c.storedEditor;
    ui.log.clear();
    plotLoads.clear();
    ProjectSession& s = session();
    s.start(c.argument);
    EXPECT_EQ(s.project().FileName, c.fileName) << c.name;
    EXPECT_EQ(s.editorPath(), c.editor) << c.name;
    EXPECT_EQ(ui.shown(), c.shown) << c.name;
    EXPECT_EQ(plotLoads, c.plotLoads) << c.name;
    EXPECT_EQ(s.recentFiles().count(), static_cast<int>(c.plotLoads.size())) << c.name;
  }
}

TEST_F(SessionTest, AnInvalidEntryInTheActiveWindowStopsEveryCommand) {
  const std::string file = sample("wall.kx5d");
  const struct {
    const char* name;
    std::function<void(ProjectSession&)> command;
  } commands[] = {
      {"New", [](ProjectSession& s) { s.fileNew(); }},
      {"Open", [](ProjectSession& s) { s.fileOpen(); }},
      {"Save", [](ProjectSession& s) { s.fileSave(); }},
      {"Save As", [](ProjectSession& s) { s.fileSaveAs(); }},
      {"recent", [](ProjectSession& s) { s.openRecent(1); }},
      {"dropped", [&file](ProjectSession& s) { s.openDropped(file); }},
      {"Exit", [](ProjectSession& s) { s.queryClose(); }},
      {"units", [](ProjectSession& s) { s.setUnits(2); }},
      {"earth pressure", [](ProjectSession& s) { s.setEarthPressureChoice(1); }},
      {"concentrated loads", [](ProjectSession& s) { s.toggle(OptionSwitch::ConcentratedLoads); }},
      {"p-y generation", [](ProjectSession& s) { s.toggle(OptionSwitch::GeneratePYCurves); }},
      {"long term", [](ProjectSession& s) { s.toggleLongTerm(); }},
      {"edit input", [](ProjectSession& s) { s.editInput(); }},
      {"edit monitor", [](ProjectSession& s) { s.editMonitor(); }},
      {"edit output", [](ProjectSession& s) { s.editOutput(); }},
      {"run", [](ProjectSession& s) { s.runAnalysis(); }},
  };
  for (const auto& c : commands) {
    ProjectSession& s = started();
    s.project().Title = "UNTOUCHED";
    s.markModified();
    ui.commitSucceeds = false;
    c.command(s);
    ui.commitSucceeds = true;
    EXPECT_EQ(ui.log, Lines{"commit"}) << c.name;
    const TProgramData& p = s.project();
    EXPECT_EQ(p.Title, "UNTOUCHED") << c.name;
    EXPECT_EQ(p.FileName, kNewProjectFileName) << c.name;
    EXPECT_TRUE(p.UnitSystem == 1 && !p.LongTerm && !p.ApplyConcLoads && p.GeneratePYCurves == 1 &&
                p.EarthPressureChoice == kTriangularPressure)
        << c.name;
    EXPECT_EQ(settings.values.count(kEditorKey), 0u) << c.name;
  }
  EXPECT_FALSE(std::filesystem::exists(recordFile()));
}

TEST_F(SessionTest, SwitchesCloseTheTablesTheyTurnOffAndOnlyUnitsAndLongTermMarkModified) {
  const struct {
    OptionSwitch which;
    bool TProgramData::*flag;
    const char* table;
  } switches[] = {
      {OptionSwitch::ConcentratedLoads, &TProgramData::ApplyConcLoads, "BoundCond"},
      {OptionSwitch::Tieback, &TProgramData::ApplyTieback, nullptr},
      {OptionSwitch::Restraints, &TProgramData::ApplyRestraints, "Soillayer"},
      {OptionSwitch::ExternalPY, &TProgramData::ApplyExternalPY, "PYCurves2"},
      {OptionSwitch::Springs, &TProgramData::ApplySprings, "SoilStrength"},
      {OptionSwitch::PYModification, &TProgramData::ApplyPYMod, "PYMod"},
      {OptionSwitch::Surcharge, &TProgramData::ApplySurcharge, "SurchargeTable"},
      {OptionSwitch::EICurves, &TProgramData::ApplyEICurves, "MEICurves2"},
  };
  for (const auto& sw : switches) {
    ProjectSession& s = started();
    s.toggle(sw.which);
    EXPECT_TRUE(s.project().*sw.flag) << sw.table;
    EXPECT_EQ(ui.shown(), Lines{}) << sw.table;
    s.toggle(sw.which);
    EXPECT_FALSE(s.project().*sw.flag) << sw.table;
    EXPECT_EQ(ui.shown(), sw.table ? Lines{std::string("close table: ") + sw.table} : Lines{});
    EXPECT_FALSE(s.project().IsModified(s.tables())) << sw.table;
  }

  ProjectSession& s = started();
  s.toggle(OptionSwitch::GeneratePYCurves);
  EXPECT_EQ(s.project().GeneratePYCurves, 0);
  s.project().GeneratePYCurves = 5;  // an unusual value counts as on
  s.toggle(OptionSwitch::GeneratePYCurves);
  EXPECT_EQ(s.project().GeneratePYCurves, 0);
  s.setEarthPressureChoice(kUserPressure);
  EXPECT_TRUE(s.project().UserEarthPressure);
  s.setEarthPressureChoice(0);
  EXPECT_FALSE(s.project().UserEarthPressure);
  EXPECT_EQ(s.menuState().earthPressureChoice, 0);
  EXPECT_EQ(s.project().EarthPressureChoice, 0);
  s.setUnits(1);
  EXPECT_FALSE(s.project().IsModified(s.tables()));

  s.setUnits(2);
  EXPECT_EQ(s.project().UnitSystem, 2);
  EXPECT_TRUE(s.project().IsModified(s.tables()));
  s.project().SetModified(false, s.tables());
  s.toggleLongTerm();
  EXPECT_TRUE(s.project().LongTerm);
  EXPECT_EQ(s.project().LongTermCode, kLongTermContinuation);
  EXPECT_TRUE(s.project().IsModified(s.tables()));
}

TEST_F(SessionTest, EditorStartsOnTheProjectFiles) {
  settings.values[kEditorKey] = "myeditor";
  ProjectSession& s = session();
  s.start(sample("wall.kx5d"));
  ui.log.clear();
  s.editInput();
  s.editMonitor();
  ui.editorStarts = false;
  s.editOutput();
  EXPECT_EQ(ui.shown(), (Lines{"editor: myeditor " + path("wall.kx5d").string(),
                               "editor: myeditor " + path("wall.kx5r").string(),
                               "editor: myeditor " + path("wall.kx5o").string(),
                               std::string("info: ") + kEditorFailed}));
}

TEST_F(SessionTest, RunSavesChecksCallsTheEngineAndLoadsItsPlot) {
  const std::string file = path("run.kx5d").string();
  const std::string plot = path("run.kx5p").string();
  const std::string saveDialog = "save dialog: NewWall.kx5d | Save NewWall.kx5d As";
  const std::string completed = std::string("info: ") + kComputationsCompleted;
  const struct {
    const char* name;
    std::optional<std::string> saveChoice;
    int lastNode;  // the wall-stiffness row's end node; a new project has no nodes
    const char* stubVariable;
    bool ran;
    Lines shown;
    bool engineCalled;
  } cases[] = {
      {"completed", file, 0, nullptr, true, {saveDialog, completed}, true},
      {"save as cancelled", std::nullopt, 0, nullptr, false, {saveDialog}, false},
      {"pre-run warning", file, 5, nullptr, false,
       {saveDialog,
        "warning: End Node, 5 in row 1 of Wall Stiffness definition\ris greater than number of nodes defined, 0.\r"
        "Please check on Wall Properties Windows and Wall Stiffness Table"},
       false},
      {"engine refuses", file, 0, "KORVEX_STUB_RESULT", false, {saveDialog, std::string("info: ") + kEngineRefused},
       true},
      {"no report", file, 0, "KORVEX_STUB_NO_REPORT", false,
       {saveDialog, "warning: The analysis ended without writing its report\r" + path("run.kx5o").string() +
                        "\rso no results have been loaded.\r\rThe analysis said:\r STUB CANNOT CREATE THE OUTPUT FILE " +
                        path("run.kx5o").string()},
       true},
  };
  for (const auto& c : cases) {
    for (const char* name : {"run.kx5d", "run.kx5o", "run.kx5p", "stub-record.txt"}) std::filesystem::remove(path(name));
    plotLoads.clear();
    ProjectSession& s = started();
    s.setGraphCounter([] {
      std::array<int, kGraphCount> points{};
      points.fill(3);
      return points;
    });
    s.tables().PileSect.Column(1).SetInt(0, c.lastNode);
    ui.saveChoices.push_back(c.saveChoice);
    if (c.stubVariable != nullptr) setenv(c.stubVariable, "1", 1);
    EXPECT_EQ(s.runAnalysis(), c.ran) << c.name;
    if (c.stubVariable != nullptr) unsetenv(c.stubVariable);
    EXPECT_EQ(ui.shown(), c.shown) << c.name;
    EXPECT_EQ(std::filesystem::exists(recordFile()), c.engineCalled) << c.name;
    EXPECT_EQ(std::filesystem::exists(file), c.saveChoice.has_value()) << c.name;
    const std::vector<std::pair<std::string, bool>> loads =
        c.ran ? std::vector<std::pair<std::string, bool>>{{plot, true}} : std::vector<std::pair<std::string, bool>>{};
    EXPECT_EQ(plotLoads, loads) << c.name;
    EXPECT_EQ(s.plotLoaded(), c.ran) << c.name;
    EXPECT_EQ(s.menuState().graphs[kGraphDMS], c.ran) << c.name;
    EXPECT_EQ(leftInTemporaryFolder(), Lines{}) << c.name;
    if (c.engineCalled) {
      EXPECT_EQ(ui.log.back(), "close children") << c.name;
    }
  }
}

TEST_F(SessionTest, RealEngineRunsAnOpenedSampleTwice) {
  const std::string file = sample("sample_wall.kx5d");
  ProjectSession& s = session(KORVEX_ENGINE_DIR);
  s.start(file);
  EXPECT_EQ(ui.shown(), Lines{read("Sample_wall.kx5d")});
  for (int run = 1; run <= 2; ++run) {
    ui.log.clear();
    plotLoads.clear();
    ASSERT_TRUE(s.runAnalysis()) << run;
    EXPECT_EQ(ui.shown(), Lines{std::string("info: ") + kComputationsCompleted});
    EXPECT_EQ(plotLoads, (std::vector<std::pair<std::string, bool>>{{path("sample_wall.kx5p").string(), true}}));
    for (const char* extension : {".kx5o", ".kx5p", ".kx5r"})
      EXPECT_TRUE(std::filesystem::exists(path(std::string("sample_wall") + extension))) << extension;
    EXPECT_FALSE(std::filesystem::exists(path(kControlFileName)));
    EXPECT_EQ(std::filesystem::current_path(), folder());
    EXPECT_EQ(leftInTemporaryFolder(), Lines{});
  }
}

}  // namespace
}  // namespace korvex
