#include "export/export_choice.h"

#include <algorithm>

namespace korvex {

std::vector<const TGraphPlot*> graphsToExport(const ResultGraphs& graphs, const std::vector<int>& numbers) {
  std::vector<const TGraphPlot*> chosen;
  for (int number = 1; number <= static_cast<int>(kExportGraphs.size()); ++number)
    if (std::find(numbers.begin(), numbers.end(), number) != numbers.end())
      chosen.push_back(&graphs.graph(kExportGraphs[static_cast<std::size_t>(number - 1)]));
  return chosen;
}

std::filesystem::path proposedWorkbookPath(const std::filesystem::path& projectFile) {
  return projectFile.parent_path() / (projectFile.stem().string() + " plots.xlsx");
}

}  // namespace korvex
