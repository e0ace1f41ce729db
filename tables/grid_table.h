// The desktop program's table component: a list-like input (wall sections, soil layers, loads,
// springs, p-y curves) held as typed columns of equal length. Rows are added, inserted and
// deleted in groups of `RowGroup`; a table column gives every row its own sub-table built from
// a template table, which is how per-layer soil parameters are held. Float values are stored in
// the display units of the table's unit system and converted when the system changes.
//
// Every live table is listed in its family's process-wide registry (plain tables here, chart
// tables in grid_table_chart.h) with an `Identifier` unique in that family, by which table
// columns find their template tables.
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "entry/unit_codes.h"
#include "tables/cell_editors.h"

namespace korvex {

class TColumn;
class TColumnTypeRegistry;
class TGridTable;

// A cell read or written through a column that does not hold that kind of value.
class EInvalidCast : public std::runtime_error {
 public:
  EInvalidCast() : std::runtime_error("Data of wrong type") {}
};

// An index outside a list.
class EListError : public std::runtime_error {
 public:
  EListError() : std::runtime_error("Index out of bounds") {}
};

// Any other misuse of a table or column (a property value it refuses, a broken column layout).
class TableError : public std::runtime_error {
 public:
  explicit TableError(const std::string& message) : std::runtime_error(message) {}
};

// The handle of one cell: it knows its column and finds its row by its position among the
// column's handles, so it stays valid while rows are inserted or deleted above it.
class TData {
 public:
  explicit TData(TColumn* column) : m_column(column) {}

  TColumn* Column() const { return m_column; }
  int Row() const;

  TGridTable* GetTable() const;
  long double GetFloat() const;
  int GetInt() const;
  std::string GetText() const;
  void SetFloat(long double value);
  void SetInt(int value);

 private:
  TColumn* m_column;
};

// One typed column of a table. The base class holds the header lines, the Visible and Grouped
// flags and one `TData` handle per row; the derived classes hold the cell values in a list
// parallel to the handles. Reading or writing a kind of value a class does not hold raises
// EInvalidCast.
class TColumn {
 public:
  TColumn() = default;
  TColumn(const TColumn&) = delete;
  TColumn& operator=(const TColumn&) = delete;
  virtual ~TColumn() = default;

  // Inserts `count` cells at row `at`; derived classes insert their values first.
  virtual void InsertCells(int at, int count);
  // Removes the cell of `row`.
  virtual void DeleteCell(int row);

  int HeaderLineCount() const { return static_cast<int>(m_headerLines.size()); }
  virtual std::string GetHeaderLine(int i) const;
  const std::vector<std::string>& HeaderLines() const { return m_headerLines; }
  void SetHeaderLines(std::vector<std::string> lines) { m_headerLines = std::move(lines); }

  virtual TGridTable* GetTable(int row) const;
  virtual long double GetFloat(int row) const;
  virtual void SetFloat(int row, long double value);
  virtual int GetInt(int row) const;
  virtual void SetInt(int row, int value);
  virtual std::string GetText(int row) const;
  // Stores an entry typed by the user; raises AssignmentError with the message the window
  // shows, leaving the cell unchanged.
  virtual void SetText(int row, const std::string& text);

  virtual bool IsChanged() const { return false; }
  virtual void ResetChanged() {}
  virtual void CloseSubTables() {}
  // Converts the stored values from the table's current unit system to `system`.
  virtual void SetUnits(int system) { (void)system; }

  // A new, empty column of the same class with the same settings; a clone starts ungrouped.
  virtual std::unique_ptr<TColumn> CloneEmpty() const = 0;

  // The object a table column holds in `row` (a sub-table or an object of the table's
  // OnInitRow event, nullptr for none); other columns raise EInvalidCast.
  virtual void* GetObject(int row) const;

  // --- in-cell editors of the editing window ---
  // Whether the column shows editors over its cells (enum and table columns).
  virtual bool UsesEditors() const { return false; }
  int EditorCount() const { return static_cast<int>(m_editors.size()); }
  bool HasEditors() const { return !m_editors.empty(); }
  TCellEditor& Editor(int i) const;
  // Places `count` editors in `parent` over rows topRow.. (enum and table columns; the others
  // have none).
  virtual void AttachEditors(TEditorParent* parent, int topRow, int count);
  // Frees the editors.
  void ReleaseEditors();
  // The narrowest the column may be drawn, in pixels: its widest header line and two blanks.
  virtual int MinWidth(const TTextMeasure& measure) const;

