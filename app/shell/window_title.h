// The texts the main window shows about its project: the display name of a data file, the
// window title and the status bar.
#pragma once

#include <string>

namespace korvex {

class TProgramData;

// "KORVEX 2015": the caption before any project exists.
inline constexpr const char* kApplicationTitle = "KORVEX 2015";

// The name without its folder, without its extension only when that is ".kxd" (any case), and
// with the first character upper-cased when the name is longer than one character:
// "/x/abc.kxd" gives "Abc", "/x/abc.kx5d" gives "Abc.kx5d".
std::string displayName(const std::string& path);

// "KORVEX 2015.5.11 - " and the display name of the project's FileName.
std::string windowTitle(const TProgramData& project);

// "Construction Stage Number: n" for a staged project, empty otherwise.
std::string statusText(const TProgramData& project);

}  // namespace korvex
