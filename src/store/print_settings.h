#pragma once
// The print choices of the four forms. They belong to the user, not to a
// company: the settings store keeps them, the open company carries them.
#include <array>
#include <string>
#include <vector>

namespace formet {

class SettingsStore;

struct FormPrintSettings {
  double horizontalOffset = 0;   // inches; negative in memory after a print dialog means left
  double verticalOffset = 0;     // inches; negative means up
  int horizontalDirection = 1;   // 0 left, 1 right
  int verticalDirection = 1;     // 0 up, 1 down
  int paperType = 1;             // 1: pre-printed red-ink form
  int printTarget = 0;           // W-2 and 1099-MISC: 0 current person, 1 all
  int blankCopyType = 0;         // W-2 and 1099-MISC: the copy drawn on blank paper
  double verticalSpace = 1.33;   // W-2: inches between the top and bottom forms
  bool operator==(const FormPrintSettings&) const = default;
};

enum class PrintForm { W2 = 0, W3 = 1, Form1099 = 2, Form1096 = 3 };

// The copies a block may name. W-2: the copy list holds blank copy types
// 0-9 (0 the four-up page); 10 is the complete laser substitute for Copy A,
// which is not in the list. 1099-MISC: copy types 0-5.
inline constexpr int kW2CopyCount = 10;
inline constexpr int kW2CopyASubstitute = 10;
inline constexpr int kW2FourUp = 0;
inline constexpr int kForm1099CopyCount = 6;

using PrintSettingsSet = std::array<FormPrintSettings, 4>;  // indexed by PrintForm

// Reads the four blocks, form by form (W-2, W-3, 1099-MISC, 1096); a missing
// value gives the start value, and so does a stored value the options
// dialogs could not have given (an offset beyond 99.99 inches, a direction,
// paper or copy type they do not offer, a vertical space outside 0.75-1.75
// inches). Returns those replaced values, each as its name, the value found
// and the value used ("W2 Horizontal Offset Value 42949672.95 inches (now
// 0.00 inches)").
std::vector<std::string> LoadPrintSettings(SettingsStore& store, PrintSettingsSet& settings);
// Makes both offsets of each block non-negative, then writes every value.
// False when a value could not be written (the others still are).
bool SavePrintSettings(SettingsStore& store, PrintSettingsSet& settings);

// The form's name in its print job and files: "Form W-2", "Form W-3",
// "Form 1099-MISC", "Form 1096".
const char* PrintFormTitle(PrintForm form);
// The PDF file a print of the form proposes, named for whose it is:
// "Acme Supply - Form W-2.pdf"; the form's name alone when the company's
// name cannot begin a file name (Windows-1252 texts).
std::string ProposedPdfFileName(const std::string& company, PrintForm form);
// The folder a PDF of the form was last written to, by the user of this
// machine for any company (empty when none was), and its keeping.
std::string ReadLastPdfFolder(SettingsStore& store, PrintForm form);
bool WriteLastPdfFolder(SettingsStore& store, PrintForm form, const std::string& folder);

// Inches as stored: hundredths of an inch of the size, without sign. A value
// typed with two decimals is kept exactly (0.29 stays 29, not 28).
unsigned HundredthsOf(double inches);

}  // namespace formet
