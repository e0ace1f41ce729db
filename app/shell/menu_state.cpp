#include "app/shell/menu_state.h"

#include <system_error>

#include "app/program_data.h"
#include "app/shell/control_file.h"

namespace korvex {

namespace {

bool fileExists(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

}  // namespace

ResultFacts filesNextTo(const std::filesystem::path& dataFile) {
  ResultFacts facts;
  const std::string name = dataFile.string();
  facts.dataFileExists = fileExists(dataFile);
  facts.monitorFileExists = fileExists(withExtension(name, ".kx5r"));
  facts.reportFileExists = fileExists(withExtension(name, ".kx5o"));
  facts.plotFileExists = fileExists(withExtension(name, ".kx5p"));
  return facts;
}

std::array<bool, kGraphCount> graphsShown(bool results, const std::array<int, kGraphCount>& firstCurvePoints) {
  std::array<bool, kGraphCount> shown{};
  // A single graph needs a curve to draw; the combined pressure graph only the results.
  for (int g : {kGraphPY, kGraphDeflection, kGraphMoment, kGraphShear, kGraphReaction, kGraphPressure})
    shown[static_cast<std::size_t>(g)] = results && firstCurvePoints[static_cast<std::size_t>(g)] > 1;
  shown[kGraphCombined] = results;
  shown[kGraphDMS] = shown[kGraphDeflection] && shown[kGraphMoment] && shown[kGraphShear];
  return shown;
}

MenuState menuState(const TProgramData& project, const ResultFacts& facts) {
  MenuState s;
  const bool generatesPY = project.GeneratePYCurves == 1;
  const bool singleStage = project.StageCount <= 1;

  s.wallConfiguration = project.SoilEarthPressure || generatesPY;
  s.soilLayers = s.wallConfiguration;
  s.distributedPressure = project.EarthPressureChoice == kUserPressure;
  s.surcharge = project.ApplySurcharge;
  s.concentratedLoads = project.ApplyConcLoads;
  s.tieback = project.ApplyTieback;
  s.restraints = project.ApplyRestraints;
  s.pyModification = project.ApplyPYMod;
  s.externalPY = project.ApplyExternalPY;
  s.springs = project.ApplySprings;
  s.eiCurves = project.ApplyEICurves;
  s.longTermSubmenus = project.LongTerm && singleStage;

  s.unitSystem = project.UnitSystem;
  // A choice outside the three items (0 from an unusual file) checks none of them.
  const int choice = project.EarthPressureChoice;
  s.earthPressureChoice = choice >= kUserPressure && choice <= kTrapezoidalPressure ? choice : 0;
  s.generatePY = generatesPY;
  s.applyConcLoads = project.ApplyConcLoads;
  s.applyTieback = project.ApplyTieback;
  s.applyRestraints = project.ApplyRestraints;
  s.applyExternalPY = project.ApplyExternalPY;
  s.applySprings = project.ApplySprings;
  s.applyPYMod = project.ApplyPYMod;
  s.applySurcharge = project.ApplySurcharge;
  s.applyEICurves = project.ApplyEICurves;
  s.longTermEnabled = singleStage;
  s.longTermChecked = project.LongTerm;
  s.stagedEnabled = !project.LongTerm;
  s.stagedChecked = !singleStage;

  s.stageMenuVisible = !singleStage;
  s.stageCount = project.StageCount;
  s.currentStage = project.CurrentStage;
  for (int stage = 1; stage <= kMostStages; ++stage)
    s.stages[static_cast<std::size_t>(stage - 1)] = !singleStage && stage <= project.StageCount;
  s.copyPreviousStage = !singleStage && project.CurrentStage > 1;

  const bool results = facts.plotLoaded && facts.plotFileExists;
  s.editInput = facts.dataFileExists;
  s.editMonitor = facts.monitorFileExists;
  s.editOutput = facts.reportFileExists;
  s.viewWallGeometry = results;

  s.graphs = graphsShown(results, facts.firstCurvePoints);
  s.exportPlots = results;

  s.stageOptionButton = !project.LongTerm;
  s.soilLayersButton = !project.LongTerm;
  return s;
}

}  // namespace korvex
