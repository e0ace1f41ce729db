// The catalogue of the desktop program's input tables: wall stiffness sections, soil layers and
// their parameter templates, distributed and surcharge loads, concentrated loads, deflection and
// slope restraints, springs, tiebacks, p-y modification factors and external p-y curves.
//
// Every table is declared once, as data (catalogueDeclarations), and createCatalogue builds the
// plain tables from that data at start-up. Float values are held in the display units of their
// unit codes (layer depths in ft or m, unit weights in lbs/ft^3 or kN/m^3).
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tables/grid_table.h"
#include "tables/grid_table_chart.h"

namespace korvex {

// The two table families; each has its own identifier space.
enum class TableFamily { Plain, Chart };

enum class ColumnKind { Enum, Int, Float, Table };

// Names of the pictures shown under a table's grid.
inline constexpr const char* kPressureDiagramPicture = "pressure_diagram";
inline constexpr const char* kTiebackPicture = "tieback";

struct ColumnDeclaration {
  ColumnKind kind = ColumnKind::Float;
  std::vector<std::string> headerLines;  // one grid header row per line, trailing blanks kept
  std::vector<std::string> items;        // enum: the choices in order
  int intDefault = 0;                    // int: default and limits
  int intMinimum = -2147483647 - 1;
  int intMaximum = 2147483647;
  std::string unitCode;                  // float: unit code, empty for none
  long double floatDefault = 0.0L;       // float: default, in the display unit of the code
  std::vector<int> templates;            // table: template identifiers, one per item of column 0
};

// The window settings and chart parameters of a chart table.
struct ChartSettings {
  bool getDataFromFile = false;
  bool okCancelButtons = false;
  bool invertedXAxis = false;
  bool invertedYAxis = false;
  TChartParameters parameters;
};

struct TableDeclaration {
  std::string name;  // component name by which the other parts refer to the table
  TableFamily family = TableFamily::Plain;
  int identifier = 0;
  std::string caption;
  std::string topLeft;
  int minRows = 1;
  int maxRows = 0;  // 0: unlimited
  bool hardwiredButton = false;
  bool templateOnly = false;
  std::string comments;  // '\r' is a line break
  std::string helpPicture;  // name of the picture under the grid, empty for none
  ChartSettings chart;
  std::vector<ColumnDeclaration> columns;
};

// Every table of the catalogue, both families, in the order of the main window's form.
const std::vector<TableDeclaration>& catalogueDeclarations();

// The declaration named `name`, or nullptr.
const TableDeclaration* findDeclaration(std::string_view name);

// The tables of the catalogue, both families, created and owned together. While a catalogue is
// alive its tables hold their declared identifiers in their family's registry of live tables.
class Catalogue {
 public:
  Catalogue() = default;
  Catalogue(const Catalogue&) = delete;
  Catalogue& operator=(const Catalogue&) = delete;
  Catalogue(Catalogue&&) = default;
  Catalogue& operator=(Catalogue&&) = default;
  ~Catalogue();

  int TableCount() const { return static_cast<int>(m_tables.size()); }
  TGridTable& TableAt(int i) const { return *m_tables.at(static_cast<std::size_t>(i)).table; }
  const std::string& NameAt(int i) const { return m_tables.at(static_cast<std::size_t>(i)).name; }
  // The table named `name`, or nullptr.
  TGridTable* Table(std::string_view name) const;
  // The chart table named `name`, or nullptr (also for a plain table of that name).
  TGridTableChart* ChartTable(std::string_view name) const;
  // Converts every table (sub-tables follow) to the unit system `system`.
  void SetUnits(int system);

 private:
  friend Catalogue createCatalogue();
  struct Entry {
    std::string name;
    std::unique_ptr<TGridTable> table;
  };
  std::vector<Entry> m_tables;
};

// Creates every table of the catalogue with its properties, comments, help picture, chart
// settings and columns; the tables start with no rows (they are sized to MinRows when a window
// opens or data are loaded).
Catalogue createCatalogue();

}  // namespace korvex
