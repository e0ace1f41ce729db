// Helpers of the closed-form validation cases: data files of plain beam-columns, whole runs
// of the engine, and readers of the quantities the engine prints (plot data file records,
// the results table of the report, the p-y blocks of the report), together with the
// rounding bound of the fixed formats those quantities are printed in.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "test_support.h"

namespace korvex::validation {

using korvex::testing::runEngineOn;
using korvex::testing::RunResult;
using korvex::testing::splitLines;
using korvex::testing::TempFolder;

inline constexpr double kPi = 3.14159265358979323846;

// A real written with enough digits that the data file carries the value exactly as meant.
inline std::string number(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.15g", value);
  return text;
}

// Half a unit in the last digit of `value` printed in an Ew.d field (0.ddd...E+ee, d digits
// after the point): the largest error the printed text can carry.
inline double halfUnitInLastDigit(double value, int digits) {
  if (value == 0.0) return 0.0;
  const double exponent = std::floor(std::log10(std::abs(value))) + 1.0;
  return 0.5 * std::pow(10.0, exponent - digits);
}

// ---------------------------------------------------------------------------------------
// Plain beam-columns (no soil): the data-file text of one block.
// ---------------------------------------------------------------------------------------

// A wall of `increments` increments of `incrementLength` with one constant flexural
// rigidity from the top (station 0) to the toe (station N), English units (lb, in). The
// restraint, load and spring lines are groups 4, 6 and 7a of the data file.
struct BeamModel {
  int increments = 40;
  double incrementLength = 6.0;      // in
  double flexuralRigidity = 3.0e10;  // lb-in^2
  double maxDeflection = 1000.0;     // in; never reached by the cases
  double closureTolerance = 1.0e-9;  // in
  std::vector<std::string> restraints;
  std::vector<std::string> loads;
  std::vector<std::string> springs;

  double length() const { return increments * incrementLength; }

  std::string dataFile() const {
    std::ostringstream text;
    text << "VALIDATION BEAM\n"
         << "1 " << restraints.size() << " 1 0 0 0 0 0 0 0\n"
         << increments << " " << number(incrementLength) << " " << number(maxDeflection) << " "
         << number(closureTolerance) << " 0 12\n";
    for (const std::string& line : restraints) text << line << "\n";
    text << "0 " << increments << " 1 " << number(flexuralRigidity) << "\n";
    text << loads.size() << "\n";
    for (const std::string& line : loads) text << line << "\n";
    text << springs.size() << "\n";
    for (const std::string& line : springs) text << line << "\n";
    text << "0\n";
    return text.str();
  }
};

// Group 4 records: case 1 deflection, case 2 slope, case 3 both.
inline std::string specifiedDeflection(int station, double deflection) {
  return "1 " + std::to_string(station) + " " + number(deflection) + " 0";
}
inline std::string specifiedSlope(int station, double slope) {
  return "2 " + std::to_string(station) + " 0 " + number(slope);
}
inline std::string specifiedDeflectionAndSlope(int station, double deflection = 0.0, double slope = 0.0) {
  return "3 " + std::to_string(station) + " " + number(deflection) + " " + number(slope);
}

// A group 6 record with CONTD 1: lateral load per station, moment and axial load (positive
// in compression) on stations from..to, the two end stations taking half when from < to.
inline std::string loadRecord(int from, int to, double lateral, double moment = 0.0, double axial = 0.0) {
  return "1 " + std::to_string(from) + " " + std::to_string(to) + " " + number(lateral) + " " + number(moment) + " " +
         number(axial);
}

// A group 7a record with CONTD 1: lateral spring per station and rotational spring.
inline std::string springRecord(int from, int to, double lateral, double rotational = 0.0) {
  return std::to_string(from) + " " + std::to_string(to) + " 1 " + number(lateral) + " " + number(rotational);
}

// ---------------------------------------------------------------------------------------
// Plot data file: the records of the first block.
// ---------------------------------------------------------------------------------------

struct PressurePoint {
  double depth = 0.0;      // in / m
  double total = 0.0;      // force per unit depth (pressure times width)
  double soil = 0.0;       // earth and water part
  double surcharge = 0.0;  // surcharge part
};

struct PlotCurve {
  double depth = 0.0;
  std::vector<std::pair<double, double>> points;  // (y, p)
};

struct ResultRow {
  double depth = 0.0;
  double deflection = 0.0;
  double moment = 0.0;
  double shear = 0.0;
  double reaction = 0.0;  // net reaction per station
};

struct PlotBlock {
  bool complete = false;
  std::vector<PressurePoint> pressure;
  int unitFlag = 0;
  std::vector<PlotCurve> curves;
  int resultSets = 0;
  int unitSystem = 0;
  std::vector<ResultRow> results;  // stations 0 .. N+1
};

// Reads the first block of a plot data file as a stream of words, as the desktop program
// does; `complete` is false when a record is missing.
inline PlotBlock readPlotBlock(const std::string& plot) {
  std::istringstream in(plot);
  PlotBlock block;
  int pressureCount = 0;
  if (!(in >> pressureCount)) return block;
  block.pressure.resize(static_cast<std::size_t>(std::max(pressureCount, 0)));
  for (PressurePoint& point : block.pressure)
    if (!(in >> point.depth >> point.total >> point.soil >> point.surcharge)) return block;
  int curveCount = 0;
  if (!(in >> block.unitFlag >> curveCount)) return block;
  block.curves.resize(static_cast<std::size_t>(std::max(curveCount, 0)));
  for (PlotCurve& curve : block.curves) {
    int pointCount = 0;
    if (!(in >> curve.depth >> pointCount)) return block;
    curve.points.resize(static_cast<std::size_t>(std::max(pointCount, 0)));
    for (auto& point : curve.points)
      if (!(in >> point.first >> point.second)) return block;
  }
  int rowCount = 0;
  if (!(in >> block.resultSets >> rowCount >> block.unitSystem)) return block;
  block.results.resize(static_cast<std::size_t>(std::max(rowCount, 0)));
  for (ResultRow& row : block.results)
    if (!(in >> row.depth >> row.deflection >> row.moment >> row.shear >> row.reaction)) return block;
  block.complete = true;
  return block;
}

// ---------------------------------------------------------------------------------------
// Report: the results table of the last block.
// ---------------------------------------------------------------------------------------

struct ReportRow {
  int station = 0;
  double depth = 0.0;
  double deflection = 0.0;
  double slope = 0.0;
  double moment = 0.0;
  double shear = 0.0;
  double reaction = 0.0;
  double flexuralRigidity = 0.0;
};

inline std::vector<ReportRow> reportResults(const std::string& report) {
  const std::vector<std::string> lines = splitLines(report);
  std::size_t start = lines.size();
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i].rfind("   ------    ----", 0) == 0) start = i + 1;
  std::vector<ReportRow> rows;
  for (std::size_t i = start; i < lines.size(); ++i) {
    std::istringstream words(lines[i]);
    ReportRow row;
    std::string rest;
    if (!(words >> row.station >> row.depth >> row.deflection >> row.slope >> row.moment >> row.shear >> row.reaction >>
          row.flexuralRigidity) ||
        (words >> rest))
      break;
    rows.push_back(row);
  }
  return rows;
}

