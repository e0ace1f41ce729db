// The results of a solved block: the rows the plot data file carries, and what a caller needs
// to judge the block without reading the report.
#pragma once

#include <vector>

#include "beamcolumn/tieback.h"
#include "input/unit_system.h"

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
  UnitSystem unitSystem = UnitSystem::English;
  std::vector<ResultRow> rows;
};

// What a block of the data file is within the run.
enum class BlockRole {
  Single,     // the only analysis of the file, or one of several unstaged blocks
  Stage,      // a construction stage; the block number is the stage number
  ShortTerm,  // the block a long-term block follows
  LongTerm,   // the block after a short-term block
};

// How one block's iteration ended and the results it gave, in the block's units (lb and in,
// or kN and m). Rows are stations 0 .. N as the report prints them.
struct BlockOutcome {
  int block = 0;  // 1-based
  BlockRole role = BlockRole::Single;
  UnitSystem unitSystem = UnitSystem::English;
  int iterations = 0;
  bool offCurve = false;               // a deflection lay beyond its p-y curve
  int stationsOverMaxDeflection = 0;   // in the last solve
  int stationsNotClosed = 0;           // in the last solve
  std::vector<ResultRow> rows;
  std::vector<TiebackForce> tiebacks;

  // The deflections closed within the tolerance and none exceeded the allowed maximum.
  bool closed() const { return stationsOverMaxDeflection == 0 && stationsNotClosed == 0; }
};

}  // namespace korvex
