// The enabled, checked and visible states of menus and buttons, from the project's switches,
// the files next to the project and the loaded results.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/program_data.h"
#include "app/shell/menu_state.h"
#include "test_support.h"

namespace korvex {
namespace {

using Items = std::set<std::string>;

// Every on/off state by name, the graphs under their menu captions.
std::vector<std::pair<std::string, bool>> flags(const MenuState& s) {
  std::vector<std::pair<std::string, bool>> all = {
      {"wallConfiguration", s.wallConfiguration}, {"soilLayers", s.soilLayers},
      {"distributedPressure", s.distributedPressure}, {"surcharge", s.surcharge},
      {"concentratedLoads", s.concentratedLoads}, {"tieback", s.tieback},
      {"restraints", s.restraints}, {"pyModification", s.pyModification},
      {"externalPY", s.externalPY}, {"springs", s.springs},
      {"eiCurves", s.eiCurves}, {"longTermSubmenus", s.longTermSubmenus},
      {"generatePY", s.generatePY}, {"applyConcLoads", s.applyConcLoads},
      {"applyTieback", s.applyTieback}, {"applyRestraints", s.applyRestraints},
      {"applyExternalPY", s.applyExternalPY}, {"applySprings", s.applySprings},
      {"applyPYMod", s.applyPYMod}, {"applySurcharge", s.applySurcharge},
      {"applyEICurves", s.applyEICurves}, {"longTermEnabled", s.longTermEnabled},
      {"longTermChecked", s.longTermChecked}, {"stagedEnabled", s.stagedEnabled},
      {"stagedChecked", s.stagedChecked}, {"stageMenuVisible", s.stageMenuVisible},
      {"editInput", s.editInput}, {"editMonitor", s.editMonitor},
      {"editOutput", s.editOutput}, {"viewWallGeometry", s.viewWallGeometry},
      {"exportPlots", s.exportPlots}, {"stageOptionButton", s.stageOptionButton},
      {"soilLayersButton", s.soilLayersButton}, {"copyPreviousStage", s.copyPreviousStage},
  };
  for (int k = 1; k <= 5; ++k) all.emplace_back("stage" + std::to_string(k), s.stages[static_cast<std::size_t>(k - 1)]);
  const char* graphNames[kGraphCount] = {"p-y", "deflection", "moment", "shear", "reaction", "DMS", "pressure", "combined"};
  for (int g = 0; g < kGraphCount; ++g) all.emplace_back(graphNames[g], s.graphs[static_cast<std::size_t>(g)]);
  return all;
}

// The names of the states that differ between two menu states.
Items changed(const MenuState& before, const MenuState& after) {
  Items names;
  const auto a = flags(before);
  const auto b = flags(after);
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i].second != b[i].second) names.insert(a[i].first);
  return names;
}

TEST(MenuState, EachSwitchChangesExactlyItsItems) {
  const struct {
    const char* name;
    std::function<void(TProgramData&)> set;
    Items items;
  } cases[] = {
      {"restraints", [](TProgramData& p) { p.ApplyRestraints = true; }, {"restraints", "applyRestraints"}},
      {"concentrated loads", [](TProgramData& p) { p.ApplyConcLoads = true; }, {"concentratedLoads", "applyConcLoads"}},
      {"springs", [](TProgramData& p) { p.ApplySprings = true; }, {"springs", "applySprings"}},
      {"tieback", [](TProgramData& p) { p.ApplyTieback = true; }, {"tieback", "applyTieback"}},
      {"external p-y", [](TProgramData& p) { p.ApplyExternalPY = true; }, {"externalPY", "applyExternalPY"}},
      {"moment-EI", [](TProgramData& p) { p.ApplyEICurves = true; }, {"eiCurves", "applyEICurves"}},
      {"p-y factors", [](TProgramData& p) { p.ApplyPYMod = true; }, {"pyModification", "applyPYMod"}},
      {"surcharge", [](TProgramData& p) { p.ApplySurcharge = true; }, {"surcharge", "applySurcharge"}},
      {"no p-y generation", [](TProgramData& p) { p.GeneratePYCurves = 0; },
       {"generatePY", "wallConfiguration", "soilLayers"}},
      {"soil pressure without p-y generation",
       [](TProgramData& p) {
         p.GeneratePYCurves = 0;
         p.SoilEarthPressure = true;
       },
       {"generatePY"}},
      {"user pressure", [](TProgramData& p) { p.EarthPressureChoice = kUserPressure; }, {"distributedPressure"}},
      {"long term",
       [](TProgramData& p) { p.LongTerm = true; },
       {"longTermSubmenus", "longTermChecked", "stagedEnabled", "stageOptionButton", "soilLayersButton"}},
      {"stages", [](TProgramData& p) { p.StageCount = 3; },
       {"longTermEnabled", "stagedChecked", "stageMenuVisible", "stage1", "stage2", "stage3"}},
      {"stage 2 of 5",
       [](TProgramData& p) {
         p.StageCount = 5;
         p.CurrentStage = 2;
       },
       {"longTermEnabled", "stagedChecked", "stageMenuVisible", "stage1", "stage2", "stage3", "stage4", "stage5",
        "copyPreviousStage"}},
      {"long term in a staged project",
       [](TProgramData& p) {
         p.StageCount = 2;
         p.LongTerm = true;
       },
       {"longTermEnabled", "stagedChecked", "stageMenuVisible", "longTermChecked", "stagedEnabled",
        "stageOptionButton", "soilLayersButton", "stage1", "stage2"}},
  };
  const MenuState fresh = menuState(TProgramData(), ResultFacts());
  for (const auto& c : cases) {
    TProgramData project;
    c.set(project);
    EXPECT_EQ(changed(fresh, menuState(project, ResultFacts())), c.items) << c.name;
  }
}