// ---------------------------------------------------------------------------------------
// Report: the p-y blocks of the generated curves.
// ---------------------------------------------------------------------------------------

// A number of a report field, in E, D or F form.
inline bool parseNumber(std::string token, double& value) {
  std::replace(token.begin(), token.end(), 'D', 'E');
  value = korvex::testing::parseNumber(token);
  return !std::isnan(value);
}

inline std::vector<std::string> splitWords(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> all;
  for (std::string word; in >> word;) all.push_back(word);
  return all;
}

// One branch of one generated curve as the report prints it: the face, the numbers of its
// value line (the first being the depth) and its 17 rows (y, p).
struct PrintedBranch {
  bool excavation = true;
  std::vector<double> values;
  std::vector<std::pair<double, double>> rows;
};

inline std::vector<PrintedBranch> printedBranches(const std::string& report) {
  std::vector<PrintedBranch> branches;
  const std::vector<std::string> lines = splitLines(report);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const bool excavation = line.find("AT THE EXCAVATION SIDE") != std::string::npos ||
                            line.find("DEPTH-EXCAVATION SIDE") != std::string::npos;
    const bool backfill =
        line.find("AT THE BACKFILL SIDE") != std::string::npos || line.find("DEPTH-BACKFILL SIDE") != std::string::npos;
    if (!excavation && !backfill) continue;
    PrintedBranch branch;
    branch.excavation = excavation;
    std::size_t j = i + 1;
    for (; j < lines.size() && branch.rows.size() < 17; ++j) {
      const std::vector<std::string> all = splitWords(lines[j]);
      std::vector<double> numbers;
      for (const std::string& word : all) {
        double value = 0.0;
        if (!parseNumber(word, value)) break;
        numbers.push_back(value);
      }
      if (numbers.empty() || numbers.size() != all.size()) continue;
      if (branch.values.empty()) {
        branch.values = numbers;
      } else if (numbers.size() == 2) {
        branch.rows.emplace_back(numbers[0], numbers[1]);
      }
    }
    i = j - 1;
    branches.push_back(branch);
  }
  return branches;
}

// The branch printed for the curve at depth `depth` (the first value of its value line) on
// the given face; fails the test when there is none.
inline PrintedBranch branchAt(const std::vector<PrintedBranch>& branches, bool excavation, double depth) {
  for (const PrintedBranch& branch : branches)
    if (branch.excavation == excavation && !branch.values.empty() && std::abs(branch.values[0] - depth) < 1.0e-6 &&
        branch.rows.size() == 17)
      return branch;
  ADD_FAILURE() << "no " << (excavation ? "excavation" : "backfill") << " branch printed at depth " << depth;
  return PrintedBranch{};
}

}  // namespace korvex::validation
