// The chart family of tables: its own identifier space and column-type registry, the chart unit
// elements, chart settings copied into sub-tables, float values carried over when a row's
// sub-table is re-created, and the chart parameters at the end of the column stream. Also the
// round trip of every catalogue table, of both families, through the column stream.
#include "tables/grid_table_chart.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tables/catalogue.h"
#include "tables/column_stream.h"
#include "tables/component_stream.h"

namespace korvex {
namespace {

std::unique_ptr<TFloatColumn> floatColumn(const std::string& header, const std::string& code) {
  auto column = std::make_unique<TFloatColumn>();
  column->SetHeaderLines({header});
  column->SetUnitCode(code);
  return column;
}

TEST(ChartTableRegistry, IdentifiersOfTheTwoFamiliesNeverMeet) {
  TGridTable plain;
  TGridTableChart chart;
  plain.SetIdentifier(880001);
  chart.SetIdentifier(880001);
  // Each family keeps its own table under the value: no swap across families.
  EXPECT_EQ(plain.Identifier(), 880001);
  EXPECT_EQ(TGridTable::FindByIdentifier(880001), &plain);
  EXPECT_EQ(TGridTableChart::FindByIdentifier(880001), &chart);
  EXPECT_EQ(TGridTable::PositionOf(&chart), -1);
  EXPECT_EQ(TGridTableChart::TableAt(TGridTableChart::PositionOf(&chart)), &chart);

  // Within the chart family a taken identifier swaps as among plain tables.
  TGridTableChart later;
  const int laterAutomatic = later.Identifier();
  later.SetIdentifier(880001);
  EXPECT_EQ(later.Identifier(), 880001);
  EXPECT_EQ(chart.Identifier(), laterAutomatic);
  EXPECT_EQ(plain.Identifier(), 880001);

  EXPECT_NE(&chart.ColumnTypes(), &plain.ColumnTypes());
  for (int code = 0; code <= 4; ++code) {
    const auto column = chart.ColumnTypes().Create(code);
    ASSERT_NE(column, nullptr) << code;
    EXPECT_EQ(plain.ColumnTypes().CodeOf(*column), code);
  }
}

// A plain and a chart table column both asking for template identifier 880101: each finds the
// table of its own family.
TEST(ChartTableRegistry, TableColumnsFindTemplatesInTheirOwnFamily) {
  TGridTable plainTemplate;
  plainTemplate.SetIdentifier(880101);
  plainTemplate.SetCaption("plain");
  plainTemplate.AddColumn(floatColumn("a", ""));
  TGridTableChart chartTemplate;
  chartTemplate.SetIdentifier(880101);
  chartTemplate.SetCaption("chart");
  chartTemplate.AddColumn(floatColumn("a", ""));

  for (bool chart : {false, true}) {
    std::unique_ptr<TGridTable> owner = chart ? std::make_unique<TGridTableChart>() : std::make_unique<TGridTable>();
    auto rows = std::make_unique<TTableColumn>();
    rows->Templates().AddIdentifier(880101);
    owner->AddColumn(std::move(rows));
    owner->SetRowCount(1);
    TGridTable* sub = owner->Column(0).GetTable(0);
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->Caption(), chart ? "chart" : "plain");
    EXPECT_EQ(dynamic_cast<TGridTableChart*>(sub) != nullptr, chart);
  }
}

// F4 and L3 are mass and angle to a plain table; a chart table reads them as F and L.
TEST(ChartTableUnits, FloatColumnsKnowOnlyTheChartElements) {
  TGridTable plain;
  plain.AddColumn(floatColumn("Value", "F4/L3"));
  TGridTableChart chart;
  chart.AddColumn(floatColumn("Value", "F4/L3"));
  for (TGridTable* table : {static_cast<TGridTable*>(&plain), static_cast<TGridTable*>(&chart)}) {
    table->SetRowCount(1);
    table->Column(0).SetFloat(0, 100.0L);
    table->SetUnits(kSIUnits);
  }
  EXPECT_EQ(plain.Column(0).GetHeaderLine(0), "Value (Mg/rad)  ");
  EXPECT_NEAR(static_cast<double>(plain.Column(0).GetFloat(0)), 100.0 / 5.7101483, 1e-9);
  EXPECT_EQ(chart.Column(0).GetHeaderLine(0), "Value (kN/m)  ");
  EXPECT_NEAR(static_cast<double>(chart.Column(0).GetFloat(0)), 100.0 * 39.37007874 / 224.8089237, 1e-9);
}

// A chart table whose rows choose between two curve templates by column 0:
//   type 1 "Points": y (L), p (F/L), MinRows 2
//   type 2 "Series": y (L), count (int), p (F/L), MinRows 3
struct CurveSets {
  TGridTableChart points;
  TGridTableChart series;
  TGridTableChart sets;

