// The hooks an editing window uses: drop-down lists over enum cells, buttons over sub-table
// cells, opening sub-table windows, the events for row objects other than sub-tables, and the
// minimum column widths. A recording parent stands in for the window's grid.
#include "tables/cell_editors.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tables/column_types.h"
#include "tables/grid_table.h"

namespace korvex {
namespace {

struct RecordedEditor : TCellEditor {
  bool visible = true;
  int itemIndex = -2;
  std::string caption;
  void SetVisible(bool v) override { visible = v; }
  void SetItemIndex(int i) override { itemIndex = i; }
  void SetCaption(const std::string& c) override { caption = c; }
};

struct RecordingParent : TEditorParent {
  int combos = 0;
  int buttons = 0;
  int dropDownCount = 0;
  std::vector<std::string> items;
  std::unique_ptr<TCellEditor> CreateComboBox(const std::vector<std::string>& i, int count) override {
    ++combos;
    items = i;
    dropDownCount = count;
    return std::make_unique<RecordedEditor>();
  }
  std::unique_ptr<TCellEditor> CreateButton() override {
    ++buttons;
    return std::make_unique<RecordedEditor>();
  }
};

RecordedEditor& recorded(const TColumn& column, int i) { return dynamic_cast<RecordedEditor&>(column.Editor(i)); }

template <typename Action>
std::string messageOf(Action action) {
  try {
    action();
  } catch (const std::exception& e) {
    return e.what();
  }
  return "no exception";
}

// A layer table: column 0 the soil type (Clay has a template, Sand has none), column 1 the
// parameters, column 2 a depth.
struct LayerTable {
  TGridTable clay;
  TGridTable layers;
  TEnumColumn* type = nullptr;
  TTableColumn* parameters = nullptr;

  LayerTable() {
    clay.SetIdentifier(990001);
    clay.SetCaption("Clay");
    clay.SetMinRows(2);
    auto cohesion = std::make_unique<TFloatColumn>();
    cohesion->SetHeaderLines({"c"});
    clay.AddColumn(std::move(cohesion));
    auto types = std::make_unique<TEnumColumn>();
    types->SetHeaderLines({"Soil"});
    types->SetItems({"Clay", "Sand", "Rock"});
    type = &dynamic_cast<TEnumColumn&>(layers.AddColumn(std::move(types)));
    auto tables = std::make_unique<TTableColumn>();
    tables->Templates().AddIdentifier(990001);
    tables->Templates().AddIdentifier(990999);  // Sand: no template
    tables->Templates().AddIdentifier(990001);
    parameters = &dynamic_cast<TTableColumn&>(layers.AddColumn(std::move(tables)));
    layers.SetRowCount(5);
  }
};

TEST(EnumEditors, DropDownListsFollowTheirRowsBothWays) {
  LayerTable t;
  t.type->SetInt(2, 3);
  RecordingParent grid;
  t.type->AttachEditors(&grid, 1, 3);
  EXPECT_TRUE(t.type->UsesEditors());
  ASSERT_EQ(t.type->EditorCount(), 3);
  EXPECT_EQ(grid.dropDownCount, 11);
  EXPECT_EQ(grid.items, (std::vector<std::string>{"Clay", "Sand", "Rock"}));
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(recorded(*t.type, i).Tag(), 1 + i);
    EXPECT_FALSE(recorded(*t.type, i).visible);
  }
  EXPECT_EQ(recorded(*t.type, 1).itemIndex, 2);  // row 2 holds item 3
  EXPECT_EQ(recorded(*t.type, 0).itemIndex, 0);

  // A value written to a cell moves its list; a choice in a list writes the cell.
  t.type->SetInt(1, 2);
  EXPECT_EQ(recorded(*t.type, 0).itemIndex, 1);
  t.type->ComboChanged(3, 2);
  EXPECT_EQ(t.type->GetInt(3), 3);
  EXPECT_EQ(t.parameters->GetTable(1), nullptr);  // Sand now: the sub-table went with the type
  EXPECT_EQ(messageOf([&] { t.type->ComboChanged(-1, 0); }), "Unexpected row for combobox");

