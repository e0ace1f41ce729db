// `korvex export`: writes the result graphs of a plot data file into a spreadsheet workbook, the
// same workbook the desktop program's "Export Plots To Excel" writes. Needs no display and no Qt.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace korvex::cli {

extern const char* const kExportUsage;

// Runs `export` with its arguments (args[0] is "export"); returns the exit status.
int runExport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace korvex::cli
