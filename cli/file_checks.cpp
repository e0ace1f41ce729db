#include "file_checks.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace korvex::cli {

namespace {

std::string systemText(int error) { return std::generic_category().message(error); }

}  // namespace

std::string unreadableReason(const std::filesystem::path& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return systemText(errno);
  if (S_ISDIR(status.st_mode)) return systemText(EISDIR);
  const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (file < 0) return systemText(errno);
  ::close(file);
  return "";
}

std::optional<FileIdentity> identityOf(const std::filesystem::path& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) == 0)
    return FileIdentity{static_cast<unsigned long long>(status.st_dev), static_cast<unsigned long long>(status.st_ino), ""};
  std::filesystem::path folder = path.parent_path();
  if (folder.empty()) folder = ".";
  if (::stat(folder.c_str(), &status) != 0) return std::nullopt;
  return FileIdentity{static_cast<unsigned long long>(status.st_dev), static_cast<unsigned long long>(status.st_ino),
                      path.filename().string()};
}

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  const auto first = identityOf(a);
  const auto second = identityOf(b);
  if (first && second) return *first == *second;
  return std::filesystem::absolute(a).lexically_normal() == std::filesystem::absolute(b).lexically_normal();
}

}  // namespace korvex::cli
