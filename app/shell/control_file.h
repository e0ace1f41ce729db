// The control file "names.dat" that tells the engine which files a run reads and writes: the
// version, then the data file, the report (.kx5o), the plot file (.kx5p) and the iteration
// monitor file (.kx5r), one per line, CR LF line ends.
#pragma once

#include <optional>
#include <string>

namespace korvex {

inline constexpr const char* kControlFileName = "names.dat";
inline constexpr const char* kControlFileVersion = "2015.5.11";
// The engine reads at most this many bytes of a file name and trims trailing blanks.
inline constexpr std::size_t kControlFileNameLimit = 255;

// The text of the control file for the data file `dataFile`.
std::string controlFileText(const std::string& dataFile);

// Why the engine could not read the names of a run of `dataFile` as written (longer than the
// limit, ending in a blank, holding a line break), in words for the user; nothing when it can.
std::optional<std::string> controlFileProblem(const std::string& dataFile);

// `path` with its extension replaced by `extension` (".kx5o").
std::string withExtension(const std::string& path, const std::string& extension);

}  // namespace korvex
