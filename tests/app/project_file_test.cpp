// Project data files: the G8 number form, the exact lines the writer produces (separators, unit
// conversions, placeholders, long-term block), reading the four kinds back with their
// conversions and switches, the read errors that keep what was read, and the safe save.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/program_data.h"
#include "app/project_reader.h"
#include "app/project_tables.h"
#include "app/project_writer.h"
#include "entry/unit_codes.h"
#include "tables/catalogue.h"
#include "test_support.h"

namespace korvex {
namespace {

struct Tables {
  Catalogue catalogue = createCatalogue();
  ProjectTables tables{catalogue};
};

// The lines of a written file, CR LF removed; fails the test on a bare LF.
std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      ADD_FAILURE() << "text does not end with CR LF";
      break;
    }
    const std::string line = text.substr(start, end - start);
    EXPECT_EQ(line.find('\n'), std::string::npos) << line;
    lines.push_back(line);
    start = end + 2;
  }
  return lines;
}

// A small English project: one wall section, a clay layer and a sand layer.
TProgramData smallProject(ProjectTables& t) {
  TProgramData d = TProgramData::CreateNew(t);
  d.Title = "SMALL WALL";
  d.NumIncrements = 40;
  d.IncrementLength = 6;
  d.FreeHeight = 120;
  d.ActiveWidth = 12;
  d.PYWidth = 12;
  t.PileSect.Column(1).SetInt(0, 40);
  t.PileSect.Column(3).SetFloat(0, 3E10L);
  t.NewSoil.SetRowCount(2);
  t.NewSoil.Column(0).SetInt(0, kSoftClay);
  t.NewSoil.Column(1).SetFloat(0, 10);  // ft
  TGridTable& clay = *t.NewSoil.Column(2).GetTable(0);
  for (int p = 0; p < 2; ++p) {
    clay.Column(0).SetFloat(p, 120);  // lb/ft^3
    clay.Column(1).SetFloat(p, 720);  // lb/ft^2
    clay.Column(2).SetFloat(p, 0.01L);
    clay.Column(3).SetFloat(p, 30);
    clay.Column(4).SetFloat(p, 0.5L);
  }
  t.NewSoil.Column(0).SetInt(1, kSand);
  t.NewSoil.Column(1).SetFloat(1, 30);
  TGridTable& sand = *t.NewSoil.Column(2).GetTable(1);
  for (int p = 0; p < 2; ++p) {
    sand.Column(0).SetFloat(p, 115.2L);
    sand.Column(1).SetFloat(p, 32);
    sand.Column(2).SetFloat(p, 90);
  }
  return d;
}

