// `korvex run`: analyses data files, one at a time or several in parallel threads, and tells
// how each run ended and its key results.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace korvex::cli {

extern const char* const kRunUsage;

// Runs `run` with its arguments (args[0] is "run"); returns the exit status.
int runRun(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool terminal);

}  // namespace korvex::cli
