// Which result graphs the spreadsheet export offers, in its own order (shear before moment,
// unlike the Graphics menu), and where a workbook is proposed to be saved.
#pragma once

#include <array>
#include <filesystem>
#include <vector>

#include "graphs/result_graphs.h"

namespace korvex {

// The seven graphs of the export, numbered 1 to 7 in this order.
inline constexpr std::array<GraphIndex, 7> kExportGraphs = {kGraphPY,       kGraphDeflection, kGraphShear,
                                                           kGraphMoment,   kGraphReaction,   kGraphPressure,
                                                           kGraphCombined};

// The graphs of `graphs` for the chosen export numbers (1 to 7), in the export's order whatever
// the order of `numbers`, each once.
std::vector<const TGraphPlot*> graphsToExport(const ResultGraphs& graphs, const std::vector<int>& numbers);

// "<project> plots.xlsx" in the folder of the project's data file `projectFile`.
std::filesystem::path proposedWorkbookPath(const std::filesystem::path& projectFile);

}  // namespace korvex
