// What a table's editing window decides apart from its widgets: the caption, the row labels,
// which row buttons show and work, how a typed cell entry is stored, where Enter goes, the rows
// the window shows without scrolling and how the window snaps to whole rows and columns.
//
// Cells are addressed as the grid shows them: `row` is the 0-based table row, `column` the
// 0-based index among the table's visible columns (the grid's column of row labels is not
// counted).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tables/grid_table.h"

namespace korvex {

// The message of an Insert or Delete with no data row current.
inline constexpr const char* kNoCurrentRow = "Grid.Row not in valid range";

// Rows a window shows without scrolling at most: ten, five while a chart stands above the grid.
inline constexpr int kShownRows = 10;
inline constexpr int kShownRowsUnderChart = 5;

// The window caption: the table's caption and, for a sub-table, the path of rows that leads to
// it ("Sand 2" for the parameters of layer 2; "External p-y Curve 3").
std::string windowCaption(const TGridTable& table);

// The label of a grid row: the row's group, counted from 1.
int rowLabel(const TGridTable& table, int row);

struct RowButtons {
  bool visible = false;  // Add, Insert and Delete are shown: the row count is not fixed
  bool addEnabled = false;  // Add and Insert: below MaxRows (0: no limit)
  bool deleteEnabled = false;  // above MinRows
};
RowButtons rowButtons(const TGridTable& table);

// Whether the grid takes typed entries in the visible column `column` (enum and table columns
// have their own editors over the cells instead).
bool isTypedColumn(const TGridTable& table, int column);

// Stores `text` typed into a cell: passed to the column's SetText and the table marked changed.
// A text equal to what the cell shows is not stored (a cell only looked at keeps its full
// precision and leaves the table unchanged). Returns the message of a refused entry; the cell
// is then unchanged.
std::optional<std::string> storeCellText(TGridTable& table, int row, int column, const std::string& text);

struct GridCell {
  int row = 0;
  int column = 0;
  bool operator==(const GridCell&) const = default;
};

// Where Enter goes from `from`: the next row; from the last row the first row of the next typed
// column; from the last typed column the first typed column. `from` itself when the table has
// no rows or no typed column.
GridCell nextCellOnEnter(const TGridTable& table, GridCell from);

// Insert and Delete act on the group of `row`; a row outside the table is refused with
// kNoCurrentRow. The table is marked changed.
std::optional<std::string> insertRowGroup(TGridTable& table, int row);
std::optional<std::string> deleteRowGroup(TGridTable& table, int row);
// Add appends a row group and marks the table changed.
void addRowGroup(TGridTable& table);

// Rows shown without scrolling when a window opens: the table's rows, at most `limit`
// (kShownRows, or kShownRowsUnderChart under a chart).
int initialShownRows(const TGridTable& table, int limit);
// Rows shown after Add: when all rows were shown before (`rowsBefore` of them), the new group
// is shown too, up to `limit`; otherwise the count stays.
int shownRowsAfterAdd(int shown, int rowsBefore, const TGridTable& table, int limit);

// How many whole rows and columns fit into a grid area, and the extent that holds exactly them.
// Row heights are uniform; `columnWidths` are the widths of the data columns in order, the first
// `firstColumn` of them scrolled out of view. At least one data column is always shown.
struct GridFit {
  int rows = 0;
  int columns = 0;
  int width = 0;   // label column and the whole columns shown
  int height = 0;  // header and the whole rows shown
};
GridFit fitWholeRowsAndColumns(int availableWidth, int availableHeight, int labelWidth, int headerHeight,
                               int rowHeight, const std::vector<int>& columnWidths, int firstColumn, int rowCount);

}  // namespace korvex
