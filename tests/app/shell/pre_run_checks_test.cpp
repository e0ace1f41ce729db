// The checks before a run: wall-stiffness nodes beyond the last node and a backfill slope
// steeper than a sand or silt layer's friction angle; the first violation only, worded exactly.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/program_data.h"
#include "app/project_tables.h"
#include "app/shell/pre_run_checks.h"
#include "tables/catalogue.h"

namespace korvex {
namespace {

struct Layer {
  int type;
  long double frictionAngle;  // degrees, top row of the layer
};

struct Case {
  const char* name;
  int numIncrements;
  std::vector<std::pair<int, int>> sections;  // from node, to node
  long double backfillSlope;                  // degrees
  std::vector<Layer> layers;
  std::optional<std::string> warning;
};

const char* const kNodesTail = ".\rPlease check on Wall Properties Windows and Wall Stiffness Table";

TEST(PreRunChecks, WarnOfTheFirstViolationOnly) {
  const Case cases[] = {
      {"sections within the wall", 80, {{0, 40}, {40, 80}}, 0, {}, std::nullopt},
      {"end node beyond", 80, {{0, 40}, {40, 81}}, 0, {},
       std::string("End Node, 81 in row 2 of Wall Stiffness definition\ris greater than number of nodes defined, 80") +
           kNodesTail},
      {"start node checked before end node", 80, {{81, 90}}, 0, {},
       std::string("Initial Node, 81 in row 1 of Wall Stiffness definition\ris greater than number of nodes defined, "
                   "80") + kNodesTail},
      {"a new project has no nodes yet", 0, {{0, 10}}, 0, {},
       std::string("End Node, 10 in row 1 of Wall Stiffness definition\ris greater than number of nodes defined, 0") +
           kNodesTail},
      {"slope equal to the sand's angle", 80, {{0, 80}}, 30, {{kSand, 30}}, std::nullopt},
      {"slope steeper than the sand's angle", 80, {{0, 80}}, 30.5L, {{kSoftClay, 0}, {kSand, 30}},
       "Slope of the Backfill: 30.5 deg.\ris greater than friction angle, 30 deg.,\rin layer 2\r"
       "Please check on Wall Configuration and Soil Layers Windows"},
      {"silt in fifteen digits", 80, {{0, 80}}, 100.0L / 3, {{kSilt, 12.25L}},
       "Slope of the Backfill: 33.3333333333333\ris greater than friction angle, 12.25,\rin layer 1\r"
       "Please check Soil Layers"},
      {"clays and rocks are not checked", 80, {{0, 80}}, 45, {{kStiffClayWithFreeWater, 0}, {kWeakRock, 0}},
       std::nullopt},
      {"no slope, no layer check", 80, {{0, 80}}, 0, {{kSand, -10}}, std::nullopt},
      {"node error before slope error", 80, {{0, 99}}, 40, {{kSand, 30}},
       std::string("End Node, 99 in row 1 of Wall Stiffness definition\ris greater than number of nodes defined, 80") +
           kNodesTail},
  };
  for (const Case& c : cases) {
    const Catalogue catalogue = createCatalogue();
    ProjectTables tables(catalogue);
    TProgramData project = TProgramData::CreateNew(tables);
    project.NumIncrements = c.numIncrements;
    project.BackfillSlope = c.backfillSlope;
    tables.PileSect.SetRowCount(static_cast<int>(c.sections.size()));
    for (int r = 0; r < tables.PileSect.RowCount(); ++r) {
      tables.PileSect.Column(0).SetInt(r, c.sections[static_cast<std::size_t>(r)].first);
      tables.PileSect.Column(1).SetInt(r, c.sections[static_cast<std::size_t>(r)].second);
    }
    tables.NewSoil.SetRowCount(static_cast<int>(c.layers.size()));
    for (int r = 0; r < tables.NewSoil.RowCount(); ++r) {
      const Layer& layer = c.layers[static_cast<std::size_t>(r)];
      tables.NewSoil.Column(0).SetInt(r, layer.type);
      TGridTable& parameters = *tables.NewSoil.Column(2).GetTable(r);
      // The friction angle of sand and silt is column 1; the other types hold something else there.
      parameters.Column(1).SetFloat(0, layer.frictionAngle);
      parameters.Column(1).SetFloat(1, 90);  // the bottom row is never checked
    }
    EXPECT_EQ(preRunWarning(project, tables), c.warning) << c.name;
  }
}

}  // namespace
}  // namespace korvex