  // Re-placing with fewer editors drops the extra ones; another grid is refused while they exist.
  t.type->AttachEditors(&grid, 0, 2);
  EXPECT_EQ(t.type->EditorCount(), 2);
  EXPECT_EQ(grid.combos, 3);
  RecordingParent other;
  EXPECT_EQ(messageOf([&] { t.type->AttachEditors(&other, 0, 2); }),
            "Error attempt to change parent with controls already allocated");
  t.type->ReleaseEditors();
  EXPECT_EQ(messageOf([&] { t.type->AttachEditors(nullptr, 0, 2); }), "null parent");
  t.type->AttachEditors(&other, 0, 1);
  EXPECT_EQ(t.type->EditorCount(), 1);
}

TEST(TableEditors, ButtonsAreCheckedInOrderAndCaptionedByTheirSubTables) {
  LayerTable t;
  RecordingParent grid;
  RecordingParent other;
  EXPECT_EQ(messageOf([&] { t.parameters->AttachEditors(nullptr, 0, 1); }), "null parent");
  EXPECT_EQ(messageOf([&] { t.parameters->AttachEditors(&grid, -1, 1); }), "ATopRow -1");
  EXPECT_EQ(messageOf([&] { t.parameters->AttachEditors(&grid, 5, 1); }), "ATopRow 5");
  EXPECT_EQ(messageOf([&] { t.parameters->AttachEditors(&grid, 0, 0); }), "ACount 0");
  EXPECT_EQ(messageOf([&] { t.parameters->AttachEditors(&grid, 3, 3); }), "ACount 3");
  EXPECT_FALSE(t.parameters->HasEditors());

  t.type->SetInt(1, 2);
  t.parameters->AttachEditors(&grid, 0, 3);
  EXPECT_EQ(grid.buttons, 3);
  EXPECT_EQ(recorded(*t.parameters, 0).caption, "1: Clay");
  EXPECT_EQ(recorded(*t.parameters, 1).caption, "2: ");
  EXPECT_EQ(messageOf([&] { t.parameters->AttachEditors(&other, 0, 1); }),
            "Attempt to change parent with controls already allocated");
  // A new type gives the row a new sub-table and its button a new caption.
  t.type->SetInt(1, 3);
  EXPECT_EQ(recorded(*t.parameters, 1).caption, "2: Clay");

  // The window going away frees its editors.
  t.layers.AttachWindow([](int, int) {});
  t.layers.DetachWindow();
  EXPECT_FALSE(t.parameters->HasEditors());
}

TEST(TableWindows, ButtonsOpenSubTablesThroughTheNearestOpener) {
  LayerTable t;
  std::vector<std::pair<TGridTable*, bool>> opened;
  t.layers.SetWindowOpener([&](TGridTable& table, bool modal) { opened.emplace_back(&table, modal); });

  t.parameters->ButtonClicked(0);
  t.layers.AttachWindow([](int, int) {}, true);
  t.parameters->ButtonClicked(2);
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[0], std::make_pair(t.parameters->GetTable(0), false));
  EXPECT_EQ(opened[1], std::make_pair(t.parameters->GetTable(2), true));  // modal like its owner's window
  EXPECT_EQ(messageOf([&] { t.parameters->ButtonClicked(7); }), "Index out of bounds");

  // Show sizes a table to MinRows first; a table without visible columns opens nothing.
  TGridTable bare;
  bare.SetWindowOpener([&](TGridTable& table, bool modal) { opened.emplace_back(&table, modal); });
  bare.Show();
  EXPECT_EQ(opened.size(), 2u);
  auto value = std::make_unique<TIntColumn>();
  bare.AddColumn(std::move(value));
  bare.SetMinRows(4);
  bare.ShowModal();
  ASSERT_EQ(opened.size(), 3u);
  EXPECT_EQ(opened[2], std::make_pair(&bare, true));
  EXPECT_EQ(bare.RowCount(), 4);
}

