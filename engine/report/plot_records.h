// The records of the plot data file that the desktop program reads back into its graphs.
#pragma once

#include <span>

#include "beamcolumn/block_results.h"
#include "earthpressure/pressure_diagram.h"
#include "format/text_output.h"

namespace korvex {

// The earth-pressure records: the point count, then one line per point (depth, total, earth
// and surcharge parts, per unit depth on the wall). An earth part of exactly 0 is written as
// 1.0E-7 (the loader takes small values for padding points).
void writePlotPressure(TextOutput& plot, std::span<const DiagramPoint> points);

// A p-y curve of the plot data file: its depth and its points (y, p).
struct PlotCurve {
  double depth = 0.0;
  std::vector<double> y;
  std::vector<double> p;
};

// The p-y curve records: the unit system and the curve count, then per curve its depth and
// point count and one line per point. When all curves are generated (`onlyGenerated`) the
// depth line has the fixed layout 1X, F10.2, 1X, I5.
void writePlotCurves(TextOutput& plot, UnitSystem unitSystem, std::span<const PlotCurve> curves,
                     bool onlyGenerated = false);

// The result records of one block: the result-set count, the number of rows and the unit
// system's code, then one line per station (x, w, M, V, Rn). `results` may be absent (no block
// solved): the count line then announces no rows and the unit-system code of the block last
// read, as read.
void writePlotResults(TextOutput& plot, int resultSetCount, int codeOfLastBlock, const BlockResults* results);

}  // namespace korvex
