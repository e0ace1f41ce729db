#include "tables/catalogue.h"

#include <initializer_list>
#include <utility>

#include "tables/column_types.h"

namespace korvex {
namespace {

using Lines = std::vector<std::string>;

ColumnDeclaration enumColumn(Lines header, Lines items) {
  ColumnDeclaration c;
  c.kind = ColumnKind::Enum;
  c.headerLines = std::move(header);
  c.items = std::move(items);
  return c;
}

ColumnDeclaration intColumn(Lines header, int defaultValue, int minimum, int maximum) {
  ColumnDeclaration c;
  c.kind = ColumnKind::Int;
  c.headerLines = std::move(header);
  c.intDefault = defaultValue;
  c.intMinimum = minimum;
  c.intMaximum = maximum;
  return c;
}

ColumnDeclaration floatColumn(Lines header, std::string code, long double defaultValue = 0.0L) {
  ColumnDeclaration c;
  c.kind = ColumnKind::Float;
  c.headerLines = std::move(header);
  c.unitCode = std::move(code);
  c.floatDefault = defaultValue;
  return c;
}

ColumnDeclaration tableColumn(Lines header, std::vector<int> templates) {
  ColumnDeclaration c;
  c.kind = ColumnKind::Table;
  c.headerLines = std::move(header);
  c.templates = std::move(templates);
  return c;
}

TableDeclaration table(std::string name, TableFamily family, int identifier, std::string caption,
                       std::string topLeft, int minRows, int maxRows,
                       std::vector<ColumnDeclaration> columns) {
  TableDeclaration t;
  t.name = std::move(name);
  t.family = family;
  t.identifier = identifier;
  t.caption = std::move(caption);
  t.topLeft = std::move(topLeft);
  t.minRows = minRows;
  t.maxRows = maxRows;
  t.columns = std::move(columns);
  return t;
}

constexpr int kIntMin = -2147483647 - 1;
constexpr int kIntMax = 2147483647;
// Upper limit of a "from" node number.
constexpr int kFromNodeMax = 2147483600;

const char* const kInterpolateComment =
    "Linear interpolation (when selected) is performed from START node of previous line to END "
    "node of the following line.";

const char* const kEarthPressureComment =
    "The user may optionally enter an earth pressure coefficient for generating \rlateral earth "
    "pressure that is equal to the vertical soil pressure multiplied \rby this user-specified "
    "coefficient. If the user does not intend to use this option, \rplease leave the optional "
    "earth pressure coefficient as zero and the program will \ruse the active earth pressure "
    "coefficient calculated internally.";

// --- wall ---

std::vector<TableDeclaration> wallTables() {
  std::vector<TableDeclaration> tables;

  TableDeclaration pileSect = table(
      "PileSect", TableFamily::Plain, 15, "Wall Stiffness", "Section", 1, 10,
      {intColumn({"From Node No. (Start)"}, 0, 0, kFromNodeMax),
       intColumn({"To Node No. (End)"}, 1, 0, kIntMax),
       enumColumn({"Constant or Interpolate?                                  "},
                  {"Use Constant Value for all Nodes on this Line",
                   "Linear Interpolate to End Node of Next Line"}),
       floatColumn({"Flexural Stiffness (EI)"}, "F-L^2")});
  pileSect.hardwiredButton = true;
  pileSect.comments = std::string(
                          "The nodal number at the top of the wall is set to be 0.\rValues of "
                          "Flexural Stiffness (EI) must be specified for all nodes of the wall.\r") +
                      kInterpolateComment;
  tables.push_back(std::move(pileSect));

  TableDeclaration meiCurves = table("MEICurves2", TableFamily::Chart, 36,
                                     "Nonlinear Moment vs EI Curves", "Section", 1, 20,
                                     {intColumn({"From Node No. (Start)"}, 0, 0, 1000),
                                      intColumn({"To Node No. (End)"}, 0, 0, 1000),
                                      tableColumn({}, {0})});
  tables.push_back(std::move(meiCurves));

  TableDeclaration rows2 = table("Rows2", TableFamily::Chart, 0, "Moment and EI data", "Point", 1,
                                 100,
                                 {floatColumn({"Bending moment"}, "F-L"),
                                  floatColumn({"Flexural rigidity"}, "F-L^2")});
  rows2.hardwiredButton = true;
  rows2.templateOnly = true;
  rows2.chart.getDataFromFile = true;
  rows2.chart.parameters.showChart = true;
  rows2.chart.parameters.xColumn = 0;
  rows2.chart.parameters.yColumn = 1;
  tables.push_back(std::move(rows2));
  return tables;
}

// --- soil layers and their parameter templates ---

// Soil types of column 0 and the parameter template of each: the three clays share TblClay1.
const std::vector<int> kSoilTemplates = {18, 18, 18, 17, 29, 30, 31};

std::vector<TableDeclaration> soilTables() {
  std::vector<TableDeclaration> tables;

  tables.push_back(table(
      "NewSoil", TableFamily::Plain, 19, "Soil Layers", "", 1, 10,
      {enumColumn({"Soil ", "Type"},
                  {"Soft Clay", "Stiff Clay with Free Water", "Stiff Clay w/o Free Water", "Sand",
                   "Silt (c-phi soil)", "Strong Rock", "Weak Rock"}),
       floatColumn({"Depth at Bottom", "of the Layer,"}, "L2"),
       tableColumn({"Edit Soil", "Parameters"}, kSoilTemplates)}));

  tables.push_back(table(
      "LongSoil", TableFamily::Plain, 44, "Soil Layers (Long-Term)", "", 1, 10,
      {enumColumn({"Soil", "Type"},
                  {"Soft Clay", "Stiff Clay with Free water", "Stiff Clay w/o Free Water", "Sand",
                   "Silt (c-phi soil)", "Strong Rock", "Weak Rock"}),
       floatColumn({"Depth at Bottom", "of the Layer,"}, "L2"),
       tableColumn({"Edit Soil", "Parameters"}, kSoilTemplates)}));

  // Row 1 holds the values at the top of the layer, row 2 those at the bottom.
  auto soilTemplate = [](std::string name, int identifier, std::string caption,
                         std::vector<ColumnDeclaration> columns) {
    return table(std::move(name), TableFamily::Plain, identifier, std::move(caption), "", 2, 2,
                 std::move(columns));
  };
  const ColumnDeclaration unitWeight = floatColumn({"Total Unit", "Weight,"}, "F/L2^3");
  const ColumnDeclaration cohesion = floatColumn({"Cohesive", "Strength,"}, "F/L2^2");
  const ColumnDeclaration e50 = floatColumn({"E50", ""}, "");
  const ColumnDeclaration friction = floatColumn({"Friction", "Angle, deg."}, "");
  const ColumnDeclaration earthPressure =
      floatColumn({"Optional Earth", "Pressure Coefficient"}, "");
  const ColumnDeclaration compressive =
      floatColumn({"Uniaxial Compressive", "Strength,"}, "F/L^2");

  TableDeclaration clay = soilTemplate(
      "TblClay1", 18, "Clay",
      {unitWeight, cohesion, e50, floatColumn({"k(py)"}, "F/L^3"), earthPressure});
  clay.comments = kEarthPressureComment;
  tables.push_back(std::move(clay));

  TableDeclaration sand = soilTemplate(
      "TblSand1", 17, "Sand",
      {unitWeight, friction, floatColumn({"k(py)"}, "F/L^3"), earthPressure});
  sand.comments = kEarthPressureComment;
  tables.push_back(std::move(sand));

  TableDeclaration silt = soilTemplate(
      "TblSilt1", 29, "Silt",
      {floatColumn({"Total Unit ", "Weight,"}, "F/L2^3"), friction, cohesion, e50,
       floatColumn({"K(py)"}, "F/L^3"), earthPressure});
  silt.comments = kEarthPressureComment;
  tables.push_back(std::move(silt));

  tables.push_back(soilTemplate("TblRock1", 30, "Strong Rock", {unitWeight, compressive}));

  TableDeclaration weakRock = soilTemplate(
      "TblRock2", 31, "Weak Rock",
      {unitWeight, compressive, floatColumn({"krm *"}, ""),
       floatColumn({"Elastic", "Modulus,"}, "F/L^2"), floatColumn({"RQD", "%"}, "")});
  weakRock.comments = "* krm is a strain constant that seve to establish the overall stiffness of the curves";
  tables.push_back(std::move(weakRock));
  return tables;
}

// --- earth pressure and surcharge ---

std::vector<TableDeclaration> pressureTables() {
  std::vector<TableDeclaration> tables;

  TableDeclaration distLoad =
      table("DistLoad", TableFamily::Plain, 22, "Distributed Loads", "", 2, 100,
            {floatColumn({"Depth measured from the top of the wall,"}, "L2"),
             floatColumn({"Lateral distributed line load, "}, "F/L2")});
  distLoad.hardwiredButton = true;
  distLoad.helpPicture = kPressureDiagramPicture;
  tables.push_back(std::move(distLoad));

  TableDeclaration longDist =
      table("LongDist", TableFamily::Plain, 104, "Distributed Load (Long-Term)", "", 1, 0,
            {floatColumn({"Depth measured from the top of the wall,"}, "L2"),
             floatColumn({"Lateral distributed line load,"}, "F/L2")});
  longDist.helpPicture = kPressureDiagramPicture;
  tables.push_back(std::move(longDist));

  // The load magnitude's unit depends on the load type, so it is not converted.
  TableDeclaration surcharge =
      table("SurchargeTable", TableFamily::Plain, 23, "Surcharge Loads", "", 1, 20,
            {enumColumn({"Load Types"}, {"Point Load", "Line Load", "Strip Load"}),
             floatColumn({"Load Magnitude"}, "SEE NOTES"),
             floatColumn({"Distance, X"}, "L1"),
             floatColumn({"Width of Strip Load, W"}, "L1")});
  surcharge.comments =
      "The unit for point load is lbs or kN \rThe unit for line load is lbs/in. or kN/m \rThe "
      "unit for strip load is lbs/in^2 or kN/m^2 \rFor strip load, Distance X goes from the wall "
      "to the middle of the strip width";
  tables.push_back(std::move(surcharge));
  return tables;
}

// --- loads, restraints, springs and tiebacks ---

std::vector<TableDeclaration> loadTables() {
  std::vector<TableDeclaration> tables;

  TableDeclaration boundCond = table(
      "BoundCond", TableFamily::Plain, 123, "Concentrated Loads on Wall", "", 1, 20,
      {enumColumn({"Constant or Interpolate?                                  "},
                  {"Use Constant Values for all Nodes on this Line",
                   "Linear Interpolate to End Node of Next Line"}),
       intColumn({"From Node No.", "(Start)"}, 0, 0, kFromNodeMax),
       intColumn({"To Node No.", "(End)"}, 1, 0, kIntMax),
       floatColumn({"Lateral Load"}, "F"), floatColumn({"Moment"}, "F-L"),
       floatColumn({"Axial Load"}, "F")});
  boundCond.hardwiredButton = true;
  boundCond.comments =
      std::string("The concentrated loads are applied at nodal points only (including the "
                  "specified START and END nodes).\r") +
      kInterpolateComment;
  tables.push_back(std::move(boundCond));

  // The main window refers to this table as SoilLayer. The engine knows a third case, the
  // deflection and the slope both specified at one node (a fixed toe); the third item offers it,
  // so that such a restraint can be entered and a file holding one shows it.
  TableDeclaration restraints = table(
      "Soillayer", TableFamily::Plain, 0, "Specify Deflection and Slope on Wall", "No", 1, 10,
      {enumColumn({"Case                                           "},
                  {"Specify Deflection", "Specify Slope", "Specify Deflection and Slope"}),
       intColumn({"Nodal No."}, 0, 0, kFromNodeMax), floatColumn({"Deflection"}, "L"),
       floatColumn({"Slope"}, "")});
  restraints.hardwiredButton = true;
  tables.push_back(std::move(restraints));

  TableDeclaration springs = table(
      "SoilStrength", TableFamily::Plain, 4, "Lateral Spring and Rotation Spring", "Point", 1, 20,
      {enumColumn({"Constant or Interpolate?                                      "},
                  {"Use Constant Values for all Nodes on this Line  ",
                   "Linear Interpolate to End Node of Next Line"}),
       intColumn({"From Node No.", "     (Start)"}, 0, 0, kIntMax),
       intColumn({"To Node No.", "   (End)"}, 0, kIntMin, kIntMax),
       floatColumn({"Lateral Spring", "Stiffness"}, "F/L"),
       floatColumn({"Rotational Spr.", "Stiff."}, "F-L/RAD.")});
  springs.hardwiredButton = true;
  springs.helpPicture = kTiebackPicture;
  springs.comments =
      std::string("The spring stiffnesses are applied at nodal points only (including the "
                  "specified START and END nodes).\r") +
      kInterpolateComment;
  tables.push_back(std::move(springs));

  tables.push_back(table("TiebackTable1", TableFamily::Plain, 77, "Tieback (ground anchor) Table",
                         "", 1, 20,
                         {floatColumn({"Depth from top", "of wall,"}, "L2"),
                          floatColumn({"Cross sectional area", "of steel rod,"}, "L1^2"),
                          floatColumn({"Elastic modulus", "of steel,"}, "F/L^2"),
                          floatColumn({"Unbonded anchor", "length,"}, "L2"),
                          floatColumn({"Angle from", "horizontal,"}, "DEG."),
                          floatColumn({"Anchor spacing", "in each row,"}, "L2"),
                          floatColumn({"Prestressing Force"}, "F")}));
  return tables;
}

// --- p-y curve modification and user curves ---

std::vector<TableDeclaration> pyTables() {
  std::vector<TableDeclaration> tables;

  TableDeclaration pyMod = table("PYMod", TableFamily::Plain, 16, "p-y Modification Factors", "",
                                 2, 30,
                                 {floatColumn({"Depth"}, "L2"),
                                  floatColumn({"p-Multiplier"}, "", 1.0L),
                                  floatColumn({"y-Multiplier"}, "", 1.0L)});
  pyMod.hardwiredButton = true;
  tables.push_back(std::move(pyMod));

  // Columns 1 and 2 carry the same header text.
  tables.push_back(table("PYCurves2", TableFamily::Chart, 37, "Sets of Ext. p-y Curves", "", 2, 30,
                         {intColumn({"Node # "}, 0, kIntMin, kIntMax),
                          tableColumn({"Multiplier for p-value"}, {38}),
                          floatColumn({"Multiplier for p-value"}, "", 1.0L),
                          floatColumn({"Multiplier for y-value"}, "", 1.0L)}));

  TableDeclaration pyCurve = table("PYCurve2", TableFamily::Chart, 38, "External p-y Curve",
                                   "Point", 2, 17,
                                   {floatColumn({"Lateral Deflection, y (*)"}, "L"),
                                    floatColumn({"Soil Resistance, p"}, "F/L")});
  pyCurve.hardwiredButton = true;
  pyCurve.templateOnly = true;
  pyCurve.chart.getDataFromFile = true;
  pyCurve.chart.parameters.showChart = true;
  pyCurve.chart.parameters.xColumn = 0;
  pyCurve.chart.parameters.yColumn = 1;
  pyCurve.comments =
      "* Use negative (-) values for deflections to the left (to backfill)\r     and positive (+) "
      "to the right (to excavation).\rLateral movement (y) should start from negative "
      "deflection\r     (towards backfill) and gradually increase to positive\r     deflection "
      "(towards excavation) for the range of the response.\rPositive soil resistance (p) should "
      "correspond to the negative\r     soil movement (-y) and negative soil resistance (-p) "
      "should\r     correspond to the positive soil movement (y).";
  tables.push_back(std::move(pyCurve));
  return tables;
}

std::vector<TableDeclaration> buildDeclarations() {
  std::vector<TableDeclaration> all;
  for (auto group : {wallTables(), soilTables(), pressureTables(), loadTables(), pyTables()}) {
    for (auto& t : group) all.push_back(std::move(t));
  }
  return all;
}

std::unique_ptr<TColumn> makeColumn(const ColumnDeclaration& c) {
  std::unique_ptr<TColumn> column;
  switch (c.kind) {
    case ColumnKind::Enum: {
      auto e = std::make_unique<TEnumColumn>();
      e->SetItems(c.items);
      column = std::move(e);
      break;
    }
    case ColumnKind::Int: {
      auto i = std::make_unique<TIntColumn>();
      i->SetDefault(c.intDefault);
      i->SetMinimum(c.intMinimum);
      i->SetMaximum(c.intMaximum);
      column = std::move(i);
      break;
    }
    case ColumnKind::Float: {
      auto f = std::make_unique<TFloatColumn>();
      f->SetUnitCode(c.unitCode);
      f->SetDefault(c.floatDefault);
      column = std::move(f);
      break;
    }
    case ColumnKind::Table: {
      auto t = std::make_unique<TTableColumn>();
      for (int id : c.templates) t->Templates().AddIdentifier(id);
      column = std::move(t);
      break;
    }
  }
  column->SetHeaderLines(c.headerLines);
  return column;
}

}  // namespace

const std::vector<TableDeclaration>& catalogueDeclarations() {
  static const std::vector<TableDeclaration> declarations = buildDeclarations();
  return declarations;
}

const TableDeclaration* findDeclaration(std::string_view name) {
  for (const auto& t : catalogueDeclarations()) {
    if (t.name == name) return &t;
  }
  return nullptr;
}

Catalogue::~Catalogue() {
  // The last created table goes first.
  while (!m_tables.empty()) m_tables.pop_back();
}

TGridTable* Catalogue::Table(std::string_view name) const {
  for (const auto& e : m_tables) {
    if (e.name == name) return e.table.get();
  }
  return nullptr;
}

void Catalogue::SetUnits(int system) {
  for (auto& e : m_tables) e.table->SetUnits(system);
}

TGridTableChart* Catalogue::ChartTable(std::string_view name) const {
  return dynamic_cast<TGridTableChart*>(Table(name));
}

Catalogue createCatalogue() {
  Catalogue catalogue;
  for (const auto& d : catalogueDeclarations()) {
    std::unique_ptr<TGridTable> t;
    if (d.family == TableFamily::Chart) {
      auto chart = std::make_unique<TGridTableChart>();
      chart->SetGetDataFromFile(d.chart.getDataFromFile);
      chart->SetOKCancelButtons(d.chart.okCancelButtons);
      chart->SetInvertedXAxis(d.chart.invertedXAxis);
      chart->SetInvertedYAxis(d.chart.invertedYAxis);
      chart->SetChart(d.chart.parameters);
      t = std::move(chart);
    } else {
      t = std::make_unique<TGridTable>();
    }
    t->SetLoading(true);
    t->SetIdentifier(d.identifier);
    t->SetCaption(d.caption);
    t->SetTopLeft(d.topLeft);
    t->SetMinRows(d.minRows);
    t->SetMaxRows(d.maxRows);
    t->SetHardwiredButton(d.hardwiredButton);
    t->SetComments(d.comments);
    t->SetHelpPicture(d.helpPicture);
    for (const auto& c : d.columns) t->AddColumn(makeColumn(c));
    t->SetLoading(false);
    catalogue.m_tables.push_back({d.name, std::move(t)});
  }
  return catalogue;
}

}  // namespace korvex
