#include "tables/column_stream.h"

#include <exception>
#include <string>
#include <vector>

#include "tables/column_types.h"
#include "tables/grid_table_chart.h"

namespace korvex {

namespace {

const char* const kFloatColumnMark = "FLOATCOLUMN2";
const char* const kTableColumnMark = "FLEXCOLUMN2";
const char* const kClassNotDefined = "Error Column Class not defined";

void writeStringList(const std::vector<std::string>& items, ComponentWriter& writer) {
  writer.WriteListBegin();
  for (const std::string& item : items) writer.WriteString(item);
  writer.WriteListEnd();
}

std::vector<std::string> readStringList(ComponentReader& reader) {
  std::vector<std::string> items;
  reader.ReadListBegin();
  while (!reader.EndOfList()) items.push_back(reader.ReadString());
  reader.ReadListEnd();
  return items;
}

// The template list of a table column in the old layout: one table position N, spread over the
// item types of an enum column 0 when there is one.
void readOldTemplates(TTableColumn& column, const TGridTable& owner, ComponentReader& reader) {
  const int position = reader.ReadInteger();
  TGridTableList& templates = column.Templates();
  const auto* enumColumn = owner.ColumnCount() > 0 ? dynamic_cast<const TEnumColumn*>(&owner.Column(0)) : nullptr;
  if (enumColumn == nullptr) {
    templates.AddPosition(position);
    return;
  }
  const int k = static_cast<int>(enumColumn->Items().size());
  for (int i = 1; i <= k; ++i) {
    if (owner.HardwiredButton()) {
      templates.AddPosition(position);
    } else {
      templates.AddIdentifier(i);
    }
  }
}

}  // namespace

void WriteColumnData(const TColumn& column, ComponentWriter& writer) {
  writeStringList(column.HeaderLines(), writer);
  writer.WriteBoolean(column.Visible());
  writer.WriteBoolean(column.Grouped());
  if (const auto* c = dynamic_cast<const TEnumColumn*>(&column)) {
    writeStringList(c->Items(), writer);
  } else if (const auto* c = dynamic_cast<const TIntColumn*>(&column)) {
    writer.WriteInteger(c->Default());
    writer.WriteInteger(c->Minimum());
    writer.WriteInteger(c->Maximum());
  } else if (const auto* c = dynamic_cast<const TFloatColumn*>(&column)) {
    writer.WriteBoolean(c->TopDepth());
    writer.WriteString(kFloatColumnMark);
    writer.WriteString(c->UnitCode());
    writer.WriteFloat(c->Default());
  } else if (const auto* c = dynamic_cast<const TTableColumn*>(&column)) {
    writer.WriteString(kTableColumnMark);
    writer.WriteListBegin();
    const TGridTableList& templates = c->Templates();
    for (int i = 0; i < templates.Count(); ++i) {
      const TGridTable* table = c->Template(i);
      writer.WriteInteger(table != nullptr ? table->Identifier() : -1);
    }
    writer.WriteListEnd();
  } else if (const auto* c = dynamic_cast<const TStringColumn*>(&column)) {
    writer.WriteString(c->DefaultText());
    writer.WriteFloat(c->WidthInches());
  } else {
    throw TableError(kClassNotDefined);
  }
}

std::unique_ptr<TColumn> CreateColumnFromStream(int code, const TGridTable& owner, ComponentReader& reader) {
  std::unique_ptr<TColumn> column = owner.ColumnTypes().Create(code);
  if (column == nullptr) throw TableError(kClassNotDefined);
  column->SetHeaderLines(readStringList(reader));
  column->SetVisible(reader.ReadBoolean());
  column->SetGrouped(reader.ReadBoolean());
  if (auto* c = dynamic_cast<TEnumColumn*>(column.get())) {
    c->SetItems(readStringList(reader));
  } else if (auto* c = dynamic_cast<TIntColumn*>(column.get())) {
    c->SetDefault(reader.ReadInteger());
    c->SetMinimum(reader.ReadInteger());
    c->SetMaximum(reader.ReadInteger());
  } else if (auto* c = dynamic_cast<TFloatColumn*>(column.get())) {
    c->SetTopDepth(reader.ReadBoolean());
    const std::string mark = reader.ReadString();
    if (mark == kFloatColumnMark) {
      c->SetUnitCode(reader.ReadString());
      c->SetDefault(reader.ReadFloat());
    } else {
      c->SetUnitCode(mark);
      c->SetDefault(0.0L);
    }
  } else if (auto* c = dynamic_cast<TTableColumn*>(column.get())) {
    if (reader.ReadString() == kTableColumnMark) {
      reader.ReadListBegin();
      while (!reader.EndOfList()) c->Templates().AddIdentifier(reader.ReadInteger());
      reader.ReadListEnd();
    } else {
      readOldTemplates(*c, owner, reader);
    }
  } else if (auto* c = dynamic_cast<TStringColumn*>(column.get())) {
    c->SetDefaultText(reader.ReadString());
    c->SetWidthInches(reader.ReadFloat());
  } else {
    throw TableError(kClassNotDefined);
  }
  return column;
}

void WriteColumns(const TGridTable& table, ComponentWriter& writer) {
  writer.WriteInteger(table.ColumnCount());
  for (int i = 0; i < table.ColumnCount(); ++i) {
    const TColumn& column = table.Column(i);
    const int code = table.ColumnTypes().CodeOf(column);
    if (code < 0) throw TableError(kClassNotDefined);
    writer.WriteInteger(code);
    WriteColumnData(column, writer);
  }
  if (const auto* chart = dynamic_cast<const TGridTableChart*>(&table)) {
    const TChartParameters& p = chart->Chart();
    writer.WriteBoolean(p.showChart);
    writer.WriteBoolean(p.segmentMode);
    writer.WriteInteger(p.xColumn);
    writer.WriteInteger(p.yColumn);
    writer.WriteInteger(p.x2Column);
    writer.WriteInteger(p.y2Column);
  }
}

void ReadColumns(TGridTable& table, ComponentReader& reader) {
  int count = 0;
  try {
    count = reader.ReadInteger();
  } catch (const std::exception&) {
    throw TableError("Error reading column count");
  }
  for (int i = 0; i < count; ++i) {
    try {
      const int code = reader.ReadInteger();
      // AddColumn attaches the column, creates its cells, re-sizes the template lists and runs
      // the change notification; on failure it gives the column back to be freed here.
      table.AddColumn(CreateColumnFromStream(code, table, reader));
    } catch (const std::exception& e) {
      throw TableError("Error occured when creating column " + std::to_string(i) + ": " + e.what());
    }
  }
  if (auto* chart = dynamic_cast<TGridTableChart*>(&table)) {
    TChartParameters p;
    try {
      p.showChart = reader.ReadBoolean();
      p.segmentMode = reader.ReadBoolean();
      p.xColumn = reader.ReadInteger();
      p.yColumn = reader.ReadInteger();
      p.x2Column = reader.ReadInteger();
      p.y2Column = reader.ReadInteger();
    } catch (const std::exception&) {
      throw TableError("Error reading graphic parameters");
    }
    chart->SetChart(p);
  }
}

}  // namespace korvex
