// The column classes: entries typed into cells (evaluated as expressions) with the exact
// messages the window shows, the text form of each kind of cell, the link of a layer-top column
// to the layer-bottom column after it, clones, and the column-type registry.
#include "tables/column_types.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "comma_locale.h"
#include "entry/assignment_error.h"
#include "entry/evaluator.h"
#include "tables/grid_table.h"

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

template <typename Column>
Column& add(TGridTable& table, std::unique_ptr<Column> column) {
  return static_cast<Column&>(table.AddColumn(std::move(column)));
}

TEST(FloatColumnEntry, StoresTheValueOfTheExpressionOrPassesTheEvaluatorsMessage) {
  TGridTable table;
  auto& column = add(table, std::make_unique<TFloatColumn>());
  table.SetRowCount(1);
  column.SetText(0, "2*3");
  EXPECT_EQ(column.GetText(0), "6");
  column.SetText(0, "1/3");
  EXPECT_EQ(column.GetText(0), "0.33333333");  // eight significant digits
  column.SetText(0, "-2.5e-7*4");
  EXPECT_EQ(column.GetText(0), "-1E-6");
  expectMessage<AssignmentError>([&] { column.SetText(0, ""); },
                                 "Entry could not be evaluated:\rentry cannot be blank");
  expectMessage<AssignmentError>([&] { column.SetText(0, "abc"); },
                                 "Entry could not be evaluated:\rinvalid character(s) in expression");
  EXPECT_EQ(column.GetFloat(0), -1e-6L);  // a refused entry leaves the cell as it was
}

TEST(FloatColumnEntry, UnderACommaLocaleTakesTheCommaAndShowsAFullStop) {
  KORVEX_UNDER_COMMA_LOCALE(comma);
  TGridTable table;
  auto& depth = add(table, std::make_unique<TFloatColumn>());
  auto& nodes = add(table, std::make_unique<TIntColumn>());
  table.SetRowCount(1);
  depth.SetText(0, "12,5+0.25");
  EXPECT_EQ(depth.GetFloat(0), 12.75L);
  EXPECT_EQ(depth.GetText(0), "12.75");
  depth.SetText(0, "1234,5678");
  EXPECT_EQ(depth.GetText(0), "1234.5678");
  nodes.SetText(0, "2,5*4");
  EXPECT_EQ(nodes.GetText(0), "10");
}

TEST(IntColumnEntry, AnOpenWindowChecksWholeNumbersAndLimits) {
  TGridTable table;
  auto column = std::make_unique<TIntColumn>();
  column->SetMinimum(0);
  column->SetMaximum(1000);
  column->SetDefault(1);
  auto& nodes = add(table, std::move(column));
  table.SetRowCount(1);
  EXPECT_EQ(nodes.GetInt(0), 1);
  table.AttachWindow([](int, int) {});
  expectMessage<AssignmentError>([&] { nodes.SetText(0, "2.5"); }, "Entry must be an integer.");
  expectMessage<AssignmentError>([&] { nodes.SetText(0, "-2.5"); }, "Entry must be an integer.");
  expectMessage<AssignmentError>([&] { nodes.SetText(0, "1001"); }, "Entry must be between 0 and 1000.");
  expectMessage<AssignmentError>([&] { nodes.SetText(0, "-1"); }, "Entry must be between 0 and 1000.");
  EXPECT_EQ(nodes.GetInt(0), 1);
  nodes.SetText(0, "4*20");
  EXPECT_EQ(nodes.GetText(0), "80");
  nodes.SetText(0, "7+1e-11");  // within 1e-10 of a whole number
  EXPECT_EQ(nodes.GetInt(0), 7);
}

