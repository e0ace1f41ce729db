#include "tables/column_types.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <stdexcept>

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
  char range[96];
  std::snprintf(range, sizeof range, "Entry must be between %d and %d.", m_minimum, m_maximum);
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
  return line + " (" + tableUnitLabel(m_unitCode, system) + ")  ";
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
  const long double factor = unitConversionFactor(m_unitCode, current, system);
  for (int r = 0; r < CellCount(); ++r) {
    m_values[static_cast<std::size_t>(r)] *= factor;
    ReportChanged(r);
  }
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
  for (int i = 0; i < count; ++i) m_tables.insert(m_tables.begin() + at + i, nullptr);
  TColumn::InsertCells(at, count);
  for (int i = 0; i < count; ++i) CreateSubTable(at + i);
}

void TTableColumn::DeleteCell(int row) {
  CheckRow(row);
  m_tables.erase(m_tables.begin() + row);
  TColumn::DeleteCell(row);
}

TGridTable* TTableColumn::GetTable(int row) const {
  CheckRow(row);
  return m_tables[static_cast<std::size_t>(row)].get();
}

bool TTableColumn::IsChanged() const {
  for (const auto& table : m_tables) {
    if (table && table->IsChanged()) return true;
  }
  return false;
}

void TTableColumn::ResetChanged() {
  for (auto& table : m_tables) {
    if (table) table->ResetChanged();
  }
}

void TTableColumn::CloseSubTables() {
  for (auto& table : m_tables) {
    if (table) table->CloseSubTables();
  }
}

void TTableColumn::SetUnits(int system) {
  for (auto& table : m_tables) {
    if (table) table->SetUnits(system);
  }
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
  const TGridTable* source = m_templates.Resolve(type - 1);
  if (source == nullptr) {
    m_tables[static_cast<std::size_t>(row)].reset();
    return;
  }
  auto table = std::make_unique<TGridTable>(owner);
  table->m_rowNumber = row + 1;
  table->SetCaption(source->Caption());
  table->SetComments(source->Comments());
  table->SetTopLeft(source->TopLeft());
  table->SetMinRows(source->MinRows());
  table->SetMaxRows(source->MaxRows());
  for (int c = 0; c < source->ColumnCount(); ++c) table->AddColumn(source->Column(c).CloneEmpty());
  table->SetRowCount(table->MinRows());
  m_tables[static_cast<std::size_t>(row)] = std::move(table);
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
