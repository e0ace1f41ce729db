// The text shown when the system refuses a file operation on a project file: what was tried,
// the file, and the system's own message for the error, e.g.
//   Cannot open file "/walls/a.kx5d". No such file or directory
#pragma once

#include <cstring>
#include <filesystem>
#include <string>

namespace korvex {

// `error` is the errno value the failed call left.
inline std::string systemErrorText(const std::string& what, const std::filesystem::path& path, int error) {
  return what + " \"" + path.string() + "\". " + std::strerror(error);
}

}  // namespace korvex
