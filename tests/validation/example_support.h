// Helpers of the example checks: reading the results tables of a report, and the hand
// calculations of conventional retaining-wall design (Rankine earth pressure, free-earth and
// Blum analyses, the hinge method, elastic piles and beams on elastic foundation) that the
// engine's results are compared with. The hand calculations know nothing of the engine: they
// use the textbook formulas only, so that a fault in the engine cannot hide in them.
//
// Units follow the example: pounds and inches, or kilonewtons and metres. Depths are measured
// down from the top of the wall; a force or pressure pushing the wall towards the excavation is
// positive, a tieback pulling it back is negative; a bending moment is positive where the
// loads above bend the wall as a cantilever pushed towards the excavation (the engine's sign).
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "test_support.h"

namespace korvex::example_checks {

// ---------------------------------------------------------------------------------------------
// Results tables of the report
// ---------------------------------------------------------------------------------------------

// One row of a block's results table: STA, X, DEFL., SLOPE, MOMENT, SHEAR, NET REACT/STA, EI.
struct StationResult {
  int station = 0;
  double depth = 0.0;
  double deflection = 0.0;
  double slope = 0.0;
  double moment = 0.0;
  double shear = 0.0;
  double netReaction = 0.0;
  double stiffness = 0.0;
};

// One row of the tieback results: N, STA, X, HOR.FORCE/STA., FORCE/STA., FORCE/TIE BACK.
struct TiebackResult {
  int number = 0;
  int station = 0;
  double depth = 0.0;
  double horizontalForcePerStation = 0.0;
  double forcePerStation = 0.0;
  double forcePerTieback = 0.0;
};

// The results of one analysis block as the report prints them.
struct BlockResult {
  int iteration = 0;
  bool offCurves = false;           // "DEFLECTION OFF Q - W CURVES"
  bool deflectionExceeded = false;  // "MAX ALLOWABLE DEFLECTION EXCEEDED"
  bool notClosed = false;           // "SOLUTION NOT CLOSED"
  std::vector<StationResult> stations;
  std::vector<TiebackResult> tiebacks;

  // The row of the station whose depth is nearest to `depth`.
  const StationResult& at(double depth) const {
    const StationResult* best = &stations.front();
    for (const StationResult& row : stations)
      if (std::abs(row.depth - depth) < std::abs(best->depth - depth)) best = &row;
    return *best;
  }
  // The row with the largest bending moment in magnitude.
  const StationResult& peakMoment() const {
    const StationResult* best = &stations.front();
    for (const StationResult& row : stations)
      if (std::abs(row.moment) > std::abs(best->moment)) best = &row;
    return *best;
  }
  // Shear just above station `row` (between it and the station above): the printed shear at the
  // station is the mean of the shears on its two sides, so half the station's net reaction is
  // taken off. It is the sum of all loads above the station.
  double shearJustAbove(const StationResult& row) const { return row.shear - row.netReaction / 2.0; }
};

// A real printed in E or D notation; a three-digit exponent may have lost its letter (0.123-100).
inline double parseReportReal(const std::string& field) {
  std::string text = field;
  for (char& c : text)
    if (c == 'D' || c == 'd') c = 'E';
  if (text.find('E') == std::string::npos) {
    const std::size_t sign = text.find_last_of("+-");
    if (sign != std::string::npos && sign > 0) text.insert(sign, "E");
  }
  const double value = korvex::testing::parseNumber(text);
  if (std::isnan(value)) throw std::runtime_error("not a number in the report: " + field);
  return value;
}

inline std::vector<std::string> words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> result;
  for (std::string word; in >> word;) result.push_back(word);
  return result;
}

inline bool isInteger(const std::string& word) {
  if (word.empty()) return false;
  std::size_t start = (word[0] == '-') ? 1 : 0;
  if (start == word.size()) return false;
  for (std::size_t i = start; i < word.size(); ++i)
    if (word[i] < '0' || word[i] > '9') return false;
  return true;
}