  // Rows per group of the owning table (1 when the column has no table).
  int RowGroupSize() const;

  bool Visible() const { return m_visible; }
  void SetVisible(bool visible) { m_visible = visible; }
  bool Grouped() const { return m_grouped; }
  void SetGrouped(bool grouped) { m_grouped = grouped; }

  int CellCount() const { return static_cast<int>(m_cells.size()); }
  // The handle of the cell of `row` (handles are shared, so a const column gives them too).
  TData& Cell(int row) const;
  int IndexOf(const TData* data) const;

  TGridTable* Table() const { return m_table; }
  // Index of this column among all columns of its table (-1 without a table).
  int ColumnIndex() const;

 protected:
  // Copies the base settings (header lines, Visible) into a clone.
  void CopyBaseSettings(TColumn& clone) const;
  // Raises EListError unless 0 <= row < CellCount().
  void CheckRow(int row) const;
  // First and last row a write to `row` reaches: the row's group when the column is grouped,
  // else the row itself; both within the cells that exist.
  std::pair<int, int> WriteRange(int row) const;
  // Tells the owning table that the cell of `row` changed.
  void ReportChanged(int row);
  // The editor standing over `row`, or nullptr.
  TCellEditor* EditorOfRow(int row) const;
  // Creates editors with `create` or drops them from the end until there are `count`, tags them
  // with rows topRow.., and hides them.
  template <typename Create>
  void PlaceEditors(TEditorParent* parent, int topRow, int count, Create create) {
    m_editorParent = parent;
    while (EditorCount() > count) m_editors.pop_back();
    while (EditorCount() < count) m_editors.push_back(create(*parent));
    for (int i = 0; i < count; ++i) {
      m_editors[static_cast<std::size_t>(i)]->SetTag(topRow + i);
      m_editors[static_cast<std::size_t>(i)]->SetVisible(false);
    }
  }
  TEditorParent* EditorParent() const { return m_editorParent; }

 private:
  friend class TGridTable;
  TGridTable* m_table = nullptr;
  std::vector<std::string> m_headerLines;
  bool m_visible = true;
  bool m_grouped = false;
  std::vector<std::unique_ptr<TData>> m_cells;
  TEditorParent* m_editorParent = nullptr;
  std::vector<std::unique_ptr<TCellEditor>> m_editors;
};

// One entry of a table column's template list: with `byIdentifier` set, `value` is a table
// `Identifier` looked up each time it is used; otherwise it is a position in the process-wide
// list of tables (-1 resolves to nothing).
struct TIntWrapper {
  bool byIdentifier = false;
  int value = -1;
};

// A list of live tables in creation order and the counter that gives each new table its
// identifier. Each table family (plain and chart tables) has its own, so identifiers of one
// family never clash with those of the other.
struct TTableRegistry {
  std::vector<TGridTable*> tables;
  int counter = 0;

  TGridTable* Find(int identifier) const;
  // The counter's next value that no live table holds, for a new table; moves the counter on.
  int NextFreeIdentifier();
  // The table at `position`, or nullptr outside the list.
  TGridTable* At(int position) const;
  // Position of `table`, or -1.
  int PositionOf(const TGridTable* table) const;
};

class TGridTableList {
 public:
  int Count() const { return static_cast<int>(m_entries.size()); }
  const TIntWrapper& Entry(int i) const { return m_entries.at(static_cast<std::size_t>(i)); }
  void AddIdentifier(int identifier) { m_entries.push_back({true, identifier}); }
  void AddPosition(int position) { m_entries.push_back({false, position}); }
  // Pads with empty entries or cuts from the end to exactly `count` entries.
  void Resize(int count);
  // The table entry `i` refers to now among the tables of `registry`, or nullptr.
  TGridTable* Resolve(int i, const TTableRegistry& registry) const;
  // The same among the plain tables.
  TGridTable* Resolve(int i) const;

