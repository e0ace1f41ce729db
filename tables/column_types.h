// The column classes of the table component and the registry that maps each class to its
// stream type code (enum 0, int 1, float 2, table 3, string 4).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <typeindex>
#include <vector>

#include "tables/grid_table.h"

namespace korvex {

// A choice among items; a cell holds the 1-based item number, new cells the first item.
class TEnumColumn : public TColumn {
 public:
  const std::vector<std::string>& Items() const { return m_items; }
  // Replaces the item list; the owning table re-sizes its template lists.
  void SetItems(std::vector<std::string> items);

  void InsertCells(int at, int count) override;
  void DeleteCell(int row) override;
  int GetInt(int row) const override;
  // Stores and reports the value only when it differs from the cell.
  void SetInt(int row, int value) override;
  std::string GetText(int row) const override;
  // The entry must evaluate to a whole number in the 32-bit range: "Value must be an integer.".
  void SetText(int row, const std::string& text) override;
  std::unique_ptr<TColumn> CloneEmpty() const override;

  // Drop-down lists of the items, 11 shown when dropped down, each selecting its row's item.
  bool UsesEditors() const override { return true; }
  void AttachEditors(TEditorParent* parent, int topRow, int count) override;
  // The user chose item `itemIndex` (0-based) in the list tagged `tag`.
  void ComboChanged(int tag, int itemIndex);
  // At least one and a half inches.
  int MinWidth(const TTextMeasure& measure) const override;

 private:
  std::vector<std::string> m_items;
  std::vector<int> m_values;
};

// A 32-bit integer with a default and limits checked on entry through an open window.
class TIntColumn : public TColumn {
 public:
  int Default() const { return m_default; }
  void SetDefault(int value) { m_default = value; }
  int Minimum() const { return m_minimum; }
  void SetMinimum(int value) { m_minimum = value; }
  int Maximum() const { return m_maximum; }
  void SetMaximum(int value) { m_maximum = value; }

  void InsertCells(int at, int count) override;
  void DeleteCell(int row) override;
  int GetInt(int row) const override;
  void SetInt(int row, int value) override;
  std::string GetText(int row) const override;
  // With an open window: "Entry must be an integer." beyond 1e-10 of a whole number and
  // "Entry must be between %d and %d." outside the limits; the value is rounded half to even.
  void SetText(int row, const std::string& text) override;
  std::unique_ptr<TColumn> CloneEmpty() const override;
  // At least half an inch.
  int MinWidth(const TTextMeasure& measure) const override;

 private:
  int m_default = 0;
  int m_minimum = -2147483647 - 1;
  int m_maximum = 2147483647;
  std::vector<int> m_values;
};

// An extended-precision value in the display unit named by UnitCode. A TopDepth column holds
// layer tops and is linked to the next column, which holds the bottoms, so that the top of a
// layer is always the bottom of the layer above it:
//
//   row | top (TopDepth column) | bottom (next column)
//    0  |  t0                   |  b0
//    1  |  t1 = b0              |  b1
//    2  |  t2 = b1              |  b2
class TFloatColumn : public TColumn {
 public:
  bool TopDepth() const { return m_topDepth; }
  void SetTopDepth(bool topDepth) { m_topDepth = topDepth; }
  const std::string& UnitCode() const { return m_unitCode; }
  void SetUnitCode(std::string code) { m_unitCode = std::move(code); }
  long double Default() const { return m_default; }
  void SetDefault(long double value) { m_default = value; }

  void InsertCells(int at, int count) override;
  void DeleteCell(int row) override;
  // The last header line carries the unit label of UnitCode in the table's unit system.
  std::string GetHeaderLine(int i) const override;
  long double GetFloat(int row) const override;
  void SetFloat(int row, long double value) override;
  // General format, 8 significant digits.
  std::string GetText(int row) const override;
  void SetText(int row, const std::string& text) override;
  // Multiplies every value by the factor of UnitCode between the table's system and `system`.
  void SetUnits(int system) override;
  std::unique_ptr<TColumn> CloneEmpty() const override;
  // At least half an inch.
  int MinWidth(const TTextMeasure& measure) const override;

 private:
  // The float column after this TopDepth column; raises TableError when there is none.
  TFloatColumn& BottomColumn() const;
  // The TopDepth float column before this column, or nullptr.
  TFloatColumn* TopColumn() const;
  void Store(int row, long double value);
  // The unit elements of the owning table's family.
  UnitElementSet Elements() const;

