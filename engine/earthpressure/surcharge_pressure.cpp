#include "earthpressure/surcharge_pressure.h"

#include <cmath>

namespace korvex {

namespace {

constexpr double kPi = 3.1416;
constexpr double kNearWallLimit = double(0.4f);  // m = X / H up to which the near forms apply
constexpr double kNearSquare = double(0.16f);
constexpr double kPointNear = double(0.28f);
constexpr double kPointFar = double(1.77f);
constexpr double kLineNear = double(0.203f);
constexpr double kSkipMagnitude = 1.0E-4;

enum SurchargeType { kLineLoad = 2, kStripLoad = 3 };

double pointLoadPressure(double load, double x, double freeHeight, double z) {
  if (!(freeHeight > 0.0)) {
    const double r2 = x * x + z * z;
    return kPointFar * load * x * x * z * z / (r2 * r2 * r2);
  }
  const double m = x / freeHeight;
  const double n = z / freeHeight;
  const double h2 = freeHeight * freeHeight;
  if (m <= kNearWallLimit) {
    const double d = kNearSquare + n * n;
    return kPointNear * load * n * n / (h2 * (d * d * d));
  }
  const double d = m * m + n * n;
  return kPointFar * load * m * m * n * n / (h2 * (d * d * d));
}

double lineLoadPressure(double load, double x, double freeHeight, double z, SurchargeForm form) {
  if (!(freeHeight > 0.0)) {
    const double r2 = x * x + z * z;
    const double farTerm = load * x * x * z / (r2 * r2);
    return form == SurchargeForm::Grid ? 4.0 * farTerm / kPi : 1.273 * farTerm;
  }
  const double m = x / freeHeight;
  const double n = z / freeHeight;
  if (m <= kNearWallLimit) {
    const double d = kNearSquare + n * n;
    return kLineNear * load * n / (freeHeight * (d * d));
  }
  const double d = m * m + n * n;
  if (form == SurchargeForm::Grid) return 4.0 * load * m * m * n / (kPi * freeHeight * (d * d));
  return 1.273 * load * m * m * n / (freeHeight * (d * d));
}

double stripLoadPressure(double load, double x, double width, double z, SurchargeForm form) {
  const double theta1 = std::atan((x - width / 2.0) / z);
  const double theta2 = std::atan((x + width / 2.0) / z);
  const double beta = theta2 - theta1;
  const double shape = beta - std::sin(beta) * std::cos(theta1 + theta2);
  if (form == SurchargeForm::Grid) return 2.0 * load * shape / kPi;
  return 0.6366 * load * shape;
}

}  // namespace

double surchargePressure(const Surcharge& load, double freeHeight, double z, SurchargeForm form) {
  if (!(z > 0.0)) return 0.0;
  switch (load.type) {
    case kLineLoad:
      return lineLoadPressure(load.magnitude, load.distance, freeHeight, z, form);
    case kStripLoad:
      return stripLoadPressure(load.magnitude, load.distance, load.width, z, form);
    default:
      return pointLoadPressure(load.magnitude, load.distance, freeHeight, z);
  }
}

double directSurchargePressure(std::span<const Surcharge> loads, double freeHeight, double z) {
  double sum = 0.0;
  for (const Surcharge& load : loads) {
    if (load.magnitude <= kSkipMagnitude) continue;
    sum += surchargePressure(load, freeHeight, z, SurchargeForm::Direct);
  }
  return sum;
}

SurchargeGrid::SurchargeGrid(std::span<const Surcharge> loads, double freeHeight, double wallLength)
    : m_spacing(wallLength / kGridDepths), m_empty(loads.empty()) {
  for (int j = 1; j <= kGridDepths; ++j) {
    const double depth = static_cast<double>(j) * m_spacing;
    double sum = 0.0;
    for (const Surcharge& load : loads) sum += surchargePressure(load, freeHeight, depth, SurchargeForm::Grid);
    m_sum[static_cast<std::size_t>(j)] = sum;
  }
}

double SurchargeGrid::at(double z) const {
  if (m_empty || !(m_spacing > 0.0) || !(z > m_spacing)) return 0.0;
  // The deepest grid depth strictly above z, found from an estimate and checked exactly.
  const double estimate = std::floor(z / m_spacing);
  int j = estimate >= kGridDepths ? kGridDepths : static_cast<int>(estimate);
  while (j >= 1 && !(static_cast<double>(j) * m_spacing < z)) --j;
  while (j < kGridDepths && static_cast<double>(j + 1) * m_spacing < z) ++j;
  return j >= 1 ? m_sum[static_cast<std::size_t>(j)] : 0.0;
}

}  // namespace korvex
