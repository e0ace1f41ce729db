// What the view tests share: the main window's tables with a project read from an example or
// made new, and the extents of single bodies of a scene.
#pragma once

#include <algorithm>
#include <filesystem>
#include <string>

#include "app/program_data.h"
#include "app/project_reader.h"
#include "app/project_tables.h"
#include "tables/catalogue.h"
#include "views/scene.h"

namespace korvex::testing {

struct ViewProject {
  Catalogue catalogue = createCatalogue();
  ProjectTables tables{catalogue};
  TProgramData data = TProgramData::CreateNew(tables);

  // The example `name` (without extension) as the desktop program opens it.
  void open(const std::string& name) {
    data = ReadDataFile(std::filesystem::path(KORVEX_EXAMPLES) / (name + ".kx5d"), kCurrentKind, tables).data;
  }
};

inline Bounds boundsOfSolid(const Solid& solid) {
  Bounds b{true, solid.corners.front(), solid.corners.front()};
  for (const Vec3& p : solid.corners) {
    b.min = {std::min(b.min.d, p.d), std::min(b.min.x, p.x), std::min(b.min.y, p.y)};
    b.max = {std::max(b.max.d, p.d), std::max(b.max.x, p.x), std::max(b.max.y, p.y)};
  }
  return b;
}

inline int countOf(const Scene& scene, SceneItem item) {
  return static_cast<int>(std::count_if(scene.solids.begin(), scene.solids.end(),
                                        [item](const Solid& s) { return s.item == item; }));
}

}  // namespace korvex::testing
