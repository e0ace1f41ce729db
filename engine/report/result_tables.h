// The results of a block in the report and the iteration monitor file.
#pragma once

#include <span>

#include "beamcolumn/iteration.h"
#include "beamcolumn/tieback.h"
#include "beamcolumn/wall_results.h"
#include "format/text_output.h"
#include "format/unit_labels.h"
#include "input/input_model.h"

namespace korvex {

// Three empty lines and the title of the monitor data, before a block's first iteration.
void writeMonitorHeading(TextOutput& monitor);

// One monitor line: iteration, off-curve flag, stations not closed and the deflections of
// stations 1 to 5 (0 beyond the toe).
void writeMonitorLine(TextOutput& monitor, int iteration, bool offCurve, int notClosed, const StationTable& w, int n);

// The results heading with its warnings and the table of stations 0 .. N.
void writeResultsTable(TextOutput& report, const UnitLabels& units, const IterationOutcome& outcome,
                       const StationTables& tables, const StationTable& w, const WallResults& results, double h);

// The tieback results: per tieback its number, station, depth, horizontal force per station,
// force per station along the tieback and force per tieback.
void writeTiebackResults(TextOutput& report, const UnitLabels& units, std::span<const TiebackForce> forces);

}  // namespace korvex
