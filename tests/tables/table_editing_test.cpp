// What a table window decides without its widgets: row buttons, storing typed entries, Enter,
// Insert and Delete, the caption of sub-table windows, the rows shown and the snapping to whole
// rows and columns. The tables are the catalogue's.
#include "tables/table_editing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tables/catalogue.h"

namespace korvex {
namespace {

struct RowButtonCase {
  int minRows;
  int maxRows;
  int rows;
  RowButtons expected;
};

// Add and Insert stop below MaxRows (a table already over-full cannot grow); Delete stops at
// MinRows; a fixed row count shows no buttons.
TEST(TableEditing, RowButtonsFollowTheRowLimits) {
  const std::vector<RowButtonCase> cases = {
      {1, 10, 1, {true, true, false}},  {1, 10, 9, {true, true, true}},  {1, 10, 10, {true, false, true}},
      {1, 10, 12, {true, false, true}}, {1, 0, 500, {true, true, true}}, {2, 2, 2, {false, false, false}},
  };
  for (const RowButtonCase& c : cases) {
    TGridTable table;
    table.SetMinRows(c.minRows);
    table.SetMaxRows(c.maxRows);
    table.SetRowCount(c.rows);
    const RowButtons b = rowButtons(table);
    EXPECT_EQ(b.visible, c.expected.visible) << c.minRows << "-" << c.maxRows << " with " << c.rows;
    EXPECT_EQ(b.addEnabled, c.expected.addEnabled) << c.minRows << "-" << c.maxRows << " with " << c.rows;
    EXPECT_EQ(b.deleteEnabled, c.expected.deleteEnabled) << c.minRows << "-" << c.maxRows << " with " << c.rows;
  }
}

struct WallStiffness {
  Catalogue catalogue = createCatalogue();
  TGridTable& table = *catalogue.Table("PileSect");  // from, to, constant/interpolate, EI

