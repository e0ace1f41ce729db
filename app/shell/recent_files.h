// The list of recently used data files: up to ten full paths, most recent first, kept in the
// settings as "File1" to "File10".
#pragma once

#include <string>
#include <vector>

#include "app/shell/settings_store.h"

namespace korvex {

class RecentFiles {
 public:
  static constexpr int kCapacity = 10;

  // The paths, most recent first (no empty entries).
  const std::vector<std::string>& entries() const { return m_entries; }
  int count() const { return static_cast<int>(m_entries.size()); }

  // Puts `path` first: nothing when it is first already, moved to the front from further
  // down, otherwise inserted at the front with the tenth entry dropping out.
  void add(const std::string& path);
  // Takes `path` out of the list (a file that no longer exists).
  void remove(const std::string& path);

  // The File menu's caption of entry `number` (1-based): "n " and the path, shortened to the
  // part after `currentFolder` and a separator when it lies below that folder.
  std::string menuCaption(int number, const std::string& currentFolder) const;

  // Reads "File1" to "File10" (empty values skipped); writes them, empty strings after the last.
  void load(SettingsStore& settings);
  void save(SettingsStore& settings) const;

 private:
  std::vector<std::string> m_entries;
};

}  // namespace korvex
