// `korvex plot`: draws every graph of a plot data file into image files. The drawing needs Qt,
// which `korvex run` must not: the work is done by the program korvex-plot beside korvex (built
// with the desktop program), which this command starts with the same arguments and waits for.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace korvex::cli {

extern const char* const kPlotUsage;
extern const char* const kPlotHelp;
inline constexpr const char* kPlotToolName = "korvex-plot";
// Runs korvex-plot on a virtual X server for the 3D view when there is no display.
inline constexpr const char* kVirtualDisplayRunner = "xvfb-run";

// Runs `plot` with its arguments (args[0] is "plot"): its help, or korvex-plot from `toolFolder`
// (the folder of the running program when empty); with --views and no display, under
// xvfb-run when it is on the search path. Returns the exit status.
int runPlot(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            const std::filesystem::path& toolFolder = {});

}  // namespace korvex::cli