// Every block's results table and tieback table, in the order of the report.
inline std::vector<BlockResult> parseResultBlocks(const std::string& report) {
  std::vector<std::string> lines;
  {
    std::istringstream in(report);
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
  }
  std::vector<BlockResult> blocks;
  enum class Reading { Nothing, Heading, Stations, Tiebacks } reading = Reading::Nothing;
  for (const std::string& line : lines) {
    const std::size_t resultsAt = line.find("RESULTS -- ITERATION");
    if (resultsAt != std::string::npos) {
      blocks.emplace_back();
      blocks.back().iteration = std::atoi(line.c_str() + resultsAt + 20);
      reading = Reading::Heading;
      continue;
    }
    if (blocks.empty()) continue;
    BlockResult& block = blocks.back();
    if (line.find("TIE BACK RESULTS") != std::string::npos) {
      reading = Reading::Tiebacks;
      continue;
    }
    if (line.find("END OF ANALYSIS") != std::string::npos) {
      reading = Reading::Nothing;
      continue;
    }
    const std::vector<std::string> fields = words(line);
    switch (reading) {
      case Reading::Nothing:
        break;
      case Reading::Heading:
        if (line.find("DEFLECTION OFF Q - W CURVES") != std::string::npos) block.offCurves = true;
        if (line.find("MAX ALLOWABLE DEFLECTION EXCEEDED") != std::string::npos) block.deflectionExceeded = true;
        if (line.find("SOLUTION NOT CLOSED") != std::string::npos) block.notClosed = true;
        if (fields.size() == 8 && fields[0] == "0")
          reading = Reading::Stations;
        else
          break;
        [[fallthrough]];
      case Reading::Stations:
        if (fields.size() == 8 && isInteger(fields[0]) &&
            std::atoi(fields[0].c_str()) == static_cast<int>(block.stations.size())) {
          StationResult row;
          row.station = std::atoi(fields[0].c_str());
          row.depth = parseReportReal(fields[1]);
          row.deflection = parseReportReal(fields[2]);
          row.slope = parseReportReal(fields[3]);
          row.moment = parseReportReal(fields[4]);
          row.shear = parseReportReal(fields[5]);
          row.netReaction = parseReportReal(fields[6]);
          row.stiffness = parseReportReal(fields[7]);
          block.stations.push_back(row);
        } else {
          reading = Reading::Nothing;
        }
        break;
      case Reading::Tiebacks:
        if (fields.size() == 6 && isInteger(fields[0]) && isInteger(fields[1])) {
          TiebackResult tie;
          tie.number = std::atoi(fields[0].c_str());
          tie.station = std::atoi(fields[1].c_str());
          tie.depth = parseReportReal(fields[2]);
          tie.horizontalForcePerStation = parseReportReal(fields[3]);
          tie.forcePerStation = parseReportReal(fields[4]);
          tie.forcePerTieback = parseReportReal(fields[5]);
          block.tiebacks.push_back(tie);
        }
        break;
    }
  }
  return blocks;
}

// ---------------------------------------------------------------------------------------------
// Earth pressure by Rankine's theory
// ---------------------------------------------------------------------------------------------

inline constexpr double kPi = 3.14159265358979323846;

inline double radians(double degrees) { return degrees * kPi / 180.0; }

// Rankine's coefficients for a smooth vertical wall and a level ground surface.
inline double rankineActive(double frictionDeg) {
  const double t = std::tan(radians(45.0 - frictionDeg / 2.0));
  return t * t;
}
inline double rankinePassive(double frictionDeg) {
  const double t = std::tan(radians(45.0 + frictionDeg / 2.0));
  return t * t;
}

// One soil layer: depth of its bottom below the top of the wall, total unit weight, cohesion
// (undrained strength for a clay analysed in total stress) and friction angle in degrees.
struct SoilLayer {
  double bottom = 0.0;
  double unitWeight = 0.0;
  double cohesion = 0.0;
  double frictionDeg = 0.0;
};

// A level soil profile on both sides of the wall: the layers from the top of the wall down, a
// uniform pressure on the backfill surface and one water table, at the same level on both sides
// (so that the water pressures on the two faces cancel below it).
struct SoilProfile {
  std::vector<SoilLayer> layers;
  double surcharge = 0.0;
  double waterTable = 1.0e30;
  double waterUnitWeight = 0.0;

