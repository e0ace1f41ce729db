// The table component: rows in groups, cell handles, visible columns, the change notification
// and changed tracking, the registry of tables by identifier, sub-tables built from templates by
// soil type, and unit conversion of float values (sub-tables included).
#include "tables/grid_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "entry/unit_codes.h"
#include "tables/column_types.h"

namespace korvex {
namespace {

// Runs `action`, expecting an exception of type E with exactly `message`.
template <typename E, typename Action>
void expectMessage(Action action, std::string_view message) {
  try {
    action();
    ADD_FAILURE() << "no exception, expected: " << message;
  } catch (const E& e) {
    EXPECT_EQ(std::string(e.what()), message);
  }
}

TFloatColumn& addFloat(TGridTable& table, std::vector<std::string> header, std::string code = "") {
  auto column = std::make_unique<TFloatColumn>();
  column->SetHeaderLines(std::move(header));
  column->SetUnitCode(std::move(code));
  return static_cast<TFloatColumn&>(table.AddColumn(std::move(column)));
}

TEnumColumn& addEnum(TGridTable& table, std::vector<std::string> items) {
  auto column = std::make_unique<TEnumColumn>();
  column->SetItems(std::move(items));
  return static_cast<TEnumColumn&>(table.AddColumn(std::move(column)));
}

std::vector<long double> floats(const TGridTable& table, int col) {
  std::vector<long double> values;
  for (int r = 0; r < table.RowCount(); ++r) values.push_back(table.Cell(col, r).GetFloat());
  return values;
}

TEST(GridTableRows, AreAddedInsertedAndDeletedInWholeGroups) {
  TGridTable table;
  table.SetRowGroup(3);
  addFloat(table, {"Value"});
  table.AddRows();
  table.AddRows();
  ASSERT_EQ(table.RowCount(), 6);
  for (int r = 0; r < 6; ++r) table.Cell(0, r).SetFloat(r);

  // Row 4 lies in the second group (rows 3..5): three default cells go in front of it.
  table.InsertRows(4);
  EXPECT_EQ(floats(table, 0), (std::vector<long double>{0, 1, 2, 0, 0, 0, 3, 4, 5}));

  // Deleting row 7 removes the third group, the old rows 3..5.
  table.DeleteRows(7);
  EXPECT_EQ(floats(table, 0), (std::vector<long double>{0, 1, 2, 0, 0, 0}));
  EXPECT_EQ(table.Column(0).CellCount(), table.RowCount());

  EXPECT_THROW(table.InsertRows(7), EListError);
  EXPECT_THROW(table.DeleteRows(6), EListError);
  EXPECT_THROW(table.DeleteRows(-1), EListError);
}

TEST(GridTableRows, SetRowCountCutsFromTheEndAndGrowsByGroups) {
  TGridTable table;
  table.SetRowGroup(2);
  addFloat(table, {"Value"});
  table.SetRowCount(5);  // two groups are not enough, three are
  EXPECT_EQ(table.RowCount(), 6);
  EXPECT_EQ(table.Column(0).CellCount(), 6);
  table.Cell(0, 0).SetFloat(7);
  table.SetRowCount(1);
  EXPECT_EQ(table.RowCount(), 1);
  EXPECT_EQ(table.Cell(0, 0).GetFloat(), 7);
  table.SetRowCount(-4);
  EXPECT_EQ(table.RowCount(), 0);
  table.SetRowGroup(0);
  EXPECT_EQ(table.RowGroup(), 1);
}

TEST(GridTableCells, HandleFollowsItsRowWhenRowsAreInsertedAbove) {
  TGridTable table;
  addFloat(table, {"Value"});
  table.SetRowCount(2);
  TData& handle = table.Cell(0, 1);
  handle.SetFloat(42);
  table.InsertRows(0);
  EXPECT_EQ(handle.Row(), 2);
  EXPECT_EQ(handle.GetFloat(), 42);
}

TEST(GridTableCells, ValuesOfAnotherKindAreRefused) {
  TGridTable table;
  addFloat(table, {"Depth"});
  table.AddColumn(std::make_unique<TIntColumn>());
  addEnum(table, {"A", "B"});
  table.SetRowCount(1);
  EXPECT_THROW(table.Cell(0, 0).GetInt(), EInvalidCast);
  EXPECT_THROW(table.Cell(2, 0).SetFloat(1), EInvalidCast);
  expectMessage<EInvalidCast>([&] { table.Cell(1, 0).SetFloat(1); }, "Data of wrong type");
  EXPECT_THROW(table.Cell(0, 1), EListError);
}

TEST(GridTableColumns, HiddenColumnsAreSkippedWhenCountingVisibleOnes) {
  TGridTable table;
  addFloat(table, {"A"});
  TFloatColumn& hidden = addFloat(table, {"B", "two", "three"});
  hidden.SetVisible(false);
  TFloatColumn& last = addFloat(table, {"C", "two"});
  EXPECT_EQ(table.VisibleColumnCount(), 2);
  EXPECT_EQ(&table.VisibleColumn(1), &last);
  EXPECT_EQ(table.VisibleIndexOf(&last), 1);
  EXPECT_EQ(table.VisibleIndexOf(&hidden), -1);
  EXPECT_EQ(table.HeaderRowCount(), 2);  // the hidden column's three lines do not count
  expectMessage<EListError>([&] { table.VisibleColumn(2); }, "Index out of bounds");
}

TEST(GridTableProperties, MinRowsMustBePositiveExceptWhileLoading) {
  TGridTable table;
  expectMessage<TableError>([&] { table.SetMinRows(0); }, "Value must be greater than 0");
  EXPECT_EQ(table.MinRows(), 1);
  table.SetMinRows(3);
  table.SetLoading(true);
  table.SetMinRows(-2);
  EXPECT_EQ(table.MinRows(), 1);
}

TEST(GridTableNotification, RunsAfterRowAndColumnChangesRowCountsAndUnitSwitches) {
  TGridTable table;
  int calls = 0;
  table.SetChangeNotification([&calls] { ++calls; });
  addFloat(table, {"Depth"}, "L2");
  EXPECT_EQ(calls, 1);
  table.AddRows();
  table.InsertRows(0);
  table.DeleteRows(1);
  EXPECT_EQ(calls, 4);
  table.SetUnits(kSIUnits);
  EXPECT_EQ(calls, 5);
  table.SetUnits(kSIUnits);  // no change, no notification
  EXPECT_EQ(calls, 5);
  table.Cell(0, 0).SetFloat(1);  // cell writes go to the window's refresh instead
  EXPECT_EQ(calls, 5);
  table.SetRowCount(4);  // rows read into the table behind its window
  EXPECT_EQ(calls, 6);
  table.SetRowCount(4);
  EXPECT_EQ(calls, 6);
}

TEST(GridTableNotification, EveryCellWriteReachesTheOpenWindow) {
  TGridTable table;
  table.SetRowGroup(2);
  addFloat(table, {"A"});
  TFloatColumn& grouped = addFloat(table, {"B"});
  grouped.SetGrouped(true);
  table.SetRowCount(4);
  std::vector<std::pair<int, int>> refreshed;
  table.AttachWindow([&refreshed](int col, int row) { refreshed.emplace_back(col, row); });
  table.Cell(0, 3).SetFloat(1);
  table.Cell(1, 3).SetFloat(2);  // the group of row 3 is rows 2 and 3
  EXPECT_EQ(refreshed, (std::vector<std::pair<int, int>>{{0, 3}, {1, 2}, {1, 3}}));
  EXPECT_EQ(floats(table, 1), (std::vector<long double>{0, 0, 2, 2}));
  table.DetachWindow();
  table.Cell(0, 0).SetFloat(5);
  EXPECT_EQ(refreshed.size(), 3u);
}

// A soil-layer table in the catalogue's shape: soil type, bottom depth in feet, and per-layer
// parameters whose template depends on the type (items 1 and 2 clay, item 3 sand).
struct SoilProfile {
  TGridTable clay;
  TGridTable sand;
  TGridTable layers;
  TTableColumn* parameters = nullptr;