  CurveSets() {
    points.SetIdentifier(880201);
    points.SetCaption("Points");
    points.SetMinRows(2);
    points.SetGetDataFromFile(true);
    points.SetInvertedYAxis(true);
    points.SetChart({true, false, 0, 1, 0, 0});
    points.AddColumn(floatColumn("y", "L"));
    points.AddColumn(floatColumn("p", "F/L"));
    series.SetIdentifier(880202);
    series.SetCaption("Series");
    series.SetMinRows(3);
    series.AddColumn(floatColumn("y", "L"));
    series.AddColumn(std::make_unique<TIntColumn>());
    series.AddColumn(floatColumn("p", "F/L"));

    auto kind = std::make_unique<TEnumColumn>();
    kind->SetItems({"Points", "Series"});
    sets.AddColumn(std::move(kind));
    auto curves = std::make_unique<TTableColumn>();
    curves->Templates().AddIdentifier(880201);
    curves->Templates().AddIdentifier(880202);
    sets.AddColumn(std::move(curves));
    sets.SetRowCount(2);
  }

  TGridTableChart& curve(int row) { return dynamic_cast<TGridTableChart&>(*sets.Column(1).GetTable(row)); }
};

TEST(ChartTableSubTables, CopyTheTemplatesChartSettings) {
  CurveSets s;
  TGridTableChart& curve = s.curve(1);
  EXPECT_EQ(curve.Caption(), "Points");
  EXPECT_EQ(curve.RowNumber(), 2);
  EXPECT_EQ(curve.RowCount(), 2);
  EXPECT_TRUE(curve.GetDataFromFile());
  EXPECT_FALSE(curve.OKCancelButtons());
  EXPECT_FALSE(curve.InvertedXAxis());
  EXPECT_TRUE(curve.InvertedYAxis());
  EXPECT_EQ(curve.Chart(), (TChartParameters{true, false, 0, 1, 0, 0}));
}

TEST(ChartTableSubTables, KeepRowsAndCommonFloatValuesWhenTheRowTypeChanges) {
  CurveSets s;
  TGridTableChart& before = s.curve(0);
  before.SetRowCount(5);
  for (int r = 0; r < 5; ++r) {
    before.Column(0).SetFloat(r, -1.0L + 0.5L * r);
    before.Column(1).SetFloat(r, 10.0L * r);
  }
  s.sets.Column(0).SetInt(0, 2);

  TGridTableChart& after = s.curve(0);
  EXPECT_EQ(after.Caption(), "Series");
  EXPECT_EQ(after.RowNumber(), 1);
  ASSERT_EQ(after.RowCount(), 5);  // the old row count, not the template's 3
  for (int r = 0; r < 5; ++r) {
    EXPECT_EQ(after.Column(0).GetFloat(r), -1.0L + 0.5L * r) << r;  // float in both: carried over
    EXPECT_EQ(after.Column(1).GetInt(r), 0) << r;                   // an int column now: fresh
    EXPECT_EQ(after.Column(2).GetFloat(r), 0.0L) << r;              // new column: default
  }
  // The other row keeps its own sub-table untouched.
  EXPECT_EQ(s.curve(1).Caption(), "Points");
  EXPECT_EQ(s.curve(1).RowCount(), 2);
}

TEST(ChartTableSubTables, PlainTablesStartAFreshSubTableInstead) {
  TGridTable first;
  first.SetIdentifier(880301);
  first.SetMinRows(2);
  first.AddColumn(floatColumn("y", "L"));
  TGridTable second;
  second.SetIdentifier(880302);
  second.SetMinRows(2);
  second.AddColumn(floatColumn("y", "L"));
  TGridTable owner;
  auto kind = std::make_unique<TEnumColumn>();
  kind->SetItems({"one", "two"});
  owner.AddColumn(std::move(kind));
  auto rows = std::make_unique<TTableColumn>();
  rows->Templates().AddIdentifier(880301);
  rows->Templates().AddIdentifier(880302);
  owner.AddColumn(std::move(rows));
  owner.SetRowCount(1);
  owner.Column(1).GetTable(0)->SetRowCount(4);
  owner.Column(1).GetTable(0)->Column(0).SetFloat(0, 7.0L);
  owner.Column(0).SetInt(0, 2);
  EXPECT_EQ(owner.Column(1).GetTable(0)->RowCount(), 2);
  EXPECT_EQ(owner.Column(1).GetTable(0)->Column(0).GetFloat(0), 0.0L);
}

TEST(ChartTableStream, EndsWithTheSixChartParameters) {
  CurveSets s;
  s.sets.SetChart({true, true, 2, 3, -1, 300});
  ComponentWriter writer;
  WriteColumns(s.sets, writer);
  // The last items: two booleans (true 0x09), then 2, 3, -1 as one-byte integers (0x02 value)
  // and 300 as a two-byte integer (0x03, little-endian 0x2C 0x01).
  const std::vector<std::uint8_t> tail = {0x09, 0x09, 0x02, 0x02, 0x02, 0x03, 0x02, 0xFF, 0x03, 0x2C, 0x01};
  const auto& bytes = writer.Bytes();
  ASSERT_GE(bytes.size(), tail.size());
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.end() - static_cast<std::ptrdiff_t>(tail.size()), bytes.end()), tail);

  TGridTableChart target;
  ComponentReader reader(bytes);
  ReadColumns(target, reader);
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(target.Chart(), (TChartParameters{true, true, 2, 3, -1, 300}));
  EXPECT_EQ(target.ColumnCount(), 2);

  // Cut anywhere inside the parameters: the columns stay, the parameters are reported.
  for (std::size_t cut = 1; cut <= tail.size(); ++cut) {
    const std::vector<std::uint8_t> prefix(bytes.begin(), bytes.end() - static_cast<std::ptrdiff_t>(cut));
    TGridTableChart broken;
    ComponentReader r(prefix);
    try {
      ReadColumns(broken, r);
      ADD_FAILURE() << "no error with " << cut << " bytes cut";
    } catch (const TableError& e) {
      EXPECT_EQ(std::string(e.what()), "Error reading graphic parameters") << cut;
    }
    EXPECT_EQ(broken.ColumnCount(), 2) << cut;
  }
}

