// The korvex command-line tool: runs the engine headless on data files.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace korvex::cli {

// Exit statuses of the tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 2;    // a file could not be read or written, or bad arguments
inline constexpr int kExitErrorStop = 3;  // run: an error in the data ended a run; convert: written in part
inline constexpr int kExitNotClosed = 4;  // run: a block did not close or exceeded the allowed deflection

// Runs the tool with `args` (without the program name), writing normal output to `out` and
// one-line error messages to `err`; with `terminal` (standard error is a terminal) a batch
// of runs shows its progress on `err`. Returns the exit status.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool terminal = false);

// "korvex: " and the message on one line of `err`; returns kExitFailure.
int fail(std::ostream& err, const std::string& message);

// Whether `args` (after the command) ask for the command's help.
bool asksForHelp(const std::vector<std::string>& args);

}  // namespace korvex::cli