  WallStiffness() {
    table.SetRowCount(3);
    table.AttachWindow([](int, int) {});
    table.ResetChanged();
  }
};

TEST(TableEditing, TypedEntriesAreStoredOrRefusedWithTheColumnsMessage) {
  WallStiffness w;
  EXPECT_EQ(storeCellText(w.table, 0, 3, "2*3"), std::nullopt);
  EXPECT_EQ(w.table.Cell(3, 0).GetText(), "6");
  EXPECT_TRUE(w.table.IsChanged());

  w.table.ResetChanged();
  EXPECT_EQ(storeCellText(w.table, 1, 1, "2.5"), std::optional<std::string>("Entry must be an integer."));
  EXPECT_EQ(storeCellText(w.table, 1, 1, "abc"),
            std::optional<std::string>("Entry could not be evaluated:\rinvalid character(s) in expression"));
  EXPECT_EQ(w.table.Cell(1, 1).GetInt(), 1);
  EXPECT_FALSE(w.table.IsChanged());
}

// A cell whose text is not changed is not stored: it keeps its full precision and the table
// stays unchanged.
TEST(TableEditing, AnUnchangedCellTextStoresNothing) {
  WallStiffness w;
  w.table.Cell(3, 2).SetFloat(1.0L / 3);
  w.table.ResetChanged();
  const std::string shown = w.table.Cell(3, 2).GetText();
  EXPECT_EQ(shown, "0.33333333");
  EXPECT_EQ(storeCellText(w.table, 2, 3, shown), std::nullopt);
  EXPECT_EQ(w.table.Cell(3, 2).GetFloat(), 1.0L / 3);
  EXPECT_FALSE(w.table.IsChanged());
  // The enum column has its own editor: the grid stores nothing there.
  EXPECT_EQ(storeCellText(w.table, 0, 2, "2"), std::nullopt);
  EXPECT_EQ(w.table.Cell(2, 0).GetInt(), 1);
}

// Enter goes down, then to the top of the next typed column, then back to the first; the
// enum column (2) is passed over.
TEST(TableEditing, EnterWalksDownTheTypedColumns) {
  WallStiffness w;
  const std::vector<std::pair<GridCell, GridCell>> moves = {
      {{0, 0}, {1, 0}}, {{2, 0}, {0, 1}}, {{2, 1}, {0, 3}}, {{2, 3}, {0, 0}}};
  for (const auto& [from, to] : moves) {
    EXPECT_EQ(nextCellOnEnter(w.table, from), to) << from.row << "," << from.column;
  }
}

TEST(TableEditing, InsertAndDeleteNeedADataRowAndMarkTheTableChanged) {
  WallStiffness w;
  EXPECT_EQ(insertRowGroup(w.table, -1), std::optional<std::string>(kNoCurrentRow));
  EXPECT_EQ(deleteRowGroup(w.table, 3), std::optional<std::string>(kNoCurrentRow));
  EXPECT_FALSE(w.table.IsChanged());
  w.table.Cell(3, 1).SetFloat(7);
  EXPECT_EQ(insertRowGroup(w.table, 1), std::nullopt);
  EXPECT_EQ(w.table.RowCount(), 4);
  EXPECT_EQ(w.table.Cell(3, 2).GetFloat(), 7);
  EXPECT_TRUE(w.table.IsChanged());
  ASSERT_EQ(deleteRowGroup(w.table, 0), std::nullopt);
  ASSERT_EQ(deleteRowGroup(w.table, 0), std::nullopt);
  ASSERT_EQ(deleteRowGroup(w.table, 0), std::nullopt);
  EXPECT_EQ(w.table.RowCount(), 1);
  EXPECT_FALSE(rowButtons(w.table).deleteEnabled);
}

TEST(TableEditing, SubTableWindowsNameTheRowTheyBelongTo) {
  Catalogue catalogue = createCatalogue();
  TGridTable& soil = *catalogue.Table("NewSoil");
  soil.SetRowCount(2);
  soil.Cell(0, 1).SetInt(4);
  EXPECT_EQ(windowCaption(soil), "Soil Layers");
  EXPECT_EQ(windowCaption(*soil.Cell(2, 1).GetTable()), "Sand 2");
  EXPECT_EQ(rowLabel(soil, 1), 2);
}

TEST(TableEditing, ShownRowsStartAtTheLimitAndGrowWithAdd) {
  TGridTable table;
  table.SetRowGroup(2);
  table.SetRowCount(4);
  EXPECT_EQ(initialShownRows(table, kShownRows), 4);
  EXPECT_EQ(initialShownRows(table, 3), 3);
  EXPECT_EQ(shownRowsAfterAdd(4, 4, table, kShownRows), 6);
  EXPECT_EQ(shownRowsAfterAdd(3, 4, table, kShownRows), 3);  // some were scrolled out already
  EXPECT_EQ(shownRowsAfterAdd(5, 5, table, kShownRowsUnderChart), 5);
}

// Whole rows and columns: the label column, then data columns while they fit (always one), and
// the header with as many whole rows as fit (at least one, at most the table's).
TEST(TableEditing, ResizingSnapsToWholeRowsAndColumns) {
  const std::vector<int> widths = {100, 150, 120};
  GridFit fit = fitWholeRowsAndColumns(399, 200, 30, 40, 25, widths, 0, 10);
  EXPECT_EQ(fit.columns, 2);
  EXPECT_EQ(fit.width, 280);
  EXPECT_EQ(fit.rows, 6);
  EXPECT_EQ(fit.height, 190);
  fit = fitWholeRowsAndColumns(50, 20, 30, 40, 25, widths, 2, 3);
  EXPECT_EQ(fit.columns, 1);
  EXPECT_EQ(fit.width, 150);
  EXPECT_EQ(fit.rows, 1);
  fit = fitWholeRowsAndColumns(1000, 1000, 30, 40, 25, widths, 0, 3);
  EXPECT_EQ(fit.columns, 3);
  EXPECT_EQ(fit.rows, 3);
}

}  // namespace
}  // namespace korvex
