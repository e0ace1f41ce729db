#include "tables/table_editing.h"

#include <algorithm>

#include "entry/assignment_error.h"

namespace korvex {

std::string windowCaption(const TGridTable& table) {
  // Row numbers from the outermost table inwards: "2" for layer 2, "3.1" for a sub-table of a
  // sub-table.
  std::string path;
  for (const TGridTable* t = &table; t != nullptr && t->RowNumber() > 0; t = t->Owner()) {
    path = std::to_string(t->RowNumber()) + (path.empty() ? "" : "." + path);
  }
  return path.empty() ? table.Caption() : table.Caption() + " " + path;
}

int rowLabel(const TGridTable& table, int row) { return row / table.RowGroup() + 1; }

RowButtons rowButtons(const TGridTable& table) {
  RowButtons buttons;
  buttons.visible = table.MinRows() != table.MaxRows();
  buttons.addEnabled = table.MaxRows() == 0 || table.RowCount() < table.MaxRows();
  buttons.deleteEnabled = table.RowCount() > table.MinRows();
  return buttons;
}

bool isTypedColumn(const TGridTable& table, int column) {
  return column >= 0 && column < table.VisibleColumnCount() && !table.VisibleColumn(column).UsesEditors();
}

std::optional<std::string> storeCellText(TGridTable& table, int row, int column, const std::string& text) {
  if (!isTypedColumn(table, column) || row < 0 || row >= table.RowCount()) return std::nullopt;
  TColumn& target = table.VisibleColumn(column);
  if (text == target.GetText(row)) return std::nullopt;
  try {
    target.SetText(row, text);
  } catch (const AssignmentError& error) {
    return std::string(error.what());
  }
  table.SetChanged(true);
  return std::nullopt;
}

GridCell nextCellOnEnter(const TGridTable& table, GridCell from) {
  std::vector<int> typed;
  for (int c = 0; c < table.VisibleColumnCount(); ++c) {
    if (isTypedColumn(table, c)) typed.push_back(c);
  }
  if (typed.empty() || table.RowCount() == 0) return from;
  if (from.row + 1 < table.RowCount()) return {from.row + 1, from.column};
  const auto next = std::upper_bound(typed.begin(), typed.end(), from.column);
  return {0, next == typed.end() ? typed.front() : *next};
}

std::optional<std::string> insertRowGroup(TGridTable& table, int row) {
  if (row < 0 || row >= table.RowCount()) return std::string(kNoCurrentRow);
  table.InsertRows(row);
  table.SetChanged(true);
  return std::nullopt;
}

std::optional<std::string> deleteRowGroup(TGridTable& table, int row) {
  if (row < 0 || row >= table.RowCount()) return std::string(kNoCurrentRow);
  table.DeleteRows(row);
  table.SetChanged(true);
  return std::nullopt;
}

void addRowGroup(TGridTable& table) {
  table.AddRows();
  table.SetChanged(true);
}

int initialShownRows(const TGridTable& table, int limit) { return std::min(table.RowCount(), limit); }

int shownRowsAfterAdd(int shown, int rowsBefore, const TGridTable& table, int limit) {
  if (shown != rowsBefore) return shown;
  return std::min(shown + table.RowGroup(), limit);
}

GridFit fitWholeRowsAndColumns(int availableWidth, int availableHeight, int labelWidth, int headerHeight,
                               int rowHeight, const std::vector<int>& columnWidths, int firstColumn, int rowCount) {
  GridFit fit;
  fit.width = labelWidth;
  const int first = std::clamp(firstColumn, 0, std::max(0, static_cast<int>(columnWidths.size()) - 1));
  for (std::size_t c = static_cast<std::size_t>(first); c < columnWidths.size(); ++c) {
    if (fit.columns > 0 && fit.width + columnWidths[c] > availableWidth) break;
    fit.width += columnWidths[c];
    ++fit.columns;
  }
  fit.rows = rowHeight > 0 ? std::clamp((availableHeight - headerHeight) / rowHeight, 1, std::max(1, rowCount)) : 1;
  fit.height = headerHeight + fit.rows * rowHeight;
  return fit;
}

}  // namespace korvex