  // The layer that holds depth z (the lower one at a boundary).
  const SoilLayer& layerAt(double z) const {
    for (const SoilLayer& layer : layers)
      if (z < layer.bottom) return layer;
    return layers.back();
  }

  // Effective vertical stress on the backfill side at depth z, surface pressure included.
  double verticalStress(double z) const {
    double stress = surcharge;
    double top = 0.0;
    for (const SoilLayer& layer : layers) {
      const double bottom = std::min(layer.bottom, z);
      if (bottom > top) stress += layer.unitWeight * (bottom - top);
      top = layer.bottom;
      if (top >= z) break;
    }
    if (z > waterTable) stress -= waterUnitWeight * (z - waterTable);
    return stress;
  }

  // Rankine active pressure of `layer` at depth z: Ka σ'v − 2c√Ka, no tension.
  double activePressureIn(const SoilLayer& layer, double z) const {
    const double ka = rankineActive(layer.frictionDeg);
    return std::max(0.0, ka * verticalStress(z) - 2.0 * layer.cohesion * std::sqrt(ka));
  }
  double activePressure(double z) const { return activePressureIn(layerAt(z), z); }

  // Rankine passive pressure on the excavation face at depth z below the top of the wall, the
  // excavation level being at depth `excavation`: Kp σ'v + 2c√Kp with the weight of the soil
  // below the excavation level only.
  double passivePressure(double excavation, double z) const {
    const SoilLayer& layer = layerAt(z);
    const double kp = rankinePassive(layer.frictionDeg);
    const double stress = verticalStress(z) - verticalStress(excavation);
    return kp * stress + 2.0 * layer.cohesion * std::sqrt(kp);
  }

  // Net pressure on the wall of the conventional (limit-equilibrium) analyses: active above the
  // excavation level, active less passive below it.
  double netPressure(double excavation, double z) const {
    return z <= excavation ? activePressure(z) : activePressure(z) - passivePressure(excavation, z);
  }
};

// ---------------------------------------------------------------------------------------------
// Statics of a wall free at its top
// ---------------------------------------------------------------------------------------------

// A concentrated horizontal force on the wall (a tieback: negative, it pulls the wall back).
struct PointForce {
  double depth = 0.0;
  double force = 0.0;
};

struct Statics {
  double shear = 0.0;   // resultant of all loads above the depth
  double moment = 0.0;  // their moment about the depth
};

// Shear and moment at depth `z` of a wall loaded by the distributed load `load` (force per unit
// length of wall height, the width already applied) and the point forces, by the midpoint rule
// with `steps` steps. Exact for linear loads, within (step)² elsewhere; a jump in the load costs
// at most one step's share.
inline Statics staticsAt(const std::function<double(double)>& load, const std::vector<PointForce>& forces, double z,
                         int steps = 20000) {
  Statics result;
  if (z <= 0.0) return result;
  const double dz = z / steps;
  for (int k = 0; k < steps; ++k) {
    const double mid = (k + 0.5) * dz;
    const double p = load(mid) * dz;
    result.shear += p;
    result.moment += p * (z - mid);
  }
  for (const PointForce& point : forces) {
    if (point.depth < z) {
      result.shear += point.force;
      result.moment += point.force * (z - point.depth);
    }
  }
  return result;
}

// The moment of largest magnitude between depths 0 and `zEnd`, with its depth.
struct MomentPeak {
  double depth = 0.0;
  double moment = 0.0;
};
inline MomentPeak peakMoment(const std::function<double(double)>& load, const std::vector<PointForce>& forces,
                             double zEnd, int steps = 40000) {
  MomentPeak peak;
  double shear = 0.0;
  double moment = 0.0;
  const double dz = zEnd / steps;
  for (int k = 0; k < steps; ++k) {
    const double z0 = k * dz;
    const double z1 = (k + 1) * dz;  // the same expression as the next step's z0: no gap, no overlap
    const double p = load(z0 + dz / 2.0);
    moment += shear * dz + p * dz * dz / 2.0;
    shear += p * dz;
    for (const PointForce& point : forces) {
      if (point.depth > z0 && point.depth <= z1) {
        shear += point.force;
        moment += point.force * (z1 - point.depth);
      }
    }
    if (std::abs(moment) > std::abs(peak.moment)) peak = MomentPeak{z1, moment};
  }
  return peak;
}

