// The per-user settings kept with QSettings: organisation "Orvane", application "KORVEX",
// group "2015.5.11", the keys "Word Processor" and "File1" to "File10".
#pragma once

#include <QSettings>

#include "app/shell/settings_store.h"

namespace korvex {

class QtSettingsStore : public SettingsStore {
 public:
  QtSettingsStore();
  std::optional<std::string> read(const std::string& key) override;
  void write(const std::string& key, const std::string& value) override;

 private:
  QSettings m_settings;
};

}  // namespace korvex
