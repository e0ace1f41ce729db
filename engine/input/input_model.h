// The records of one analysis block of the input data file, in reading order.
//
// Units follow the block's unit system: English pounds and inches (tieback depths, unbonded
// lengths and spacings in feet), SI kilonewtons and metres (surcharge distances and widths
// are written in millimetres and held in metres). Stations are integers; station j lies at depth j x IncrementLength.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "input/data_reader.h"
#include "input/unit_system.h"

namespace korvex {

// Capacities of the engine per block.
inline constexpr int kMaxIncrements = 407;
inline constexpr int kMaxRestraints = 20;
inline constexpr int kMaxLoadRecords = 50;
inline constexpr int kMaxTiebacks = 20;
inline constexpr int kMaxPYModifications = 50;
inline constexpr int kMaxPressurePoints = 2000;
inline constexpr int kMaxSurcharges = 20;
inline constexpr int kMaxSoilLayers = 20;
inline constexpr int kMaxCurves = 63;
inline constexpr int kMaxCurvePoints = 34;
inline constexpr int kMaxEICurves = 20;
inline constexpr int kMaxEICurvePoints = 100;

// Group 2: the control line.
struct ControlLine {
  int unitSystemCode = 0;     // 1 English, 2 SI (any other code ends the run)
  int restraintCount = 0;     // group 4 records
  int sectionCount = 0;       // group 5 records
  int pyModCount = 0;         // group 8 records
  int earthPressureMode = 0;  // 0 none, 1 specified (group 9), >= 2 generated (group 10)
  int pyCurveMode = 0;        // 0 none, 1 user curves only, 2 generated plus user curves
  int userPYCount = 0;        // group 11 curves
  int stageCount = 0;         // 0 or 1 unstaged, 2 to 5 staged
  int eiCurveCount = 0;       // group 12 curves
  int tiebackCount = 0;       // group 7b records

  bool generatesEarthPressure() const { return earthPressureMode >= 2; }
  bool generatesCurves() const { return pyCurveMode == 2; }
  // Group 10 is present when pressure or curves are generated.
  bool hasSoilData() const { return generatesEarthPressure() || generatesCurves(); }
};

// Group 3: the wall line.
struct WallLine {
  int numIncrements = 0;
  double incrementLength = 0.0;   // h (in / m)
  double maxDeflection = 0.0;     // (in / m)
  double closureTolerance = 0.0;  // (in / m)
  double freeHeight = 0.0;        // H, depth of the excavation level (in / m)
  double activeWidth = 0.0;       // Wa (in / m)
};

// Group 4: a specified deflection and/or slope.
struct Restraint {
  int caseCode = 0;  // 1 deflection, 2 slope, 3 both (clamped to 1..3 when read)
  int station = 0;
  double deflection = 0.0;  // (in / m)
  double slope = 0.0;       // (radians)
};

// Group 5: wall stiffness.
struct StiffnessRecord {
  int from = 0;
  int to = 0;
  int contd = 0;    // 1 constant, 2 interpolate to the next record
  double ei = 0.0;  // (lb-in^2 / kN-m^2)
};

// Group 6: a load record (CONTD first).
struct LoadRecord {
  int contd = 0;
  int from = 0;
  int to = 0;
  double lateralLoad = 0.0;  // Q (lb / kN per station)
  double moment = 0.0;       // T (lb-in / kN-m)
  double axialLoad = 0.0;    // (lb / kN); the P table holds its negative
};

// Group 7a: a lateral and rotational spring record.
struct SpringRecord {
  int from = 0;
  int to = 0;
  int contd = 0;
  double lateralStiffness = 0.0;     // S (lb/in / kN/m per station)
  double rotationalStiffness = 0.0;  // R (lb-in/rad / kN-m/rad)
};

// Group 7b: a tieback.
struct TiebackRecord {
  double depth = 0.0;           // anchor head below the top (ft / m)
  double area = 0.0;            // tendon cross-section (in^2 / m^2)
  double modulus = 0.0;         // tendon modulus (psi / kN/m^2)
  double unbondedLength = 0.0;  // (ft / m)
  double angle = 0.0;           // below horizontal (degrees)
  double spacing = 0.0;         // horizontal spacing (ft / m)
  double prestress = 0.0;       // per tieback (lb / kN)
};

// Group 8: a p-y modification factor.
struct PYModification {
  double depth = 0.0;
  double pMultiplier = 0.0;
  double yMultiplier = 0.0;
};

// Group 9: a specified earth-pressure point.
struct PressurePoint {
  double depth = 0.0;  // (in / m)
  double load = 0.0;   // distributed load on the wall (lb/in / kN/m)
};

// Group 10a: the soil data line.
struct SoilDataLine {
  double freeHeight = 0.0;
  double activeWidth = 0.0;           // Wa
  double passiveWidth = 0.0;          // Wp
  double waterDepthBackfill = 0.0;
  double waterDepthExcavation = 0.0;
  double activeFactor = 0.0;          // modification factor for active pressure
  int waterOption = 0;                // 1 include water pressure
  double backfillSlope = 0.0;         // (degrees)
};

// Group 10b: uniform surface pressure and the legacy single surcharge.
struct SurfaceLoadLine {
  double uniformPressure = 0.0;
  double legacyDistance = 0.0;
  double legacyPointLoad = 0.0;
  double legacyLineLoad = 0.0;
  double legacyStripLoad = 0.0;
  double legacyStripWidth = 0.0;
};

// Group 10c: a surcharge.
struct Surcharge {
  int type = 0;  // 1 point, 2 line, 3 strip
  double magnitude = 0.0;
  double distance = 0.0;  // from the wall (in / m; SI files hold millimetres, converted when read)
  double width = 0.0;     // strip width (in / m, as the distance)
};

// Group 10d: a soil layer with its values at top and bottom.
struct SoilLayer {
  int soilType = 0;  // 1 soft clay .. 7 weak rock
  double bottomDepth = 0.0;
  std::array<double, 6> top{};
  std::array<double, 6> bottom{};
};

// Group 11: a user-specified p-y curve as read (multipliers not yet applied).
struct CurvePoint {
  double y = 0.0;
  double p = 0.0;
};
struct UserCurve {
  int station = 0;
  int pointCount = 0;
  double pMultiplier = 0.0;
  double yMultiplier = 0.0;
  std::vector<CurvePoint> points;
};

// Group 12: a moment-EI curve.
struct MomentEIPoint {
  double moment = 0.0;
  double ei = 0.0;
};
struct MomentEICurve {
  int from = 0;
  int to = 0;
  int pointCount = 0;
  std::vector<MomentEIPoint> points;
};

// Everything one block holds, filled in reading order.
struct BlockInput {
  std::string title;  // 70 characters
  ControlLine control;
  UnitSystem unitSystem = UnitSystem::English;  // of the control line's code, once checked
  WallLine wall;
  std::vector<Restraint> restraints;
  std::vector<StiffnessRecord> stiffness;
  std::vector<LoadRecord> loads;
  std::vector<SpringRecord> springs;
  std::vector<TiebackRecord> tiebacks;
  std::vector<PYModification> pyModifications;
  std::vector<PressurePoint> pressurePoints;
  SoilDataLine soilData;
  SurfaceLoadLine surfaceLoads;
  std::vector<Surcharge> surcharges;
  std::vector<SoilLayer> layers;
  std::vector<UserCurve> userCurves;
  std::vector<MomentEICurve> eiCurves;
  int continuation = 0;
};

}  // namespace korvex
