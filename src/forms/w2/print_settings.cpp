#include "forms/w2/print_settings.h"

#include <cmath>
#include <string>

#include "store/settings_store.h"

namespace formet {
namespace {

struct StoredValues {
  const char* key;
  const char* prefix;  // value names begin with the form's name
  bool hasTarget, hasCopyType, hasVerticalSpace;
  const char* copyTypeName;
};

constexpr StoredValues kForms[4] = {
    {"Form W2 Print Options", "W2", true, true, true, "Blank Copy Type"},
    {"Form W3 Print Options", "W3", false, false, false, nullptr},
    {"Form 1099 Print Options", "1099", true, true, false, "Copy Type"},
    {"Form 1096 Print Options", "1096", false, false, false, nullptr},
};

std::string Key(const StoredValues& f) { return std::string(kSettingsRoot) + "\\" + f.key; }
std::string Name(const StoredValues& f, const char* what) { return std::string(f.prefix) + " " + what; }

}  // namespace

unsigned HundredthsOf(double inches) {
  // Truncated toward zero, after allowing for the binary form of decimal
  // fractions (0.29 * 100 is 28.999999999999996).
  return static_cast<unsigned>(std::trunc(std::fabs(inches) * 100.0 + 1e-7));
}

void LoadPrintSettings(SettingsStore& store, PrintSettingsSet& settings) {
  for (int i = 0; i < 4; ++i) {
    const auto& f = kForms[i];
    const std::string key = Key(f);
    const FormPrintSettings defaults;
    auto& s = settings[i];
    s.horizontalOffset = store.ReadNumberOr(key, Name(f, "Horizontal Offset Value"), 0) / 100.0;
    s.horizontalDirection = static_cast<int>(
        store.ReadNumberOr(key, Name(f, "Horizontal Offset Direction"), defaults.horizontalDirection));
    s.verticalOffset = store.ReadNumberOr(key, Name(f, "Vertical Offset Value"), 0) / 100.0;
    s.verticalDirection = static_cast<int>(
        store.ReadNumberOr(key, Name(f, "Vertical Offset Direction"), defaults.verticalDirection));
    s.paperType = static_cast<int>(store.ReadNumberOr(key, Name(f, "Paper Type"), defaults.paperType));
    if (f.hasTarget)
      s.printTarget = static_cast<int>(store.ReadNumberOr(key, Name(f, "Print Target"), defaults.printTarget));
    if (f.hasCopyType)
      s.blankCopyType = static_cast<int>(store.ReadNumberOr(key, Name(f, f.copyTypeName), defaults.blankCopyType));
    if (f.hasVerticalSpace)
      s.verticalSpace = store.ReadNumberOr(key, Name(f, "Vertical Space Between forms"), 133) / 100.0;
  }
}

void SavePrintSettings(SettingsStore& store, PrintSettingsSet& settings) {
  for (int i = 0; i < 4; ++i) {
    const auto& f = kForms[i];
    const std::string key = Key(f);
    auto& s = settings[i];
    s.horizontalOffset = std::fabs(s.horizontalOffset);
    s.verticalOffset = std::fabs(s.verticalOffset);
    store.WriteNumber(key, Name(f, "Horizontal Offset Value"), HundredthsOf(s.horizontalOffset));
    if (f.hasVerticalSpace)
      store.WriteNumber(key, Name(f, "Vertical Space Between forms"), HundredthsOf(s.verticalSpace));
    store.WriteNumber(key, Name(f, "Horizontal Offset Direction"), static_cast<uint32_t>(s.horizontalDirection));
    store.WriteNumber(key, Name(f, "Vertical Offset Value"), HundredthsOf(s.verticalOffset));
    store.WriteNumber(key, Name(f, "Vertical Offset Direction"), static_cast<uint32_t>(s.verticalDirection));
    if (f.hasTarget) store.WriteNumber(key, Name(f, "Print Target"), static_cast<uint32_t>(s.printTarget));
    store.WriteNumber(key, Name(f, "Paper Type"), static_cast<uint32_t>(s.paperType));
    if (f.hasCopyType) store.WriteNumber(key, Name(f, f.copyTypeName), static_cast<uint32_t>(s.blankCopyType));
  }
}

}  // namespace formet
