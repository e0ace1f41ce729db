// The program korvex-plot that `korvex plot` starts: reads a plot data file (and the project it
// belongs to, when there is one) and writes every graph as a picture with the desktop program's
// drawing. Needs a QGuiApplication (any platform, offscreen included) for its fonts.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace korvex {

// Runs with `args` (the arguments after "plot"); returns the exit status (0 every picture
// written, 2 otherwise). Written pictures are named on `out`, problems on `err`.
int runPlotTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace korvex
