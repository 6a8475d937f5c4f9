#pragma once
// The per-user settings of the program, kept under keys and value names such
// as "SOFTWARE\Quorvane\Formet (2007)\Last Active Company" / "Value". The
// desktop program stores them with the platform's settings; tests and the
// command line use the in-memory store below.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace formet {

inline constexpr const char* kSettingsRoot = "SOFTWARE\\Quorvane\\Formet (2007)";

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // nullopt when the key or value is missing or cannot be read.
  virtual std::optional<uint32_t> ReadNumber(const std::string& key, const std::string& value) = 0;
  virtual std::optional<std::string> ReadText(const std::string& key, const std::string& value) = 0;
  // False when the value could not be written (callers that must not claim
  // success, such as a new password, say so; others go on without it).
  virtual bool WriteNumber(const std::string& key, const std::string& value, uint32_t number) = 0;
  virtual bool WriteText(const std::string& key, const std::string& value, const std::string& text) = 0;

  // Where the settings are kept, for messages (Windows-1252); empty when
  // there is nothing to name.
  virtual std::string Location() const { return {}; }

  uint32_t ReadNumberOr(const std::string& key, const std::string& value, uint32_t fallback) {
    return ReadNumber(key, value).value_or(fallback);
  }
  std::string ReadTextOr(const std::string& key, const std::string& value, const std::string& fallback) {
    return ReadText(key, value).value_or(fallback);
  }
};

class MemorySettingsStore : public SettingsStore {
 public:
  std::optional<uint32_t> ReadNumber(const std::string& key, const std::string& value) override;
  std::optional<std::string> ReadText(const std::string& key, const std::string& value) override;
  bool WriteNumber(const std::string& key, const std::string& value, uint32_t number) override;
  bool WriteText(const std::string& key, const std::string& value, const std::string& text) override;

  using Entry = std::pair<std::string, std::string>;
  const std::map<Entry, uint32_t>& Numbers() const { return numbers_; }
  const std::map<Entry, std::string>& Texts() const { return texts_; }

 private:
  std::map<Entry, uint32_t> numbers_;
  std::map<Entry, std::string> texts_;
};

}  // namespace formet
