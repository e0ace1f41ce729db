#include "app/program_data.h"

#include "entry/unit_codes.h"

namespace korvex {

namespace {

// Factors of a change of unit system: English -> SI and SI -> English. The two are not
// reciprocal (0.0254 x 39.3701 = 1.00000054), so a round trip drifts by that product.
struct ScalarFactors {
  long double length = 1;
  long double force = 1;
};

ScalarFactors scalarFactors(int from, int to) {
  if (from == kEnglishUnits && to == kSIUnits) return {0.0254L, 1.0L / 224.8089L};
  if (from == kSIUnits && to == kEnglishUnits) return {39.3701L, 224.8089L};
  return {};
}

}  // namespace

TProgramData TProgramData::CreateNew(ProjectTables& tables) {
  TProgramData data;
  data.SetUnits(kEnglishUnits, tables);
  // The tables belong to the main window and outlive projects: a new project starts them empty.
  tables.EmptyAll();
  tables.ApplyMinRows();
  data.SetModified(false, tables);
  return data;
}

void TProgramData::SetUnits(int system, ProjectTables& tables) {
  system = clampUnitSystem(system);
  const ScalarFactors f = scalarFactors(UnitSystem, system);
  const long double pressure = f.force / (f.length * f.length);
  for (long double* length : {&IncrementLength, &MaxDeflection, &ClosureTolerance, &FreeHeight, &ActiveWidth, &PYWidth,
                              &WaterDepthBackfill, &WaterDepthExcavation, &Legacy.LegacyDistance,
                              &Legacy.LegacyStripWidth}) {
    *length *= f.length;
  }
  TopSurcharge *= pressure;
  Legacy.LegacyStripLoad *= pressure;
  Legacy.LegacyPointLoad *= f.force;
  Legacy.LegacyLineLoad *= f.force / f.length;

  UnitSystem = system;
  tables.SetUnits(system);

  // The surcharge magnitude's unit follows the row's load type, so the table leaves it alone.
  TGridTable& surcharges = tables.SurchargeTable;
  for (int row = 0; row < surcharges.RowCount(); ++row) {
    long double factor = 1;
    switch (surcharges.GetInt(0, row)) {
      case kPointLoad: factor = f.force; break;
      case kLineLoad: factor = f.force / f.length; break;
      case kStripLoad: factor = pressure; break;
      default: break;
    }
    if (factor != 1) surcharges.Column(1).SetFloat(row, surcharges.Column(1).GetFloat(row) * factor);
  }
}

void TProgramData::DeriveModes(const ProjectTables& tables) { DeriveModes(tables, EarthPressureChoice); }

void TProgramData::DeriveModes(const ProjectTables& tables, int choice) {
  if (!UserEarthPressure) {
    EarthPressureMode = choice;
    if (GeneratePYCurves == 0) EarthPressureMode = 0;
  } else {
    EarthPressureMode = kUserPressure;
    SoilEarthPressure = false;
  }
  if (!UserEarthPressure && SoilEarthPressure) EarthPressureMode = choice;

  PYCurveMode = GeneratePYCurves == 1 ? 2 : (ApplyExternalPY ? 1 : 0);
  EICurveCount = ApplyEICurves ? tables.MEICurves2.RowCount() : 0;
  TiebackCount = ApplyTieback ? tables.TiebackTable1.RowCount() : 0;
}

void TProgramData::SetModified(bool modified, ProjectTables& tables) {
  m_modified = modified;
  if (!modified) tables.ResetChanged();
}

}  // namespace korvex
