#include "graphs/result_graphs.h"

#include <algorithm>
#include <system_error>

#include "app/program_data.h"
#include "app/project_reader.h"
#include "app/project_tables.h"
#include "tables/catalogue.h"

namespace korvex {

namespace {

constexpr double kInchesPerFoot = 12;
constexpr double kPerKilo = 1000;

struct GraphSettings {
  const char* caption;
  const char* curveName;
  const char* xCaption;
  const char* xUnits;
  const char* yCaption;
  const char* yUnits;
  bool xOnTop;
};

// In GraphIndex order. Depth captions of the wall graphs are set with the unit flag on loading.
constexpr GraphSettings kSettings[kGraphCount] = {
    {"p-y Curves", "Depth ", "y", "L", "p", "F/L", false},
    {"Deflection vs Depth", "Load #", "Deflection", "L", "", "", true},
    {"Moment vs Depth", "Load #", "Bending Moment", "", "", "", true},
    {"Shear vs Depth", "Load #", "Shear", "", "", "", true},
    {"Net Reaction vs Depth", "Load #", "Reaction", "F", "", "", true},
    {"Deflection, Moment, Shear vs Depth", "Load #", "", "", "", "", true},
    {"Earth Pressure Distribution", "Load #", "Distributed load", "F/L", "", "", true},
    {"Earth Pressure Combined", "Curve #", "Distributed Load", "F/L", "Depth", "L2", true},
};

const char* kFileWords[kGraphCount] = {"p-y-curves", "deflection", "moment", "shear", "net-reaction",
                                       "deflection-moment-shear", "earth-pressure", "earth-pressure-combined"};

// Overlay name and fill code of a soil type.
struct LayerLook {
  std::string name;
  int fillCode;
};

LayerLook layerLook(int soilType, int layerNumber) {
  switch (soilType) {
    case kSoftClay:
    case kStiffClayWithFreeWater:
    case kStiffClayWithoutFreeWater: return {" CLAY ", 1};
    case kSand: return {" SAND ", 7};
    case kSilt: return {" SILT ", 8};
    case kStrongRock: return {"STRONG ROCK", 9};
    case kWeakRock: return {"WEAK ROCK", 10};
    default: return {"LAYER " + std::to_string(layerNumber), 0};
  }
}

// Sets the lines of `list` to `count`, each with no name, its position's number and no points;
// lines kept from before keep their active flag.
void resetLines(TGraphPlot& graph, int count, GraphList list = kPlottedLines) {
  graph.SetLineCount(count, list);
  for (int i = 0; i < count; ++i) {
    TLine& line = graph.Line(i, list);
    line.name.clear();
    line.number = i + 1;
    line.points.clear();
  }
}

// Every shorter line of `list` brought to the length of the longest by repeating its last point.
// A line without points stays empty: there is nothing of it to repeat.
void padToLongest(TGraphPlot& graph, GraphList list) {
  std::size_t longest = 0;
  for (const TLine& line : graph.Lines(list)) longest = std::max(longest, line.points.size());
  for (int i = 0; i < graph.LineCount(list); ++i) {
    std::vector<TFloatPoint>& points = graph.Line(i, list).points;
    if (!points.empty()) points.resize(longest, points.back());
  }
}

// Names of the result sets' lines: "Stage: 1" ..., or "Short-Term" and "Long-Term"; with one
// set the line keeps its default name.
void nameResultSets(TGraphPlot& graph, bool longTerm) {
  const int sets = graph.LineCount();
  if (sets < 2) return;
  for (int i = 0; i < sets; ++i)
    graph.Line(i).name = longTerm && sets == 2 ? (i == 0 ? "Short-Term" : "Long-Term") : "Stage: " + std::to_string(i + 1);
}

// A wall point after the display conversion of its block.
WallPoint shown(const WallPoint& p, bool english) {
  if (!english) return p;
  return {p.depth / kInchesPerFoot, p.deflection, p.moment / kPerKilo, p.shear / kPerKilo, p.reaction};
}

void fillOverlay(TGraphPlot& dms, const PlotContext& context) {
  if (!context.hasOverlay) {
    dms.SetLineCount(0, kOverlayLines);
    dms.WallLineCount = 0;
    return;
  }
  const int layers = static_cast<int>(context.layers.size());
  resetLines(dms, layers + 2, kOverlayLines);
  for (int i = 0; i < layers; ++i) {
    const LayerLook look = layerLook(context.layers[static_cast<std::size_t>(i)].soilType, i + 1);
    TLine& line = dms.Line(i, kOverlayLines);
    line.name = look.name;
    line.points = {{static_cast<double>(look.fillCode), context.layers[static_cast<std::size_t>(i)].bottom}};
  }
  // The wall's lengths are held in inches in English projects; the depth axis is in feet.
  const double toAxis = context.englishProject ? 1 / kInchesPerFoot : 1;
  const double wallDepths[2] = {context.wallLength * toAxis, context.excavationDepth * toAxis};
  for (int i = 0; i < 2; ++i) {
    TLine& wall = dms.Line(layers + i, kOverlayLines);
    wall.name = "PILE";
    wall.points = {{0, wallDepths[i]}};
  }
  dms.WallLineCount = layers;
}

}  // namespace

PlotContext plotContextOf(const TProgramData& project, const ProjectTables& tables) {
  PlotContext context;
  context.longTerm = project.LongTerm;
  context.hasOverlay = true;
  // Soil layers are part of the model only when they generate pressure or p-y curves.
  const TGridTable& soil = tables.NewSoil;
  const bool layersUsed = project.SoilEarthPressure || project.GeneratePYCurves == 1;
  for (int row = 0; layersUsed && row < soil.RowCount(); ++row)
    context.layers.push_back({soil.Column(0).GetInt(row), static_cast<double>(soil.Column(1).GetFloat(row))});
  context.wallLength = static_cast<double>(project.NumIncrements * project.IncrementLength);
  context.excavationDepth = static_cast<double>(project.FreeHeight);
  context.englishProject = project.UnitSystem == 1;
  return context;
}

ResultGraphs::ResultGraphs() {
  for (int g = 0; g < kGraphCount; ++g) {
    const GraphSettings& s = kSettings[g];
    TGraphPlot& graph = m_graphs[static_cast<std::size_t>(g)];
    graph.Caption = s.caption;
    graph.CurveName = s.curveName;
    graph.Panels[0] = {s.xCaption, s.yCaption, s.xUnits, s.yUnits};
    graph.XOnTop = s.xOnTop;
  }
  // Wall graphs have N + 2 points, up to about 400: a marker at every fifth keeps the lines
  // readable.
  for (GraphIndex g : {kGraphDeflection, kGraphMoment, kGraphShear, kGraphReaction, kGraphDMS}) graph(g).Markers = 5;
  TGraphPlot& dms = graph(kGraphDMS);
  dms.ShowThree = true;
  dms.ShowLayers = true;
  dms.ShowWall = true;
}

void ResultGraphs::clear() {
  for (TGraphPlot& graph : m_graphs) {
    graph.ClearLines();
    graph.WallLineCount = 0;
  }
  m_store = {};
}

void ResultGraphs::fill(const PlotFile& file, const PlotContext& context) {
  m_store = {};
  const int sets = static_cast<int>(file.blocks.size());
  const PlotBlock& last = file.blocks.back();

  // Earth pressure: one line per result set; the combined graph splits the first set.
  TGraphPlot& pressure = graph(kGraphPressure);
  resetLines(pressure, sets);
  TGraphPlot& combined = graph(kGraphCombined);
  resetLines(combined, 3);
  combined.Line(0).name = "Total Earth Pressure";
  combined.Line(1).name = "from Soils ";
  combined.Line(2).name = "from Surcharge Loads";
  for (int i = 0; i < sets; ++i) {
    const PlotBlock& block = file.blocks[static_cast<std::size_t>(i)];
    const double toFeet = block.english() ? 1 / kInchesPerFoot : 1;
    for (const EarthPressurePoint& p : block.earthPressure) {
      pressure.Line(i).points.push_back({p.total, p.depth * toFeet});
      if (i == 0) {
        combined.Line(0).points.push_back({p.total, p.depth * toFeet});
        combined.Line(1).points.push_back({p.fromSoils, p.depth * toFeet});
        combined.Line(2).points.push_back({p.fromSurcharge, p.depth * toFeet});
      }
    }
  }

  // p-y curves of the last block, numbered by their depths.
  TGraphPlot& py = graph(kGraphPY);
  resetLines(py, static_cast<int>(last.curves.size()));
  for (std::size_t c = 0; c < last.curves.size(); ++c) {
    py.Line(static_cast<int>(c)).number = last.curves[c].depth;
    py.Line(static_cast<int>(c)).points = last.curves[c].points;
  }

  // Results along the wall, one line per result set in each graph and panel.
  TGraphPlot& dms = graph(kGraphDMS);
  struct Target {
    TGraphPlot* graph;
    GraphList list;
    double WallPoint::*value;
  };
  const Target targets[] = {
      {&graph(kGraphDeflection), kPlottedLines, &WallPoint::deflection},
      {&graph(kGraphMoment), kPlottedLines, &WallPoint::moment},
      {&graph(kGraphShear), kPlottedLines, &WallPoint::shear},
      {&graph(kGraphReaction), kPlottedLines, &WallPoint::reaction},
      {&dms, kPlottedLines, &WallPoint::deflection},
      {&dms, kPanel2Lines, &WallPoint::moment},
      {&dms, kPanel3Lines, &WallPoint::shear},
  };
  for (const Target& t : targets) resetLines(*t.graph, sets, t.list);
  m_store.sets.resize(static_cast<std::size_t>(sets));
  for (int i = 0; i < sets; ++i) {
    const PlotBlock& block = file.blocks[static_cast<std::size_t>(i)];
    ResultStore::Set& stored = m_store.sets[static_cast<std::size_t>(i)];
    for (const WallPoint& written : block.wall) {
      const WallPoint p = shown(written, block.english());
      stored.wall.push_back(p);
      for (const Target& t : targets) t.graph->Line(i, t.list).points.push_back({p.*t.value, p.depth});
    }
    const double toFeet = block.english() ? 1 / kInchesPerFoot : 1;
    for (const EarthPressurePoint& p : block.earthPressure) stored.earthPressure.push_back({p.depth * toFeet, p.total});
    m_store.earthPressurePointCount =
        std::max(m_store.earthPressurePointCount, static_cast<int>(block.earthPressure.size()));
  }
  for (TGraphPlot* wallGraph : {&graph(kGraphDeflection), &graph(kGraphMoment), &graph(kGraphShear),
                                &graph(kGraphReaction), &dms})
    nameResultSets(*wallGraph, context.longTerm);
  fillOverlay(dms, context);

  for (TGraphPlot& g : m_graphs)
    for (GraphList list : {kPlottedLines, kPanel2Lines, kPanel3Lines}) padToLongest(g, list);

  // Captions by the unit flag of the last block.
  const bool english = last.english();
  const std::string depth = english ? "Depth (ft)" : "Depth (m)";
  for (GraphIndex g : {kGraphDeflection, kGraphMoment, kGraphShear, kGraphReaction, kGraphPressure})
    graph(g).Panels[0].yCaption = depth;
  graph(kGraphMoment).Panels[0].xCaption = english ? "Bending Moment (in-kips)" : "Bending Moment (m-kN)";
  graph(kGraphShear).Panels[0].xCaption = english ? "Shear (kips)" : "Shear (kN)";
  const GraphIndex panels[3] = {kGraphDeflection, kGraphMoment, kGraphShear};
  for (int p = 0; p < 3; ++p) {
    const PanelCaptions& from = graph(panels[p]).Panels[0];
    dms.Panels[static_cast<std::size_t>(p)] = {from.xCaption, from.yCaption, from.xUnits, ""};
  }
  for (TGraphPlot& g : m_graphs) g.SetUnits(english ? 1 : 2);
}

std::array<int, kGraphCount> ResultGraphs::firstCurvePoints() const {
  std::array<int, kGraphCount> points{};
  for (int g = 0; g < kGraphCount; ++g) points[static_cast<std::size_t>(g)] = m_graphs[static_cast<std::size_t>(g)].PointCount();
  return points;
}

PlotLoadResult loadPlotFile(const std::filesystem::path& path, const PlotContext& context, ResultGraphs& graphs) {
  try {
    const PlotFile file = readPlotFile(path);
    graphs.fill(file, context);
    return {true, ""};
  } catch (const PlotFileError& error) {
    graphs.clear();
    return {false, error.what()};
  }
}

std::filesystem::path projectDataFileOf(const std::filesystem::path& plotFile, const std::filesystem::path& dataFile) {
  if (!dataFile.empty()) return dataFile;
  std::error_code error;
  const std::filesystem::path beside = std::filesystem::path(plotFile).replace_extension(".kx5d");
  return std::filesystem::is_regular_file(beside, error) ? beside : std::filesystem::path();
}

PlotLoadResult loadPlotFileOfProject(const std::filesystem::path& plotFile, const std::filesystem::path& dataFile,
                                     ResultGraphs& graphs) {
  const auto oneLine = [](std::string text) {
    std::replace(text.begin(), text.end(), '\r', ' ');
    return text;
  };
  const std::filesystem::path data = projectDataFileOf(plotFile, dataFile);
  PlotContext context;
  if (!data.empty()) {
    const Catalogue catalogue = createCatalogue();
    ProjectTables tables(catalogue);
    const ProjectReadResult read = ReadDataFile(data, KindOfFile(data.string()), tables);
    if (!read.opened) return {false, oneLine(read.error)};
    context = plotContextOf(read.data, tables);
  }
  PlotLoadResult loaded = loadPlotFile(plotFile, context, graphs);
  if (!loaded.loaded) loaded.error = plotFile.string() + ": " + oneLine(loaded.error);
  return loaded;
}

const char* graphFileWord(GraphIndex index) { return kFileWords[index]; }

}  // namespace korvex
