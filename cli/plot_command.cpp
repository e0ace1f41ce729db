#include "plot_command.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <system_error>

#include "cli_app.h"

extern char** environ;

namespace korvex::cli {

namespace fs = std::filesystem;

const char* const kPlotUsage =
    "  plot FILE.kx5p --out DIR [--format png|svg|pdf] [--size WxH] [--data FILE.kx5d]\n"
    "       [--views [--stage N]]  draw every graph of a plot data file into DIR, one picture a\n"
    "                              graph, and the side and 3D views (needs korvex-plot, built\n"
    "                              with the desktop program)\n";

const char* const kPlotHelp =
    "Usage: korvex plot FILE.kx5p --out DIR [--format png|svg|pdf] [--size WxH] [--data FILE.kx5d]\n"
    "                  [--views [--stage N]]\n"
    "\n"
    "Draws every graph of the plot data file FILE.kx5p with the desktop program's own drawing,\n"
    "one picture a graph, named FILE-GRAPH.EXT in DIR (created when missing): p-y-curves,\n"
    "deflection, moment, shear, net-reaction, deflection-moment-shear, earth-pressure and\n"
    "earth-pressure-combined. A graph the file holds nothing for (no p-y curves, no earth\n"
    "pressure) is named as skipped. No display is needed.\n"
    "\n"
    "Options:\n"
    "  --out DIR        the folder of the pictures (required)\n"
    "  --format F       png (default), svg or pdf\n"
    "  --size WxH       the picture's size in pixels at 96 per inch (default 900x1000, and\n"
    "                   1500x1000 for the three panels of deflection-moment-shear); a PDF page\n"
    "                   is W/96 by H/96 inches\n"
    "  --data FILE.kx5d the project the results belong to, for the soil layers and the wall\n"
    "                   drawn behind deflection-moment-shear and the names Short-Term and\n"
    "                   Long-Term; without it, FILE.kx5d beside the plot file when there is one\n"
    "  --views          also draw the model: FILE-side-view.EXT, the soil-wall profile, and\n"
    "                   FILE-3d-view.EXT, the 3D view seen obliquely with its layers labelled and\n"
    "                   the wall deflected by the results (magnified so that the largest\n"
    "                   deflection shows as a tenth of the wall; the factor is printed). Needs the\n"
    "                   project (--data or beside the plot file). The 3D view needs OpenGL: on a\n"
    "                   machine without a display korvex runs korvex-plot under xvfb-run when it\n"
    "                   is installed (Debian package xvfb)\n"
    "  --stage N        the construction stage the views show (1 to 5, default 1)\n"
    "\n"
    "A picture replaces an earlier file of its name only once it is written completely.\n"
    "\n"
    "Exit status: 0 when every picture was written; 2 when the plot file does not read (what\n"
    "and where is said on standard error), a picture could not be written, or the arguments\n"
    "are wrong.\n"
    "\n"
    "korvex plot is a separate program, korvex-plot, started by korvex: the drawing needs Qt,\n"
    "and korvex run must not.\n";

namespace {

fs::path runningProgramFolder() {
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::path() : self.parent_path();
}

// The program `name` on the search path, or an empty path.
fs::path onSearchPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string folders = path != nullptr ? path : "";
  for (std::size_t start = 0; start <= folders.size();) {
    std::size_t end = folders.find(':', start);
    if (end == std::string::npos) end = folders.size();
    const fs::path candidate = fs::path(folders.substr(start, end - start)) / name;
    if (end > start && ::access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return {};
}

bool hasDisplay() {
  const char* display = std::getenv("DISPLAY");
  return display != nullptr && *display != '\0';
}

}  // namespace

int runPlot(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, const fs::path& toolFolder) {
  if (asksForHelp(args)) {
    out << kPlotHelp;
    return kExitOk;
  }
  const fs::path tool = (toolFolder.empty() ? runningProgramFolder() : toolFolder) / kPlotToolName;
  if (::access(tool.c_str(), X_OK) != 0)
    return fail(err, "plot needs the program " + tool.string() +
                         ", which is built with the desktop program (KORVEX_BUILD_GUI=ON)");
  std::vector<std::string> words{tool.string()};
  words.insert(words.end(), args.begin() + 1, args.end());
  // The 3D view needs OpenGL, which needs a display: without one, a virtual X server's.
  const bool views = std::find(args.begin(), args.end(), "--views") != args.end();
  if (views && !hasDisplay()) {
    if (const fs::path xvfb = onSearchPath(kVirtualDisplayRunner); !xvfb.empty())
      words.insert(words.begin(), {xvfb.string(), "-a"});
  }
  const std::string program = words.front();
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  out.flush();
  err.flush();
  pid_t child = 0;
  if (const int error = ::posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ); error != 0)
    return fail(err, "cannot start " + program + ": " + std::strerror(error));
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return fail(err, "lost " + tool.string() + ": " + std::strerror(errno));
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  return fail(err, tool.string() + " ended by signal " + std::to_string(WTERMSIG(status)));
}

}  // namespace korvex::cli
