// The per-user settings of the desktop program: the text editor ("Word Processor") and the
// recent files ("File1" to "File10"). The desktop program keeps them with QSettings; tests keep
// them in memory.
#pragma once

#include <optional>
#include <string>

namespace korvex {

inline constexpr const char* kEditorKey = "Word Processor";
// "File1" ... "File10".
std::string recentFileKey(int number);

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored value, or nothing when the key is not there or cannot be read.
  virtual std::optional<std::string> read(const std::string& key) = 0;
  // Stores the value; failures are ignored.
  virtual void write(const std::string& key, const std::string& value) = 0;
};

}  // namespace korvex
