// The catalogue of input tables: identifiers, captions, row limits, header lines with their
// trailing blanks, bounds, defaults, soil parameter templates chosen by soil type, and the
// tables created from the declarations.
#include "tables/catalogue.h"
#include "tables/grid_table_chart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "entry/unit_codes.h"
#include "tables/column_types.h"

namespace korvex {
namespace {

const TableDeclaration& declared(std::string_view name) {
  const TableDeclaration* d = findDeclaration(name);
  if (d == nullptr) throw std::runtime_error("not declared: " + std::string(name));
  return *d;
}

TEST(CatalogueDeclarations, NamesAreUniqueAndIdentifiersUniquePerFamily) {
  std::set<std::string> names;
  std::set<int> plainIds;
  std::set<int> chartIds;
  for (const auto& t : catalogueDeclarations()) {
    EXPECT_TRUE(names.insert(t.name).second) << t.name;
    auto& ids = t.family == TableFamily::Plain ? plainIds : chartIds;
    EXPECT_TRUE(ids.insert(t.identifier).second) << t.name << " " << t.identifier;
  }
  EXPECT_EQ(names.size(), 20u);
  EXPECT_EQ(chartIds, (std::set<int>{0, 36, 37, 38}));
  // Identifier 0 is used once in each family: Soillayer and the chart template Rows2.
  EXPECT_EQ(plainIds.count(0), 1u);
}

TEST(CatalogueDeclarations, TemplateIdentifiersResolveWithinTheirFamilyAndMatchColumnZero) {
  for (const auto& t : catalogueDeclarations()) {
    for (const auto& c : t.columns) {
      if (c.kind != ColumnKind::Table) continue;
      const std::size_t expected =
          t.columns.front().kind == ColumnKind::Enum ? t.columns.front().items.size() : 1u;
      EXPECT_EQ(c.templates.size(), expected) << t.name;
      for (int id : c.templates) {
        int found = 0;
        for (const auto& other : catalogueDeclarations()) {
          if (other.family == t.family && other.identifier == id) ++found;
        }
        EXPECT_EQ(found, 1) << t.name << " template " << id;
      }
    }
  }
}

TEST(CatalogueDeclarations, EveryTableHasColumnsAndSensibleRowAndIntegerLimits) {
  for (const auto& t : catalogueDeclarations()) {
    EXPECT_GE(t.minRows, 1) << t.name;
    EXPECT_TRUE(t.maxRows == 0 || t.maxRows >= t.minRows) << t.name;
    EXPECT_FALSE(t.columns.empty()) << t.name;
    for (const auto& c : t.columns) {
      if (c.kind == ColumnKind::Int) {
        EXPECT_LE(c.intMinimum, c.intDefault) << t.name;
        EXPECT_LE(c.intDefault, c.intMaximum) << t.name;
      }
    }
  }
}

TEST(CatalogueDeclarations, FloatColumnsUseOnlyTheListedUnitCodes) {
  const std::set<std::string> codes = {"",      "L2",      "L",      "L1",       "L1^2",
                                       "F",     "F-L",     "F-L^2",  "F/L",      "F/L2",
                                       "F/L2^2", "F/L2^3", "F/L^2",  "F/L^3",    "F-L/RAD.",
                                       "DEG.",  "SEE NOTES"};
  std::set<std::string> used;
  for (const auto& t : catalogueDeclarations()) {
    for (const auto& c : t.columns) {
      if (c.kind == ColumnKind::Float) used.insert(c.unitCode);
    }
  }
  EXPECT_EQ(used, codes);
}

TEST(CatalogueDeclarations, HeaderLinesKeepTheirTrailingBlanks) {
  EXPECT_EQ(declared("PileSect").columns[2].headerLines,
            std::vector<std::string>{"Constant or Interpolate?" + std::string(34, ' ')});
  EXPECT_EQ(declared("BoundCond").columns[0].headerLines,
            std::vector<std::string>{"Constant or Interpolate?" + std::string(34, ' ')});
  EXPECT_EQ(declared("SoilStrength").columns[0].headerLines,
            std::vector<std::string>{"Constant or Interpolate?" + std::string(38, ' ')});
  EXPECT_EQ(declared("SoilStrength").columns[0].items[0],
            "Use Constant Values for all Nodes on this Line  ");
  EXPECT_EQ(declared("SoilStrength").columns[1].headerLines,
            (std::vector<std::string>{"From Node No.", "     (Start)"}));
  EXPECT_EQ(declared("SoilStrength").columns[2].headerLines,
            (std::vector<std::string>{"To Node No.", "   (End)"}));
  EXPECT_EQ(declared("Soillayer").columns[0].headerLines,
            std::vector<std::string>{"Case" + std::string(43, ' ')});
  EXPECT_EQ(declared("PYCurves2").columns[0].headerLines, std::vector<std::string>{"Node # "});
  EXPECT_EQ(declared("TblSilt1").columns[0].headerLines,
            (std::vector<std::string>{"Total Unit ", "Weight,"}));
  EXPECT_EQ(declared("TblClay1").columns[0].headerLines,
            (std::vector<std::string>{"Total Unit", "Weight,"}));
}

TEST(CatalogueDeclarations, LongTermCounterpartsDifferOnlyWhereStated) {
  const auto& shortSoil = declared("NewSoil");
  const auto& longSoil = declared("LongSoil");
  EXPECT_EQ(shortSoil.columns[0].headerLines[0], "Soil ");
  EXPECT_EQ(longSoil.columns[0].headerLines[0], "Soil");
  EXPECT_EQ(shortSoil.columns[0].items[1], "Stiff Clay with Free Water");
  EXPECT_EQ(longSoil.columns[0].items[1], "Stiff Clay with Free water");
  EXPECT_EQ(shortSoil.columns[2].templates, longSoil.columns[2].templates);

  const auto& shortDist = declared("DistLoad");
  const auto& longDist = declared("LongDist");
  EXPECT_EQ(shortDist.columns[1].headerLines[0], "Lateral distributed line load, ");
  EXPECT_EQ(longDist.columns[1].headerLines[0], "Lateral distributed line load,");
  EXPECT_EQ(shortDist.columns[0].headerLines, longDist.columns[0].headerLines);
  EXPECT_EQ(shortDist.helpPicture, std::string(kPressureDiagramPicture));
  EXPECT_EQ(longDist.helpPicture, std::string(kPressureDiagramPicture));
  EXPECT_EQ(shortDist.minRows, 2);
  EXPECT_EQ(shortDist.maxRows, 100);
  EXPECT_EQ(longDist.maxRows, 0);
}

TEST(CatalogueDeclarations, ChartTablesCarryTheirChartSettings) {
  const auto& rows2 = declared("Rows2");
  EXPECT_EQ(rows2.family, TableFamily::Chart);
  EXPECT_TRUE(rows2.templateOnly);
  EXPECT_TRUE(rows2.chart.parameters.showChart);
  EXPECT_TRUE(rows2.chart.getDataFromFile);
  EXPECT_FALSE(rows2.chart.parameters.segmentMode);
  EXPECT_EQ(rows2.chart.parameters.yColumn, 1);
  EXPECT_EQ(rows2.maxRows, 100);
  EXPECT_FALSE(declared("MEICurves2").chart.parameters.showChart);
  EXPECT_TRUE(declared("MEICurves2").columns[2].headerLines.empty());
  EXPECT_FALSE(declared("PYCurves2").chart.parameters.showChart);
  const auto& pyCurve = declared("PYCurve2");
  EXPECT_EQ(pyCurve.minRows, 2);
  EXPECT_EQ(pyCurve.maxRows, 17);
  EXPECT_EQ(pyCurve.comments.substr(0, 69),
            "* Use negative (-) values for deflections to the left (to backfill)\r ");
  EXPECT_EQ(std::count(pyCurve.comments.begin(), pyCurve.comments.end(), '\r'), 7);
}

TEST(Catalogue, CreatesEveryTableOfBothFamiliesWithItsDeclaredProperties) {
  Catalogue catalogue = createCatalogue();
  EXPECT_EQ(catalogue.TableCount(), static_cast<int>(catalogueDeclarations().size()));
  EXPECT_EQ(catalogue.TableCount(), 20);
  EXPECT_EQ(catalogue.Table("NoSuchTable"), nullptr);
  EXPECT_EQ(catalogue.ChartTable("PileSect"), nullptr);
  for (int i = 0; i < catalogue.TableCount(); ++i) {
    const TableDeclaration& d = declared(catalogue.NameAt(i));
    TGridTable& t = catalogue.TableAt(i);
    const bool chart = d.family == TableFamily::Chart;
    EXPECT_EQ(dynamic_cast<TGridTableChart*>(&t) != nullptr, chart) << d.name;
    EXPECT_EQ(t.Identifier(), d.identifier) << d.name;
    EXPECT_EQ(chart ? TGridTableChart::FindByIdentifier(d.identifier) : TGridTable::FindByIdentifier(d.identifier), &t)
        << d.name;
    EXPECT_EQ(t.HardwiredButton(), d.hardwiredButton) << d.name;
    EXPECT_EQ(t.HelpPicture(), d.helpPicture) << d.name;
    EXPECT_EQ(t.Caption(), d.caption);
    EXPECT_EQ(t.TopLeft(), d.topLeft);
    EXPECT_EQ(t.MinRows(), d.minRows);
    EXPECT_EQ(t.MaxRows(), d.maxRows);
    EXPECT_EQ(t.Comments(), d.comments);
    EXPECT_EQ(t.RowGroup(), 1);
    EXPECT_EQ(t.RowCount(), 0);
    ASSERT_EQ(t.ColumnCount(), static_cast<int>(d.columns.size())) << d.name;
    for (int c = 0; c < t.ColumnCount(); ++c) {
      EXPECT_TRUE(t.Column(c).Visible());
      EXPECT_FALSE(t.Column(c).Grouped());
      EXPECT_EQ(t.Column(c).HeaderLines(), d.columns[static_cast<std::size_t>(c)].headerLines);
    }
  }
  TGridTable& pileSect = *catalogue.Table("PileSect");
  EXPECT_EQ(pileSect.Identifier(), 15);
  EXPECT_EQ(pileSect.Caption(), "Wall Stiffness");
  EXPECT_EQ(pileSect.TopLeft(), "Section");
  EXPECT_EQ(pileSect.MaxRows(), 10);
  EXPECT_EQ(pileSect.Comments().substr(0, 57),
            "The nodal number at the top of the wall is set to be 0.\rV");
  auto& fromNode = dynamic_cast<TIntColumn&>(pileSect.Column(0));
  EXPECT_EQ(fromNode.Minimum(), 0);
  EXPECT_EQ(fromNode.Maximum(), 2147483600);
  auto& springTo = dynamic_cast<TIntColumn&>(catalogue.Table("SoilStrength")->Column(2));
  EXPECT_EQ(springTo.Minimum(), -2147483647 - 1);
  EXPECT_EQ(springTo.Maximum(), 2147483647);
  EXPECT_EQ(catalogue.Table("Soillayer")->Identifier(), 0);
  EXPECT_EQ(catalogue.Table("Soillayer")->TopLeft(), "No");
  EXPECT_EQ(catalogue.Table("BoundCond")->Identifier(), 123);
  EXPECT_EQ(catalogue.Table("LongDist")->Identifier(), 104);
  EXPECT_EQ(catalogue.Table("DistLoad")->HelpPicture(), kPressureDiagramPicture);
}

// The chart tables: Rows2 (chart identifier 0) and Soillayer (plain identifier 0) live side by
// side, each family resolving its own templates; a new moment-EI row gets a Rows2 copy that
// carries the chart settings and converts with the chart unit elements.
TEST(Catalogue, ChartTablesResolveTheirTemplatesAmongChartTables) {
  Catalogue catalogue = createCatalogue();
  TGridTableChart& rows2 = *catalogue.ChartTable("Rows2");
  EXPECT_EQ(rows2.Identifier(), 0);
  EXPECT_EQ(catalogue.Table("Soillayer")->Identifier(), 0);
  EXPECT_TRUE(rows2.GetDataFromFile());
  EXPECT_EQ(rows2.Chart(), (TChartParameters{true, false, 0, 1, 0, 0}));

  TGridTableChart& mei = *catalogue.ChartTable("MEICurves2");
  mei.SetRowCount(2);
  auto* section = dynamic_cast<TGridTableChart*>(mei.Column(2).GetTable(1));
  ASSERT_NE(section, nullptr);
  EXPECT_EQ(section->Caption(), "Moment and EI data");
  EXPECT_EQ(section->RowNumber(), 2);
  EXPECT_EQ(section->Chart(), rows2.Chart());
  EXPECT_TRUE(section->GetDataFromFile());
  EXPECT_EQ(section->RowCount(), 1);
  EXPECT_EQ(section->Column(0).GetHeaderLine(0), "Bending moment (lbs-in)  ");

  TGridTableChart& sets = *catalogue.ChartTable("PYCurves2");
  sets.SetRowCount(2);
  auto* curve = dynamic_cast<TGridTableChart*>(sets.Column(1).GetTable(0));
  ASSERT_NE(curve, nullptr);
  EXPECT_EQ(curve->Caption(), "External p-y Curve");
  EXPECT_EQ(curve->RowCount(), 2);
  EXPECT_EQ(sets.Column(2).GetFloat(0), 1.0L);

  curve->Column(0).SetFloat(0, 39.37007874L);
  catalogue.SetUnits(2);
  EXPECT_NEAR(static_cast<double>(curve->Column(0).GetFloat(0)), 1.0, 1e-12);
  EXPECT_EQ(curve->Column(1).GetHeaderLine(0), "Soil Resistance, p (kN/m)  ");
}

TEST(Catalogue, SoilParameterTemplatesHoldTwoRowsExactly) {
  Catalogue catalogue = createCatalogue();
  for (const char* name : {"TblClay1", "TblSand1", "TblSilt1", "TblRock1", "TblRock2"}) {
    TGridTable& t = *catalogue.Table(name);
    EXPECT_EQ(t.MinRows(), 2) << name;
    EXPECT_EQ(t.MaxRows(), 2) << name;
    EXPECT_EQ(t.TopLeft(), "") << name;
    for (int c = 0; c < t.ColumnCount(); ++c) {
      auto& f = dynamic_cast<TFloatColumn&>(t.Column(c));
      EXPECT_EQ(f.Default(), 0.0L) << name;
    }
  }
  EXPECT_EQ(catalogue.Table("TblSand1")->Comments(), catalogue.Table("TblClay1")->Comments());
  EXPECT_EQ(catalogue.Table("TblRock2")->Comments(),
            "* krm is a strain constant that seve to establish the overall stiffness of the curves");
  EXPECT_EQ(catalogue.Table("TblRock1")->Comments(), "");
}

TEST(Catalogue, SoilLayerRowsGetTheParameterTemplateOfTheirSoilType) {
  Catalogue catalogue = createCatalogue();
  TGridTable& soil = *catalogue.Table("NewSoil");
  soil.SetRowCount(1);
  // A new row holds the first soil type, Soft Clay.
  ASSERT_NE(soil.Column(2).GetTable(0), nullptr);
  EXPECT_EQ(soil.Column(2).GetTable(0)->Caption(), "Clay");

  const std::vector<std::string> captions = {"Clay", "Clay", "Clay", "Sand", "Silt",
                                             "Strong Rock", "Weak Rock"};
  const std::vector<int> columnCounts = {5, 5, 5, 4, 6, 2, 5};
  for (int type = 7; type >= 1; --type) {
    soil.Column(0).SetInt(0, type);
    TGridTable* sub = soil.Column(2).GetTable(0);
    ASSERT_NE(sub, nullptr) << type;
    EXPECT_EQ(sub->Caption(), captions[static_cast<std::size_t>(type - 1)]);
    EXPECT_EQ(sub->ColumnCount(), columnCounts[static_cast<std::size_t>(type - 1)]);
    EXPECT_EQ(sub->RowCount(), 2);
  }
}

// Tables made after the catalogue (sub-tables of new rows above all) pass over the declared
// identifiers the counter has not reached yet, so each identifier names one table and the soil
// templates are still found by theirs.
TEST(Catalogue, RowsMadeBeforeALookUpNeverTakeADeclaredIdentifier) {
  Catalogue catalogue = createCatalogue();
  TGridTable& soil = *catalogue.Table("NewSoil");
  soil.SetRowCount(soil.MaxRows());
  catalogue.Table("LongSoil")->SetRowCount(10);
  catalogue.ChartTable("MEICurves2")->SetRowCount(10);
  catalogue.ChartTable("PYCurves2")->SetRowCount(10);
  int largestDeclared = 0;
  for (const auto& d : catalogueDeclarations()) largestDeclared = std::max(largestDeclared, d.identifier);
  std::vector<std::unique_ptr<TGridTable>> later;
  while (TGridTable::PlainRegistry().counter <= largestDeclared) later.push_back(std::make_unique<TGridTable>());
  while (TGridTableChart::ChartRegistry().counter <= largestDeclared) later.push_back(std::make_unique<TGridTableChart>());

  for (const TTableRegistry* registry : {&TGridTable::PlainRegistry(), &TGridTableChart::ChartRegistry()}) {
    std::set<int> identifiers;
    for (const TGridTable* t : registry->tables)
      EXPECT_TRUE(identifiers.insert(t->Identifier()).second) << "identifier " << t->Identifier() << " twice";
  }
  for (int i = 0; i < catalogue.TableCount(); ++i) {
    const TableDeclaration& d = declared(catalogue.NameAt(i));
    const bool chart = d.family == TableFamily::Chart;
    EXPECT_EQ(chart ? TGridTableChart::FindByIdentifier(d.identifier) : TGridTable::FindByIdentifier(d.identifier),
              &catalogue.TableAt(i))
        << d.name;
  }
  soil.Column(0).SetInt(9, 4);
  ASSERT_NE(soil.Column(2).GetTable(9), nullptr);
  EXPECT_EQ(soil.Column(2).GetTable(9)->Caption(), "Sand");
}

TEST(Catalogue, ChangingSandToSoftClayGivesAFreshClayParameterTable) {
  Catalogue catalogue = createCatalogue();
  TGridTable& soil = *catalogue.Table("LongSoil");
  soil.SetRowCount(2);
  soil.Column(0).SetInt(1, 4);
  TGridTable* sand = soil.Column(2).GetTable(1);
  ASSERT_NE(sand, nullptr);
  ASSERT_EQ(sand->Caption(), "Sand");
  sand->Column(0).SetFloat(0, 120.0L);
  soil.Column(0).SetInt(1, 1);
  TGridTable* clay = soil.Column(2).GetTable(1);
  ASSERT_NE(clay, nullptr);
  EXPECT_EQ(clay->Caption(), "Clay");
  EXPECT_EQ(clay->RowCount(), 2);
  EXPECT_EQ(clay->Column(0).GetFloat(0), 0.0L);
  EXPECT_EQ(clay->Column(4).HeaderLines(),
            (std::vector<std::string>{"Optional Earth", "Pressure Coefficient"}));
}

TEST(Catalogue, NewRowsStartWithTheDeclaredDefaults) {
  Catalogue catalogue = createCatalogue();
  TGridTable& pyMod = *catalogue.Table("PYMod");
  pyMod.SetRowCount(pyMod.MinRows());
  EXPECT_EQ(pyMod.RowCount(), 2);
  EXPECT_EQ(pyMod.Column(0).GetFloat(1), 0.0L);
  EXPECT_EQ(pyMod.Column(1).GetFloat(1), 1.0L);
  EXPECT_EQ(pyMod.Column(2).GetFloat(1), 1.0L);

  TGridTable& pileSect = *catalogue.Table("PileSect");
  pileSect.SetRowCount(1);
  EXPECT_EQ(pileSect.Column(0).GetInt(0), 0);
  EXPECT_EQ(pileSect.Column(1).GetInt(0), 1);
  EXPECT_EQ(pileSect.Column(2).GetInt(0), 1);

  TGridTable& boundCond = *catalogue.Table("BoundCond");
  boundCond.SetRowCount(1);
  EXPECT_EQ(boundCond.Column(2).GetInt(0), 1);
  EXPECT_EQ(catalogue.Table("SoilStrength")->MaxRows(), 20);
}

TEST(Catalogue, LastHeaderLineCarriesTheUnitLabelOfTheSystem) {
  Catalogue catalogue = createCatalogue();
  TGridTable& soil = *catalogue.Table("NewSoil");
  EXPECT_EQ(soil.Column(1).GetHeaderLine(0), "Depth at Bottom");
  EXPECT_EQ(soil.Column(1).GetHeaderLine(1), "of the Layer, (ft)  ");
  EXPECT_EQ(catalogue.Table("PileSect")->Column(3).GetHeaderLine(0),
            "Flexural Stiffness (EI) (lbs-in^2)  ");
  EXPECT_EQ(catalogue.Table("Soillayer")->Column(3).GetHeaderLine(0), "Slope");
  catalogue.SetUnits(2);
  EXPECT_EQ(soil.Column(1).GetHeaderLine(1), "of the Layer, (m)  ");
  EXPECT_EQ(catalogue.Table("TiebackTable1")->Column(1).GetHeaderLine(1),
            "of steel rod, (mm^2)  ");
}

TEST(Catalogue, SwitchingToSIConvertsLayerDepthsButNotSurchargeMagnitudes) {
  Catalogue catalogue = createCatalogue();
  TGridTable& soil = *catalogue.Table("NewSoil");
  soil.SetRowCount(1);
  soil.Column(1).SetFloat(0, 32.80839895L);
  soil.Column(2).GetTable(0)->Column(0).SetFloat(0, 120.0L);
  TGridTable& surcharge = *catalogue.Table("SurchargeTable");
  surcharge.SetRowCount(1);
  surcharge.Column(1).SetFloat(0, 500.0L);
  catalogue.SetUnits(2);
  // Tolerance: the factor is a rounded conversion constant; 1e-9 relative covers its digits.
  EXPECT_NEAR(static_cast<double>(soil.Column(1).GetFloat(0)), 10.0, 1e-8);
  EXPECT_EQ(soil.Column(2).GetTable(0)->Units(), 2);
  EXPECT_EQ(soil.Column(2).GetTable(0)->Column(0).GetFloat(0),
            120.0L * unitConversionFactor("F/L2^3", 1, 2));
  EXPECT_EQ(surcharge.Column(1).GetFloat(0), 500.0L);
}

}  // namespace
}  // namespace korvex
