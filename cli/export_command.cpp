#include "export_command.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <optional>
#include <ostream>

#include "app/shell/menu_state.h"
#include "cli_app.h"
#include "export/export_choice.h"
#include "export/plot_workbook.h"
#include "file_checks.h"
#include "graphs/result_graphs.h"

namespace korvex::cli {

namespace fs = std::filesystem;

const char* const kExportUsage =
    "  export FILE.kx5p OUT.xlsx [--graphs N,N,...] [--data FILE.kx5d]\n"
    "                              write the result graphs into a spreadsheet workbook: a legend,\n"
    "                              and per graph a sheet of its points and a chart sheet\n";

namespace {

const char* const kExportHelp =
    "Usage: korvex export FILE.kx5p OUT.xlsx [--graphs N,N,...] [--data FILE.kx5d]\n"
    "\n"
    "Writes the result graphs of the plot data file FILE.kx5p into the workbook OUT.xlsx, as the\n"
    "desktop program's Export Plots To Excel does: a sheet Legend listing the graphs with links\n"
    "to them, and per graph n a sheet Page_n with the points of its lines and a chart sheet\n"
    "Plot_n drawing them. No display and no spreadsheet program are needed.\n"
    "\n"
    "Graphs, by number:\n"
    "  1 p-y Curves             4 Moment vs Depth           7 Earth Pressure Combined\n"
    "  2 Deflection vs Depth    5 Net Reaction vs Depth\n"
    "  3 Shear vs Depth         6 Earth Pressure Distribution\n"
    "\n"
    "Options:\n"
    "  --graphs N,N,...  the graphs to export, numbered n = 1, 2, ... in the order above whatever\n"
    "                    the order given (default: every graph the desktop program offers for\n"
    "                    these results: each whose first line has two points or more, and the\n"
    "                    combined earth pressure)\n"
    "  --data FILE.kx5d  the project the results belong to, for the names Short-Term and\n"
    "                    Long-Term; without it, FILE.kx5d beside the plot file when there is one\n"
    "\n"
    "OUT.xlsx replaces an earlier file of its name only once it is written completely; it may\n"
    "not be the plot file or the project's data file.\n"
    "\n"
    "Exit status: 0 when the workbook was written; 2 when the plot file does not read (what and\n"
    "where is said on standard error), a graph asked for has no results, the workbook could not\n"
    "be written, or the arguments are wrong.\n";

constexpr int kExportGraphCount = static_cast<int>(kExportGraphs.size());

struct ExportRequest {
  fs::path plotFile;
  fs::path workbook;
  fs::path dataFile;
  std::vector<int> graphs;  // export numbers; empty: every graph offered
};

// "1,2,5" as export numbers; "" when every number is 1 to 7.
std::string parseGraphNumbers(const std::string& text, std::vector<int>& numbers) {
  const std::string problem = "--graphs takes numbers 1 to 7 separated by commas, not " + text;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t comma = std::min(text.find(',', start), text.size());
    int number = 0;
    const auto [end, error] = std::from_chars(text.data() + start, text.data() + comma, number);
    if (error != std::errc() || end != text.data() + comma || number < 1 || number > kExportGraphCount) return problem;
    numbers.push_back(number);
    start = comma + 1;
  }
  return "";
}

std::string parse(const std::vector<std::string>& args, ExportRequest& request) {
  std::vector<std::string> files;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--graphs" || arg == "--data") {
      if (i + 1 >= args.size()) return arg + " needs a value (see korvex export --help)";
      const std::string& value = args[++i];
      if (arg == "--data") {
        request.dataFile = value;
      } else if (const std::string problem = parseGraphNumbers(value, request.graphs); !problem.empty()) {
        return problem;
      }
    } else if (!arg.empty() && arg[0] == '-') {
      return "unknown option " + arg + " (see korvex export --help)";
    } else {
      files.push_back(arg);
    }
  }
  if (files.size() != 2) return "export needs a plot data file and a workbook file (see korvex export --help)";
  request.plotFile = files[0];
  request.workbook = files[1];
  return "";
}

// The input the workbook would be written over, if any.
std::optional<fs::path> inputUnder(const ExportRequest& request) {
  const fs::path inputs[] = {request.plotFile, request.dataFile, fs::path(request.plotFile).replace_extension(".kx5d")};
  for (const fs::path& input : inputs)
    if (!input.empty() && sameFile(input, request.workbook)) return input;
  return std::nullopt;
}

}  // namespace

int runExport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (asksForHelp(args)) {
    out << kExportHelp;
    return kExitOk;
  }
  ExportRequest request;
  if (const std::string problem = parse(args, request); !problem.empty()) return fail(err, problem);
  if (const std::optional<fs::path> input = inputUnder(request))
    return fail(err, request.workbook.string() + " is the input file " + input->string() + "; give another workbook name");

  ResultGraphs graphs;
  const PlotLoadResult loaded = loadPlotFileOfProject(request.plotFile, request.dataFile, graphs);
  if (!loaded.loaded) return fail(err, loaded.error);

  const std::array<bool, kGraphCount> offered = graphsShown(true, graphs.firstCurvePoints());
  const auto isOffered = [&](int number) {
    return offered[static_cast<std::size_t>(kExportGraphs[static_cast<std::size_t>(number - 1)])];
  };
  std::vector<int> numbers = request.graphs;
  if (numbers.empty()) {
    for (int number = 1; number <= kExportGraphCount; ++number)
      if (isOffered(number)) numbers.push_back(number);
    if (numbers.empty()) return fail(err, request.plotFile.string() + " holds no graph to export");
  }
  for (int number : numbers)
    if (!isOffered(number))
      return fail(err, "graph " + std::to_string(number) + " (" +
                           graphs.graph(kExportGraphs[static_cast<std::size_t>(number - 1)]).Caption +
                           ") has no results to export in " + request.plotFile.string());

  const std::vector<const TGraphPlot*> chosen = graphsToExport(graphs, numbers);
  if (const std::string problem = writePlotWorkbook(chosen, request.workbook); !problem.empty())
    return fail(err, problem);
  out << "Written: " << request.workbook.string() << '\n';
  for (std::size_t n = 0; n < chosen.size(); ++n) {
    const std::string number = std::to_string(n + 1);
    out << "  Page_" + number + ", Plot_" + number + ": " + chosen[n]->Caption + "\n";
  }
  return kExitOk;
}

}  // namespace korvex::cli