// Deflection of the top of the wall relative to the tangent to the wall at depth `H`, caused by
// the bending of the free height under `load` (moment-area theorem: ∫ M(ξ)·ξ dξ / EI).
inline double freeHeightBending(const std::function<double(double)>& load, double H, double EI, int steps = 4000) {
  double sum = 0.0;
  const double dz = H / steps;
  for (int k = 0; k < steps; ++k) {
    const double mid = (k + 0.5) * dz;
    sum += staticsAt(load, {}, mid, 400).moment * mid * dz;
  }
  return sum / EI;
}

// Root of a decreasing-through-zero function between lo and hi by bisection.
inline double bisect(const std::function<double(double)>& f, double lo, double hi) {
  for (int i = 0; i < 100; ++i) {
    const double mid = (lo + hi) / 2.0;
    if (f(mid) > 0.0)
      lo = mid;
    else
      hi = mid;
  }
  return (lo + hi) / 2.0;
}

// ---------------------------------------------------------------------------------------------
// Conventional analyses
// ---------------------------------------------------------------------------------------------

// Active thrust of the free height per unit width and its moment about the excavation level.
struct ActiveThrust {
  double force = 0.0;
  double momentAboutExcavation = 0.0;
};
inline ActiveThrust activeThrust(const SoilProfile& soil, double H) {
  const Statics statics = staticsAt([&](double z) { return soil.activePressure(z); }, {}, H);
  return ActiveThrust{statics.shear, statics.moment};
}

// Cantilever by the conventional method (Blum): below the excavation level the net pressure is
// Rankine passive less active; the maximum moment lies where the shear vanishes.
struct CantileverAnalysis {
  double zeroShearBelowExcavation = 0.0;
  double maxMoment = 0.0;  // per unit width
};
inline CantileverAnalysis conventionalCantilever(const SoilProfile& soil, double H) {
  const auto load = [&](double z) { return soil.netPressure(H, z); };
  const double y = bisect([&](double y) { return staticsAt(load, {}, H + y).shear; }, 0.0, 3.0 * H);
  return CantileverAnalysis{y, staticsAt(load, {}, H + y).moment};
}

// Anchored wall by the free-earth-support method: the toe is free, the passive resistance in front
// of the embedment is fully mobilised (Rankine), and the lowest tieback and the embedment D follow
// from the moment about that tieback and horizontal equilibrium; tiebacks above it carry the
// forces given in `knownTies` (per unit width, pulling back, given as positive numbers).
struct AnchoredAnalysis {
  double embedment = 0.0;
  double lowestTieForce = 0.0;  // per unit width, positive
  MomentPeak peak;              // per unit width
};
inline AnchoredAnalysis freeEarthSupport(const SoilProfile& soil, double H, const std::vector<PointForce>& knownTies,
                                         double lowestTieDepth) {
  const auto load = [&](double z) { return soil.netPressure(H, z); };
  std::vector<PointForce> pulls;
  for (const PointForce& tie : knownTies) pulls.push_back(PointForce{tie.depth, -tie.force});
  // Moment about the lowest tieback of the loads and the known tiebacks down to the toe H + D.
  const auto momentAboutTie = [&](double D) {
    const double toe = H + D;
    const Statics atToe = staticsAt(load, pulls, toe);
    // moment about the tie = moment about the toe − shear × (toe − tie)
    return -(atToe.moment - atToe.shear * (toe - lowestTieDepth));
  };
  AnchoredAnalysis result;
  result.embedment = bisect(momentAboutTie, 0.0, 3.0 * H);
  const double toe = H + result.embedment;
  result.lowestTieForce = staticsAt(load, pulls, toe).shear;
  pulls.push_back(PointForce{lowestTieDepth, -result.lowestTieForce});
  result.peak = peakMoment(load, pulls, toe);
  return result;
}

