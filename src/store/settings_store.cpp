#include "store/settings_store.h"

namespace formet {

std::optional<uint32_t> MemorySettingsStore::ReadNumber(const std::string& key, const std::string& value) {
  const auto it = numbers_.find({key, value});
  if (it == numbers_.end()) return std::nullopt;
  return it->second;
}

std::optional<std::string> MemorySettingsStore::ReadText(const std::string& key, const std::string& value) {
  const auto it = texts_.find({key, value});
  if (it == texts_.end()) return std::nullopt;
  return it->second;
}

bool MemorySettingsStore::WriteNumber(const std::string& key, const std::string& value, uint32_t number) {
  numbers_[{key, value}] = number;
  return true;
}

bool MemorySettingsStore::WriteText(const std::string& key, const std::string& value, const std::string& text) {
  texts_[{key, value}] = text;
  return true;
}

}  // namespace formet
