// The deformed shape of the three-dimensional view: the deflections it draws, taken from the
// deflection graph, and the stepping of its magnification factor.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "views/view_model.h"

namespace korvex {

class TGraphPlot;

// The deflections of the wall's stations 0..N from the loaded results, in the view's length unit
// (English runs write deflections in inches; the model is drawn in feet), positive towards the
// excavation; or why there are none.
struct DeflectedStations {
  std::vector<double> deflection;  // N + 1 values when available
  std::string resultName;          // the result set shown: "Stage: 2", "Short-Term", ...
  std::string unavailable;         // empty when available

  bool available() const { return unavailable.empty(); }
};

inline constexpr const char* kNoResultsLoaded = "No results are loaded: run the analysis first.";
inline constexpr const char* kResultsOfAnotherWall =
    "The results loaded belong to a wall of other stations: run the analysis again to see this wall deflected.";

// The result set of stage `stage` (1-based; the first set when the results hold fewer) of the
// "Deflection vs Depth" graph `deflection`, checked against `model`: results must be loaded,
// the set must hold a point for every station 0..N at its station's depth (within half an
// increment), and its deepest point must be that of station N + 1, the one past the toe.
DeflectedStations deflectedStationsOf(const TGraphPlot& deflection, bool plotLoaded, const ViewModel& model, int stage);

// Whether the "Deformed Shape" command is offered: results loaded, and a line of the deflection
// graph with more than one point.
bool deformedShapeOffered(const TGraphPlot& deflection, bool plotLoaded);

// The factor after one step of the up-down control. The factor is read as m x 10^e with leading
// digit m (factors strictly between 0.1 and 1 are stepped as ten times themselves): up gives
// m + 1 (9 gives 10, 10 gives 20), down gives m - 1 (1 gives 0.9); a factor that is not positive
// becomes 1.
double stepFactor(double factor, bool up);

// A factor that draws the largest deflection as about a tenth of the wall's length, rounded
// down to one significant digit; 1 when the wall does not move.
double fittingFactor(const std::vector<double>& deflection, double wallLength);

// The displacements the view draws: each deflection times `factor`.
std::vector<double> magnified(const std::vector<double>& deflection, double factor);

}  // namespace korvex
