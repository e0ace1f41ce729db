// `korvex convert`: reads a project data file of any kind and writes it as the current kind,
// through the same project model the desktop program saves with.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace korvex::cli {

inline constexpr const char* kConvertUsage =
    "  convert IN OUT.kx5d [--kind 1|2|3|4] [--units si|english|other] [--force]\n"
    "                              read the project data file IN (of the kind --kind names, else\n"
    "                              the kind its extension tells) and write it as a current .kx5d\n"
    "                              file, optionally in another unit system\n";

// Runs `convert` with its arguments (args[0] is "convert"). Nothing is written when IN cannot
// be opened, or over IN itself without --force (and never when IN reads only in part). A file
// that reads only in part, or holds what the project cannot, is written as far as it was read,
// with status kExitErrorStop and a line naming what was left out.
int runConvert(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace korvex::cli
