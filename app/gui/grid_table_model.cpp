#include "app/gui/grid_table_model.h"

#include <QStringList>

#include "tables/column_types.h"
#include "tables/table_editing.h"

namespace korvex {

TGridTableModel::TGridTableModel(TGridTable* table, QObject* parent) : QAbstractTableModel(parent), m_table(table) {}

void TGridTableModel::setTable(TGridTable* table) {
  beginResetModel();
  m_table = table;
  endResetModel();
}

int TGridTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || m_table == nullptr ? 0 : m_table->RowCount();
}

int TGridTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() || m_table == nullptr ? 0 : m_table->VisibleColumnCount();
}

QVariant TGridTableModel::data(const QModelIndex& index, int role) const {
  if (m_table == nullptr || !checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  const TColumn& column = m_table->VisibleColumn(index.column());
  const int row = index.row();
  if (const auto* list = dynamic_cast<const TEnumColumn*>(&column)) {
    const int item = list->GetInt(row);
    if (item >= 1 && item <= static_cast<int>(list->Items().size()))
      return QString::fromStdString(list->Items()[static_cast<std::size_t>(item - 1)]);
    return QString::number(item);
  }
  if (const auto* tables = dynamic_cast<const TTableColumn*>(&column)) {
    return QString::fromStdString(tables->ButtonCaption(row));
  }
  return QString::fromStdString(column.GetText(row));
}

QVariant TGridTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (m_table == nullptr || section < 0) return {};
  if (orientation == Qt::Vertical) {
    if (section >= m_table->RowCount()) return {};
    if (role == Qt::DisplayRole) return rowLabel(*m_table, section);
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignCenter);
    return {};
  }
  if (section >= m_table->VisibleColumnCount()) return {};
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
  if (role != Qt::DisplayRole) return {};
  // One text line per header row, so that the lines of all columns stand in the same rows.
  const TColumn& column = m_table->VisibleColumn(section);
  QStringList lines;
  for (int i = 0; i < m_table->HeaderRowCount(); ++i)
    lines << (i < column.HeaderLineCount() ? QString::fromStdString(column.GetHeaderLine(i)) : QString());
  return lines.join(QLatin1Char('\n'));
}

Qt::ItemFlags TGridTableModel::flags(const QModelIndex& index) const {
  if (m_table == nullptr || !checkIndex(index, CheckIndexOption::IndexIsValid)) return Qt::NoItemFlags;
  if (!isTypedColumn(*m_table, index.column())) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool TGridTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !checkIndex(index, CheckIndexOption::IndexIsValid)) return false;
  return !storeText(index, value.toString().toStdString()).has_value();
}

std::optional<std::string> TGridTableModel::storeText(const QModelIndex& index, const std::string& text) {
  if (m_table == nullptr || !checkIndex(index, CheckIndexOption::IndexIsValid)) return std::nullopt;
  std::optional<std::string> refused = storeCellText(*m_table, index.row(), index.column(), text);
  if (!refused && rowCount() > 0 && columnCount() > 0)
    emit dataChanged(this->index(0, 0), this->index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole, Qt::EditRole});
  return refused;
}

void TGridTableModel::reload() {
  beginResetModel();
  endResetModel();
}

void TGridTableModel::cellWritten(int tableColumn, int row) {
  if (m_table == nullptr || tableColumn < 0 || tableColumn >= m_table->ColumnCount() || row < 0 ||
      row >= m_table->RowCount())
    return;
  const int column = m_table->VisibleIndexOf(&m_table->Column(tableColumn));
  if (column < 0) return;
  emit dataChanged(index(row, column), index(row, column), {Qt::DisplayRole, Qt::EditRole});
}

}  // namespace korvex
