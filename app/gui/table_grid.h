// The grid of a table window: a table view over TGridTableModel with the table's in-cell
// editors (a drop-down list over every enum cell, a push button over every sub-table cell),
// which the columns own and this grid creates, places over their cells and forwards to.
//
// Storing a cell. Typing into a cell opens an entry over it; the entry's text is stored through
// the column (TGridTable SetText) when the user leaves it: Enter, Tab, a click elsewhere in the
// grid, a combo box or button of the grid, the window losing the focus, a command of the main
// window, closing. A refused entry shows its message, keeps its text as typed and stays current
// and open; the click or command that wanted to leave it does not happen. A cell only looked at
// (no entry opened, or its text unchanged) stores nothing.
#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QTableView>

#include <functional>
#include <memory>
#include <string>

#include "tables/cell_editors.h"

namespace korvex {

class TColumn;
class TGridTable;
class TGridTableModel;

class TTableGrid : public QTableView, public TEditorParent, public TTextMeasure {
  Q_OBJECT

 public:
  // The grid's messages (a refused entry, a failure of an editor) go to `showMessage`.
  TTableGrid(TGridTableModel& model, std::function<void(const std::string&)> showMessage, QWidget* parent = nullptr);
  ~TTableGrid() override;

  TGridTableModel& tableModel() const { return m_model; }

  // Lets every column with editors place them over all rows, and fits the columns and rows to
  // the table (after the table's rows, columns or units changed).
  void attachEditors();
  // Puts the editors over the cells now in view and hides the others.
  void placeEditors();

  // Stores the open entry's text; true when there was none, it was unchanged or it was stored.
  // A refused entry's message has been shown and the entry stays open and focused (false).
  bool storeCurrentCell();
  // The open entry, if any.
  QLineEdit* openEntry() const { return m_entry; }
  // Closes the open entry without storing it (its table went away, the window is forced shut).
  void dropEntry();

  // The width of the grid's label column, the height of its header and of a row.
  int labelWidth() const;
  int headerHeight() const;
  int rowHeight() const;

  // The size the window's layout gives the grid at first: its shown rows and columns.
  void setPreferredSize(QSize size) { m_preferred = size; updateGeometry(); }
  QSize sizeHint() const override { return m_preferred.isValid() ? m_preferred : QTableView::sizeHint(); }

  // TEditorParent: the widgets of the column being attached.
  std::unique_ptr<TCellEditor> CreateComboBox(const std::vector<std::string>& items, int dropDownCount) override;
  std::unique_ptr<TCellEditor> CreateButton() override;
  // TTextMeasure: text widths in the grid's font, the screen's logical pixels per inch.
  int TextWidth(const std::string& text) const override;
  int PixelsPerInch() const override;

  // Called by the entry's delegate.
  void entryOpened(QLineEdit* entry, const QModelIndex& index);
  void entryKey(int key);
  void entryFocusLost(Qt::FocusReason reason);

 signals:
  // A stored entry or a choice changed the table (the chart redraws).
  void tableEdited();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void scrollContentsBy(int dx, int dy) override;
  void updateGeometries() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Moves the current cell to `row`, `column` (after the entry was stored).
  void moveTo(int row, int column);
  void comboChosen(TColumn& column, int tag, int item);
  void buttonClicked(TColumn& column, int tag);
  void editorEntered(int tag, TColumn& column);
  void showMessage(const std::string& message);

  TGridTableModel& m_model;
  std::function<void(const std::string&)> m_showMessage;
  TColumn* m_attaching = nullptr;  // the column whose editors are being created
  QPointer<QLineEdit> m_entry;
  QPersistentModelIndex m_entryIndex;
  bool m_storing = false;
  QSize m_preferred;
};

}  // namespace korvex
