// Checks of the files a command is given, made before anything is written: whether a data file
// can be read, and whether two names stand for the same file however they are spelled
// (symbolic links, "..", hard links).
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace korvex::cli {

// Why `path` cannot be read as a data file, in the system's words ("No such file or
// directory", "Is a directory", "Permission denied"); empty when it can.
std::string unreadableReason(const std::filesystem::path& path);

// The identity of the file a name stands for: device and inode of the file when it exists,
// otherwise of its folder together with its name.
struct FileIdentity {
  unsigned long long device = 0;
  unsigned long long inode = 0;
  std::string name;  // empty when the file exists

  auto operator<=>(const FileIdentity&) const = default;
};

// The identity of `path`, or none when neither the file nor its folder exists.
std::optional<FileIdentity> identityOf(const std::filesystem::path& path);

// Whether `a` and `b` stand for the same file.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace korvex::cli
