#include "app/shell/recent_files.h"

#include <algorithm>

namespace korvex {

void RecentFiles::add(const std::string& path) {
  if (path.empty() || (!m_entries.empty() && m_entries.front() == path)) return;
  remove(path);
  m_entries.insert(m_entries.begin(), path);
  if (count() > kCapacity) m_entries.resize(kCapacity);
}

void RecentFiles::remove(const std::string& path) {
  m_entries.erase(std::remove(m_entries.begin(), m_entries.end(), path), m_entries.end());
}

std::string RecentFiles::menuCaption(int number, const std::string& currentFolder) const {
  if (number < 1 || number > count()) return {};
  const std::string& path = m_entries[static_cast<std::size_t>(number - 1)];
  std::string folder = currentFolder;
  if (folder.empty() || folder.back() != '/') folder += '/';
  const bool below = currentFolder.size() > 0 && path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0;
  return std::to_string(number) + " " + (below ? path.substr(folder.size()) : path);
}

void RecentFiles::load(SettingsStore& settings) {
  m_entries.clear();
  for (int number = 1; number <= kCapacity; ++number) {
    const std::optional<std::string> value = settings.read(recentFileKey(number));
    if (value && !value->empty()) m_entries.push_back(*value);
  }
}

void RecentFiles::save(SettingsStore& settings) const {
  for (int number = 1; number <= kCapacity; ++number)
    settings.write(recentFileKey(number), number <= count() ? m_entries[static_cast<std::size_t>(number - 1)] : "");
}

}  // namespace korvex
