// The chart family of the table component: tables whose editing window can draw two columns as
// a chart above the grid and read rows from a text file (moment-EI curves, external p-y curves).
// A chart table behaves as a plain table except that
//   - chart tables have their own registry of live tables and identifiers (starting at 0) and
//     their own registry of column types, and their table columns find templates among chart
//     tables only;
//   - its float columns know only the unit elements F, F1, F2, L, L1 and L2;
//   - it carries the window and chart settings below, which a sub-table copies from its
//     template, and its column stream ends with the six chart parameters;
//   - when a row's sub-table is re-created while one exists, the new one keeps the old one's
//     row count and the values of every float column common to both (the same position holding
//     a float column in each), so a curve survives a change of its row's type.
#pragma once

#include <memory>

#include "tables/column_types.h"
#include "tables/grid_table.h"

namespace korvex {

// Which columns the chart draws and how.
struct TChartParameters {
  bool showChart = false;
  bool segmentMode = false;
  int xColumn = 0;
  int yColumn = 0;
  int x2Column = 0;
  int y2Column = 0;

  bool operator==(const TChartParameters&) const = default;
};

class TGridTableChart : public TGridTable {
 public:
  explicit TGridTableChart(TGridTable* owner = nullptr);

  // --- window settings ---
  bool GetDataFromFile() const { return m_getDataFromFile; }
  void SetGetDataFromFile(bool value) { m_getDataFromFile = value; }
  bool OKCancelButtons() const { return m_okCancelButtons; }
  void SetOKCancelButtons(bool value) { m_okCancelButtons = value; }
  bool InvertedXAxis() const { return m_invertedXAxis; }
  void SetInvertedXAxis(bool value) { m_invertedXAxis = value; }
  bool InvertedYAxis() const { return m_invertedYAxis; }
  void SetInvertedYAxis(bool value) { m_invertedYAxis = value; }

  // --- chart parameters (stored with the columns) ---
  const TChartParameters& Chart() const { return m_chart; }
  void SetChart(const TChartParameters& chart) { m_chart = chart; }

  // --- the chart family ---
  UnitElementSet UnitElements() const override { return UnitElementSet::Chart; }
  const TColumnTypeRegistry& ColumnTypes() const override;
  // The live chart table with `identifier`, or nullptr.
  static TGridTable* FindByIdentifier(int identifier);
  static TGridTable* TableAt(int position);
  static int PositionOf(const TGridTable* table);
  static int LiveTableCount();
  static const TTableRegistry& ChartRegistry();

 protected:
  std::unique_ptr<TGridTable> NewSubTable(const TGridTable& source, int row, const TGridTable* previous) override;

 private:
  bool m_getDataFromFile = false;
  bool m_okCancelButtons = false;
  bool m_invertedXAxis = false;
  bool m_invertedYAxis = false;
  TChartParameters m_chart;
};

// The chart family's names of the shared classes. A column's family is that of the table it
// belongs to (units, template look-up); the chart family's own column-type registry lists them
// under the same codes 0 to 4.
using TColumnChart = TColumn;
using TEnumColumnChart = TEnumColumn;
using TIntColumnChart = TIntColumn;
using TFloatColumnChart = TFloatColumn;
using TTableColumnChart = TTableColumn;
using TStringColumnChart = TStringColumn;
using TDataChart = TData;
using TGridTableListChart = TGridTableList;
using TColumnChartTypeStorage = TColumnTypeRegistry;

}  // namespace korvex
