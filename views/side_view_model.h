// The model as the side view draws it, in the project's own lengths: inches in English
// projects (soil-layer depths, held in feet, multiplied by 12), metres in SI projects.
#pragma once

#include <string>
#include <vector>

namespace korvex {

class ProjectTables;
class TProgramData;

struct SideViewModel {
  int increments = 0;
  double incrementLength = 0;
  double freeHeight = 0;       // depth of the excavation level below the top of the wall
  double backfillSlope = 0;    // degrees
  double activeWidth = 0;
  double pyWidth = 0;
  int outlineCount = 0;        // one wall outline per row of the wall-stiffness table
  bool showLayers = false;     // earth pressure or p-y curves generated from the soil layers

  struct Layer {
    double bottom = 0;        // below the top of the wall
    std::string name;         // "Soft clay", ... ("" for a type outside 1..7)
    std::string parameters;   // "c= 500; gamma= 120", ...
  };
  std::vector<Layer> layers;

  // Nodes with symbols; empty when their option is off.
  std::vector<int> restraintNodes;  // specified deflections and slopes
  std::vector<int> curveNodes;      // user p-y curves
  std::vector<int> springNodes;     // lateral springs (their start nodes)

  double wallLength() const { return increments * incrementLength; }
  // The wall's top and the backfill surface are drawn a tenth of the wall's length below the
  // top of the drawing.
  double topOffset() const { return 0.1 * wallLength(); }
};

SideViewModel sideViewModelOf(const TProgramData& project, const ProjectTables& tables);

// The name and the parameter line of a layer of soil type `type` whose parameter table holds
// `values` at the top of the layer, in its columns' order.
std::string soilTypeName(int type);
std::string soilParameterLine(int type, const std::vector<double>& values);

}  // namespace korvex
