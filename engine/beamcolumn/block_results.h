// The results of a solved block that the plot data file carries.
#pragma once

#include <vector>

namespace korvex {

// One station's results: depth x, deflection w, bending moment M, shear V and net soil
// reaction per station Rn.
struct ResultRow {
  double depth = 0.0;
  double deflection = 0.0;
  double moment = 0.0;
  double shear = 0.0;
  double reaction = 0.0;
};

// Rows of stations 0 .. N+1 of the last solved block.
struct BlockResults {
  int unitSystem = 0;
  std::vector<ResultRow> rows;
};

}  // namespace korvex