  SoilProfile() {
    clay.SetCaption("Clay");
    clay.SetComments("top and bottom of the layer");
    clay.SetMinRows(2);
    clay.SetMaxRows(2);
    addFloat(clay, {"Total Unit", "Weight,"}, "F/L2^3");
    addFloat(clay, {"Cohesive", "Strength,"}, "F/L2^2");
    sand.SetCaption("Sand");
    sand.SetMinRows(2);
    sand.SetMaxRows(2);
    addFloat(sand, {"Friction", "Angle, deg."});
    addEnum(layers, {"Soft Clay", "Stiff Clay", "Sand"});
    addFloat(layers, {"Depth at Bottom", "of the Layer,"}, "L2");
    parameters = static_cast<TTableColumn*>(&layers.AddColumn(std::make_unique<TTableColumn>()));
    parameters->Templates().Resize(0);
    parameters->Templates().AddIdentifier(clay.Identifier());
    parameters->Templates().AddIdentifier(clay.Identifier());
    parameters->Templates().AddIdentifier(sand.Identifier());
  }
};

TEST(GridTableSubTables, EachNewRowGetsAFreshCopyOfItsTypesTemplate) {
  SoilProfile soil;
  soil.layers.SetUnits(kSIUnits);
  soil.layers.SetRowCount(2);
  TGridTable* first = soil.layers.Cell(2, 0).GetTable();
  TGridTable* second = soil.layers.Cell(2, 1).GetTable();
  ASSERT_NE(first, nullptr);
  ASSERT_NE(first, second);
  EXPECT_EQ(first->Caption(), "Clay");
  EXPECT_EQ(first->Comments(), "top and bottom of the layer");
  EXPECT_EQ(first->RowCount(), 2);
  EXPECT_EQ(first->Owner(), &soil.layers);
  EXPECT_EQ(first->Units(), kSIUnits);
  EXPECT_EQ(first->RowNumber(), 1);
  EXPECT_EQ(second->RowNumber(), 2);
  EXPECT_EQ(first->Column(1).GetHeaderLine(1), "Strength, (kN/m^2)  ");
  // The copy is independent of the template.
  first->Cell(0, 0).SetFloat(120);
  EXPECT_EQ(soil.clay.RowCount(), 0);
}

TEST(GridTableSubTables, ChangingTheSoilTypeReplacesTheRowsParameters) {
  SoilProfile soil;
  soil.layers.SetRowCount(1);
  TGridTable* clay = soil.layers.Cell(2, 0).GetTable();
  clay->Cell(0, 0).SetFloat(110);
  soil.layers.Cell(0, 0).SetInt(1);  // same type: the parameters stay
  EXPECT_EQ(soil.layers.Cell(2, 0).GetTable(), clay);

  soil.layers.Column(0).SetText(0, "3");
  TGridTable* sand = soil.layers.Cell(2, 0).GetTable();
  ASSERT_NE(sand, nullptr);
  EXPECT_EQ(sand->Caption(), "Sand");
  EXPECT_EQ(sand->ColumnCount(), 1);
  EXPECT_EQ(sand->Cell(0, 0).GetFloat(), 0);

  soil.layers.Cell(0, 0).SetInt(2);  // back to clay: a fresh table, nothing carried over
  EXPECT_EQ(soil.layers.Cell(2, 0).GetTable()->Caption(), "Clay");
  EXPECT_EQ(soil.layers.Cell(2, 0).GetTable()->Cell(0, 0).GetFloat(), 0);

  soil.layers.Cell(0, 0).SetInt(7);  // no template for item 7
  EXPECT_EQ(soil.layers.Cell(2, 0).GetTable(), nullptr);
}

// A window over a sub-table is told to close whenever the sub-table goes: its row deleted, its
// row's type changed, the rows emptied; CloseSubTables closes the owner's window and those below.
TEST(GridTableSubTables, WindowsOverTablesThatGoAreToldToClose) {
  SoilProfile soil;
  soil.layers.SetRowCount(3);
  std::vector<std::string> closed;
  const auto open = [&closed](TGridTable& table, const std::string& name) {
    table.AttachWindow([](int, int) {}, false, [&closed, name] { closed.push_back(name); });
  };
  open(*soil.layers.Cell(2, 0).GetTable(), "layer 1");
  open(*soil.layers.Cell(2, 1).GetTable(), "layer 2");
  open(*soil.layers.Cell(2, 2).GetTable(), "layer 3");
  open(soil.layers, "layers");

  soil.layers.DeleteRows(1);
  EXPECT_EQ(closed, std::vector<std::string>{"layer 2"});
  soil.layers.Cell(0, 0).SetInt(3);  // clay becomes sand: a new sub-table
  EXPECT_EQ(closed, (std::vector<std::string>{"layer 2", "layer 1"}));
  soil.layers.Cell(0, 0).SetInt(3);  // the same type keeps its sub-table
  EXPECT_EQ(closed.size(), 2u);
  open(*soil.layers.Cell(2, 0).GetTable(), "sand 1");
  soil.layers.CloseSubTables();
  EXPECT_EQ(closed, (std::vector<std::string>{"layer 2", "layer 1", "layers", "sand 1", "layer 3"}));
  EXPECT_FALSE(soil.layers.HasWindow());

  open(*soil.layers.Cell(2, 1).GetTable(), "again 2");
  soil.layers.SetRowCount(0);  // a new project empties the tables
  EXPECT_EQ(closed.back(), "again 2");
  EXPECT_EQ(closed.size(), 6u);
}

TEST(GridTableSubTables, TemplateListFollowsTheItemsOfColumnZero) {
  SoilProfile soil;
  EXPECT_EQ(soil.parameters->Templates().Count(), 3);
  static_cast<TEnumColumn&>(soil.layers.Column(0)).SetItems({"Soft Clay", "Stiff Clay", "Sand", "Silt"});
  EXPECT_EQ(soil.parameters->Templates().Count(), 4);
  EXPECT_EQ(soil.parameters->Templates().Resolve(3), nullptr);
  static_cast<TEnumColumn&>(soil.layers.Column(0)).SetItems({"Soft Clay"});
  EXPECT_EQ(soil.parameters->Templates().Count(), 1);
  EXPECT_EQ(soil.parameters->Templates().Resolve(0), &soil.clay);

  // Without an enum column 0 there is exactly one template, here given by list position.
  TGridTable curves;
  auto& column = static_cast<TTableColumn&>(curves.AddColumn(std::make_unique<TTableColumn>()));
  EXPECT_EQ(column.Templates().Count(), 1);
  column.Templates().Resize(0);
  column.Templates().AddPosition(TGridTable::PositionOf(&soil.sand));
  curves.AddRows();
  ASSERT_NE(curves.Cell(0, 0).GetTable(), nullptr);
  EXPECT_EQ(curves.Cell(0, 0).GetTable()->Caption(), "Sand");
}

TEST(GridTableChanged, EditsInSubTablesCountAndResetClearsThemAll) {
  SoilProfile soil;
  soil.layers.SetRowCount(2);
  EXPECT_FALSE(soil.layers.IsChanged());
  soil.layers.Cell(1, 0).SetFloat(10);  // a cell write alone does not mark the table
  EXPECT_FALSE(soil.layers.IsChanged());
  soil.layers.Cell(2, 1).GetTable()->SetChanged(true);
  EXPECT_TRUE(soil.layers.IsChanged());
  soil.layers.SetChanged(false);
  EXPECT_FALSE(soil.layers.IsChanged());
  EXPECT_FALSE(soil.layers.Cell(2, 1).GetTable()->IsChanged());
  soil.layers.SetChanged(true);
  EXPECT_TRUE(soil.layers.IsChanged());
}

TEST(GridTableRegistry, SettingATakenIdentifierSwapsTheTwo) {
  TGridTable earlier;
  TGridTable later;
  const int earlierOwn = earlier.Identifier();
  const int laterOwn = later.Identifier();
  EXPECT_NE(earlierOwn, laterOwn);
  earlier.SetIdentifier(500015);
  later.SetIdentifier(500015);  // the form declared both with the same value
  EXPECT_EQ(later.Identifier(), 500015);
  EXPECT_EQ(earlier.Identifier(), laterOwn);
  EXPECT_EQ(TGridTable::FindByIdentifier(500015), &later);
  later.SetIdentifier(-3);
  EXPECT_EQ(later.Identifier(), 500015);
}

TEST(GridTableRegistry, DestroyedTablesLeaveTheList) {
  const int before = TGridTable::LiveTableCount();
  int identifier = 0;
  {
    TGridTable table;
    identifier = table.Identifier();
    EXPECT_EQ(TGridTable::LiveTableCount(), before + 1);
    EXPECT_EQ(TGridTable::TableAt(TGridTable::PositionOf(&table)), &table);
  }
  EXPECT_EQ(TGridTable::LiveTableCount(), before);
  EXPECT_EQ(TGridTable::FindByIdentifier(identifier), nullptr);

  // A template that is gone gives rows without a sub-table.
  SoilProfile soil;
  soil.parameters->Templates().Resize(0);
  soil.parameters->Templates().AddIdentifier(identifier);
  soil.layers.AddRows();
  EXPECT_EQ(soil.layers.Cell(2, 0).GetTable(), nullptr);
}

// 1 ft = 0.3048 m, 1 lbf = 4.4482216152605 N exactly; the unit table's factors agree with these
// definitions to about 1e-7 relative (its pound-force factor has eight significant digits).
constexpr long double kDefinitionTolerance = 2e-7L;

TEST(GridTableUnits, FloatValuesAndSubTablesConvertBetweenEnglishAndSI) {
  SoilProfile soil;
  soil.layers.SetRowCount(1);
  soil.layers.Cell(1, 0).SetFloat(10);  // ft
  TGridTable* clay = soil.layers.Cell(2, 0).GetTable();
  clay->Cell(0, 0).SetFloat(120);   // lb/ft^3
  clay->Cell(1, 1).SetFloat(1000);  // lb/ft^2
  EXPECT_EQ(soil.layers.Column(1).GetHeaderLine(1), "of the Layer, (ft)  ");
  EXPECT_EQ(soil.layers.Column(1).GetHeaderLine(0), "Depth at Bottom");

  soil.layers.SetUnits(kSIUnits);
  const long double metres = 10 * 0.3048L;
  const long double kNPerM3 = 120 * 4.4482216152605e-3L / (0.3048L * 0.3048L * 0.3048L);
  const long double kNPerM2 = 1000 * 4.4482216152605e-3L / (0.3048L * 0.3048L);
  EXPECT_NEAR(soil.layers.Cell(1, 0).GetFloat() / metres, 1, kDefinitionTolerance);
  EXPECT_NEAR(clay->Cell(0, 0).GetFloat() / kNPerM3, 1, kDefinitionTolerance);
  EXPECT_NEAR(clay->Cell(1, 1).GetFloat() / kNPerM2, 1, kDefinitionTolerance);
  EXPECT_EQ(clay->Units(), kSIUnits);
  EXPECT_EQ(soil.layers.Column(1).GetHeaderLine(1), "of the Layer, (m)  ");

  // Other units are never converted, in either direction.
  soil.layers.SetUnits(kOtherUnits);
  EXPECT_NEAR(soil.layers.Cell(1, 0).GetFloat() / metres, 1, kDefinitionTolerance);
  EXPECT_EQ(soil.layers.Column(1).GetHeaderLine(1), "of the Layer, (L)  ");
  soil.layers.SetUnits(kSIUnits);
  soil.layers.SetUnits(kEnglishUnits);
  EXPECT_NEAR(soil.layers.Cell(1, 0).GetFloat(), 10, 1e-15L);  // the same factor both ways
  EXPECT_NEAR(clay->Cell(0, 0).GetFloat(), 120, 1e-13L);
}

}  // namespace
}  // namespace korvex
