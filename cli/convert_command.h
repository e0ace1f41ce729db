// `korvex convert`: reads a project data file of any kind and writes it as the current kind,
// through the same project model the desktop program saves with.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace korvex::cli {

inline constexpr const char* kConvertUsage =
    "  convert IN OUT.kx5d [--kind 1|2|3|4] [--units si|english|other]\n"
    "                              read IN (kind 1 .kx5d, 2 .kx4d, 3 version 3.0 .kxd, 4 version\n"
    "                              2.0 .kxd; from the extension unless given) and write it as a\n"
    "                              current .kx5d file, optionally in another unit system\n";

// Runs `convert` with its arguments (args[0] is "convert"). A file that reads only in part is
// still written, and the reader's message makes the exit status non-zero; a file that cannot
// be opened or read at all writes nothing.
int runConvert(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace korvex::cli