TEST(IntColumnEntry, WithoutAWindowValuesAreRoundedHalfToEven) {
  TGridTable table;
  auto column = std::make_unique<TIntColumn>();
  column->SetMaximum(10);
  auto& nodes = add(table, std::move(column));
  table.SetRowCount(1);
  const struct {
    const char* text;
    int expected;
  } cases[] = {{"2.5", 2}, {"3.5", 4}, {"-2.5", -2}, {"2.6", 3}, {"11", 11}};
  for (const auto& c : cases) {
    nodes.SetText(0, c.text);
    EXPECT_EQ(nodes.GetInt(0), c.expected) << c.text;
  }
  expectMessage<AssignmentError>([&] { nodes.SetText(0, "3e10"); }, "Entry must be between -2147483648 and 10.");
}

TEST(EnumColumnEntry, TakesWholeNumbersWithoutCheckingTheItemCount) {
  TGridTable table;
  auto column = std::make_unique<TEnumColumn>();
  column->SetItems({"Point Load", "Line Load", "Strip Load"});
  auto& types = add(table, std::move(column));
  table.SetRowCount(2);
  EXPECT_EQ(types.GetInt(1), 1);  // a new row holds the first item
  types.SetText(0, "1+2");
  EXPECT_EQ(types.GetText(0), "3");
  types.SetText(0, "9");
  EXPECT_EQ(types.GetInt(0), 9);
  expectMessage<AssignmentError>([&] { types.SetText(0, "2.5"); }, "Value must be an integer.");
  expectMessage<AssignmentError>([&] { types.SetText(0, "3e10"); }, "Value must be an integer.");
  EXPECT_EQ(types.GetInt(0), 9);
  int refreshes = 0;
  table.AttachWindow([&refreshes](int, int) { ++refreshes; });
  types.SetInt(0, 9);  // the same item again is no change
  EXPECT_EQ(refreshes, 0);
  types.SetInt(0, 2);
  EXPECT_EQ(refreshes, 1);
}

TEST(StringColumnEntry, TextIsStoredAsTyped) {
  TGridTable table;
  auto column = std::make_unique<TStringColumn>();
  column->SetDefaultText("none");
  auto& notes = add(table, std::move(column));
  table.SetRowCount(1);
  EXPECT_EQ(notes.GetText(0), "none");
  notes.SetText(0, "1/0 is fine here");
  EXPECT_EQ(notes.GetText(0), "1/0 is fine here");
}

// Layer tops in column 0, bottoms in column 1: the top of layer r is the bottom of layer r-1.
struct LayerTable {
  TGridTable table;
  TFloatColumn* tops;
  TFloatColumn* bottoms;

  LayerTable() {
    auto top = std::make_unique<TFloatColumn>();
    top->SetTopDepth(true);
    tops = &add(table, std::move(top));
    bottoms = &add(table, std::make_unique<TFloatColumn>());
    table.SetRowCount(3);
    // Layers 0-5, 5-12, 12-20.
    bottoms->SetFloat(0, 5);
    bottoms->SetFloat(1, 12);
    bottoms->SetFloat(2, 20);
  }
  std::vector<long double> column(const TFloatColumn& c) const {
    std::vector<long double> values;
    for (int r = 0; r < c.CellCount(); ++r) values.push_back(c.GetFloat(r));
    return values;
  }
};

TEST(TopDepthColumn, WritingABottomSetsTheTopOfTheLayerBelowAndBack) {
  LayerTable layers;
  EXPECT_EQ(layers.column(*layers.tops), (std::vector<long double>{0, 5, 12}));
  layers.tops->SetFloat(2, 14);  // moving the top of layer 2 moves the bottom of layer 1
  EXPECT_EQ(layers.column(*layers.bottoms), (std::vector<long double>{5, 14, 20}));
  std::vector<std::pair<int, int>> refreshed;
  layers.table.AttachWindow([&refreshed](int col, int row) { refreshed.emplace_back(col, row); });
  layers.bottoms->SetText(0, "6");
  EXPECT_EQ(layers.tops->GetFloat(1), 6);
  EXPECT_EQ(refreshed, (std::vector<std::pair<int, int>>{{1, 0}, {0, 1}}));
}

