#include "graphs/plot_tool/plot_tool.h"

#include <charconv>
#include <filesystem>
#include <optional>
#include <ostream>
#include <system_error>

#include "graphs/paint/graph_image.h"
#include "graphs/result_graphs.h"

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
    if (arg == "--out" || arg == "--format" || arg == "--size" || arg == "--data") {
      if (!hasValue) return arg + " needs a value (see korvex plot --help)";
      const std::string& value = args[++i];
      if (arg == "--out") {
        request.outFolder = value;
      } else if (arg == "--data") {
        request.dataFile = value;
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

}  // namespace

int runPlotTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  PlotRequest request;
  if (const std::string problem = parse(args, request); !problem.empty()) return fail(err, problem);
  ResultGraphs graphs;
  const PlotLoadResult loaded = loadPlotFileOfProject(request.plotFile, request.dataFile, graphs);
  if (!loaded.loaded) return fail(err, loaded.error);
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
  return status;
}

}  // namespace korvex
