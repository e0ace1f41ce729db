// The enabled, checked and visible states of the main window's menu items and tool buttons,
// derived from the project's switches, the files next to the project and the loaded results.
// The window sets them whenever a menu opens and after the commands that change them.
#pragma once

#include <array>
#include <filesystem>

namespace korvex {

class TProgramData;

// The result graphs, in the order of the Graphics menu and the tool bar.
enum GraphIndex { kGraphPY, kGraphDeflection, kGraphMoment, kGraphShear, kGraphReaction, kGraphDMS, kGraphPressure,
                  kGraphCombined, kGraphCount };

// What the states depend on besides the project.
struct ResultFacts {
  bool dataFileExists = false;     // FileName
  bool monitorFileExists = false;  // .kx5r
  bool reportFileExists = false;   // .kx5o
  bool plotFileExists = false;     // .kx5p
  bool plotLoaded = false;         // the last plot-file load succeeded
  // Points of the first curve of each graph (0 when the graph holds none).
  std::array<int, kGraphCount> firstCurvePoints{};
};

// The facts of the files next to `dataFile` (the results loaded are filled in by the caller).
ResultFacts filesNextTo(const std::filesystem::path& dataFile);

struct MenuState {
  // Data menu (enabled; the two Short-Term/Long-Term submenus visible).
  bool wallConfiguration = false;
  bool soilLayers = false;
  bool distributedPressure = false;
  bool surcharge = false;
  bool concentratedLoads = false;
  bool tieback = false;
  bool restraints = false;
  bool pyModification = false;
  bool externalPY = false;
  bool springs = false;
  bool eiCurves = false;
  bool longTermSubmenus = false;  // the Soil Layer Data and Distributed ... submenus replace the plain commands

  // Options menu (checked, and the two analysis kinds' enabled states).
  int unitSystem = 1;           // the checked Units item
  int earthPressureChoice = 1;  // the checked Earth-Pressure item (0: none)
  bool generatePY = false;
  bool applyConcLoads = false;
  bool applyTieback = false;
  bool applyRestraints = false;
  bool applyExternalPY = false;
  bool applySprings = false;
  bool applyPYMod = false;
  bool applySurcharge = false;
  bool applyEICurves = false;
  bool longTermEnabled = false;
  bool longTermChecked = false;
  bool stagedEnabled = false;
  bool stagedChecked = false;

  // Stage Construction menu and the stage buttons (shown for a staged project): each stage's
  // item and button enabled up to the number of stages, the current one checked.
  bool stageMenuVisible = false;
  int stageCount = 1;
  int currentStage = 1;
  std::array<bool, 5> stages{};
  bool copyPreviousStage = false;

  // Computation menu.
  bool editInput = false;
  bool editMonitor = false;
  bool editOutput = false;
  bool viewWallGeometry = false;

  // Graphics menu and the graph buttons, in GraphIndex order; "Export Plots To Excel".
  std::array<bool, kGraphCount> graphs{};
  bool exportPlots = false;

  // Tool buttons that the long-term layout disables: "Stage Construction Option", "Soil Layers".
  bool stageOptionButton = true;
  bool soilLayersButton = true;
};

MenuState menuState(const TProgramData& project, const ResultFacts& facts);

// Which graphs the Graphics menu offers (in GraphIndex order): none without `results` (a plot
// file loaded and still there); with them, each single graph whose first curve has more than
// one point, the combined earth pressure always, deflection-moment-shear when its three panels'
// graphs are offered. The spreadsheet export offers the same graphs.
std::array<bool, kGraphCount> graphsShown(bool results, const std::array<int, kGraphCount>& firstCurvePoints);

}  // namespace korvex