// Rows whose type has no template may hold objects of the owner's choosing; the table reaches
// them only through its events.
TEST(TableEvents, RowObjectsOtherThanSubTablesAreServedThroughTheEvents) {
  LayerTable t;
  struct Curve {
    int system = 1;
    bool changed = false;
    bool hidden = false;
  };
  std::vector<std::unique_ptr<Curve>> curves;
  std::vector<std::string> calls;
  TTableEvents& events = t.layers.Events();
  events.OnInitRow = [&](TGridTable&, int col, int row, int enumType) -> void* {
    calls.push_back("init " + std::to_string(col) + " " + std::to_string(row) + " " + std::to_string(enumType));
    curves.push_back(std::make_unique<Curve>());
    return curves.back().get();
  };
  events.OnSetRow = [&](TGridTable&, int, TData& data, int row) {
    calls.push_back("set " + std::to_string(row) + " " + std::to_string(data.Row()));
  };
  events.OnGetChanged = [](TGridTable&, int, int, TData& data, bool& changed) {
    changed = changed || static_cast<Curve*>(data.Column()->GetObject(data.Row()))->changed;
  };
  events.OnResetChanged = [](TGridTable&, int, int row, TData& data) {
    static_cast<Curve*>(data.Column()->GetObject(row))->changed = false;
  };
  events.OnHide = [](TGridTable&, int, int, TData& data) {
    static_cast<Curve*>(data.Column()->GetObject(data.Row()))->hidden = true;
  };
  events.OnSetUnits = [](TGridTable&, int, int, TData& data, int system) {
    static_cast<Curve*>(data.Column()->GetObject(data.Row()))->system = system;
  };
  events.OnGetButtonCaption = [](TGridTable&, int, int row, TData&, std::string& caption) {
    if (row == 3) caption += "curve";
  };
  std::vector<int> clicked;
  events.OnButtonClick = [&](TGridTable&, int col, int row, TData&) { clicked.push_back(col * 10 + row); };

  t.type->SetInt(3, 2);
  EXPECT_EQ(calls, (std::vector<std::string>{"init 1 3 2", "set 3 3"}));
  auto* curve = static_cast<Curve*>(t.parameters->GetObject(3));
  ASSERT_NE(curve, nullptr);
  EXPECT_EQ(t.parameters->GetTable(3), nullptr);
  EXPECT_EQ(t.parameters->GetObject(0), t.parameters->GetTable(0));
  EXPECT_EQ(t.parameters->ButtonCaption(3), "4: curve");

  EXPECT_FALSE(t.layers.IsChanged());
  curve->changed = true;
  EXPECT_TRUE(t.layers.IsChanged());
  t.layers.ResetChanged();
  EXPECT_FALSE(curve->changed);
  t.layers.SetUnits(kSIUnits);
  EXPECT_EQ(curve->system, kSIUnits);
  t.layers.CloseSubTables();
  EXPECT_TRUE(curve->hidden);
  t.parameters->ButtonClicked(3);
  EXPECT_EQ(clicked, (std::vector<int>{13}));

  // Back to a type with a template: the object is let go and a sub-table takes the row.
  t.type->SetInt(3, 1);
  EXPECT_NE(t.parameters->GetTable(3), nullptr);
  EXPECT_EQ(t.parameters->GetObject(3), t.parameters->GetTable(3));
  EXPECT_THROW(t.type->GetObject(0), EInvalidCast);
}

struct FixedMeasure : TTextMeasure {
  int TextWidth(const std::string& text) const override { return 7 * static_cast<int>(text.size()); }
  int PixelsPerInch() const override { return 96; }
};

TEST(ColumnWidths, EachClassHasItsOwnFloorUnderTheWidestHeaderLine) {
  const FixedMeasure measure;
  TGridTable table;
  auto type = std::make_unique<TEnumColumn>();
  type->SetHeaderLines({"Soil", "Type"});
  auto count = std::make_unique<TIntColumn>();
  count->SetHeaderLines({"N"});
  auto depth = std::make_unique<TFloatColumn>();
  depth->SetHeaderLines({"Depth at Bottom", "of the Layer,"});
  depth->SetUnitCode("L2");
  auto rows = std::make_unique<TTableColumn>();
  auto note = std::make_unique<TStringColumn>();
  note->SetWidthInches(1.26L);
  table.AddColumn(std::move(type));
  table.AddColumn(std::move(count));
  table.AddColumn(std::move(depth));
  table.AddColumn(std::move(rows));
  table.AddColumn(std::move(note));
  EXPECT_EQ(table.Column(0).MinWidth(measure), 144);  // 1.5 inch over "Soil  " (42)
  EXPECT_EQ(table.Column(1).MinWidth(measure), 48);   // half an inch over "N  " (21)
  // "Depth at Bottom  " is 17 characters; the last line with its unit label,
  // "of the Layer, (ft)    ", is 22.
  EXPECT_EQ(table.Column(2).MinWidth(measure), 7 * 22);
  EXPECT_EQ(table.Column(3).MinWidth(measure), 192);  // two inches
  EXPECT_EQ(table.Column(4).MinWidth(measure), 121);  // 1.26 x 96 = 120.96
}

}  // namespace
}  // namespace korvex
