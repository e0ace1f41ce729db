// The project: identity, the values of the data windows, the option switches, the stage
// counters and the mode numbers the data file carries. The cells of the input tables are not
// copied here; they live in the main window's tables (ProjectTables).
//
// Float fields are held in the project's unit system (UnitSystem): English lb and in (FreeHeight,
// the water depths in inches, TopSurcharge in lb/in^2), SI kN and m, or symbolic F and L.
#pragma once

#include <string>

#include "app/project_tables.h"

namespace korvex {

// The single surcharge of the oldest files: read and written, edited nowhere.
struct TLegacySurcharge {
  long double LegacyDistance = 0;    // L1
  long double LegacyPointLoad = 0;   // F
  long double LegacyLineLoad = 0;    // F/L
  long double LegacyStripLoad = 0;   // F/L^2
  long double LegacyStripWidth = 0;  // L1
};

// Earth-pressure choices of the Options menu.
enum EarthPressureChoiceValue { kUserPressure = 1, kTriangularPressure = 2, kTrapezoidalPressure = 3 };

inline constexpr const char* kNewProjectFileName = "NewWall.kx5d";
inline constexpr int kLongTermContinuation = 9;
// A project holds one stage (no staging) up to this many construction stages.
inline constexpr int kMostStages = 5;

class TProgramData {
 public:
  // A new project: the defaults below in English units. Use CreateNew to also reset the tables.
  TProgramData() = default;
  // A new project: defaults, English units applied to the tables, every table emptied and
  // given its MinRows rows, the state unmodified.
  static TProgramData CreateNew(ProjectTables& tables);

  // --- identity and files ---
  int UnitSystem = 1;  // 1 English, 2 SI, 3 other (F, L)
  std::string FileName = kNewProjectFileName;
  std::string StageFileName;
  std::string SaveName;
  std::string PreviousFileName;
  std::string Title = "New Wall";

  // --- analysis control ---
  int NumIncrements = 0;
  long double IncrementLength = 0;    // L
  long double MaxDeflection = 100;    // L
  long double ClosureTolerance = 1E-5L;  // L
  long double FreeHeight = 0;         // L (inches in English)

  // --- wall configuration ---
  long double ActiveWidth = 0;            // L
  long double PYWidth = 0;                // L
  long double WaterDepthBackfill = 0;     // L
  long double WaterDepthExcavation = 0;   // L
  long double ActiveFactor = 1;           // dimensionless
  long double BackfillSlope = 0;          // degrees
  long double TopSurcharge = 0;           // F/L^2
  int WaterPressureOption = 1;
  TLegacySurcharge Legacy;

  // --- option switches ---
  int EarthPressureChoice = kTriangularPressure;
  bool UserEarthPressure = false;
  bool SoilEarthPressure = false;
  int GeneratePYCurves = 1;  // 0 or 1
  bool ApplyExternalPY = false;
  bool ApplyEICurves = false;
  bool ApplyPYMod = false;
  bool ApplyConcLoads = false;
  bool ApplySprings = false;
  bool ApplyTieback = false;
  bool ApplySurcharge = false;
  bool ApplyRestraints = false;
  bool LongTerm = false;
  int LongTermCode = 0;

  // --- stages ---
  int StageCount = 1;    // 1 to kMostStages; 1 is no staging
  int CurrentStage = 1;  // the stage the tables hold
  bool HasEICount = true;
  bool HasTiebackCount = true;

  // --- mode numbers of the data file ---
  int EarthPressureMode = 0;  // 0 none, 1 user, 2 triangular, 3 trapezoidal
  int PYCurveMode = 0;        // 0 none, 1 external only, 2 generated
  int EICurveCount = 0;
  int TiebackCount = 0;

  // Changes the unit system to `system` (brought into 1..3) and converts the scalars, every
  // table and the surcharge magnitudes by load type. Only English <-> SI converts, with the
  // length factors 0.0254 and 39.3701 and the force factors 1/224.8089 and 224.8089, so a
  // round trip drifts by 0.0254 x 39.3701.
  void SetUnits(int system, ProjectTables& tables);

  // Before a write: derives the mode numbers from the switches and the tables. `choice` is
  // EarthPressureChoice, or 2 in place of 3 for a long-term block. Tables whose switch is off
  // keep their rows; the writer writes them as empty.
  void DeriveModes(const ProjectTables& tables);
  void DeriveModes(const ProjectTables& tables, int choice);

  // The modified state: the flag, or any table changed.
  bool IsModified(const ProjectTables& tables) const { return m_modified || tables.IsChanged(); }
  // true sets only the flag; false clears it and every table's changes.
  void SetModified(bool modified, ProjectTables& tables);

 private:
  bool m_modified = false;
};

}  // namespace korvex
