// The model as the views draw it, read from the project and its input tables. The three-
// dimensional view works in feet in English projects (lengths held in inches are divided by
// 12, surcharge distances too), in metres in SI projects (surcharge distances in mm divided by
// 1000, tieback areas in mm^2 by 10^6), and with lengths as they stand in the "other" system.
// Only the parts the project switches on are read: springs, loads, restraints, tiebacks and
// surcharges of a switched-off option are left out, as the analysis leaves them out.
#pragma once

#include <string>
#include <vector>

namespace korvex {

class ProjectTables;
class TProgramData;

struct ViewModel {
  bool english = true;
  int increments = 0;              // N: stations 0 at the top to N at the toe
  double incrementLength = 0;      // h
  double excavationDepth = 0;      // FreeHeight
  double activeWidth = 0;          // Wa, the width the model stands for
  double pyWidth = 0;              // Wp, the wall's width for the soil resistance
  double waterDepthBackfill = 0;
  double waterDepthExcavation = 0;

  struct Layer {
    int soilType = 0;    // 1..7 as in the soil-layer table
    double bottom = 0;   // depth of the layer's bottom below the top of the wall
  };
  std::vector<Layer> layers;

  // A row of the spring or concentrated-load table: the nodes it covers and its values.
  struct NodeRow {
    int from = 0;
    int to = 0;
    bool interpolate = false;  // "Linear Interpolate to End Node of Next Line"
    double lateral = 0;        // load (concentrated loads) or stiffness (springs)
    double moment = 0;         // moment, or the rotational stiffness
    double axial = 0;          // concentrated loads only
  };
  std::vector<NodeRow> springs;
  std::vector<NodeRow> loads;

  enum RestraintKind { kSpecifiedDeflection = 1, kSpecifiedSlope = 2 };
  struct Restraint {
    int kind = kSpecifiedDeflection;
    int node = 0;
  };
  std::vector<Restraint> restraints;

  struct Tieback {
    double depth = 0;       // of the anchor head below the top of the wall
    double rodSide = 0;     // side of a square rod of the tendon's cross-section area
    double unbonded = 0;    // unbonded length
    double angle = 0;       // degrees below horizontal, into the backfill
    double spacing = 0;     // between tiebacks of the row, along the wall
  };
  std::vector<Tieback> tiebacks;

  enum SurchargeKind { kPointLoad = 1, kLineLoad = 2, kStripLoad = 3 };
  struct Surcharge {
    int kind = kPointLoad;
    double distance = 0;  // from the wall into the backfill (the strip's middle)
    double width = 0;     // strip loads
  };
  std::vector<Surcharge> surcharges;

  double wallLength() const { return increments * incrementLength; }
};

// The model of `project` and `tables` as they stand now.
ViewModel viewModelOf(const TProgramData& project, const ProjectTables& tables);

}  // namespace korvex
