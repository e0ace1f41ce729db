#include "report/output_file.h"

#include <cmath>

namespace korvex {

void requireFiniteItems(std::span<const FieldValue> items) {
  for (const FieldValue& item : items) {
    if (item.kind() == FieldValue::Kind::Real && !std::isfinite(item.real())) throw NonFiniteOutput();
  }
}

namespace {
constexpr std::size_t kFlushSize = 1 << 16;
}

OutputFile::~OutputFile() { close(); }

bool OutputFile::open(const std::filesystem::path& path) {
  close();
  m_failed = false;
  m_buffer.clear();
  m_file = std::fopen(path.c_str(), "wb");
  return m_file != nullptr;
}

void OutputFile::flushIfFull() {
  if (m_buffer.size() >= kFlushSize) flush();
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
  if (std::fclose(m_file) != 0) m_failed = true;
  m_file = nullptr;
  return !m_failed;
}

}  // namespace korvex
