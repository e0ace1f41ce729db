#include "graphs/plot_tool/plot_tool.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <system_error>

#include "app/program_data.h"
#include "app/project_reader.h"
#include "app/project_tables.h"
#include "graphs/paint/graph_image.h"
#include "graphs/result_graphs.h"
#include "tables/catalogue.h"
#include "views/render/view_pictures.h"

namespace korvex {

namespace fs = std::filesystem;

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 2;
constexpr int kPicturePixelsPerInch = 96;
constexpr int kLargestSide = 20000;
constexpr ImageSize kSingleGraphSize{900, 1000, kPicturePixelsPerInch};
constexpr ImageSize kThreePanelSize{1500, 1000, kPicturePixelsPerInch};

struct PlotRequest {
  fs::path plotFile;
  fs::path outFolder;
  fs::path dataFile;
  ImageFormat format = ImageFormat::Png;
  std::optional<ImageSize> size;
  bool views = false;  // the side view and the 3D view too
  int stage = 1;       // the construction stage the views show
};

constexpr int kMostStages = 5;

// The project the results belong to, with the main window's tables.
struct Project {
  Catalogue catalogue = createCatalogue();
  ProjectTables tables{catalogue};
  TProgramData data;
};

int fail(std::ostream& err, const std::string& message) {
  err << "korvex: " << message << '\n';
  return kExitFailure;
}

std::optional<int> sideOf(const std::string& text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 1 || value > kLargestSide) return std::nullopt;
  return value;
}

std::string parse(const std::vector<std::string>& args, PlotRequest& request) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--views") {
      request.views = true;
    } else if (arg == "--out" || arg == "--format" || arg == "--size" || arg == "--data" || arg == "--stage") {
      if (!hasValue) return arg + " needs a value (see korvex plot --help)";
      const std::string& value = args[++i];
      if (arg == "--out") {
        request.outFolder = value;
      } else if (arg == "--data") {
        request.dataFile = value;
      } else if (arg == "--stage") {
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), request.stage);
        if (error != std::errc() || end != value.data() + value.size() || request.stage < 1 || request.stage > kMostStages)
          return "--stage takes a stage number from 1 to " + std::to_string(kMostStages) + ", not " + value;
      } else if (arg == "--format") {
        const auto format = imageFormatOfName("x." + value);
        if (!format || *format == ImageFormat::Bmp) return "--format takes png, svg or pdf, not " + value;
        request.format = *format;
      } else {
        const std::size_t x = value.find('x');
        const auto width = x == std::string::npos ? std::nullopt : sideOf(value.substr(0, x));
        const auto height = x == std::string::npos ? std::nullopt : sideOf(value.substr(x + 1));
        if (!width || !height)
          return "--size takes WIDTHxHEIGHT in pixels, each 1 to " + std::to_string(kLargestSide) + ", not " + value;
        request.size = ImageSize{*width, *height, kPicturePixelsPerInch};
      }
    } else if (!arg.empty() && arg[0] == '-') {
      return "unknown option " + arg + " (see korvex plot --help)";
    } else if (request.plotFile.empty()) {
      request.plotFile = arg;
    } else {
      return "plot takes one plot data file (see korvex plot --help)";
    }
  }
  if (request.plotFile.empty()) return "plot needs a plot data file (see korvex plot --help)";
  if (request.outFolder.empty()) return "plot needs --out DIR (see korvex plot --help)";
  return "";
}

// The lines of `text` after line `line` (1-based).
std::string linesAfter(const std::string& text, int line) {
  std::istringstream in(text);
  std::string rest, current;
  for (int n = 1; std::getline(in, current); ++n)
    if (n > line) rest += current + "\n";
  return rest;
}

// Reads stage `stage` of the data file at `path`: a staged data file holds one block per stage,
// each starting on the line after the previous block's last value.
ProjectReadResult readStage(const fs::path& path, int stage, ProjectTables& tables) {
  ProjectReadResult read = ReadDataFile(path, KindOfFile(path.string()), tables);
  if (!read.opened || stage == 1) return read;
  const int stages = read.data.StageCount;
  std::ifstream in(path, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  for (int n = 2; n <= stage; ++n) {
    if (n > stages || !read.error.empty()) {
      read.error = path.string() + " holds no stage " + std::to_string(stage);
      return read;
    }
    text = linesAfter(text, read.lastLineRead);
    read = ReadDataText(text, kCurrentKind, tables, path.string());
  }
  read.data.CurrentStage = stage;
  return read;
}

// The project the plot file belongs to: from --data, else FILE.kx5d beside the plot file, else
// none.
std::unique_ptr<Project> projectOf(const PlotRequest& request, std::ostream& err, bool& failed) {
  const fs::path data = projectDataFileOf(request.plotFile, request.dataFile);
  if (data.empty()) return nullptr;
  auto project = std::make_unique<Project>();
  ProjectReadResult read = readStage(data, request.stage, project->tables);
  if (!read.opened || (request.stage > 1 && !read.error.empty())) {
    failed = true;
    fail(err, read.error);
    return nullptr;
  }
  project->data = read.data;
  return project;
}

}  // namespace

int runPlotTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  PlotRequest request;
  if (const std::string problem = parse(args, request); !problem.empty()) return fail(err, problem);
  bool failed = false;
  const std::unique_ptr<Project> project = projectOf(request, err, failed);
  if (failed) return kExitFailure;
  if (request.views && !project)
    return fail(err, "--views needs the project: --data FILE.kx5d, or FILE.kx5d beside the plot file");

  ResultGraphs graphs;
  const PlotContext context = project ? plotContextOf(project->data, project->tables) : PlotContext{};
  const PlotLoadResult loaded = loadPlotFile(request.plotFile, context, graphs);
  if (!loaded.loaded) {
    std::string why = loaded.error;
    std::replace(why.begin(), why.end(), '\r', ' ');
    return fail(err, request.plotFile.string() + ": " + why);
  }
  std::error_code error;
  fs::create_directories(request.outFolder, error);
  if (!fs::is_directory(request.outFolder, error)) return fail(err, "cannot create folder " + request.outFolder.string());

  const std::string stem = request.plotFile.stem().string();
  int status = kExitOk;
  for (int g = 0; g < kGraphCount; ++g) {
    const auto index = static_cast<GraphIndex>(g);
    TGraphPlot graph = graphs.graph(index);
    if (graph.PointCount() == 0) {
      out << "Skipped " << graph.Caption << ": the file holds no points for it\n";
      continue;
    }
    graph.Title = graph.Caption + " - " + stem;
    const ImageSize size = request.size.value_or(graph.ShowThree ? kThreePanelSize : kSingleGraphSize);
    const fs::path picture =
        request.outFolder / (stem + "-" + graphFileWord(index) + "." + imageExtension(request.format));
    if (const std::string problem = writeGraphImage(graph, picture, request.format, size); !problem.empty()) {
      status = fail(err, problem);
      continue;
    }
    out << "Written: " << picture.string() << '\n';
  }
  if (request.views) {
    const ViewPicturesResult views = writeViewPictures(project->data, project->tables, graphs.graph(kGraphDeflection),
                                                       true, {request.outFolder, stem, request.format, request.size});
    for (const fs::path& picture : views.written) out << "Written: " << picture.string() << '\n';
    for (const std::string& note : views.notes) out << note << '\n';
    for (const std::string& problem : views.problems) status = fail(err, problem);
  }
  return status;
}

}  // namespace korvex
