#include "app/gui/qt_settings_store.h"

namespace korvex {

namespace {
const QString kGroup = QStringLiteral("2015.5.11");
}

QtSettingsStore::QtSettingsStore() : m_settings(QStringLiteral("Orvane"), QStringLiteral("KORVEX")) {}

std::optional<std::string> QtSettingsStore::read(const std::string& key) {
  const QString name = kGroup + '/' + QString::fromStdString(key);
  if (m_settings.status() != QSettings::NoError || !m_settings.contains(name)) return std::nullopt;
  return m_settings.value(name).toString().toStdString();
}

void QtSettingsStore::write(const std::string& key, const std::string& value) {
  m_settings.setValue(kGroup + '/' + QString::fromStdString(key), QString::fromStdString(value));
  m_settings.sync();
}

}  // namespace korvex