 private:
  std::vector<TIntWrapper> m_entries;
};


// Events through which a table column may hold objects other than sub-tables. ACol is the
// column's index among all columns, ARow the 0-based row, AData the cell. No catalogue table
// assigns them.
struct TTableEvents {
  std::function<void()> OnResize;
  std::function<void(TGridTable& sender, int col, int row, TData& data)> OnButtonClick;
  std::function<void(TGridTable& sender, int col, int row, TData& data, std::string& caption)> OnGetButtonCaption;
  std::function<void(TGridTable& sender, int col, int row, TData& data, bool& changed)> OnGetChanged;
  std::function<void(TGridTable& sender, int col, int row, TData& data)> OnHide;
  // Returns the object of a row whose type has no template (nullptr for none).
  std::function<void*(TGridTable& sender, int col, int row, int enumType)> OnInitRow;
  std::function<void(TGridTable& sender, int col, int row, TData& data)> OnResetChanged;
  std::function<void(TGridTable& sender, int col, TData& data, int row)> OnSetRow;
  std::function<void(TGridTable& sender, int col, int row, TData& data, int system)> OnSetUnits;
};

class TGridTable {
 public:
  // A sub-table passes its owning table; its unit system starts as the owner's.
  explicit TGridTable(TGridTable* owner = nullptr);
  TGridTable(const TGridTable&) = delete;
  TGridTable& operator=(const TGridTable&) = delete;
  virtual ~TGridTable();

  // --- properties ---
  const std::string& Comments() const { return m_comments; }
  void SetComments(std::string text) { m_comments = std::move(text); }
  const std::string& Caption() const { return m_caption; }
  void SetCaption(std::string text) { m_caption = std::move(text); }
  const std::string& TopLeft() const { return m_topLeft; }
  void SetTopLeft(std::string text) { m_topLeft = std::move(text); }
  // Name of the picture shown under the grid (empty: none).
  const std::string& HelpPicture() const { return m_helpPicture; }
  void SetHelpPicture(std::string name);
  int MaxRows() const { return m_maxRows; }
  void SetMaxRows(int rows) { m_maxRows = rows; }
  int MinRows() const { return m_minRows; }
  // Rejects values <= 0 with "Value must be greater than 0"; while the table is being loaded
  // such a value becomes 1.
  void SetMinRows(int rows);
  void SetLoading(bool loading) { m_loading = loading; }
  int RowGroup() const { return m_rowGroup; }
  void SetRowGroup(int rows) { m_rowGroup = rows < 1 ? 1 : rows; }
  // Used only when reading the old table-column layout of the column stream.
  bool HardwiredButton() const { return m_hardwiredButton; }
  void SetHardwiredButton(bool hardwired) { m_hardwiredButton = hardwired; }
  TGridTable* Owner() const { return m_owner; }
  int RowNumber() const { return m_rowNumber; }

  // --- the table family ---
  // The live tables of this table's family, among which its table columns find templates.
  const TTableRegistry& Registry() const { return *m_registry; }
  // The unit elements its float columns understand.
  virtual UnitElementSet UnitElements() const { return UnitElementSet::Full; }
  // The column classes of its family with their stream type codes.
  virtual const TColumnTypeRegistry& ColumnTypes() const;

  // --- registry of live tables ---
  int Identifier() const { return m_identifier; }
  // A negative value is ignored; otherwise any other table holding `identifier` takes this
  // table's previous identifier (the two swap), so identifiers stay unique.
  void SetIdentifier(int identifier);
  // The live plain table with `identifier`, or nullptr.
  static TGridTable* FindByIdentifier(int identifier);
  // The table at `position` of the list of live plain tables, or nullptr outside the list.
  static TGridTable* TableAt(int position);
  // Position of `table` in the list of live plain tables, or -1.
  static int PositionOf(const TGridTable* table);
  static int LiveTableCount();
  // The registry of the plain tables.
  static const TTableRegistry& PlainRegistry();

  // --- columns ---
  int ColumnCount() const { return static_cast<int>(m_columns.size()); }
  TColumn& Column(int i) const;
  // Appends a column: it gets cells up to RowCount, the template lists of table columns are
  // re-sized, and the change notification runs. Returns the column.
  TColumn& AddColumn(std::unique_ptr<TColumn> column);
  int IndexOfColumn(const TColumn* column) const;
  int VisibleColumnCount() const;
  // The n-th visible column; outside 0..VisibleColumnCount()-1 raises EListError.
  TColumn& VisibleColumn(int n) const;
  int VisibleIndexOf(const TColumn* column) const;
  int HeaderRowCount() const;

  // --- cells and rows ---
  int RowCount() const { return m_rowCount; }
  TData& Cell(int col, int row) const;
  int GetInt(int col, int row) const;
  // Appends one row group.
  void AddRows();
  // Inserts one row group at the start of the group holding `row` (0 <= row <= RowCount,
  // else EListError).
  void InsertRows(int row);
  // Deletes the group holding `row` (0 <= row < RowCount, else EListError).
  void DeleteRows(int row);
  // Drops rows from the end while there are more than n, appends row groups while fewer; the
  // change notification runs when the count changed.
  void SetRowCount(int n);

