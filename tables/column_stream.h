// The `Col` property of a table: its columns in the standard component streaming format.
//
//   column count
//   per column: type code, header lines (list of strings), Visible, Grouped, then by class
//     enum    items (list of strings)
//     int     default, minimum, maximum
//     float   TopDepth, "FLOATCOLUMN2", UnitCode, default (extended)
//     table   "FLEXCOLUMN2", list of template identifiers (-1 for an entry without a table)
//     string  default text, width in inches (extended)
//   chart tables only: ShowChart, SegmentMode, XColumn, YColumn, X2Column, Y2Column
//
// Reading also accepts two older layouts: a float column whose string after TopDepth is the
// UnitCode itself with no default (default 0), and a table column with any other string
// followed by one table position.
#pragma once

#include <memory>

#include "tables/component_stream.h"
#include "tables/grid_table.h"

namespace korvex {

// Appends the data of `column` without its type code: the common part (header lines,
// Visible, Grouped) followed by the class's own fields, in the current layout. Raises
// TableError "Error Column Class not defined" for a class outside the five column classes.
void WriteColumnData(const TColumn& column, ComponentWriter& writer);

// A new column of the class registered for `code`, its fields read from `reader`; `owner` is the
// table it will join (the old table-column layout depends on its columns and HardwiredButton).
// Raises TableError "Error Column Class not defined" for an unknown code, StreamReadError when
// the fields do not read; nothing is left allocated on failure.
std::unique_ptr<TColumn> CreateColumnFromStream(int code, const TGridTable& owner, ComponentReader& reader);

// Writes the column count, then each column's type code (from the table family's column-type
// registry) and data, then for a chart table its chart parameters.
void WriteColumns(const TGridTable& table, ComponentWriter& writer);

// Reads a column count and appends that many columns to `table`, each getting cells up to
// RowCount. Failures raise TableError: "Error reading column count", or
// "Error occured when creating column %d: %s" (0-based index, inner message) after freeing the
// half-made column; the columns read before it stay in the table. A chart table then reads its
// chart parameters: "Error reading graphic parameters" when they do not read.
void ReadColumns(TGridTable& table, ComponentReader& reader);

}  // namespace korvex
