#pragma once
// The settings store of the desktop program: the platform's per-user
// settings, under the same key and value names ("SOFTWARE/Quorvane/
// Formet (2007)/Last Active Company/Value", ...).
#include <QSettings>
#include <memory>

#include "store/settings_store.h"

namespace formet {

class QtSettingsStore : public SettingsStore {
 public:
  QtSettingsStore();                                // the user's settings file
  explicit QtSettingsStore(const QString& iniFile);  // a given file (tests)

  std::optional<uint32_t> ReadNumber(const std::string& key, const std::string& value) override;
  std::optional<std::string> ReadText(const std::string& key, const std::string& value) override;
  bool WriteNumber(const std::string& key, const std::string& value, uint32_t number) override;
  bool WriteText(const std::string& key, const std::string& value, const std::string& text) override;
  // The file the settings live in.
  QString FileName() const { return settings_->fileName(); }
  std::string Location() const override;

 private:
  std::unique_ptr<QSettings> settings_;
};

}  // namespace formet
