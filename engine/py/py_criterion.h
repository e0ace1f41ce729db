// The interface between the p-y curve generator and the soil criteria (clays, sand and silt,
// rock). The generator evaluates the soil properties of a curve once, on the excavation
// branch; a criterion turns them into one branch of 17 points with the values its block of
// the report echoes (report/py_curves_report.h writes the block), and supplies what the
// generator needs for the equivalent depths of layered profiles.
#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>
#include <span>

#include "input/check_result.h"
#include "input/unit_system.h"
#include "py/soil_type.h"

namespace korvex {

inline constexpr int kBranchPoints = 17;

// The two faces of the wall: branch 1 is the excavation face, branch 2 the backfill face.
enum class Face { Excavation = 1, Backfill = 2 };

// Soil properties at a curve, evaluated once at its X (depth below the excavation level).
struct CurveProperties {
  double strength = 0.0;         // value 2 at X: undrained strength c, or qu for rock
  double averageStrength = 0.0;  // (value 2 at the layer top + value 2 at X) / 2
  double phi = 0.0;              // value 3 at X, radians (converted with 3.1416 / 180)
  double eps50 = 0.0;            // value 4 at X: e50 for soils, krm for weak rock
  double value6 = 0.0;           // value 6 at X: optional K for soils, RQD for weak rock
  double unitWeight = 0.0;       // average effective unit weight from the excavation level to X
  double k = 0.0;                // value 5 of the layer's top row: k, or Er for weak rock
};

// Where one branch of a curve lies.
struct BranchSite {
  Face face = Face::Excavation;
  UnitSystem unitSystem = UnitSystem::English;
  double x = 0.0;                  // X of the curve, below the excavation level
  double layerTop = 0.0;           // X top of the curve's profile layer
  double layerBottom = 0.0;        // X bottom of the curve's profile layer
  double freeHeight = 0.0;         // H
  double z = 0.0;                  // depth in the resistance formulas: H on branch 2, equivalent depth below the first layer
  double z0 = 0.0;                 // X on branch 1, H + X on branch 2
  double width = 0.0;              // b = Wp
  double ratio = 1.0;              // Wa / Wp; the continuous-wall rule applies below 1.1
  double excavationStress = 0.0;   // effective overburden at the excavation level; 0 without generated pressure
  double pMultiplier = 1.0;        // pm at the curve's absolute depth H + X
  double yMultiplier = 1.0;        // ym at the curve's absolute depth H + X
  bool firstCurveOfLayer = false;  // the first curve of its profile layer

  double absoluteDepth() const { return freeHeight + x; }
  bool continuousWall() const { return ratio < double(1.1f); }
};

// One branch as written: deflections y' and resistances p' (multipliers and active shift
// applied), and the branch-1 quantities the layer's resistance accumulator takes.
struct BranchCurve {
  std::array<double, kBranchPoints> y{};
  std::array<double, kBranchPoints> p{};
  // The accumulator gains 0.5 (ultimate + ultimate of the previous curve) x factor x dX from a
  // layer's second curve on, and with `addsTail` also (X bottom - X) x ultimate at its last.
  double ultimate = 0.0;
  double accumulatorFactor = 1.0;
  bool addsTail = false;
};

// What the report's block of a branch shows besides its points.
struct BranchEcho {
  static constexpr std::size_t kMaxValues = 8;

  SoilType criterion = SoilType::SoftClay;  // whose block layout
  Face face = Face::Excavation;
  std::array<double, kMaxValues> values{};  // the numbers of the block's heading, left to right,
  std::size_t valueCount = 0;               // as many as the layout shows
  double pMultiplier = 1.0;
  double yMultiplier = 1.0;
  double initialModulus = 0.0;  // clays: the secant modulus used at a deflection below kSmallDeflection

  std::span<const double> shownValues() const { return std::span(values).first(valueCount); }
};

// One branch of a curve as a criterion makes it.
struct Branch {
  BranchCurve curve;
  BranchEcho echo;
};

// A branch, or the check of the data that stopped the criterion before it made one.
struct BranchResult {
  Branch branch;
  CheckResult check;
};

// The deflection below which the report warns that the solution uses the initial secant
// modulus (clays).
inline constexpr double kSmallDeflection = double(1.0E-14f);

class PYCriterion {
 public:
  virtual ~PYCriterion() = default;

  // Generates one branch of a curve. A failed check (data the criterion cannot make a
  // curve of) comes back in the result's check, without a branch.
  virtual BranchResult branch(const CurveProperties& properties, const BranchSite& site) const = 0;

  // The equivalent depth of a layer below the first: the depth at which the integral of this
  // layer's ultimate resistance from depth 0 reaches `target`, with the properties and site
  // (branch 1) of the layer's first curve. Criteria without equivalent depth return 0.
  virtual double equivalentDepth(double target, const CurveProperties& properties, const BranchSite& site) const = 0;
};

}  // namespace korvex
