// The control file "NAMES.dat" through which a caller hands the engine its file names.
//
// Five lines: the program version (12 characters) and the full names of the input data file,
// the report, the plot data file and the iteration monitor file (255 characters each).
// Trailing blanks and the line end are no part of a line.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "control/engine.h"

namespace korvex {

inline constexpr const char* kControlFileName = "NAMES.dat";

// The control file in `folder`, its name matched without regard to letter case.
std::optional<std::filesystem::path> findControlFile(const std::filesystem::path& folder);

// The run files the control file names; nothing when the file is missing or has fewer than
// five lines.
std::optional<RunFiles> readControlFile(const std::filesystem::path& folder);

// Runs the engine as the library entry point does: reads the control file of `folder` and
// analyses; when the control file is missing or short, writes the two-line request to create
// an input data file to the console instead.
RunOutcome runFromControlFile(const std::filesystem::path& folder, const RunOptions& options = {});

}  // namespace korvex
