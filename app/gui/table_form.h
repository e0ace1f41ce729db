// TTableForm: the editing window of one TGridTable. The table in a grid (header rows, row
// labels, drop-down lists over enum cells, buttons over sub-table cells), the Add Row, Insert
// Row and Delete Row buttons within the table's row limits, the table's comments and help
// picture underneath. The window follows its table: a change of rows or units shows it afresh,
// a written cell is shown at once, and when the table goes away (its row deleted, its soil type
// changed, the project replaced) or its option is switched off the window closes.
//
// As a data window it stores the open cell entry when it is deactivated or a command runs, and
// refuses to close while that entry is refused.
#pragma once

#include "app/gui/data_window.h"

class QHBoxLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace korvex {

class PictureBox;
class TGridTable;
class TGridTableModel;
class TTableGrid;

class TTableForm : public TDataWindow {
  Q_OBJECT

 public:
  // A window over `table`; `modal` when it is shown in a modal dialog (its sub-tables then open
  // modally too).
  TTableForm(ProjectSession& session, TGridTable& table, bool modal, QWidget* parent = nullptr);
  ~TTableForm() override;

  // The table shown; null once it went away or the window let it go.
  TGridTable* table() const { return m_table; }
  TTableGrid* grid() const { return m_grid; }
  TGridTableModel* model() const { return m_model; }
  // Rows shown without scrolling.
  int shownRows() const { return m_shownRows; }

  // Shows the table afresh (on activation and after the project was reloaded).
  void loadFromProject() override;
  // Stores the open cell entry; false when it was refused.
  bool commitToProject() override;

  // Lets go of the table at once (the window is closing).
  void detach();

 signals:
  // The table's values changed through this window or its table (the chart redraws).
  void valuesChanged();

 protected:
  // Shows the table afresh: caption, grid, editors, buttons, comments, picture, sizes.
  virtual void refresh();
  // Rows shown without scrolling at most.
  virtual int shownRowsLimit() const;
  // Asks the window to grow until its shown rows and columns fit.
  void growToFit();
  // Closes the window (or its modal dialog) once the current event is handled.
  void closeWindow();

  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

  // Places for the chart variant's controls: above the grid, right of the grid, and the row of
  // buttons (Add, Insert, Delete).
  QVBoxLayout* m_above = nullptr;
  QVBoxLayout* m_beside = nullptr;
  QHBoxLayout* m_buttonRow = nullptr;
  QPushButton* m_add = nullptr;
  QPushButton* m_insert = nullptr;
  QPushButton* m_delete = nullptr;

 private:
  // The table went away or CloseSubTables closed its windows: let go now, close soon.
  void tableClosing();
  void addRow();
  void insertRow();
  void deleteRow();
  // The grid's size for the shown rows and all columns.
  void fitGrid();
  // After the user resized the window: whole rows and columns, the window snapped to them.
  void snapToWholeCells();

  TGridTable* m_table;
  bool m_modal;
  TGridTableModel* m_model = nullptr;
  TTableGrid* m_grid = nullptr;
  QLabel* m_comments = nullptr;
  PictureBox* m_picture = nullptr;
  int m_shownRows = -1;
  bool m_snapping = false;
  bool m_snapPending = false;
};

}  // namespace korvex
