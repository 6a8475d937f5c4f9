#include "app/ui/qt_settings_store.h"

#include <QDir>

#include "app/ui/qt_text.h"

namespace formet {
namespace {

QString SettingsKey(const std::string& key, const std::string& value) {
  QString path = ToQt(key);
  path.replace('\\', '/');
  return path + '/' + ToQt(value);
}

}  // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "Quorvane", "Formet (2007)")) {}

QtSettingsStore::QtSettingsStore(const QString& iniFile)
    : settings_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

std::optional<uint32_t> QtSettingsStore::ReadNumber(const std::string& key, const std::string& value) {
  const QVariant v = settings_->value(SettingsKey(key, value));
  bool ok = false;
  const uint number = v.toUInt(&ok);
  if (!v.isValid() || !ok) return std::nullopt;
  return number;
}

std::optional<std::string> QtSettingsStore::ReadText(const std::string& key, const std::string& value) {
  const QVariant v = settings_->value(SettingsKey(key, value));
  if (!v.isValid()) return std::nullopt;
  return FromQt(v.toString());
}

std::string QtSettingsStore::Location() const { return FromQt(QDir::toNativeSeparators(FileName())); }

bool QtSettingsStore::WriteNumber(const std::string& key, const std::string& value, uint32_t number) {
  settings_->setValue(SettingsKey(key, value), static_cast<uint>(number));
  settings_->sync();
  return settings_->status() == QSettings::NoError;
}

bool QtSettingsStore::WriteText(const std::string& key, const std::string& value, const std::string& text) {
  settings_->setValue(SettingsKey(key, value), ToQt(text));
  settings_->sync();
  return settings_->status() == QSettings::NoError;
}

}  // namespace formet