// Anchored wall by the hinge method: a hinge (zero moment) at every tieback below the first and
// at the excavation level; each part is statically determinate. Returns the tieback forces per
// unit width (positive) and the largest moment above the excavation level.
struct HingeAnalysis {
  std::vector<double> tieForces;
  double excavationReaction = 0.0;
  MomentPeak peak;
};
inline HingeAnalysis hingeMethod(const SoilProfile& soil, double H, const std::vector<double>& tieDepths) {
  const auto load = [&](double z) { return soil.activePressure(z); };
  HingeAnalysis result;
  std::vector<double> supports = tieDepths;
  supports.push_back(H);
  // The part from the top to the second support hangs on the first tieback.
  const Statics upper = staticsAt(load, {}, supports[1]);
  result.tieForces.push_back(upper.moment / (supports[1] - supports[0]));
  double carried = upper.shear - result.tieForces[0];
  // Each lower span is simply supported between its tieback (hinge) and the next hinge.
  for (std::size_t i = 1; i < tieDepths.size(); ++i) {
    const double a = supports[i];
    const double b = supports[i + 1];
    const auto spanLoad = [&](double z) { return z > a ? load(z) : 0.0; };
    const Statics span = staticsAt(spanLoad, {}, b);
    const double top = span.moment / (b - a);
    result.tieForces.push_back(carried + top);
    carried = span.shear - top;
  }
  result.excavationReaction = carried;
  std::vector<PointForce> pulls;
  for (std::size_t i = 0; i < tieDepths.size(); ++i) pulls.push_back(PointForce{tieDepths[i], -result.tieForces[i]});
  // Moments with the tieback forces above: every hinge then carries zero moment.
  result.peak = peakMoment(load, pulls, H);
  return result;
}

// ---------------------------------------------------------------------------------------------
// Elastic solutions
// ---------------------------------------------------------------------------------------------

struct HeadMovement {
  double deflection = 0.0;
  double rotation = 0.0;  // magnitude; the head rotates so that the top moves further out
};

// Long elastic pile in soil whose modulus grows linearly with depth, Es = nh·x, loaded at the
// ground line by a shear and a moment (nondimensional solution for lateral piles, depth
// coefficient zmax ≥ 4): T = (EI/nh)^(1/5), y = 2.435·P·T³/EI + 1.623·M·T²/EI,
// θ = 1.623·P·T²/EI + 1.750·M·T/EI.
inline HeadMovement elasticPileLinearModulus(double EI, double nh, double shear, double moment) {
  const double T = std::pow(EI / nh, 0.2);
  return HeadMovement{(2.435 * shear * T * T * T + 1.623 * moment * T * T) / EI,
                      (1.623 * shear * T * T + 1.750 * moment * T) / EI};
}

// Semi-infinite beam on an elastic foundation of constant modulus k (force per length per unit
// deflection), loaded at its end by a shear P and a moment M acting the same way:
// λ = (k/4EI)^(1/4), y0 = 2λ(P + λM)/k, θ0 = 2λ²(P + 2λM)/k,
// M(x) = e^(−λx)·[(P/λ)·sin λx + M·(cos λx + sin λx)].
struct ElasticFoundationBeam {
  double lambda = 0.0;
  HeadMovement head;
  double maxMoment = 0.0;
};
inline ElasticFoundationBeam semiInfiniteBeam(double EI, double k, double shear, double moment) {
  ElasticFoundationBeam result;
  const double lambda = std::pow(k / (4.0 * EI), 0.25);
  result.lambda = lambda;
  result.head.deflection = 2.0 * lambda * (shear + lambda * moment) / k;
  result.head.rotation = 2.0 * lambda * lambda * (shear + 2.0 * lambda * moment) / k;
  for (int i = 0; i <= 20000; ++i) {
    const double u = 3.0 * i / 20000.0;  // λx from 0 to 3
    const double m = std::exp(-u) * (shear / lambda * std::sin(u) + moment * (std::cos(u) + std::sin(u)));
    result.maxMoment = std::max(result.maxMoment, m);
  }
  return result;
}

}  // namespace korvex::example_checks
