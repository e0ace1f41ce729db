// The project model: defaults of a new project, the change of unit system with its stated
// factors, the mode numbers derived before a write, and the modified state.
#include "app/program_data.h"

#include <gtest/gtest.h>

#include "app/project_tables.h"
#include "app/project_writer.h"
#include "entry/unit_codes.h"
#include "tables/catalogue.h"

namespace korvex {
namespace {

// The main window's tables, created from the catalogue for each test.
struct Tables {
  Catalogue catalogue = createCatalogue();
  ProjectTables tables{catalogue};
};

// The values a new project starts with before anything is entered, and fresh tables.
TEST(ProgramData, ANewProjectStartsWithTheDefaultsOfANewWall) {
  Tables t;
  t.tables.NewSoil.SetRowCount(5);
  t.tables.PYCurves2.SetRowCount(3);
  t.tables.NewSoil.SetChanged(true);
  const TProgramData d = TProgramData::CreateNew(t.tables);
  EXPECT_EQ(d.UnitSystem, kEnglishUnits);
  EXPECT_EQ(d.FileName, "NewWall.kx5d");
  EXPECT_EQ(d.Title, "New Wall");
  EXPECT_EQ(d.NumIncrements, 0);
  EXPECT_EQ(d.MaxDeflection, 100);
  EXPECT_EQ(d.ClosureTolerance, 1E-5L);
  EXPECT_EQ(d.ActiveFactor, 1);
  EXPECT_EQ(d.WaterPressureOption, 1);
  EXPECT_EQ(d.StageCount, 1);
  EXPECT_EQ(d.CurrentStage, 1);
  EXPECT_EQ(d.EarthPressureChoice, kTriangularPressure);
  EXPECT_EQ(d.GeneratePYCurves, 1);
  EXPECT_FALSE(d.LongTerm);
  EXPECT_TRUE(d.HasEICount);
  // The tables start over with their MinRows rows, the chart tables empty.
  EXPECT_EQ(t.tables.NewSoil.RowCount(), 1);
  EXPECT_EQ(t.tables.DistLoad.RowCount(), 2);
  EXPECT_EQ(t.tables.PYCurves2.RowCount(), 0);
  EXPECT_FALSE(d.IsModified(t.tables));
}

TEST(ProgramData, AFirstSaveGeneratesTriangularPressureAndCurves) {
  Tables t;
  TProgramData d = TProgramData::CreateNew(t.tables);
  const std::string text = DataFileText(d, t.tables);
  EXPECT_EQ(text.substr(0, text.find("\r\n", 10)), "New Wall\r\n1 0\t1\t0\t2\t2 0 1 0 0");
  EXPECT_EQ(d.EarthPressureMode, 2);
  EXPECT_EQ(d.PYCurveMode, 2);
  EXPECT_EQ(d.EICurveCount, 0);
  EXPECT_EQ(d.TiebackCount, 0);
}

TEST(ProgramData, ModesFollowTheSwitches) {
  Tables t;
  TProgramData d = TProgramData::CreateNew(t.tables);
  d.EarthPressureChoice = kTrapezoidalPressure;
  d.DeriveModes(t.tables);
  EXPECT_EQ(d.EarthPressureMode, 3);
  d.DeriveModes(t.tables, kTriangularPressure);  // the long-term block's choice
  EXPECT_EQ(d.EarthPressureMode, 2);

  // No generated curves: no generated pressure either, unless the last file had it.
  d.GeneratePYCurves = 0;
  d.DeriveModes(t.tables);
  EXPECT_EQ(d.EarthPressureMode, 0);
  EXPECT_EQ(d.PYCurveMode, 0);
  d.SoilEarthPressure = true;
  d.DeriveModes(t.tables);
  EXPECT_EQ(d.EarthPressureMode, 3);

  d.ApplyExternalPY = true;
  t.tables.PYCurves2.SetRowCount(2);
  d.DeriveModes(t.tables);
  EXPECT_EQ(d.PYCurveMode, 1);
  EXPECT_EQ(t.tables.PYCurves2.RowCount(), 2);

  d.UserEarthPressure = true;
  d.DeriveModes(t.tables);
  EXPECT_EQ(d.EarthPressureMode, 1);
  EXPECT_FALSE(d.SoilEarthPressure);

  d.ApplyEICurves = true;
  t.tables.MEICurves2.SetRowCount(3);
  t.tables.TiebackTable1.SetRowCount(4);
  d.DeriveModes(t.tables);
  EXPECT_EQ(d.EICurveCount, 3);
  EXPECT_EQ(d.TiebackCount, 0);  // tiebacks switched off
  d.ApplyTieback = true;
  d.DeriveModes(t.tables);
  EXPECT_EQ(d.TiebackCount, 4);
}

// Switching an option off keeps its data: deriving the modes before a write leaves every table
// as it was.
TEST(ProgramData, DerivingTheModesKeepsTheRowsOfSwitchedOffTables) {
  Tables t;
  TProgramData d = TProgramData::CreateNew(t.tables);
  for (TGridTable* table : {&t.tables.BoundCond, &t.tables.Soillayer, &t.tables.PYMod}) table->SetRowCount(3);
  t.tables.PYCurves2.SetRowCount(3);
  d.ApplyPYMod = true;
  d.DeriveModes(t.tables);
  EXPECT_EQ(t.tables.BoundCond.RowCount(), 3);
  EXPECT_EQ(t.tables.Soillayer.RowCount(), 3);
  EXPECT_EQ(t.tables.PYCurves2.RowCount(), 3);
  EXPECT_EQ(t.tables.PYMod.RowCount(), 3);
}

TEST(ProgramDataUnits, EnglishToSIConvertsScalarsByTheStatedFactors) {
  Tables t;
  TProgramData d = TProgramData::CreateNew(t.tables);
  d.IncrementLength = 12;
  d.FreeHeight = 120;
  d.TopSurcharge = 5;
  d.NumIncrements = 40;
  d.ActiveFactor = 0.8L;
  d.BackfillSlope = 10;
  d.Legacy.LegacyPointLoad = 1000;
  d.Legacy.LegacyLineLoad = 100;
  d.SetUnits(kSIUnits, t.tables);
  EXPECT_EQ(d.UnitSystem, kSIUnits);
  EXPECT_EQ(d.IncrementLength, 12 * 0.0254L);
  EXPECT_EQ(d.FreeHeight, 120 * 0.0254L);
  EXPECT_EQ(d.MaxDeflection, 100 * 0.0254L);
  const long double force = 1.0L / 224.8089L;
  EXPECT_EQ(d.TopSurcharge, 5 * (force / (0.0254L * 0.0254L)));
  EXPECT_EQ(d.Legacy.LegacyPointLoad, 1000 * force);
  EXPECT_EQ(d.Legacy.LegacyLineLoad, 100 * (force / 0.0254L));
  EXPECT_EQ(d.NumIncrements, 40);
  EXPECT_EQ(d.ActiveFactor, 0.8L);
  EXPECT_EQ(d.BackfillSlope, 10);
  EXPECT_EQ(t.tables.NewSoil.Units(), kSIUnits);
  EXPECT_EQ(t.tables.PYCurves2.Units(), kSIUnits);
}

TEST(ProgramDataUnits, ARoundTripDriftsByTheProductOfTheTwoLengthFactors) {
  Tables t;
  TProgramData d = TProgramData::CreateNew(t.tables);
  d.IncrementLength = 12;
  d.SetUnits(kSIUnits, t.tables);
  d.SetUnits(kEnglishUnits, t.tables);
  EXPECT_EQ(d.IncrementLength, 12 * 0.0254L * 39.3701L);
  EXPECT_NEAR(static_cast<double>(d.IncrementLength), 12.0000065, 1e-7);
}

TEST(ProgramDataUnits, OtherUnitsConvertNothing) {
  Tables t;
  TProgramData d = TProgramData::CreateNew(t.tables);
  d.IncrementLength = 12;
  t.tables.NewSoil.Column(1).SetFloat(0, 10);
  d.SetUnits(kOtherUnits, t.tables);
  EXPECT_EQ(d.IncrementLength, 12);
  EXPECT_EQ(t.tables.NewSoil.Column(1).GetFloat(0), 10);
  EXPECT_EQ(t.tables.NewSoil.Column(1).GetHeaderLine(1), "of the Layer, (L)  ");
  d.SetUnits(kSIUnits, t.tables);
  EXPECT_EQ(d.IncrementLength, 12);
  d.SetUnits(7, t.tables);  // brought into 1..3
  EXPECT_EQ(d.UnitSystem, kOtherUnits);
}

TEST(ProgramDataUnits, SurchargeMagnitudesConvertByTheirLoadType) {
  Tables t;
  TProgramData d = TProgramData::CreateNew(t.tables);
  TGridTable& s = t.tables.SurchargeTable;
  s.SetRowCount(3);
  for (int row = 0; row < 3; ++row) {
    s.Column(0).SetInt(row, kPointLoad + row);
    s.Column(1).SetFloat(row, 1000);
  }
  d.SetUnits(kSIUnits, t.tables);
  const long double force = 1.0L / 224.8089L;
  EXPECT_EQ(s.Column(1).GetFloat(0), 1000 * force);
  EXPECT_NEAR(static_cast<double>(s.Column(1).GetFloat(0)), 4.4482, 1e-4);
  EXPECT_EQ(s.Column(1).GetFloat(1), 1000 * (force / 0.0254L));
  EXPECT_EQ(s.Column(1).GetFloat(2), 1000 * (force / (0.0254L * 0.0254L)));
}

TEST(ProgramData, ModifiedIsTheFlagOrAnyChangedTable) {
  Tables t;
  TProgramData d = TProgramData::CreateNew(t.tables);
  d.SetModified(true, t.tables);
  EXPECT_TRUE(d.IsModified(t.tables));
  d.SetModified(false, t.tables);
  EXPECT_FALSE(d.IsModified(t.tables));
  t.tables.PileSect.SetChanged(true);
  EXPECT_TRUE(d.IsModified(t.tables));
  d.SetModified(false, t.tables);
  EXPECT_FALSE(t.tables.PileSect.IsChanged());
  // Edited curves count as a change too.
  t.tables.PYCurves2.SetChanged(true);
  EXPECT_TRUE(d.IsModified(t.tables));
}

}  // namespace
}  // namespace korvex
