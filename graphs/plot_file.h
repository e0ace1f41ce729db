// The plot data file the engine writes after a run (extension kx5p), read whole into memory
// before any graph sees it. The file is a stream of words; one block per result set:
//
//   A1 nEP                       earth-pressure points
//   A2 nEP x (depth, total, from soils, from surcharge)
//   A3 unit flag                 1 English (in, lb-in, lb), any other value SI
//   B1 nC                        p-y curves
//   B2 nC x (depth, nP, nP x (y, p))
//   C1 nR                        result sets (blocks) in the file; block 1's value counts
//   C2 nS                        points along the wall
//   C3 unit system               not used
//   C4 nS x (depth, deflection, moment, shear, soil reaction)
//
// Values are kept as written; the display conversions belong to the graphs.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "graphs/graph_plot.h"

namespace korvex {

class TWordReader;

// A plot file that does not read: what() says what and where.
class PlotFileError : public std::runtime_error {
 public:
  explicit PlotFileError(const std::string& message) : std::runtime_error(message) {}
};

struct EarthPressurePoint {
  double depth = 0, total = 0, fromSoils = 0, fromSurcharge = 0;
};

struct PYCurve {
  double depth = 0;  // in the run's length unit (in or m), as written
  std::vector<TFloatPoint> points;  // x = deflection y, y = soil resistance p
};

struct WallPoint {
  double depth = 0, deflection = 0, moment = 0, shear = 0, reaction = 0;
};

struct PlotBlock {
  std::vector<EarthPressurePoint> earthPressure;
  int unitFlag = 1;
  std::vector<PYCurve> curves;
  int resultSets = 1;
  int unitSystem = 1;
  std::vector<WallPoint> wall;

  bool english() const { return unitFlag == 1; }
};

struct PlotFile {
  std::vector<PlotBlock> blocks;  // as many as block 1 announces, at least one
};

// Reads every block block 1 announces. Raises PlotFileError for a word that is missing or no
// number (the word reader's message), a negative count, a count that promises more numbers
// than the file holds (so no count makes the reader allocate beyond the file's size), fewer
// than one result set, and a number beyond the range of double.
PlotFile readPlotFile(TWordReader& reader);
// The same for the file at `path`; PlotFileError with the system's message when it cannot be
// read.
PlotFile readPlotFile(const std::filesystem::path& path);

}  // namespace korvex
