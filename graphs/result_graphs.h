// The result graphs of the desktop program, filled from a plot data file, and the result store
// the three-dimensional view and the spreadsheet export read. Each graph's lines are set
// exactly from the file: a file with fewer result sets than the one before leaves no lines of
// the earlier one behind.
//
// Display conversions of English runs (unit flag 1): depths / 12 (in -> ft), moments and shears
// / 1000 (lb-in -> in-kips, lb -> kips). Deflection, soil reaction, earth pressure and p-y
// values are shown as written, and p-y curves keep their depths in inches.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "app/shell/menu_state.h"
#include "graphs/graph_plot.h"
#include "graphs/plot_file.h"

namespace korvex {

class ProjectTables;
class TProgramData;

// What the project adds to a plot file: the names of a short- and long-term pair, the soil
// layers and wall lines of the deflection-moment-shear overlay.
struct PlotContext {
  struct SoilLayer {
    int soilType = 0;
    double bottom = 0;  // as entered: ft in English projects, m in SI
  };
  bool longTerm = false;
  bool hasOverlay = false;
  std::vector<SoilLayer> layers;
  double wallLength = 0;       // in the project's length unit (in English: inches)
  double excavationDepth = 0;  // likewise
  bool englishProject = false;
};

// The context of the project as it stands: LongTerm, the rows of NewSoil, the wall length
// (increments times increment length) and the excavation depth.
PlotContext plotContextOf(const TProgramData& project, const ProjectTables& tables);

// The values of every result set after the display conversion; it grows with the file, so no
// number of points is ever cut off.
struct ResultStore {
  struct Set {
    std::vector<TFloatPoint> earthPressure;  // x = depth (ft in English), y = total pressure
    std::vector<WallPoint> wall;
  };
  std::vector<Set> sets;
  int earthPressurePointCount = 0;  // the largest count of any set
};

inline constexpr const char* kPlotLoadFailed = "An error occured in running the main program.";

class ResultGraphs {
 public:
  // The eight graphs with the captions, unit codes and settings the main window gives them.
  ResultGraphs();

  TGraphPlot& graph(GraphIndex index) { return m_graphs.at(static_cast<std::size_t>(index)); }
  const TGraphPlot& graph(GraphIndex index) const { return m_graphs.at(static_cast<std::size_t>(index)); }
  const ResultStore& store() const { return m_store; }

  // Every line of every graph dropped and the store emptied; settings and legend names kept.
  void clear();
  // Every graph and the store set from `file`.
  void fill(const PlotFile& file, const PlotContext& context);
  // Points of the first line of each graph (0 when it has none), for the results buttons.
  std::array<int, kGraphCount> firstCurvePoints() const;

 private:
  std::array<TGraphPlot, kGraphCount> m_graphs;
  ResultStore m_store;
};

struct PlotLoadResult {
  bool loaded = false;
  std::string error;  // why the file did not load
};

// Reads the whole plot file first and fills the graphs only from a complete file; a file that
// does not read clears every graph, so no graph shows half of one run.
PlotLoadResult loadPlotFile(const std::filesystem::path& path, const PlotContext& context, ResultGraphs& graphs);

// The data file the results of `plotFile` belong to: `dataFile`, or when that is empty
// FILE.kx5d beside the plot file when there is one; empty when there is none.
std::filesystem::path projectDataFileOf(const std::filesystem::path& plotFile, const std::filesystem::path& dataFile);

// Loads `plotFile` with the context of the project its results belong to: `dataFile`, or when
// that is empty FILE.kx5d beside the plot file when there is one, else no project. The error is
// one line: the data file's own message when it cannot be opened (nothing is loaded then), or
// the plot file's name and why it did not load.
PlotLoadResult loadPlotFileOfProject(const std::filesystem::path& plotFile, const std::filesystem::path& dataFile,
                                     ResultGraphs& graphs);

// File-name word of each graph ("p-y-curves", "deflection", ...), for image files.
const char* graphFileWord(GraphIndex index);

}  // namespace korvex
