#include "format/output_file.h"

#include <cerrno>
#include <random>
#include <string>

namespace korvex {

OutputFile::~OutputFile() { discard(); }

namespace {

// The file a name stands for: the target of a symbolic link, or the name itself.
std::filesystem::path fileBehind(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_symlink(path, error)) return path;
  const std::filesystem::path target = std::filesystem::weakly_canonical(path, error);
  return error ? path : target;
}

// A name for the temporary file that no other file has: the target's name, hidden, with a
// random suffix; created exclusively, so two runs never share one.
std::FILE* createTemporary(const std::filesystem::path& target, std::filesystem::path& temporary) {
  std::random_device random;
  for (int attempt = 0; attempt < 16; ++attempt) {
    std::string name = target.filename().string();
    name.insert(0, 1, '.');
    name += ".writing-";
    name += std::to_string(random());
    temporary = target.parent_path() / name;
    if (std::FILE* file = std::fopen(temporary.c_str(), "wbx")) return file;
    if (errno != EEXIST) break;
  }
  temporary.clear();
  return nullptr;
}

}  // namespace

bool OutputFile::open(const std::filesystem::path& path) {
  discard();
  m_failed = false;
  m_buffer.clear();
  m_target = fileBehind(path);
  // A folder in the file's place could never take its name: fail now, before any file of the
  // run has been replaced.
  std::error_code error;
  if (std::filesystem::is_directory(m_target, error)) return false;
  m_file = createTemporary(m_target, m_temporary);
  return m_file != nullptr;
}

void OutputFile::flush() {
  if (m_file != nullptr && !m_buffer.empty()) {
    if (std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_file) != m_buffer.size()) m_failed = true;
  }
  m_buffer.clear();
}

bool OutputFile::close() {
  if (m_file == nullptr) return !m_failed;
  flush();
  if (std::fflush(m_file) != 0 || std::fclose(m_file) != 0) m_failed = true;
  m_file = nullptr;
  return !m_failed;
}

bool OutputFile::commit() {
  if (!close() || m_temporary.empty()) return false;
  std::error_code error;
  const auto existing = std::filesystem::status(m_target, error);
  if (!error && std::filesystem::is_regular_file(existing))
    std::filesystem::permissions(m_temporary, existing.permissions(), error);
  std::filesystem::rename(m_temporary, m_target, error);
  if (error) return false;
  m_temporary.clear();
  return true;
}

void OutputFile::discard() {
  close();
  if (m_temporary.empty()) return;
  std::error_code error;
  std::filesystem::remove(m_temporary, error);
  m_temporary.clear();
}

}  // namespace korvex
