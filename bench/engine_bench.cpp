// Benchmarks of the engine: a full run of a large wall from data file to the three output
// files, the wall solver alone, the cost per station of whole runs as the wall grows, and the
// throughput of batches of runs on one and two threads.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "beamcolumn/station_tables.h"
#include "beamcolumn/wall_solver.h"
#include "cli_app.h"
#include "control/engine.h"

namespace {

namespace fs = std::filesystem;

// A folder of its own under the system's temporary folder, removed at the end.
class BenchFolder {
 public:
  BenchFolder() {
    std::string pattern = (fs::temp_directory_path() / "korvex-bench-XXXXXX").string();
    if (char* made = mkdtemp(pattern.data())) m_path = made;
  }
  ~BenchFolder() {
    std::error_code error;
    fs::remove_all(m_path, error);
  }
  const fs::path& path() const { return m_path; }

 private:
  fs::path m_path;
};

std::string readText(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

void writeText(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

korvex::RunFiles filesFor(const fs::path& input, const fs::path& folder) {
  korvex::RunFiles files;
  files.input = input;
  files.report = folder / "run.kx5o";
  files.plot = folder / "run.kx5p";
  files.monitor = folder / "run.kx5r";
  return files;
}

korvex::RunOptions quietOptions() {
  korvex::RunOptions options;
  options.console = [](std::string_view) {};
  options.time = korvex::RunTime{2026, 3, 9, 8, 5, 7};
  return options;
}

double peakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

const fs::path kLargeWall = fs::path(KORVEX_BENCH_DATA) / "large_wall.kx5d";

// (a) 300 increments, ten layers of mixed soils with generated earth pressure and p-y curves,
// two tiebacks, a moment-EI curve, and a long-term block.
void BM_FullRunLargeWall(benchmark::State& state) {
  BenchFolder folder;
  const korvex::RunFiles files = filesFor(kLargeWall, folder.path());
  const korvex::RunOptions options = quietOptions();
  for (auto _ : state) benchmark::DoNotOptimize(korvex::Engine::run(files, options));
  state.counters["peak_rss_MB"] = peakMegabytes();
}
BENCHMARK(BM_FullRunLargeWall)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// (b) One forward recursion and back substitution of the wall equations: a uniform wall on
// springs with a load at the top and a fixed toe.
void BM_SolverOneIteration(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  korvex::StationTables tables;
  tables.reset(n);
  korvex::StationTable qw, sw, w;
  for (int j = -1; j <= n + 1; ++j) {
    tables.ei[j] = 3.0E10;
    sw[j] = j > n / 2 ? 1.0E3 : 0.0;
  }
  qw[0] = 1000.0;
  korvex::WallSolver solver;
  solver.setConditions(n, {korvex::Restraint{3, n, 0.0, 0.0}});
  for (auto _ : state) {
    benchmark::DoNotOptimize(solver.solve(tables, qw, sw, 3.0, 1.0E6, 1.0E-3, w));
    benchmark::ClobberMemory();
  }
  state.counters["per_station"] =
      benchmark::Counter(static_cast<double>(n + 3), benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}
BENCHMARK(BM_SolverOneIteration)->Arg(50)->Arg(100)->Arg(200)->Arg(407)->Unit(benchmark::kMicrosecond);

// A single-block wall of n increments in two sands and a clay with generated earth pressure
// and p-y curves, for the cost of a whole run per station and iteration as the wall grows.
std::string scaledWall(int n) {
  const double h = 600.0 / n;
  std::ostringstream text;
  text << "SCALED WALL\n1 0 1 0 2 2 0 0 0 1\n" << n << " " << h << " 10 0.0001 300 12\n0 " << n
       << " 1 6.0E+9\n0\n0\n8 1.2 29E6 25 15 8 40000\n300 12 12 200 300 1 1 0\n0 0 0 0 0 0\n0\n3\n"
       << "4 300\n0.0694 0 32 0 25 0\n0.0694 0 32 0 25 0\n1 420\n0.0637 5 0 0.01 0 0\n0.0637 6 0 0.01 0 0\n"
       << "4 700\n0.0723 0 36 0 60 0\n0.0723 0 36 0 60 0\n0\n";
  return text.str();
}

int monitorIterations(const fs::path& monitor) {
  std::istringstream lines(readText(monitor));
  int count = 0;
  for (std::string line; std::getline(lines, line);)
    if (line.size() > 10 && line.find("NO") != std::string::npos) ++count;
  return count;
}

void BM_FullRunPerStation(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  BenchFolder folder;
  const fs::path input = folder.path() / "scaled.kx5d";
  writeText(input, scaledWall(n));
  const korvex::RunFiles files = filesFor(input, folder.path());
  const korvex::RunOptions options = quietOptions();
  for (auto _ : state) benchmark::DoNotOptimize(korvex::Engine::run(files, options));
  const int iterations = monitorIterations(files.monitor);
  state.counters["iterations"] = iterations;
  state.counters["per_station_iteration"] =
      benchmark::Counter(static_cast<double>((n + 1) * std::max(iterations, 1)),
                         benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_FullRunPerStation)->Arg(50)->Arg(100)->Arg(200)->Arg(407)->Unit(benchmark::kMillisecond);

// (c) Batches through the command-line tool: `copies` copies of each data file analysed
// `jobs` at a time; items per second is analyses per second.
void runBatch(benchmark::State& state, const std::vector<fs::path>& sources, int copies) {
  const int jobs = static_cast<int>(state.range(0));
  BenchFolder folder;
  std::vector<std::string> args = {"run"};
  for (int c = 0; c < copies; ++c) {
    for (const fs::path& source : sources) {
      const fs::path copy = folder.path() / (source.stem().string() + "_" + std::to_string(c) + ".kx5d");
      fs::copy_file(source, copy);
      args.push_back(copy.string());
    }
  }
  args.insert(args.end(), {"-j", std::to_string(jobs), "--out", (folder.path() / "out").string()});
  std::ostringstream out, err;
  for (auto _ : state) {
    out.str("");
    err.str("");
    if (korvex::cli::runCli(args, out, err) != korvex::cli::kExitOk) state.SkipWithError("a run failed");
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(args.size() - 6));
}

void BM_BatchLargeWall(benchmark::State& state) { runBatch(state, {kLargeWall}, 32); }
BENCHMARK(BM_BatchLargeWall)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BatchExamples(benchmark::State& state) {
  std::vector<fs::path> examples;
  for (const auto& entry : fs::directory_iterator(KORVEX_EXAMPLES))
    if (entry.path().extension() == ".kx5d") examples.push_back(entry.path());
  runBatch(state, examples, 8);
}
BENCHMARK(BM_BatchExamples)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
