// The figures an engineer looks for first in a solved block: the extreme bending moments,
// the largest shear, the top and the largest deflection, each with its depth, and the tieback
// forces, taken from the engine's results in memory.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "beamcolumn/block_results.h"

namespace korvex::cli {

// A value and the depth x of the station where it occurs (block units).
struct ValueAtDepth {
  double value = 0.0;
  double depth = 0.0;
};

// The unit labels of a block's figures.
struct FigureUnits {
  std::string_view length;  // "in" / "m"
  std::string_view force;   // "lb" / "kN"
  std::string_view moment;  // "lb-in" / "kN-m"
};

struct KeyResults {
  ValueAtDepth maxMoment;      // the largest (most positive) bending moment
  ValueAtDepth minMoment;      // the smallest (most negative) bending moment
  ValueAtDepth maxShear;       // the shear of largest magnitude, with its sign
  double topDeflection = 0.0;  // at station 0
  ValueAtDepth maxDeflection;  // the deflection of largest magnitude, with its sign
};

// The key results of the rows of stations 0 .. N; the first station wins a tie. The end rows
// are taken as the engine prints them (half stiffness at stations 0 and N). A moment below
// 1E-9 of the largest is round-off and given as 0.
KeyResults keyResults(const BlockOutcome& block);

// Units of English and SI blocks.
FigureUnits figureUnits(UnitSystem unitSystem);

// "Stage 2", "Short-term", "Long-term", "Block 3", or "" for the only block of a file.
std::string blockLabel(const BlockOutcome& block, std::size_t blockCount);

}  // namespace korvex::cli
