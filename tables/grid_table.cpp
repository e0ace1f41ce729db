#include "tables/grid_table.h"

#include <algorithm>

#include "tables/column_types.h"

namespace korvex {

namespace {

// The live plain tables and their identifier counter.
TTableRegistry& plainRegistry() {
  static TTableRegistry registry;
  return registry;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TData

int TData::Row() const { return m_column->IndexOf(this); }
TGridTable* TData::GetTable() const { return m_column->GetTable(Row()); }
long double TData::GetFloat() const { return m_column->GetFloat(Row()); }
int TData::GetInt() const { return m_column->GetInt(Row()); }
std::string TData::GetText() const { return m_column->GetText(Row()); }
void TData::SetFloat(long double value) { m_column->SetFloat(Row(), value); }
void TData::SetInt(int value) { m_column->SetInt(Row(), value); }

// ---------------------------------------------------------------------------------------------
// TColumn

void TColumn::InsertCells(int at, int count) {
  for (int i = 0; i < count; ++i) {
    m_cells.insert(m_cells.begin() + at + i, std::make_unique<TData>(this));
  }
}

void TColumn::DeleteCell(int row) {
  CheckRow(row);
  m_cells.erase(m_cells.begin() + row);
}

std::string TColumn::GetHeaderLine(int i) const { return m_headerLines.at(static_cast<std::size_t>(i)); }

TGridTable* TColumn::GetTable(int) const { throw EInvalidCast(); }
long double TColumn::GetFloat(int) const { throw EInvalidCast(); }
void TColumn::SetFloat(int, long double) { throw EInvalidCast(); }
int TColumn::GetInt(int) const { throw EInvalidCast(); }
void TColumn::SetInt(int, int) { throw EInvalidCast(); }
std::string TColumn::GetText(int) const { return {}; }
void TColumn::SetText(int, const std::string&) {}

void* TColumn::GetObject(int) const { throw EInvalidCast(); }

TCellEditor& TColumn::Editor(int i) const {
  if (i < 0 || i >= EditorCount()) throw EListError();
  return *m_editors[static_cast<std::size_t>(i)];
}

void TColumn::AttachEditors(TEditorParent*, int, int) {}

void TColumn::ReleaseEditors() {
  m_editors.clear();
  m_editorParent = nullptr;
}

TCellEditor* TColumn::EditorOfRow(int row) const {
  for (const auto& editor : m_editors) {
    if (editor->Tag() == row) return editor.get();
  }
  return nullptr;
}

int TColumn::MinWidth(const TTextMeasure& measure) const {
  int width = 0;
  for (int i = 0; i < HeaderLineCount(); ++i) width = std::max(width, measure.TextWidth(GetHeaderLine(i) + "  "));
  return width;
}

int TColumn::RowGroupSize() const { return m_table != nullptr ? m_table->RowGroup() : 1; }

TData& TColumn::Cell(int row) const {
  CheckRow(row);
  return *m_cells[static_cast<std::size_t>(row)];
}

int TColumn::IndexOf(const TData* data) const {
  for (std::size_t i = 0; i < m_cells.size(); ++i) {
    if (m_cells[i].get() == data) return static_cast<int>(i);
  }
  return -1;
}

int TColumn::ColumnIndex() const { return m_table != nullptr ? m_table->IndexOfColumn(this) : -1; }

void TColumn::CopyBaseSettings(TColumn& clone) const {
  clone.m_headerLines = m_headerLines;
  clone.m_visible = m_visible;
}

void TColumn::CheckRow(int row) const {
  if (row < 0 || row >= CellCount()) throw EListError();
}

std::pair<int, int> TColumn::WriteRange(int row) const {
  if (!m_grouped) return {row, row};
  const int group = RowGroupSize();
  const int first = group * (row / group);
  return {first, std::min(first + group - 1, CellCount() - 1)};
}

void TColumn::ReportChanged(int row) {
  if (m_table != nullptr) m_table->CellValueChanged(ColumnIndex(), row);
}

// ---------------------------------------------------------------------------------------------
// TGridTableList

void TGridTableList::Resize(int count) { m_entries.resize(static_cast<std::size_t>(std::max(0, count))); }

TGridTable* TGridTableList::Resolve(int i, const TTableRegistry& registry) const {
  if (i < 0 || i >= Count()) return nullptr;
  const TIntWrapper& entry = m_entries[static_cast<std::size_t>(i)];
  return entry.byIdentifier ? registry.Find(entry.value) : registry.At(entry.value);
}

TGridTable* TGridTableList::Resolve(int i) const { return Resolve(i, plainRegistry()); }

// ---------------------------------------------------------------------------------------------
// TTableRegistry

TGridTable* TTableRegistry::Find(int identifier) const {
  for (TGridTable* table : tables) {
    if (table->Identifier() == identifier) return table;
  }
  return nullptr;
}

int TTableRegistry::NextFreeIdentifier() {
  // Tables that set their identifier (the catalogue declares them) may hold numbers the counter
  // has not reached yet; a new table passes over those, so that a sub-table made after them
  // never shares one.
  while (Find(counter) != nullptr) ++counter;
  return counter++;
}

TGridTable* TTableRegistry::At(int position) const {
  if (position < 0 || position >= static_cast<int>(tables.size())) return nullptr;
  return tables[static_cast<std::size_t>(position)];
}

int TTableRegistry::PositionOf(const TGridTable* table) const {
  const auto it = std::find(tables.begin(), tables.end(), table);
  return it == tables.end() ? -1 : static_cast<int>(it - tables.begin());
}

// ---------------------------------------------------------------------------------------------
// TGridTable: registry

TGridTable::TGridTable(TGridTable* owner) : TGridTable(owner, plainRegistry()) {}

TGridTable::TGridTable(TGridTable* owner, TTableRegistry& registry)
    : m_registry(&registry),
      m_owner(owner),
      m_identifier(registry.NextFreeIdentifier()),
      m_units(owner != nullptr ? owner->Units() : 1) {
  m_registeredAt = registry.tables.size();
  registry.tables.push_back(this);
}

TGridTable::~TGridTable() {
  // An open window closes first; then no notification or refresh reaches a window while the
  // table is taken apart (its sub-tables close theirs as they go).
  CloseWindow();
  SetRowCount(0);
  m_columns.clear();
  // Searched from where the table entered the list towards the front, so that taking apart
  // tables of thousands of sub-tables stays linear in their number.
  auto& tables = m_registry->tables;
  for (std::size_t i = std::min(m_registeredAt + 1, tables.size()); i-- > 0;) {
    if (tables[i] == this) {
      tables.erase(tables.begin() + static_cast<std::ptrdiff_t>(i));
      break;
    }
  }
}

void TGridTable::SetIdentifier(int identifier) {
  if (identifier < 0) return;
  for (TGridTable* other : m_registry->tables) {
    if (other != this && other->m_identifier == identifier) other->m_identifier = m_identifier;
  }
  m_identifier = identifier;
}

TGridTable* TGridTable::FindByIdentifier(int identifier) { return plainRegistry().Find(identifier); }
TGridTable* TGridTable::TableAt(int position) { return plainRegistry().At(position); }
int TGridTable::PositionOf(const TGridTable* table) { return plainRegistry().PositionOf(table); }
int TGridTable::LiveTableCount() { return static_cast<int>(plainRegistry().tables.size()); }
const TTableRegistry& TGridTable::PlainRegistry() { return plainRegistry(); }

const TColumnTypeRegistry& TGridTable::ColumnTypes() const { return TColumnTypeRegistry::Instance(); }

void TGridTable::SetHelpPicture(std::string name) {
  if (name == m_helpPicture) return;
  m_helpPicture = std::move(name);
  // An open window lays itself out again around the new picture.
  Notify();
}

void TGridTable::SetMinRows(int rows) {
  if (rows <= 0) {
    if (!m_loading) throw TableError("Value must be greater than 0");
    rows = 1;
  }
  m_minRows = rows;
}

// ---------------------------------------------------------------------------------------------
// TGridTable: columns

TColumn& TGridTable::Column(int i) const {
  if (i < 0 || i >= ColumnCount()) throw EListError();
  return *m_columns[static_cast<std::size_t>(i)];
}

TColumn& TGridTable::AddColumn(std::unique_ptr<TColumn> column) {
  TColumn& added = *column;
  added.m_table = this;
  m_columns.push_back(std::move(column));
  try {
    added.InsertCells(0, m_rowCount);
  } catch (...) {
    m_columns.pop_back();
    throw;
  }
  SizeTemplateLists();
  Notify();
  return added;
}

int TGridTable::IndexOfColumn(const TColumn* column) const {
  for (std::size_t i = 0; i < m_columns.size(); ++i) {
    if (m_columns[i].get() == column) return static_cast<int>(i);
  }
  return -1;
}

int TGridTable::VisibleColumnCount() const {
  return static_cast<int>(
      std::count_if(m_columns.begin(), m_columns.end(), [](const auto& c) { return c->Visible(); }));
}

TColumn& TGridTable::VisibleColumn(int n) const {
  if (n >= 0) {
    int seen = 0;
    for (const auto& column : m_columns) {
      if (column->Visible() && seen++ == n) return *column;
    }
  }
  throw EListError();
}

int TGridTable::VisibleIndexOf(const TColumn* column) const {
  int seen = 0;
  for (const auto& c : m_columns) {
    if (c->Visible()) {
      if (c.get() == column) return seen;
      ++seen;
    }
  }
  return -1;
}

int TGridTable::HeaderRowCount() const {
  int rows = 0;
  for (const auto& column : m_columns) {
    if (column->Visible()) rows = std::max(rows, column->HeaderLineCount());
  }
  return rows;
}

// ---------------------------------------------------------------------------------------------
// TGridTable: rows

TData& TGridTable::Cell(int col, int row) const { return Column(col).Cell(row); }

int TGridTable::GetInt(int col, int row) const { return Column(col).GetInt(row); }

void TGridTable::AddRows() {
  const int at = m_rowCount;
  m_rowCount += m_rowGroup;
  for (auto& column : m_columns) column->InsertCells(at, m_rowGroup);
  RenumberSubTables();
  Notify();
}

void TGridTable::InsertRows(int row) {
  if (row < 0 || row > m_rowCount) throw EListError();
  const int at = m_rowGroup * (row / m_rowGroup);
  m_rowCount += m_rowGroup;
  for (auto& column : m_columns) column->InsertCells(at, m_rowGroup);
  RenumberSubTables();
  Notify();
}

void TGridTable::DeleteRows(int row) {
  if (row < 0 || row >= m_rowCount) throw EListError();
  const int first = m_rowGroup * (row / m_rowGroup);
  for (auto& column : m_columns) {
    for (int i = 0; i < m_rowGroup && first < column->CellCount(); ++i) column->DeleteCell(first);
  }
  m_rowCount = std::max(0, m_rowCount - m_rowGroup);
  RenumberSubTables();
  Notify();
}

void TGridTable::SetRowCount(int n) {
  n = std::max(0, n);
  for (auto& column : m_columns) {
    while (column->CellCount() > n) column->DeleteCell(column->CellCount() - 1);
    while (column->CellCount() < n) column->InsertCells(column->CellCount(), m_rowGroup);
  }
  int rows = std::min(m_rowCount, n);
  while (rows < n) rows += m_rowGroup;
  const bool changed = rows != m_rowCount;
  m_rowCount = rows;
  RenumberSubTables();
  // An open window shows the new rows (a stage or a file read into the table behind it).
  if (changed) Notify();
}

// ---------------------------------------------------------------------------------------------
// TGridTable: units, changed tracking, window

void TGridTable::SetUnits(int system) {
  if (system == m_units) return;
  for (auto& column : m_columns) column->SetUnits(system);
  m_units = system;
  Notify();
}

bool TGridTable::IsChanged() const {
  if (m_changed) return true;
  return std::any_of(m_columns.begin(), m_columns.end(), [](const auto& c) { return c->IsChanged(); });
}

void TGridTable::SetChanged(bool changed) {
  if (changed) {
    m_changed = true;
  } else {
    ResetChanged();
  }
}

void TGridTable::ResetChanged() {
  m_changed = false;
  for (auto& column : m_columns) column->ResetChanged();
}

void TGridTable::AttachWindow(std::function<void(int, int)> refreshCell, bool modal,
                              std::function<void()> closeWindow) {
  m_refreshCell = std::move(refreshCell);
  m_closeWindow = std::move(closeWindow);
  m_hasWindow = true;
  m_windowModal = modal;
}

void TGridTable::Show() { OpenWindow(false); }
void TGridTable::ShowModal() { OpenWindow(true); }

void TGridTable::OpenWindow(bool modal) {
  if (VisibleColumnCount() == 0) return;
  SetRowCount(std::max(m_rowCount, m_minRows));
  for (TGridTable* table = this; table != nullptr; table = table->m_owner) {
    if (table->m_windowOpener) {
      table->m_windowOpener(*this, modal);
      return;
    }
  }
}

void TGridTable::DetachWindow() {
  m_refreshCell = nullptr;
  m_changeNotification = nullptr;
  m_closeWindow = nullptr;
  m_hasWindow = false;
  m_windowModal = false;
  for (auto& column : m_columns) column->ReleaseEditors();
}

void TGridTable::CloseWindow() {
  std::function<void()> close = std::move(m_closeWindow);
  DetachWindow();
  if (close) close();
}

void TGridTable::CloseSubTables() {
  CloseWindow();
  for (auto& column : m_columns) column->CloseSubTables();
}

void TGridTable::CellValueChanged(int col, int row) {
  if (col == 0 && !m_columns.empty() && dynamic_cast<TEnumColumn*>(m_columns.front().get()) != nullptr) {
    RecreateSubTable(row);
  }
  if (m_refreshCell) m_refreshCell(col, row);
}

void TGridTable::RecreateSubTable(int row) {
  for (auto& column : m_columns) {
    if (auto* tableColumn = dynamic_cast<TTableColumn*>(column.get())) {
      if (row >= 0 && row < tableColumn->CellCount()) tableColumn->CreateSubTable(row);
      break;
    }
  }
}

void TGridTable::SizeTemplateLists() {
  int entries = 1;
  if (!m_columns.empty()) {
    if (auto* types = dynamic_cast<TEnumColumn*>(m_columns.front().get())) {
      entries = static_cast<int>(types->Items().size());
    }
  }
  for (auto& column : m_columns) {
    if (auto* tableColumn = dynamic_cast<TTableColumn*>(column.get())) tableColumn->Templates().Resize(entries);
  }
}

std::unique_ptr<TGridTable> TGridTable::NewSubTable(const TGridTable& source, int row, const TGridTable*) {
  auto table = std::make_unique<TGridTable>(this);
  table->SetRowNumber(row + 1);
  table->CopyTemplate(source);
  table->SetRowCount(table->MinRows());
  return table;
}

void TGridTable::CopyTemplate(const TGridTable& source) {
  SetCaption(source.Caption());
  SetComments(source.Comments());
  SetTopLeft(source.TopLeft());
  SetHelpPicture(source.HelpPicture());
  SetMinRows(source.MinRows());
  SetMaxRows(source.MaxRows());
  for (int c = 0; c < source.ColumnCount(); ++c) AddColumn(source.Column(c).CloneEmpty());
}

void TGridTable::Notify() {
  if (m_changeNotification) m_changeNotification();
}

void TGridTable::RenumberSubTables() {
  for (auto& column : m_columns) {
    if (auto* tableColumn = dynamic_cast<TTableColumn*>(column.get())) {
      for (std::size_t r = 0; r < tableColumn->m_tables.size(); ++r) {
        if (tableColumn->m_tables[r]) tableColumn->m_tables[r]->m_rowNumber = static_cast<int>(r) + 1;
      }
    }
  }
}

}  // namespace korvex