TEST(MenuState, RadioItemsShowUnitsAndChoiceAndAChoiceOfNoneChecksNothing) {
  TProgramData project;
  EXPECT_EQ(menuState(project, {}).unitSystem, 1);
  EXPECT_EQ(menuState(project, {}).earthPressureChoice, kTriangularPressure);
  project.UnitSystem = 2;
  project.EarthPressureChoice = 0;
  project.StageCount = 4;
  project.CurrentStage = 3;
  const MenuState s = menuState(project, {});
  EXPECT_EQ(s.unitSystem, 2);
  EXPECT_EQ(s.earthPressureChoice, 0);
  EXPECT_EQ(project.EarthPressureChoice, 0);
  EXPECT_EQ(s.stageCount, 4);
  EXPECT_EQ(s.currentStage, 3);
}

TEST(MenuState, ResultsNeedTheLoadedPlotFileAndCurvesToDraw) {
  ResultFacts all;
  all.plotLoaded = true;
  all.plotFileExists = true;
  all.firstCurvePoints.fill(2);
  const Items everyResult = {"p-y", "deflection", "moment", "shear", "reaction", "DMS", "pressure", "combined",
                             "exportPlots", "viewWallGeometry"};
  const struct {
    const char* name;
    std::function<void(ResultFacts&)> change;
    Items lost;  // the result items no longer enabled
  } cases[] = {
      {"all there", [](ResultFacts&) {}, {}},
      {"plot not loaded", [](ResultFacts& f) { f.plotLoaded = false; }, everyResult},
      {"plot file gone", [](ResultFacts& f) { f.plotFileExists = false; }, everyResult},
      {"one-point deflection", [](ResultFacts& f) { f.firstCurvePoints[kGraphDeflection] = 1; },
       {"deflection", "DMS"}},
      {"no shear curve", [](ResultFacts& f) { f.firstCurvePoints[kGraphShear] = 0; }, {"shear", "DMS"}},
      {"no pressure curve", [](ResultFacts& f) { f.firstCurvePoints[kGraphPressure] = 0; }, {"pressure"}},
      {"no p-y curve", [](ResultFacts& f) { f.firstCurvePoints[kGraphPY] = 1; }, {"p-y"}},
      {"no reaction curve", [](ResultFacts& f) { f.firstCurvePoints[kGraphReaction] = 0; }, {"reaction"}},
  };
  const MenuState full = menuState(TProgramData(), all);
  for (const auto& c : cases) {
    ResultFacts facts = all;
    c.change(facts);
    EXPECT_EQ(changed(full, menuState(TProgramData(), facts)), c.lost) << c.name;
  }
}

TEST(MenuState, EditCommandsFollowTheFilesNextToTheProject) {
  testing::TempFolder folder;
  testing::writeFile(folder / "wall.kx5d", "");
  testing::writeFile(folder / "wall.kx5o", "");
  const ResultFacts facts = filesNextTo(folder / "wall.kx5d");
  EXPECT_TRUE(facts.dataFileExists);
  EXPECT_TRUE(facts.reportFileExists);
  EXPECT_FALSE(facts.monitorFileExists);
  EXPECT_FALSE(facts.plotFileExists);
  testing::writeFile(folder / "wall.kx5r", "");
  const MenuState s = menuState(TProgramData(), filesNextTo(folder / "wall.kx5d"));
  EXPECT_TRUE(s.editInput);
  EXPECT_TRUE(s.editMonitor);
  EXPECT_TRUE(s.editOutput);
  EXPECT_FALSE(menuState(TProgramData(), filesNextTo(folder / "other.kx5d")).editInput);
}

}  // namespace
}  // namespace korvex