  bool m_topDepth = false;
  std::string m_unitCode;
  long double m_default = 0.0L;
  std::vector<long double> m_values;
};

// Gives every row its own sub-table, built from a template table chosen by the row's value of
// column 0 (when that is an enum column; else the one template).
class TTableColumn : public TColumn {
 public:
  TGridTableList& Templates() { return m_templates; }
  const TGridTableList& Templates() const { return m_templates; }

  void InsertCells(int at, int count) override;
  void DeleteCell(int row) override;
  TGridTable* GetTable(int row) const override;
  // The row's sub-table, or the object the table's OnInitRow event gave it.
  void* GetObject(int row) const override;
  // Sub-tables answer for themselves; other objects through the table's events.
  bool IsChanged() const override;
  void ResetChanged() override;
  void CloseSubTables() override;
  void SetUnits(int system) override;
  std::unique_ptr<TColumn> CloneEmpty() const override;

  // Push buttons, one per row, captioned by ButtonCaption.
  bool UsesEditors() const override { return true; }
  // Raises TableError when another parent already holds the buttons, without a parent, or
  // when rows topRow..topRow+count-1 are not all rows of the table.
  void AttachEditors(TEditorParent* parent, int topRow, int count) override;
  // "%d: %s" with the 1-based row and the sub-table's caption, or the text of the table's
  // OnGetButtonCaption event.
  std::string ButtonCaption(int row) const;
  // The button of the row tagged `tag` was pressed: its sub-table opens (modally when the
  // table's own window is modal); other objects go to the table's OnButtonClick event.
  void ButtonClicked(int tag);
  // At least two inches.
  int MinWidth(const TTextMeasure& measure) const override;

  // Replaces the sub-table of `row` with a fresh one from the template of the row's type, or
  // with nothing when that template does not resolve.
  void CreateSubTable(int row);
  // The template of entry `i` among the tables of the owning table's family, or nullptr.
  TGridTable* Template(int i) const;

 private:
  friend class TGridTable;
  // Calls `event` of the owning table for every row holding an object other than a sub-table.
  template <typename Event>
  void ForEachObject(Event event) const;

  TGridTableList m_templates;
  std::vector<std::unique_ptr<TGridTable>> m_tables;
  std::vector<void*> m_objects;  // rows without a sub-table: the OnInitRow object, or nullptr
};

// Free text with a default and a width in inches.
class TStringColumn : public TColumn {
 public:
  const std::string& DefaultText() const { return m_default; }
  void SetDefaultText(std::string text) { m_default = std::move(text); }
  long double WidthInches() const { return m_width; }
  void SetWidthInches(long double width) { m_width = width; }

  void InsertCells(int at, int count) override;
  void DeleteCell(int row) override;
  std::string GetText(int row) const override;
  void SetText(int row, const std::string& text) override;
  std::unique_ptr<TColumn> CloneEmpty() const override;
  // At least its width in inches.
  int MinWidth(const TTextMeasure& measure) const override;

 private:
  std::string m_default;
  long double m_width = 0.0L;
  std::vector<std::string> m_values;
};

// Pairs of column class and stream type code. Lookups go both ways: an unknown class gives -1,
// an unknown code no column.
class TColumnTypeRegistry {
 public:
  using Factory = std::function<std::unique_ptr<TColumn>()>;

  // A registry holding the five column classes with codes 0 to 4.
  static TColumnTypeRegistry WithStandardTypes();
  // The registry of the plain tables, filled with the five classes on first use.
  static TColumnTypeRegistry& Instance();
  // The chart tables' own registry, with the same five classes and codes.
  static TColumnTypeRegistry& ChartInstance();

  void Register(std::type_index type, int code, Factory factory);
  void Unregister(std::type_index type);
  int Count() const { return static_cast<int>(m_entries.size()); }
  int CodeOf(const TColumn& column) const;
  // A new column of the class registered for `code`, or nullptr.
  std::unique_ptr<TColumn> Create(int code) const;
  // Unregisters the five standard classes; raises TableError "Column Type list not empty" when
  // anything else is still registered.
  void Shutdown();

 private:
  struct Entry {
    std::type_index type;
    int code;
    Factory factory;
  };
  std::vector<Entry> m_entries;
};

}  // namespace korvex