  // --- units ---
  int Units() const { return m_units; }
  // Converts every float value (sub-tables included) to `system`; nothing when unchanged.
  void SetUnits(int system);

  // --- changed tracking ---
  bool IsChanged() const;
  // true marks the table changed; false clears the mark here and in every sub-table.
  void SetChanged(bool changed);
  void ResetChanged();

  // --- the open editing window ---
  // The change notification: called after rows are added, inserted or deleted, after the row
  // count changed, after a column is added, and after the unit system changes.
  void SetChangeNotification(std::function<void()> notify) { m_changeNotification = std::move(notify); }
  // The open window's cell refresh, called with (column index, row) after every cell write.
  // While a window is attached, integer columns check their entries. A modal window opens the
  // sub-tables of its buttons modally too. `closeWindow` tells the window to close because its
  // table is going away (destroyed with its row, replaced by a new sub-table, emptied by a new
  // project) or because CloseSubTables freed it; it is called after the window was detached and
  // must not use the table.
  void AttachWindow(std::function<void(int, int)> refreshCell, bool modal = false,
                    std::function<void()> closeWindow = nullptr);
  void DetachWindow();
  bool HasWindow() const { return m_hasWindow; }
  bool WindowIsModal() const { return m_hasWindow && m_windowModal; }

  // Opens the editing window, non-modal or modal, through the window opener of this table or
  // of its nearest owner that has one; nothing when no column is visible. The table is first
  // sized to at least MinRows rows.
  void Show();
  void ShowModal();
  // The main window's way of opening an editing window for a table (and its sub-tables).
  void SetWindowOpener(std::function<void(TGridTable& table, bool modal)> opener) { m_windowOpener = std::move(opener); }

  TTableEvents& Events() { return m_events; }
  const TTableEvents& Events() const { return m_events; }
  // Closes this table's open window and those of every sub-table.
  void CloseSubTables();

  // Called by a column after one of its cells was written: re-creates the row's sub-table when
  // the column is an enum column 0, and lets the open window refresh the cell.
  void CellValueChanged(int col, int row);
  // Re-sizes the template list of every table column to the item count of column 0 when that
  // is an enum column, else to one entry.
  void SizeTemplateLists();

 protected:
  // A table of another family, listed in that family's `registry`.
  TGridTable(TGridTable* owner, TTableRegistry& registry);

  // A new sub-table of row `row` (0-based) built from `source`: owned by this table, in its
  // unit system, with the template's properties and empty clones of its columns, sized to
  // MinRows. `previous` is the row's sub-table being replaced, or nullptr.
  virtual std::unique_ptr<TGridTable> NewSubTable(const TGridTable& source, int row, const TGridTable* previous);
  // Copies the template properties of `source` (caption, comments, top-left text, help
  // picture, row limits) and empty clones of its columns into this table.
  void CopyTemplate(const TGridTable& source);
  void SetRowNumber(int rowNumber) { m_rowNumber = rowNumber; }

 private:
  friend class TTableColumn;
  void Notify();
  void OpenWindow(bool modal);
  // Detaches the open window and tells it to close.
  void CloseWindow();
  void RecreateSubTable(int row);
  void RenumberSubTables();

  TTableRegistry* m_registry;
  // Where the table entered the registry's list; only removals move it, and only towards the
  // front, so it is where the search for it starts when the table goes.
  std::size_t m_registeredAt = 0;
  TGridTable* m_owner;
  std::string m_comments;
  int m_identifier;
  std::string m_caption;
  int m_maxRows = 0;
  int m_minRows = 1;
  int m_rowGroup = 1;
  std::string m_topLeft;
  std::string m_helpPicture;
  bool m_loading = false;
  bool m_hardwiredButton = false;
  int m_rowCount = 0;
  int m_units = 1;
  bool m_changed = false;
  int m_rowNumber = 0;
  bool m_hasWindow = false;
  bool m_windowModal = false;
  std::function<void(TGridTable&, bool)> m_windowOpener;
  TTableEvents m_events;
  std::function<void()> m_changeNotification;
  std::function<void(int, int)> m_refreshCell;
  std::function<void()> m_closeWindow;
  std::vector<std::unique_ptr<TColumn>> m_columns;
};

}  // namespace korvex
