#include "tables/column_types.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <stdexcept>
#include <string>

#include "entry/assignment_error.h"
#include "entry/evaluator.h"
#include "entry/number_format.h"
#include "entry/unit_codes.h"

namespace korvex {

namespace {

// The value of a cell entry. The evaluator's own errors pass through unchanged; a plain
// conversion failure is reported as a blank or invalid entry.
long double evaluateEntry(const std::string& text) {
  try {
    return evaluateExpression(text);
  } catch (const AssignmentError&) {
    throw;
  } catch (const std::invalid_argument&) {
    throw AssignmentError(text.empty() ? "Entry cannot be blank." : text + " is not a valid number.");
  } catch (const std::out_of_range&) {
    throw AssignmentError(text.empty() ? "Entry cannot be blank." : text + " is not a valid number.");
  }
}

template <typename T>
void insertValues(std::vector<T>& values, int at, int count, const T& value) {
  values.insert(values.begin() + at, static_cast<std::size_t>(count), value);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TEnumColumn

void TEnumColumn::SetItems(std::vector<std::string> items) {
  m_items = std::move(items);
  if (Table() != nullptr) Table()->SizeTemplateLists();
}

void TEnumColumn::InsertCells(int at, int count) {
  insertValues(m_values, at, count, 1);
  TColumn::InsertCells(at, count);
}

void TEnumColumn::DeleteCell(int row) {
  CheckRow(row);
  m_values.erase(m_values.begin() + row);
  TColumn::DeleteCell(row);
}

int TEnumColumn::GetInt(int row) const {
  CheckRow(row);
  return m_values[static_cast<std::size_t>(row)];
}

void TEnumColumn::SetInt(int row, int value) {
  CheckRow(row);
  const auto [first, last] = WriteRange(row);
  for (int r = first; r <= last; ++r) {
    if (m_values[static_cast<std::size_t>(r)] == value) continue;
    m_values[static_cast<std::size_t>(r)] = value;
    if (TCellEditor* combo = EditorOfRow(r)) combo->SetItemIndex(value - 1);
    ReportChanged(r);
  }
}

std::string TEnumColumn::GetText(int row) const { return std::to_string(GetInt(row)); }

void TEnumColumn::SetText(int row, const std::string& text) {
  const long double value = evaluateEntry(text);
  if (value != std::floor(value) || value < static_cast<long double>(INT_MIN) ||
      value > static_cast<long double>(INT_MAX)) {
    throw AssignmentError("Value must be an integer.");
  }
  SetInt(row, static_cast<int>(value));
}

void TEnumColumn::AttachEditors(TEditorParent* parent, int topRow, int count) {
  if (HasEditors() && parent != EditorParent()) {
    throw TableError("Error attempt to change parent with controls already allocated");
  }
  if (parent == nullptr) throw TableError("null parent");
  constexpr int kDropDownCount = 11;
  PlaceEditors(parent, topRow, count,
               [this](TEditorParent& p) { return p.CreateComboBox(m_items, kDropDownCount); });
  for (int i = 0; i < EditorCount(); ++i) {
    const int row = Editor(i).Tag();
    Editor(i).SetItemIndex(row >= 0 && row < CellCount() ? GetInt(row) - 1 : -1);
  }
}

void TEnumColumn::ComboChanged(int tag, int itemIndex) {
  if (tag < 0) throw TableError("Unexpected row for combobox");
  if (itemIndex + 1 != GetInt(tag)) SetInt(tag, itemIndex + 1);
}

int TEnumColumn::MinWidth(const TTextMeasure& measure) const {
  return std::max(TColumn::MinWidth(measure), static_cast<int>(1.5 * measure.PixelsPerInch()));
}

std::unique_ptr<TColumn> TEnumColumn::CloneEmpty() const {
  auto clone = std::make_unique<TEnumColumn>();
  CopyBaseSettings(*clone);
  clone->m_items = m_items;
  return clone;
}

// ---------------------------------------------------------------------------------------------
// TIntColumn

void TIntColumn::InsertCells(int at, int count) {
  insertValues(m_values, at, count, m_default);
  TColumn::InsertCells(at, count);
}

void TIntColumn::DeleteCell(int row) {
  CheckRow(row);
  m_values.erase(m_values.begin() + row);
  TColumn::DeleteCell(row);
}

int TIntColumn::GetInt(int row) const {
  CheckRow(row);
  return m_values[static_cast<std::size_t>(row)];
}

void TIntColumn::SetInt(int row, int value) {
  CheckRow(row);
  const auto [first, last] = WriteRange(row);
  for (int r = first; r <= last; ++r) {
    m_values[static_cast<std::size_t>(r)] = value;
    ReportChanged(r);
  }
}

std::string TIntColumn::GetText(int row) const { return std::to_string(GetInt(row)); }

void TIntColumn::SetText(int row, const std::string& text) {
  const long double value = evaluateEntry(text);
  const std::string range =
      "Entry must be between " + std::to_string(m_minimum) + " and " + std::to_string(m_maximum) + ".";
  if (Table() != nullptr && Table()->HasWindow()) {
    if (std::fabs(value - std::trunc(value)) > 1e-10L) throw AssignmentError("Entry must be an integer.");
    if (value < m_minimum || value > m_maximum) throw AssignmentError(range);
  }
  const long double rounded = roundHalfEven(value);
  // A value that no 32-bit cell can hold is refused even without a window.
  if (rounded < static_cast<long double>(INT_MIN) || rounded > static_cast<long double>(INT_MAX)) {
    throw AssignmentError(range);
  }
  SetInt(row, static_cast<int>(rounded));
}

int TIntColumn::MinWidth(const TTextMeasure& measure) const {
  return std::max(TColumn::MinWidth(measure), measure.PixelsPerInch() / 2);
}

std::unique_ptr<TColumn> TIntColumn::CloneEmpty() const {
  auto clone = std::make_unique<TIntColumn>();
  CopyBaseSettings(*clone);
  clone->m_default = m_default;
  clone->m_minimum = m_minimum;
  clone->m_maximum = m_maximum;
  return clone;
}

// ---------------------------------------------------------------------------------------------
// TFloatColumn

TFloatColumn& TFloatColumn::BottomColumn() const {
  TGridTable* table = Table();
  const int index = ColumnIndex();
  TFloatColumn* next = nullptr;
  if (table != nullptr && index + 1 < table->ColumnCount())
    next = dynamic_cast<TFloatColumn*>(&table->Column(index + 1));
  if (next == nullptr) throw TableError("If column if a topdepth then the next column must be a float column");
  return *next;
}

TFloatColumn* TFloatColumn::TopColumn() const {
  TGridTable* table = Table();
  const int index = ColumnIndex();
  if (table == nullptr || index < 1) return nullptr;
  auto* previous = dynamic_cast<TFloatColumn*>(&table->Column(index - 1));
  return previous != nullptr && previous->m_topDepth ? previous : nullptr;
}

UnitElementSet TFloatColumn::Elements() const {
  return Table() != nullptr ? Table()->UnitElements() : UnitElementSet::Full;
}

void TFloatColumn::InsertCells(int at, int count) {
  for (int i = 0; i < count; ++i) {
    const int d = at + i;
    long double value = m_default;
    if (m_topDepth) {
      const TFloatColumn& bottoms = BottomColumn();
      if (d >= 1 && d <= bottoms.CellCount() - 1) value = bottoms.m_values[static_cast<std::size_t>(d - 1)];
    } else if (const TFloatColumn* tops = TopColumn()) {
      if (d + 1 < tops->CellCount()) value = tops->m_values[static_cast<std::size_t>(d + 1)];
    }
    m_values.insert(m_values.begin() + d, value);
  }
  TColumn::InsertCells(at, count);
}

void TFloatColumn::DeleteCell(int row) {
  CheckRow(row);
  if (m_topDepth && row > 0 && row < CellCount() - 1) {
    const TFloatColumn& bottoms = BottomColumn();
    if (row - 1 < bottoms.CellCount()) {
      m_values[static_cast<std::size_t>(row + 1)] = bottoms.m_values[static_cast<std::size_t>(row - 1)];
    }
  }
  m_values.erase(m_values.begin() + row);
  TColumn::DeleteCell(row);
}

std::string TFloatColumn::GetHeaderLine(int i) const {
  std::string line = TColumn::GetHeaderLine(i);
  if (i != HeaderLineCount() - 1 || m_unitCode.empty()) return line;
  const int system = Table() != nullptr ? Table()->Units() : kEnglishUnits;
  return line + " (" + tableUnitLabel(m_unitCode, system, Elements()) + ")  ";
}

long double TFloatColumn::GetFloat(int row) const {
  CheckRow(row);
  return m_values[static_cast<std::size_t>(row)];
}

void TFloatColumn::Store(int row, long double value) {
  m_values[static_cast<std::size_t>(row)] = value;
  ReportChanged(row);
  if (m_topDepth) {
    TFloatColumn& bottoms = BottomColumn();
    if (row >= 1 && row - 1 < bottoms.CellCount()) {
      bottoms.m_values[static_cast<std::size_t>(row - 1)] = value;
      bottoms.ReportChanged(row - 1);
    }
  } else if (TFloatColumn* tops = TopColumn()) {
    if (row + 1 < tops->CellCount()) {
      tops->m_values[static_cast<std::size_t>(row + 1)] = value;
      tops->ReportChanged(row + 1);
    }
  }
}

void TFloatColumn::SetFloat(int row, long double value) {
  CheckRow(row);
  const auto [first, last] = WriteRange(row);
  for (int r = first; r <= last; ++r) Store(r, value);
}

std::string TFloatColumn::GetText(int row) const { return formatGeneral(GetFloat(row), 8); }

void TFloatColumn::SetText(int row, const std::string& text) { SetFloat(row, evaluateEntry(text)); }

void TFloatColumn::SetUnits(int system) {
  const int current = Table() != nullptr ? Table()->Units() : kEnglishUnits;
  const long double factor = unitConversionFactor(m_unitCode, current, system, Elements());
  for (int r = 0; r < CellCount(); ++r) {
    m_values[static_cast<std::size_t>(r)] *= factor;
    ReportChanged(r);
  }
}

int TFloatColumn::MinWidth(const TTextMeasure& measure) const {
  return std::max(TColumn::MinWidth(measure), measure.PixelsPerInch() / 2);
}

std::unique_ptr<TColumn> TFloatColumn::CloneEmpty() const {
  auto clone = std::make_unique<TFloatColumn>();
  CopyBaseSettings(*clone);
  clone->m_topDepth = m_topDepth;
  clone->m_unitCode = m_unitCode;
  clone->m_default = m_default;
  return clone;
}

// ---------------------------------------------------------------------------------------------
// TTableColumn

void TTableColumn::InsertCells(int at, int count) {
  for (int i = 0; i < count; ++i) {
    m_tables.insert(m_tables.begin() + at + i, nullptr);
    m_objects.insert(m_objects.begin() + at + i, nullptr);
  }
  TColumn::InsertCells(at, count);
  for (int i = 0; i < count; ++i) CreateSubTable(at + i);
}

void TTableColumn::DeleteCell(int row) {
  CheckRow(row);
  m_tables.erase(m_tables.begin() + row);
  m_objects.erase(m_objects.begin() + row);
  TColumn::DeleteCell(row);
}

TGridTable* TTableColumn::GetTable(int row) const {
  CheckRow(row);
  return m_tables[static_cast<std::size_t>(row)].get();
}

void* TTableColumn::GetObject(int row) const {
  CheckRow(row);
  if (TGridTable* table = m_tables[static_cast<std::size_t>(row)].get()) return table;
  return m_objects[static_cast<std::size_t>(row)];
}

template <typename Event>
void TTableColumn::ForEachObject(Event event) const {
  for (std::size_t r = 0; r < m_objects.size(); ++r) {
    if (m_objects[r] != nullptr) event(static_cast<int>(r));
  }
}

bool TTableColumn::IsChanged() const {
  for (const auto& table : m_tables) {
    if (table && table->IsChanged()) return true;
  }
  bool changed = false;
  if (Table() != nullptr && Table()->Events().OnGetChanged) {
    ForEachObject([&](int r) { Table()->Events().OnGetChanged(*Table(), ColumnIndex(), r, Cell(r), changed); });
  }
  return changed;
}

void TTableColumn::ResetChanged() {
  for (auto& table : m_tables) {
    if (table) table->ResetChanged();
  }
  if (Table() != nullptr && Table()->Events().OnResetChanged) {
    ForEachObject([&](int r) { Table()->Events().OnResetChanged(*Table(), ColumnIndex(), r, Cell(r)); });
  }
}

void TTableColumn::CloseSubTables() {
  for (auto& table : m_tables) {
    if (table) table->CloseSubTables();
  }
  if (Table() != nullptr && Table()->Events().OnHide) {
    ForEachObject([&](int r) { Table()->Events().OnHide(*Table(), ColumnIndex(), r, Cell(r)); });
  }
}

void TTableColumn::SetUnits(int system) {
  for (auto& table : m_tables) {
    if (table) table->SetUnits(system);
  }
  if (Table() != nullptr && Table()->Events().OnSetUnits) {
    ForEachObject([&](int r) { Table()->Events().OnSetUnits(*Table(), ColumnIndex(), r, Cell(r), system); });
  }
}

void TTableColumn::AttachEditors(TEditorParent* parent, int topRow, int count) {
  if (HasEditors() && parent != EditorParent()) {
    throw TableError("Attempt to change parent with controls already allocated");
  }
  if (parent == nullptr) throw TableError("null parent");
  if (topRow < 0 || topRow >= CellCount()) throw TableError("ATopRow " + std::to_string(topRow));
  if (count <= 0 || topRow + count > CellCount()) throw TableError("ACount " + std::to_string(count));
  PlaceEditors(parent, topRow, count, [](TEditorParent& p) { return p.CreateButton(); });
  for (int i = 0; i < EditorCount(); ++i) Editor(i).SetCaption(ButtonCaption(Editor(i).Tag()));
}

std::string TTableColumn::ButtonCaption(int row) const {
  const TGridTable* table = GetTable(row);
  std::string caption = std::to_string(row + 1) + ": " + (table != nullptr ? table->Caption() : std::string());
  if (Table() != nullptr && Table()->Events().OnGetButtonCaption) {
    Table()->Events().OnGetButtonCaption(*Table(), ColumnIndex(), row, Cell(row), caption);
  }
  return caption;
}

void TTableColumn::ButtonClicked(int tag) {
  CheckRow(tag);
  if (TGridTable* table = GetTable(tag)) {
    if (Table() != nullptr && Table()->WindowIsModal()) {
      table->ShowModal();
    } else {
      table->Show();
    }
  } else if (Table() != nullptr && Table()->Events().OnButtonClick) {
    Table()->Events().OnButtonClick(*Table(), ColumnIndex(), tag, Cell(tag));
  }
}

int TTableColumn::MinWidth(const TTextMeasure& measure) const {
  return std::max(TColumn::MinWidth(measure), 2 * measure.PixelsPerInch());
}

std::unique_ptr<TColumn> TTableColumn::CloneEmpty() const {
  auto clone = std::make_unique<TTableColumn>();
  CopyBaseSettings(*clone);
  clone->m_templates = m_templates;
  return clone;
}

void TTableColumn::CreateSubTable(int row) {
  CheckRow(row);
  TGridTable* owner = Table();
  int type = 1;
  if (owner != nullptr && ColumnIndex() != 0) {
    if (auto* types = dynamic_cast<TEnumColumn*>(&owner->Column(0))) type = types->GetInt(row);
  }
  auto& cell = m_tables[static_cast<std::size_t>(row)];
  void*& object = m_objects[static_cast<std::size_t>(row)];
  object = nullptr;
  if (owner == nullptr) {  // a column outside any table holds no sub-tables
    cell.reset();
    return;
  }
  const TGridTable* source = Template(type - 1);
  if (source != nullptr) {
    cell = owner->NewSubTable(*source, row, cell.get());
  } else {
    cell.reset();
    const TTableEvents& events = owner->Events();
    if (events.OnInitRow) {
      object = events.OnInitRow(*owner, ColumnIndex(), row, type);
      if (events.OnSetRow) events.OnSetRow(*owner, ColumnIndex(), Cell(row), row);
    }
  }
  if (TCellEditor* button = EditorOfRow(row)) button->SetCaption(ButtonCaption(row));
}

TGridTable* TTableColumn::Template(int i) const {
  return Table() != nullptr ? m_templates.Resolve(i, Table()->Registry()) : m_templates.Resolve(i);
}

// ---------------------------------------------------------------------------------------------
// TStringColumn

void TStringColumn::InsertCells(int at, int count) {
  insertValues(m_values, at, count, m_default);
  TColumn::InsertCells(at, count);
}

void TStringColumn::DeleteCell(int row) {
  CheckRow(row);
  m_values.erase(m_values.begin() + row);
  TColumn::DeleteCell(row);
}

std::string TStringColumn::GetText(int row) const {
  CheckRow(row);
  return m_values[static_cast<std::size_t>(row)];
}

void TStringColumn::SetText(int row, const std::string& text) {
  CheckRow(row);
  const auto [first, last] = WriteRange(row);
  for (int r = first; r <= last; ++r) {
    m_values[static_cast<std::size_t>(r)] = text;
    ReportChanged(r);
  }
}

int TStringColumn::MinWidth(const TTextMeasure& measure) const {
  return std::max(TColumn::MinWidth(measure),
                  static_cast<int>(std::lround(static_cast<double>(m_width) * measure.PixelsPerInch())));
}

std::unique_ptr<TColumn> TStringColumn::CloneEmpty() const {
  auto clone = std::make_unique<TStringColumn>();
  CopyBaseSettings(*clone);
  clone->m_default = m_default;
  clone->m_width = m_width;
  return clone;
}

// ---------------------------------------------------------------------------------------------
// TColumnTypeRegistry

TColumnTypeRegistry TColumnTypeRegistry::WithStandardTypes() {
  TColumnTypeRegistry registry;
  registry.Register(typeid(TEnumColumn), 0, [] { return std::make_unique<TEnumColumn>(); });
  registry.Register(typeid(TIntColumn), 1, [] { return std::make_unique<TIntColumn>(); });
  registry.Register(typeid(TFloatColumn), 2, [] { return std::make_unique<TFloatColumn>(); });
  registry.Register(typeid(TTableColumn), 3, [] { return std::make_unique<TTableColumn>(); });
  registry.Register(typeid(TStringColumn), 4, [] { return std::make_unique<TStringColumn>(); });
  return registry;
}

TColumnTypeRegistry& TColumnTypeRegistry::Instance() {
  static TColumnTypeRegistry registry = WithStandardTypes();
  return registry;
}

TColumnTypeRegistry& TColumnTypeRegistry::ChartInstance() {
  static TColumnTypeRegistry registry = WithStandardTypes();
  return registry;
}

void TColumnTypeRegistry::Register(std::type_index type, int code, Factory factory) {
  m_entries.push_back({type, code, std::move(factory)});
}

void TColumnTypeRegistry::Unregister(std::type_index type) {
  for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
    if (it->type == type) {
      m_entries.erase(it);
      return;
    }
  }
}

int TColumnTypeRegistry::CodeOf(const TColumn& column) const {
  const std::type_index type(typeid(column));
  for (const Entry& entry : m_entries) {
    if (entry.type == type) return entry.code;
  }
  return -1;
}

std::unique_ptr<TColumn> TColumnTypeRegistry::Create(int code) const {
  for (const Entry& entry : m_entries) {
    if (entry.code == code) return entry.factory();
  }
  return nullptr;
}

void TColumnTypeRegistry::Shutdown() {
  Unregister(typeid(TEnumColumn));
  Unregister(typeid(TIntColumn));
  Unregister(typeid(TFloatColumn));
  Unregister(typeid(TTableColumn));
  Unregister(typeid(TStringColumn));
  if (!m_entries.empty()) throw TableError("Column Type list not empty");
}

}  // namespace korvex