TEST(TopDepthColumn, InsertedAndDeletedRowsKeepTheLayersContiguous) {
  LayerTable layers;
  // A layer inserted at row 1 starts at the bottom of layer 0 and ends at the top of the old
  // layer 1, which is now row 2.
  layers.table.InsertRows(1);
  EXPECT_EQ(layers.column(*layers.tops), (std::vector<long double>{0, 5, 5, 12}));
  EXPECT_EQ(layers.column(*layers.bottoms), (std::vector<long double>{5, 5, 12, 20}));
  layers.bottoms->SetFloat(1, 8);
  // Deleting layer 2 (8-12): the layer below it now starts where layer 1 ends.
  layers.table.DeleteRows(2);
  EXPECT_EQ(layers.column(*layers.tops), (std::vector<long double>{0, 5, 8}));
  EXPECT_EQ(layers.column(*layers.bottoms), (std::vector<long double>{5, 8, 20}));
}

TEST(TopDepthColumn, MustBeFollowedByAFloatColumn) {
  TGridTable table;
  auto top = std::make_unique<TFloatColumn>();
  top->SetTopDepth(true);
  add(table, std::move(top));
  add(table, std::make_unique<TIntColumn>());
  expectMessage<TableError>([&] { table.AddRows(); },
                            "If column if a topdepth then the next column must be a float column");
}

TEST(ColumnClone, CopiesTheSettingsButStartsUngroupedAndEmpty) {
  TGridTable table;
  auto source = std::make_unique<TFloatColumn>();
  source->SetUnitCode("L2");
  source->SetDefault(2.5L);
  source->SetGrouped(true);
  source->SetVisible(false);
  auto& original = add(table, std::move(source));
  table.SetRowCount(2);
  auto clone = original.CloneEmpty();
  auto* copy = dynamic_cast<TFloatColumn*>(clone.get());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->UnitCode(), "L2");
  EXPECT_FALSE(copy->Visible());
  EXPECT_FALSE(copy->Grouped());
  EXPECT_EQ(copy->CellCount(), 0);
  TGridTable other;
  other.AddColumn(std::move(clone));
  other.AddRows();
  EXPECT_EQ(other.Cell(0, 0).GetFloat(), 2.5L);
}

// A column class nobody registered.
class UnknownColumn : public TStringColumn {};

TEST(ColumnTypeRegistry, MapsTheFiveClassesToCodesZeroToFourBothWays) {
  const TColumnTypeRegistry& registry = TColumnTypeRegistry::Instance();
  const std::vector<const std::type_info*> expected = {&typeid(TEnumColumn), &typeid(TIntColumn), &typeid(TFloatColumn),
                                                       &typeid(TTableColumn), &typeid(TStringColumn)};
  for (int code = 0; code < 5; ++code) {
    std::unique_ptr<TColumn> column = registry.Create(code);
    ASSERT_NE(column, nullptr) << code;
    EXPECT_EQ(typeid(*column), *expected[static_cast<std::size_t>(code)]) << code;
    EXPECT_EQ(registry.CodeOf(*column), code);
  }
  EXPECT_EQ(registry.Create(5), nullptr);
  EXPECT_EQ(registry.Create(-1), nullptr);
  EXPECT_EQ(registry.CodeOf(UnknownColumn()), -1);
}

TEST(ColumnTypeRegistry, ShutdownRefusesAListWithForeignClassesLeft) {
  TColumnTypeRegistry clean = TColumnTypeRegistry::WithStandardTypes();
  clean.Shutdown();
  EXPECT_EQ(clean.Count(), 0);

  TColumnTypeRegistry extra = TColumnTypeRegistry::WithStandardTypes();
  extra.Register(typeid(UnknownColumn), 9, [] { return std::make_unique<UnknownColumn>(); });
  expectMessage<TableError>([&] { extra.Shutdown(); }, "Column Type list not empty");
}

}  // namespace
}  // namespace korvex
