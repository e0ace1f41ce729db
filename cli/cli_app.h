// The korvex command-line tool: runs the engine headless on data files.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace korvex::cli {

// Exit statuses of the tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 2;  // a file could not be read or written, or bad arguments

// Runs the tool with `args` (without the program name), writing normal output to `out` and
// one-line error messages to `err`; with `terminal` (standard error is a terminal) a batch
// of runs shows its progress on `err`. Returns the exit status.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool terminal = false);

}  // namespace korvex::cli
