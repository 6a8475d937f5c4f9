#include "store/print_settings.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "store/settings_store.h"

namespace formet {
namespace {

struct StoredValues {
  const char* key;
  const char* prefix;  // value names begin with the form's name
  bool hasTarget, hasCopyType, hasVerticalSpace;
  const char* copyTypeName;
  uint32_t highestPaperType, highestCopyType;  // the largest values the dialog gives
};

constexpr StoredValues kForms[4] = {
    {"Form W2 Print Options", "W2", true, true, true, "Blank Copy Type", 1, kW2CopyASubstitute},
    {"Form W3 Print Options", "W3", false, false, false, nullptr, 2, 0},
    {"Form 1099 Print Options", "1099", true, true, false, "Copy Type", 1, kForm1099CopyCount - 1},
    {"Form 1096 Print Options", "1096", false, false, false, nullptr, 1, 0},
};

// What the dialogs' fields take, in hundredths of an inch: two whole digits
// and two decimals; the W-2's vertical space from 0.75 to 1.75 inches.
constexpr uint32_t kMostOffset = 9999;
constexpr uint32_t kLeastVerticalSpace = 75;
constexpr uint32_t kMostVerticalSpace = 175;

// Hundredths of an inch as the user reads them: "42949672.95 inches".
std::string InchesText(uint32_t hundredths) {
  const uint32_t cents = hundredths % 100;
  return std::to_string(hundredths / 100) + "." + (cents < 10 ? "0" : "") + std::to_string(cents) + " inches";
}

std::string Key(const StoredValues& f) { return std::string(kSettingsRoot) + "\\" + f.key; }
std::string Name(const StoredValues& f, const char* what) { return std::string(f.prefix) + " " + what; }

}  // namespace

unsigned HundredthsOf(double inches) {
  // Truncated toward zero, after allowing for the binary form of decimal
  // fractions (0.29 * 100 is 28.999999999999996).
  return static_cast<unsigned>(std::trunc(std::fabs(inches) * 100.0 + 1e-7));
}

std::vector<std::string> LoadPrintSettings(SettingsStore& store, PrintSettingsSet& settings) {
  std::vector<std::string> replaced;
  for (int i = 0; i < 4; ++i) {
    const auto& f = kForms[i];
    const std::string key = Key(f);
    const FormPrintSettings defaults;
    // A stored value the options dialog could not have given is not used:
    // its default is, and it is named in the list returned.
    const auto read = [&](const char* what, uint32_t fallback, uint32_t lowest, uint32_t highest, bool inches) {
      const std::string name = Name(f, what);
      const auto stored = store.ReadNumber(key, name);
      if (!stored) return fallback;
      if (*stored >= lowest && *stored <= highest) return *stored;
      const auto shown = [&](uint32_t v) { return inches ? InchesText(v) : std::to_string(v); };
      replaced.push_back(name + " " + shown(*stored) + " (now " + shown(fallback) + ")");
      return fallback;
    };
    const auto choice = [&](const char* what, int fallback, uint32_t highest) {
      return static_cast<int>(read(what, static_cast<uint32_t>(fallback), 0, highest, false));
    };
    auto& s = settings[i];
    s.horizontalOffset = read("Horizontal Offset Value", 0, 0, kMostOffset, true) / 100.0;
    s.horizontalDirection = choice("Horizontal Offset Direction", defaults.horizontalDirection, 1);
    s.verticalOffset = read("Vertical Offset Value", 0, 0, kMostOffset, true) / 100.0;
    s.verticalDirection = choice("Vertical Offset Direction", defaults.verticalDirection, 1);
    s.paperType = choice("Paper Type", defaults.paperType, f.highestPaperType);
    if (f.hasTarget) s.printTarget = choice("Print Target", defaults.printTarget, 1);
    if (f.hasCopyType) s.blankCopyType = choice(f.copyTypeName, defaults.blankCopyType, f.highestCopyType);
    if (f.hasVerticalSpace)
      s.verticalSpace =
          read("Vertical Space Between forms", 133, kLeastVerticalSpace, kMostVerticalSpace, true) / 100.0;
  }
  return replaced;
}

bool SavePrintSettings(SettingsStore& store, PrintSettingsSet& settings) {
  bool written = true;
  for (int i = 0; i < 4; ++i) {
    const auto& f = kForms[i];
    const std::string key = Key(f);
    const auto write = [&](const char* what, uint32_t value) {
      written = store.WriteNumber(key, Name(f, what), value) && written;
    };
    auto& s = settings[i];
    s.horizontalOffset = std::fabs(s.horizontalOffset);
    s.verticalOffset = std::fabs(s.verticalOffset);
    write("Horizontal Offset Value", HundredthsOf(s.horizontalOffset));
    if (f.hasVerticalSpace) write("Vertical Space Between forms", HundredthsOf(s.verticalSpace));
    write("Horizontal Offset Direction", static_cast<uint32_t>(s.horizontalDirection));
    write("Vertical Offset Value", HundredthsOf(s.verticalOffset));
    write("Vertical Offset Direction", static_cast<uint32_t>(s.verticalDirection));
    if (f.hasTarget) write("Print Target", static_cast<uint32_t>(s.printTarget));
    write("Paper Type", static_cast<uint32_t>(s.paperType));
    if (f.hasCopyType) write(f.copyTypeName, static_cast<uint32_t>(s.blankCopyType));
  }
  return written;
}

}  // namespace formet

namespace formet {

const char* PrintFormTitle(PrintForm form) {
  switch (form) {
    case PrintForm::W2: return "Form W-2";
    case PrintForm::W3: return "Form W-3";
    case PrintForm::Form1099: return "Form 1099-MISC";
    case PrintForm::Form1096: return "Form 1096";
  }
  return "";
}

std::string ProposedPdfFileName(const std::string& company, PrintForm form) {
  const std::string title = PrintFormTitle(form);
  const bool usable = !company.empty() && company.find('/') == std::string::npos &&
                      company.find('\0') == std::string::npos && company.front() != '.';
  return (usable ? company + " - " + title : title) + ".pdf";
}

std::string ReadLastPdfFolder(SettingsStore& store, PrintForm form) {
  return store.ReadTextOr(Key(kForms[static_cast<int>(form)]), "Last PDF Folder", "");
}

bool WriteLastPdfFolder(SettingsStore& store, PrintForm form, const std::string& folder) {
  return store.WriteText(Key(kForms[static_cast<int>(form)]), "Last PDF Folder", folder);
}

}  // namespace formet