// Every catalogue table, written, read into a fresh table of its family and written again, gives
// the same bytes and the same columns; chart tables keep their chart parameters.
TEST(CatalogueStream, EveryTableRoundTripsThroughTheColumnStream) {
  Catalogue catalogue = createCatalogue();
  ASSERT_EQ(catalogue.TableCount(), 20);
  for (int i = 0; i < catalogue.TableCount(); ++i) {
    const TGridTable& source = catalogue.TableAt(i);
    SCOPED_TRACE(catalogue.NameAt(i));
    ComponentWriter writer;
    WriteColumns(source, writer);

    const auto* chartSource = dynamic_cast<const TGridTableChart*>(&source);
    std::unique_ptr<TGridTable> target;
    if (chartSource != nullptr) {
      target = std::make_unique<TGridTableChart>();
    } else {
      target = std::make_unique<TGridTable>();
    }
    ComponentReader reader(writer.Bytes());
    ReadColumns(*target, reader);
    EXPECT_TRUE(reader.AtEnd());
    ASSERT_EQ(target->ColumnCount(), source.ColumnCount());
    for (int c = 0; c < source.ColumnCount(); ++c) {
      EXPECT_EQ(typeid(target->Column(c)), typeid(source.Column(c))) << c;
      EXPECT_EQ(target->Column(c).HeaderLines(), source.Column(c).HeaderLines()) << c;
      if (const auto* f = dynamic_cast<const TFloatColumn*>(&source.Column(c))) {
        const auto& g = dynamic_cast<const TFloatColumn&>(target->Column(c));
        EXPECT_EQ(g.UnitCode(), f->UnitCode()) << c;
        EXPECT_EQ(g.Default(), f->Default()) << c;
      }
      if (const auto* t = dynamic_cast<const TTableColumn*>(&source.Column(c))) {
        const auto& u = dynamic_cast<const TTableColumn&>(target->Column(c));
        ASSERT_EQ(u.Templates().Count(), t->Templates().Count()) << c;
        for (int k = 0; k < t->Templates().Count(); ++k) {
          EXPECT_NE(u.Template(k), nullptr) << c << " entry " << k;
          EXPECT_EQ(u.Template(k), t->Template(k)) << c << " entry " << k;
        }
      }
    }
    if (chartSource != nullptr) {
      EXPECT_EQ(dynamic_cast<const TGridTableChart&>(*target).Chart(), chartSource->Chart());
    }
    ComponentWriter again;
    WriteColumns(*target, again);
    EXPECT_EQ(again.Bytes(), writer.Bytes());
  }
}

}  // namespace
}  // namespace korvex
