// A Qt item model over a TGridTable, as its editing window shows it: one model row per table
// row, one model column per visible table column. The horizontal header gives each column's
// header lines (the last with its unit label), one text line per header row; the vertical
// header gives the row labels. Cells of columns without in-cell editors show and take their
// text; cells under a drop-down list show the item, cells under a button its caption, and
// neither can be selected (their editors take the input).
#pragma once

#include <QAbstractTableModel>

#include <optional>
#include <string>

namespace korvex {

class TGridTable;

class TGridTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit TGridTableModel(TGridTable* table, QObject* parent = nullptr);

  TGridTable* table() const { return m_table; }
  // Shows another table, or none (its table went away).
  void setTable(TGridTable* table);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Stores an edited text (see storeText); false when it was refused.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  // Stores `text` typed into the cell at `index`; after a store every cell is shown again (an
  // expression turns into its value). Returns the message of a refused entry, the cell unchanged.
  std::optional<std::string> storeText(const QModelIndex& index, const std::string& text);

  // The table's rows, columns or units changed: everything is shown afresh.
  void reload();
  // One cell of the table (by its index among all columns) was written.
  void cellWritten(int tableColumn, int row);

 private:
  TGridTable* m_table;
};

}  // namespace korvex
