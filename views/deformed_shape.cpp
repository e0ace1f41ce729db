#include "views/deformed_shape.h"

#include <algorithm>
#include <cmath>

#include "graphs/graph_plot.h"

namespace korvex {

namespace {

constexpr double kInchesPerFoot = 12;
constexpr double kFittingShareOfWall = 0.1;
// Guards the leading digit against the last bit of binary fractions (0.3 / 0.1 = 2.9999...).
constexpr double kDigitGuard = 1e-9;

// value x 10^exponent, exact for the small integers this is used with.
double scaled(double value, int exponent) {
  return exponent >= 0 ? value * std::pow(10.0, exponent) : value / std::pow(10.0, -exponent);
}

struct Decimal {
  int digit;     // 1..9
  int exponent;
};

Decimal leadingDigit(double value) {
  int exponent = static_cast<int>(std::floor(std::log10(value) + kDigitGuard));
  int digit = static_cast<int>(std::floor(scaled(value, -exponent) + kDigitGuard));
  if (digit >= 10) {
    digit = 1;
    ++exponent;
  }
  return {std::max(digit, 1), exponent};
}

}  // namespace

DeflectedStations deflectedStationsOf(const TGraphPlot& deflection, bool plotLoaded, const ViewModel& model, int stage) {
  DeflectedStations result;
  if (!plotLoaded || deflection.LineCount() == 0) {
    result.unavailable = kNoResultsLoaded;
    return result;
  }
  const int index = stage >= 1 && stage <= deflection.LineCount() ? stage - 1 : 0;
  const TLine& line = deflection.Line(index);
  result.resultName = deflection.LineName(index);
  const int stations = model.increments + 1;
  const double h = model.incrementLength;
  if (model.increments < 1 || !(h > 0) || static_cast<int>(line.points.size()) < stations) {
    result.unavailable = kResultsOfAnotherWall;
    return result;
  }
  // The graph's depths are in feet or metres, as the model's; its deflections are as the run
  // wrote them, inches in an English run.
  const double toModel = model.english ? 1 / kInchesPerFoot : 1;
  // The run keeps one point past the toe (station N + 1); a line of a shorter run in a
  // staged file repeats its last point. So stations 0..N stand at their depths, and the
  // deepest point of the line at N + 1.
  double deepest = 0;
  for (const TFloatPoint& p : line.points) deepest = std::max(deepest, p.y);
  bool fits = std::abs(deepest - stations * h) <= h / 2;
  for (int j = 0; j < stations && fits; ++j) {
    const TFloatPoint& p = line.points[static_cast<std::size_t>(j)];
    fits = std::abs(p.y - j * h) <= h / 2;
    result.deflection.push_back(p.x * toModel);
  }
  if (!fits) {
    result.unavailable = kResultsOfAnotherWall;
    result.deflection.clear();
  }
  return result;
}

bool deformedShapeOffered(const TGraphPlot& deflection, bool plotLoaded) {
  if (!plotLoaded) return false;
  const auto& lines = deflection.Lines();
  return std::any_of(lines.begin(), lines.end(), [](const TLine& line) { return line.points.size() > 1; });
}

double stepFactor(double factor, bool up) {
  if (!(factor > 0) || !std::isfinite(factor)) return 1;
  const bool belowOne = factor > 0.1 && factor < 1;
  const Decimal m = leadingDigit(belowOne ? factor * 10 : factor);
  double next = 0;
  if (up) {
    next = scaled(m.digit + 1, m.exponent);
  } else {
    next = m.digit > 1 ? scaled(m.digit - 1, m.exponent) : scaled(9, m.exponent - 1);
  }
  return belowOne ? next / 10 : next;
}

double fittingFactor(const std::vector<double>& deflection, double wallLength) {
  double largest = 0;
  for (double value : deflection) largest = std::max(largest, std::abs(value));
  if (!(largest > 0) || !(wallLength > 0)) return 1;
  const Decimal m = leadingDigit(kFittingShareOfWall * wallLength / largest);
  return scaled(m.digit, m.exponent);
}

std::vector<double> magnified(const std::vector<double>& deflection, double factor) {
  std::vector<double> result;
  for (double value : deflection) result.push_back(value * factor);
  return result;
}

}  // namespace korvex