TEST(G8Format, HasAtMostEightDigitsAndPlainDecimalFromTenThousandthsToOneHundredMillion) {
  const std::pair<long double, const char*> cases[] = {
      {0.00001L, "1E-5"},  {0.0001L, "0.0001"}, {100, "100"},          {0.5L, "0.5"},
      {123456789, "1.2345679E8"}, {0, "0"},     {-0.0L, "0"},         {2.54E-7L, "2.54E-7"},
      {99999999, "99999999"},     {99999999.5L, "1E8"}, {-12.5L, "-12.5"}, {1.0L / 3, "0.33333333"},
      {120.0L / 1728, "0.069444444"}, {3E10L, "3E10"}, {0.000099999999L, "9.9999999E-5"}, {0.0000999999999L, "0.0001"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(formatG8(value), text) << static_cast<double>(value);
}

// The file of the small project, line by line: no option switched on.
const std::vector<std::string> kSmallProjectLines = {
    "SMALL WALL",
    "1 0\t1\t0\t2\t2 0 1 0 0",
    "40 6\t100\t1E-5\t120\t12",
    "0\t40\t1\t3E10",
    "0",
    "0",
    "120\t12\t12\t0\t0\t1\t1\t0",
    "0\t0\t0\t0\t0\t0",
    "0",
    "2",
    "1 120 ",
    "0.069444444 5 0.0  0.01 30 0.5 ",
    "0.069444444 5 0.0  0.01 30 0.5 ",
    "4 360 ",
    "0.066666667 0.0  32 0.0  90 0 ",
    "0.066666667 0.0  32 0.0  90 0 ",
    "0",
};

TEST(DataFileWriter, WritesTheGroupsWithTheirSeparatorsAndEnglishConversions) {
  Tables t;
  TProgramData d = smallProject(t.tables);
  const std::vector<std::string> lines = linesOf(DataFileText(d, t.tables));
  EXPECT_EQ(lines, kSmallProjectLines);
  EXPECT_FALSE(d.IsModified(t.tables));
}

TEST(DataFileWriter, WritesUserPressureInInchesAndPoundsPerInch) {
  Tables t;
  TProgramData d = smallProject(t.tables);
  d.EarthPressureChoice = kUserPressure;
  d.UserEarthPressure = true;
  d.GeneratePYCurves = 0;
  t.tables.DistLoad.Column(0).SetFloat(1, 10);   // ft
  t.tables.DistLoad.Column(1).SetFloat(1, 120);  // lb/ft
  const std::vector<std::string> lines = linesOf(DataFileText(d, t.tables));
  EXPECT_EQ(lines[1], "1 0\t1\t0\t1\t0 0 1 0 0");
  EXPECT_EQ(lines[6], "2");
  EXPECT_EQ(lines[7], "0\t0");
  EXPECT_EQ(lines[8], "120\t10");
  EXPECT_EQ(lines[9], "0");  // no soil data: the continuation line follows
  EXPECT_EQ(lines.size(), 10u);
}

TEST(DataFileWriter, WritesSwitchedOffTablesAsEmptyAndMakesTheLastSectionConstant) {
  Tables t;
  TProgramData d = smallProject(t.tables);
  t.tables.PileSect.SetRowCount(2);
  t.tables.PileSect.Column(2).SetInt(0, 2);
  t.tables.PileSect.Column(2).SetInt(1, 2);
  t.tables.BoundCond.SetRowCount(2);
  t.tables.SoilStrength.SetRowCount(2);
  t.tables.TiebackTable1.SetRowCount(1);
  t.tables.SurchargeTable.SetRowCount(1);
  const std::vector<std::string> lines = linesOf(DataFileText(d, t.tables));
  EXPECT_EQ(lines[1], "1 0\t2\t0\t2\t2 0 1 0 0");
  EXPECT_EQ(lines[3], "0\t40\t2\t3E10");
  EXPECT_EQ(lines[4], "0\t1\t1\t0");  // the last section: constant
  EXPECT_EQ(t.tables.PileSect.GetInt(2, 1), 1);
  EXPECT_EQ(lines[5], "0");
  EXPECT_EQ(lines[6], "0");
  EXPECT_EQ(lines[9], "0");
}

// The small project with a row in every table an option switches on (restraints, loads,
// springs, tiebacks, p-y multipliers, surcharges, external p-y and moment-EI curves), every
// such option on.
TProgramData projectWithOptionalTables(ProjectTables& t) {
  TProgramData d = smallProject(t);
  d.ApplyRestraints = d.ApplyConcLoads = d.ApplySprings = d.ApplyTieback = d.ApplyPYMod = true;
  d.ApplySurcharge = d.ApplyExternalPY = d.ApplyEICurves = true;
  t.Soillayer.Column(0).SetInt(0, 2);
  t.Soillayer.Column(1).SetInt(0, 40);
  t.Soillayer.Column(3).SetFloat(0, 0.001L);
  t.BoundCond.Column(3).SetFloat(0, 1000);
  TGridTable& springs = t.SoilStrength;
  springs.Column(0).SetInt(0, 2);
  springs.Column(1).SetInt(0, 5);
  springs.Column(2).SetInt(0, 7);
  springs.Column(3).SetFloat(0, 5000);
  TGridTable& tieback = t.TiebackTable1;
  const long double values[] = {3.5L, 1.2L, 29E6L, 15, 15, 8, 40000};
  for (int col = 0; col < 7; ++col) tieback.Column(col).SetFloat(0, values[col]);
  t.PYMod.SetRowCount(1);
  t.PYMod.Column(0).SetFloat(0, 2.5L);  // ft
  t.SurchargeTable.Column(0).SetInt(0, kStripLoad);
  t.SurchargeTable.Column(1).SetFloat(0, 2);
  t.SurchargeTable.Column(2).SetFloat(0, 60);
  t.SurchargeTable.Column(3).SetFloat(0, 24);
  t.PYCurves2.SetRowCount(1);
  t.PYCurves2.Column(0).SetInt(0, 30);
  TGridTable& curve = *t.PYCurves2.Column(1).GetTable(0);
  curve.Column(0).SetFloat(0, -1);
  curve.Column(1).SetFloat(0, 100);
  curve.Column(0).SetFloat(1, 1);
  curve.Column(1).SetFloat(1, -100);
  t.MEICurves2.SetRowCount(1);
  t.MEICurves2.Column(1).SetInt(0, 40);
  t.MEICurves2.Column(2).GetTable(0)->Column(1).SetFloat(0, 3E10L);
  return d;
}

TEST(DataFileWriter, WritesRowsOfTheSwitchedOnTablesInFileOrder) {
  Tables t;
  TProgramData d = projectWithOptionalTables(t.tables);
  const std::vector<std::string> lines = linesOf(DataFileText(d, t.tables));
  EXPECT_EQ(lines[1], "1 1\t1\t1\t2\t2 1 1 1 1");
  EXPECT_EQ(lines[3], "2\t40\t0\t0.001");
  EXPECT_EQ(lines[5], "1");
  EXPECT_EQ(lines[6], "1\t0\t1\t1000\t0\t0");
  EXPECT_EQ(lines[7], "1");
  EXPECT_EQ(lines[8], "5\t7\t2\t5000\t0");  // from, to, constant/interpolate, stiffnesses
  EXPECT_EQ(lines[9], "3.5\t1.2\t29000000\t15\t15\t8\t40000");
  EXPECT_EQ(lines[10], "30\t1\t1");  // depth in inches
  EXPECT_EQ(lines[13], "1");
  EXPECT_EQ(lines[14], "3\t2\t60\t24");
  EXPECT_EQ(lines[22], "30\t2\t1\t1");
  EXPECT_EQ(lines[23], "-1\t100");
  EXPECT_EQ(lines[24], "1\t-100");
  EXPECT_EQ(lines[25], "0\t40\t1");
  EXPECT_EQ(lines[26], "0\t3E10");
}

// An option switched off to try a run without it: the file holds no rows of its table, but the
// project keeps them, so switching the option on again brings them back.
TEST(DataFileWriter, WritesSwitchedOffTablesAsEmptyAndKeepsTheirRows) {
  Tables t;
  TProgramData d = projectWithOptionalTables(t.tables);
  const std::string withRows = DataFileText(d, t.tables);
  d.ApplyRestraints = d.ApplyConcLoads = d.ApplySprings = d.ApplyTieback = d.ApplyPYMod = false;
  d.ApplySurcharge = d.ApplyExternalPY = d.ApplyEICurves = false;
  // The bytes of a project that never had these rows.
  EXPECT_EQ(linesOf(DataFileText(d, t.tables)), kSmallProjectLines);
  for (TGridTable* table : {&t.tables.Soillayer, &t.tables.BoundCond, &t.tables.SoilStrength,
                            &t.tables.TiebackTable1, &t.tables.PYMod, &t.tables.SurchargeTable,
                            static_cast<TGridTable*>(&t.tables.PYCurves2),
                            static_cast<TGridTable*>(&t.tables.MEICurves2)}) {
    EXPECT_EQ(table->RowCount(), 1) << table->Caption();
  }
  EXPECT_EQ(d.TiebackCount, 0);
  EXPECT_EQ(d.EICurveCount, 0);

  d.ApplyRestraints = d.ApplyConcLoads = d.ApplySprings = d.ApplyTieback = d.ApplyPYMod = true;
  d.ApplySurcharge = d.ApplyExternalPY = d.ApplyEICurves = true;
  EXPECT_EQ(DataFileText(d, t.tables), withRows);
}

TEST(DataFileWriter, WritesTiebackAreasInSquareMetresInSI) {
  Tables t;
  TProgramData d = smallProject(t.tables);
  d.SetUnits(kSIUnits, t.tables);
  d.ApplyTieback = true;
  t.tables.TiebackTable1.Column(1).SetFloat(0, 500);  // mm^2
  std::vector<std::string> lines = linesOf(DataFileText(d, t.tables));
  EXPECT_EQ(lines[1].substr(0, 2), "2 ");
  EXPECT_EQ(lines[6], "0\t0.0005\t0\t0\t0\t0\t0");

  const ProjectReadResult read = ReadDataText(DataFileText(d, t.tables), kCurrentKind, t.tables);
  EXPECT_EQ(read.error, "");
  // 0.0005 has no exact binary form: the area comes back as 500 to within the last bit.
  EXPECT_NEAR(static_cast<double>(t.tables.TiebackTable1.Column(1).GetFloat(0)), 500, 1e-12);
  EXPECT_EQ(t.tables.TiebackTable1.Column(1).GetText(0), "500");
}

TEST(DataFileWriter, WritesALongTermBlockWithItsOwnPressureAndSoilTables) {
  Tables t;
  TProgramData d = smallProject(t.tables);
  d.LongTerm = true;
  d.EarthPressureChoice = kTrapezoidalPressure;
  t.tables.LongSoil.Column(0).SetInt(0, kSilt);
  t.tables.LongSoil.Column(1).SetFloat(0, 20);
  TGridTable& silt = *t.tables.LongSoil.Column(2).GetTable(0);
  for (int p = 0; p < 2; ++p) {
    silt.Column(0).SetFloat(p, 120);
    silt.Column(1).SetFloat(p, 28);   // phi
    silt.Column(2).SetFloat(p, 288);  // c, lb/ft^2
    silt.Column(5).SetFloat(p, 0.4L);  // K: not written in the long-term block
  }
  const std::vector<std::string> lines = linesOf(DataFileText(d, t.tables));
  ASSERT_EQ(lines.size(), 31u);
  EXPECT_EQ(lines[1], "1 0\t1\t0\t3\t2 0 1 0 0");
  EXPECT_EQ(lines[16], "9");
  EXPECT_EQ(lines[17], "SMALL WALL");
  EXPECT_EQ(lines[18], "1 0\t1\t0\t2\t2 0 1 0 0");  // trapezoidal written as triangular
  EXPECT_EQ(lines[26], "1");
  EXPECT_EQ(lines[27], "5 240 ");
  EXPECT_EQ(lines[28], "0.069444444 2 28 0 0 0.0  ");
  EXPECT_EQ(lines[30], "0");
  EXPECT_EQ(d.EarthPressureMode, 3);  // the project's modes are the short-term block's
}

TEST(DataFileReader, ReadsBackWhatWasWrittenWithTheSwitchesRestored) {
  Tables t;
  TProgramData d = smallProject(t.tables);
  d.LongTerm = true;
  d.EarthPressureChoice = kTrapezoidalPressure;
  d.ApplyTieback = true;
  t.tables.TiebackTable1.Column(6).SetFloat(0, 40000);
  const std::string text = DataFileText(d, t.tables);

  const ProjectReadResult read = ReadDataText(text, kCurrentKind, t.tables, "walls/wall.kx5d");
  EXPECT_EQ(read.error, "");
  EXPECT_TRUE(read.notes.empty());
  const TProgramData& r = read.data;
  EXPECT_EQ(r.FileName, "walls/wall.kx5d");
  EXPECT_EQ(r.Title, "SMALL WALL");
  EXPECT_TRUE(r.LongTerm);
  EXPECT_EQ(r.EarthPressureChoice, kTrapezoidalPressure);
  EXPECT_TRUE(r.SoilEarthPressure);
  EXPECT_EQ(r.GeneratePYCurves, 1);
  EXPECT_TRUE(r.ApplyTieback);
  EXPECT_FALSE(r.ApplyConcLoads);
  EXPECT_EQ(r.FreeHeight, 120);
  EXPECT_EQ(t.tables.NewSoil.Column(1).GetFloat(0), 10);
  TGridTable& clay = *t.tables.NewSoil.Column(2).GetTable(0);
  EXPECT_NEAR(static_cast<double>(clay.Column(0).GetFloat(1)), 120, 1e-5);  // 0.069444444 x 1728
  EXPECT_EQ(clay.Column(1).GetFloat(1), 720);
  EXPECT_EQ(t.tables.TiebackTable1.Column(6).GetFloat(0), 40000);
  EXPECT_FALSE(r.IsModified(t.tables));
  // Writing again gives the same file.
  TProgramData again = read.data;
  EXPECT_EQ(DataFileText(again, t.tables), text);
}

TEST(DataFileReader, KeepsTheWallLinesActiveWidthWithoutSoilData) {
  Tables t;
  const ProjectReadResult read = ReadDataText(
      "TIED WALL, USER PRESSURE\n1 0 1 0 1 0 0 1 0 1\n40 6 10 0.001 0 12\n0 40 1 3E10\n0\n0\n"
      "120 1.2 29E6 15 15 8 40000\n2\n0 0\n480 10\n0\n",
      kCurrentKind, t.tables);
  EXPECT_EQ(read.error, "");
  EXPECT_EQ(read.data.ActiveWidth, 12);
  EXPECT_TRUE(read.data.UserEarthPressure);
  EXPECT_EQ(t.tables.DistLoad.Column(0).GetFloat(1), 40);   // 480 in
  EXPECT_EQ(t.tables.DistLoad.Column(1).GetFloat(1), 120);  // 10 lb/in
}

TEST(DataFileReader, TiebackRowsOfSixValuesHaveNoPrestress) {
  Tables t;
  const ProjectReadResult read = ReadDataText(
      "T\n1 0 1 0 1 0 0 1 0 2\n40 6 10 0.001 0 12\n0 40 1 3E10\n0\n0\n"
      "120 1.2 29E6 15 15 8\n240 1.2 29E6 15 15 8\n2\n0 0\n480 10\n0\n",
      kCurrentKind, t.tables);
  EXPECT_EQ(read.error, "");
  ASSERT_EQ(t.tables.TiebackTable1.RowCount(), 2);
  for (int row = 0; row < 2; ++row) EXPECT_EQ(t.tables.TiebackTable1.Column(6).GetFloat(row), 0) << row;
  EXPECT_EQ(t.tables.TiebackTable1.Column(0).GetFloat(1), 240);
}

TEST(DataFileReader, AFileThatEndsEarlyKeepsTheRowsRead) {
  Tables t;
  const ProjectReadResult read =
      ReadDataText("T\n1 0 3 0 0 0 0 1 0 0\n40 6 10 0.001 0 12\n0 10 1 3E10\n10 20 1 2E10\n", kCurrentKind, t.tables);
  EXPECT_EQ(read.error, "This file either invalid or incomplete.");
  EXPECT_TRUE(read.opened);
  EXPECT_EQ(read.data.NumIncrements, 40);
  ASSERT_EQ(t.tables.PileSect.RowCount(), 3);
  EXPECT_EQ(t.tables.PileSect.Column(3).GetFloat(1), 2E10L);
  EXPECT_EQ(t.tables.PileSect.GetInt(1, 2), 1);  // the row never read holds its defaults
  // The tables get their MinRows rows after an error too.
  EXPECT_EQ(t.tables.NewSoil.RowCount(), 1);
  EXPECT_FALSE(read.data.IsModified(t.tables));
}

TEST(DataFileReader, AFolderOpenedAsADataFileGivesTheSystemsMessageAndANewProject) {
  korvex::testing::TempFolder folder;
  Tables t;
  const ProjectReadResult read = ReadDataFile(folder.path(), kCurrentKind, t.tables);
  EXPECT_EQ(read.error, "Cannot read file \"" + folder.path().string() + "\". Is a directory");
  EXPECT_FALSE(read.opened);
  EXPECT_EQ(read.data.Title, "New Wall");
  EXPECT_EQ(t.tables.PileSect.RowCount(), 1);
}

TEST(DataFileReader, ReportsTheLineAndItemOfAWordThatIsNoNumber) {
  Tables t;
  const ProjectReadResult read =
      ReadDataText("T\n1 0 1 0 0 0 0 1 0 0\n40 6 ten 0.001 0 12\n", kCurrentKind, t.tables);
  EXPECT_EQ(read.error, "Error on Line 3 Item 3\rA floating point number was expected but not found.");
  EXPECT_EQ(read.data.IncrementLength, 6);
}

// Counts that promise more rows than the file holds: the read ends as incomplete, and the rows
// the file does hold are kept with the switches that go with them.
TEST(DataFileReader, ACountBeyondTheRowsHeldKeepsTheRowsRead) {
  struct Cell {
    int column;
    int row;
    const char* text;
  };
  struct Case {
    const char* what;
    std::string text;
    std::function<const TGridTable&(const ProjectTables&)> table;
    bool TProgramData::*option;
    int rows;
    std::vector<Cell> cells;
  };
  const std::string head = "T\n1 0 1 0 1 0 0 1 0 0\n40 6 10 0.001 0 12\n0 40 1 3E10\n0\n0\n";
  const Case cases[] = {
      {"six pressure points promised, two present", head + "6\n0 0\n120 10\n",
       [](const ProjectTables& t) -> const TGridTable& { return t.DistLoad; }, &TProgramData::UserEarthPressure, 6,
       {{0, 1, "10"}, {1, 1, "120"}}},  // 120 in and 10 lb/in, shown in ft and lb/ft
      {"twenty loads promised, two present",
       "T\n1 0 1 0 0 0 0 1 0 0\n40 6 10 0.001 0 12\n0 40 1 3E10\n20\n1 0 1 1000 0 0\n2 40 40 -500 2000 7\n",
       [](const ProjectTables& t) -> const TGridTable& { return t.BoundCond; }, &TProgramData::ApplyConcLoads, 20,
       {{3, 0, "1000"}, {0, 1, "2"}, {1, 1, "40"}, {4, 1, "2000"}, {5, 1, "7"}}},
      {"a curve of ten points with two and a half present",
       "T\n1 0 1 0 0 1 1 1 0 0\n40 6 10 0.001 0 12\n0 40 1 3E10\n0\n0\n30 10 0.5 2\n-1 100\n1 -100\n2\n",
       [](const ProjectTables& t) -> const TGridTable& { return *t.PYCurves2.Column(1).GetTable(0); },
       &TProgramData::ApplyExternalPY, 10, {{1, 0, "100"}, {0, 1, "1"}, {1, 1, "-100"}, {0, 2, "2"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Tables t;
    const ProjectReadResult read = ReadDataText(c.text, kCurrentKind, t.tables);
    EXPECT_EQ(read.error, "This file either invalid or incomplete.");
    EXPECT_TRUE(read.data.*c.option);
    const TGridTable& table = c.table(t.tables);
    ASSERT_EQ(table.RowCount(), c.rows);
    for (const Cell& cell : c.cells) EXPECT_EQ(table.Column(cell.column).GetText(cell.row), cell.text);
  }
}

// A count no data file can hold ends the read before any row is made; one below it is met
// with rows as far as the file goes.
TEST(DataFileReader, ACountNoFileCanHoldEndsTheReadBeforeFillingMemory) {
  for (const int count : {2000000000, kMostRowsInADataFile + 1, kMostRowsInADataFile}) {
    SCOPED_TRACE(count);
    Tables t;
    const ProjectReadResult read = ReadDataText(
        "T\n1 0 " + std::to_string(count) + " 0 0 0 0 1 0 0\n40 6 10 0.001 0 12\n0 40 1 3E10\n", kCurrentKind,
        t.tables);
    EXPECT_EQ(read.error, "This file either invalid or incomplete.");
    EXPECT_EQ(read.data.NumIncrements, count == kMostRowsInADataFile ? 40 : 0);
    EXPECT_EQ(t.tables.PileSect.RowCount(), count == kMostRowsInADataFile ? count : 1);
  }
}

TEST(DataFileReader, ASoilTypeOutsideOneToSevenIsAnError) {
  Tables t;
  const ProjectReadResult read = ReadDataText(
      "T\n1 0 1 0 2 2 0 1 0 0\n40 6 10 0.001 0 12\n0 40 1 3E10\n0\n0\n120 12 12 0 0 1 1 0\n0 0 0 0 0 0\n0\n1\n9 120\n",
      kCurrentKind, t.tables);
  EXPECT_EQ(read.error, "Error on Line 11 Item 1\rThe soil type must be a whole number from 1 to 7.");
  // The layer keeps a type it can be saved with.
  ASSERT_EQ(t.tables.NewSoil.RowCount(), 1);
  EXPECT_EQ(t.tables.NewSoil.GetInt(0, 0), kSoftClay);
}

// A number the reader's conversion to the table's unit takes beyond the range of numbers ends
// the read there, so that the project never holds a value it could not save.
TEST(DataFileReader, ANumberTooLargeForItsUnitEndsTheReadKeepingWhatCameBefore) {
  struct Case {
    const char* what;
    std::string text;
    int kind;
    std::string error;
    TGridTable& (*table)(ProjectTables&);
    int column;
    long double valueRead;  // row 1, read before the number
  };
  const Case cases[] = {
      {"a tieback area in m^2, shown in mm^2",
       "T\n2 0 1 0 1 0 0 1 0 1\n40 0.2 1 1E-5 0 1\n0 40 1 3E4\n0\n0\n3 1E+4931 2E8 5 15 2 0\n2\n0 0\n8 10\n0\n",
       kCurrentKind, "Error on Line 7 Item 2", [](ProjectTables& t) -> TGridTable& { return t.TiebackTable1; }, 0, 3},
      {"the bottom of a layer given by thickness",
       "OLDEST WALL\n1 0 1 0 2 2 0\n40 6 10 0.001 120\n0 40 1 3E10\n0\n0\n120 12 12 0 0 1 1 0\n0 0 0 0 0 0\n2\n"
       "4 1E+4932 0.07 0 30 0 60\n4 1E+4932 0.07 0 30 0 60\n",
       kVersion2Kind, "Error on Line 11 Item 2", [](ProjectTables& t) -> TGridTable& { return t.NewSoil; }, 1, 1E+4932L},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Tables t;
    const ProjectReadResult read = ReadDataText(c.text, c.kind, t.tables);
    EXPECT_EQ(read.error, c.error + "\rThe number is too large for its unit.");
    const TGridTable& table = c.table(t.tables);
    EXPECT_EQ(table.Column(c.column).GetFloat(0), c.valueRead);
    EXPECT_EQ(table.Column(1).GetFloat(table.RowCount() - 1), 0);  // the value that was too large
  }
}

TEST(DataFileReader, TheOldDefaultActiveFactorBecomesOne) {
  Tables t;
  const ProjectReadResult read = ReadDataText(
      "T\n1 0 1 0 2 2 0 1 0 0\n40 6 10 0.001 0 12\n0 40 1 3E10\n0\n0\n120 12 12 0 0 0.036 1 0\n0 0 0 0 0 0\n0\n0\n0\n",
      kCurrentKind, t.tables);
  EXPECT_EQ(read.error, "");
  EXPECT_EQ(read.data.ActiveFactor, 1);
}

// Version 3.0: no tieback or moment-EI count, a single surcharge, curves without multipliers.
TEST(DataFileReader, ReadsAVersion3FileWithItsSingleSurchargeAsThreeRows) {
  Tables t;
  const ProjectReadResult read = ReadDataText(
      "OLD WALL\n1 0 1 0 2 2 1 1\n40 6 10 0.001 120\n0 40 1 3E10\n0\n0\n"
      "120 12 12 0 0 1 1 0\n0.5 60 1000 100 2 24\n1\n4 360\n0.066666667 0 32 0 90 0\n0.066666667 0 32 0 90 0\n"
      "20 2\n-1 100\n1 -100\n0\n",
      kVersion3Kind, t.tables);
  EXPECT_EQ(read.error, "");
  EXPECT_EQ(read.data.ActiveWidth, 12);  // from group 10a: the old wall line has no width
  EXPECT_TRUE(read.data.ApplySurcharge);
  TGridTable& s = t.tables.SurchargeTable;
  ASSERT_EQ(s.RowCount(), 3);
  const long double magnitudes[] = {1000, 100, 2};
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(s.GetInt(0, row), kPointLoad + row);
    EXPECT_EQ(s.Column(1).GetFloat(row), magnitudes[row]);
    EXPECT_EQ(s.Column(2).GetFloat(row), 60);
    EXPECT_EQ(s.Column(3).GetFloat(row), 24);
  }
  EXPECT_TRUE(read.data.ApplyExternalPY);
  EXPECT_EQ(t.tables.PYCurves2.Column(2).GetFloat(0), 1);
  EXPECT_EQ(t.tables.PYCurves2.Column(1).GetTable(0)->Column(1).GetFloat(1), -100);
  EXPECT_FALSE(read.data.ApplyEICurves);
}

TEST(DataFileReader, ReadsVersion2LayersByThicknessWithOneParameterSet) {
  Tables t;
  const ProjectReadResult read = ReadDataText(
      "OLDEST WALL\n1 0 1 0 2 2 0\n40 6 10 0.001 120\n0 40 1 3E10\n0\n0\n"
      "120 12 12 0 0 1 1 0\n0 0 0 0 0 0\n2\n1 5 0.07 5 0 0.01 30\n5 7 0.07 4 30 0.005 60\n",
      kVersion2Kind, t.tables);
  EXPECT_EQ(read.error, "");
  EXPECT_TRUE(read.notes.empty());
  EXPECT_EQ(t.tables.NewSoil.Column(1).GetFloat(0), 5);
  EXPECT_EQ(t.tables.NewSoil.Column(1).GetFloat(1), 12);
  const TGridTable& silt = *t.tables.NewSoil.Column(2).GetTable(1);
  for (int p = 0; p < 2; ++p) {
    EXPECT_EQ(silt.Column(0).GetFloat(p), 0.07L);  // no conversion
    EXPECT_EQ(silt.Column(2).GetFloat(p), 4);      // c
    EXPECT_EQ(silt.Column(1).GetFloat(p), 30);     // phi
    EXPECT_EQ(silt.Column(4).GetFloat(p), 60);     // k
  }
  EXPECT_EQ(read.data.StageCount, 1);
}

TEST(DataFileReader, NotesWhatTheProjectCannotHold) {
  Tables t;
  const ProjectReadResult read = ReadDataText(
      "T\n1 0 1 0 0 2 0 1 0 0\n40 6 10 0.001 0 12\n0 40 1 3E10\n0\n0\n120 12 12 0 0 1 1 0\n0 0 0 0 0 0\n0\n0\n0\n"
      "STAGE 2\n",
      kCurrentKind, t.tables);
  EXPECT_EQ(read.error, "");
  EXPECT_EQ(read.data.GeneratePYCurves, 0);
  ASSERT_EQ(read.notes.size(), 2u);
  EXPECT_NE(read.notes[0].find("generated p-y curves without earth pressure"), std::string::npos);
  EXPECT_NE(read.notes[1].find("2 more values"), std::string::npos);
}

TEST(DataFileKinds, FollowTheExtensionInAnyLetterCase) {
  EXPECT_EQ(KindOfFile("a/wall.kx5d"), kCurrentKind);
  EXPECT_EQ(KindOfFile("a/wall.KX4D"), kPreviousKind);
  EXPECT_EQ(KindOfFile("wall.Kxd"), kVersion3Kind);
  EXPECT_EQ(KindOfFile("wall.txt"), kCurrentKind);
}

TEST(DataFileSave, ReplacesTheFileKeepingItsPermissionsAndLeavesNoTemporaryFile) {
  korvex::testing::TempFolder folder;
  const std::filesystem::path path = folder.path() / "wall.kx5d";
  std::ofstream(path) << "old";
  ::chmod(path.c_str(), 0640);
  Tables t;
  TProgramData d = smallProject(t.tables);
  d.FileName = path.string();
  d.SetModified(true, t.tables);
  WriteDataFile(d, t.tables);
  EXPECT_FALSE(d.IsModified(t.tables));
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str().substr(0, 12), "SMALL WALL\r\n");
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

// A save through a symbolic link (or a chain of them, relative or absolute) replaces the file
// the link leads to, with its permissions, and the link stays; a link that leads to no file
// yet gets its file.
TEST(DataFileSave, SavesThroughSymbolicLinks) {
  namespace fs = std::filesystem;
  korvex::testing::TempFolder folder;
  fs::create_directory(folder / "projects");
  const fs::path file = folder / "projects" / "wall.kx5d";
  std::ofstream(file) << "old";
  ::chmod(file.c_str(), 0640);
  fs::create_symlink("projects/wall.kx5d", folder / "relative.kx5d");
  fs::create_symlink(folder / "relative.kx5d", folder / "absolute.kx5d");
  fs::create_symlink("projects/new.kx5d", folder / "dangling.kx5d");
  Tables t;
  TProgramData d = smallProject(t.tables);
  const std::string text = DataFileText(d, t.tables);
  for (const char* link : {"absolute.kx5d", "dangling.kx5d"}) {
    d.FileName = (folder / link).string();
    WriteDataFile(d, t.tables);
  }
  for (const char* link : {"relative.kx5d", "absolute.kx5d", "dangling.kx5d"})
    EXPECT_TRUE(fs::is_symlink(folder / link)) << link;
  EXPECT_EQ(korvex::testing::readFile(file), text);
  EXPECT_EQ(korvex::testing::readFile(folder / "projects" / "new.kx5d"), text);
  struct stat info {};
  ASSERT_EQ(::stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  // No temporary file is left beside the links or the files.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 4);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder / "projects"), {}), 2);
}

// A change of unit system can take a huge value beyond the range of numbers; such a project has
// no data file, and the file saved before stays.
TEST(DataFileSave, AProjectHoldingANumberTooLargeIsNotSaved) {
  korvex::testing::TempFolder folder;
  const std::filesystem::path path = folder / "wall.kx5d";
  std::ofstream(path) << "old";
  Tables t;
  TProgramData d = smallProject(t.tables);
  d.SetUnits(kSIUnits, t.tables);
  t.tables.NewSoil.Column(1).SetFloat(0, 1E+4931L);  // m
  d.SetUnits(kEnglishUnits, t.tables);
  d.FileName = path.string();
  try {
    WriteDataFile(d, t.tables);
    ADD_FAILURE() << "saved";
  } catch (const ProjectWriteError& e) {
    EXPECT_STREQ(e.what(), "The project holds a number too large for a data file; it was not saved.");
  }
  EXPECT_EQ(korvex::testing::readFile(path), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(DataFileSave, AFailedSaveLeavesThePreviousFileAsItWas) {
  korvex::testing::TempFolder folder;
  Tables t;
  TProgramData d = smallProject(t.tables);
  // The target is a folder holding a file: the replacement cannot take its place.
  const std::filesystem::path target = folder.path() / "wall.kx5d";
  std::filesystem::create_directory(target);
  std::ofstream(target / "keep.txt") << "kept";
  d.FileName = target.string();
  d.SetModified(true, t.tables);
  EXPECT_THROW(WriteDataFile(d, t.tables), ProjectWriteError);
  EXPECT_TRUE(std::filesystem::is_regular_file(target / "keep.txt"));
  EXPECT_TRUE(d.IsModified(t.tables));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);

  d.FileName = (folder.path() / "no such folder" / "wall.kx5d").string();
  try {
    WriteDataFile(d, t.tables);
    ADD_FAILURE() << "no error";
  } catch (const ProjectWriteError& e) {
    EXPECT_NE(std::string(e.what()).find("No such file or directory"), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace korvex
