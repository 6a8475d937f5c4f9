#pragma once
// The print options dialogs of the four forms, as rules: what each dialog
// shows from the form's print settings, and what its OK does with what the
// user chose. The desktop dialogs and formet-cli's print command both go
// through these, so they refuse and store the same things.
#include <optional>
#include <string>

#include "store/print_settings.h"

namespace formet {

// The names of the W-2 copy list (blank copy types 0-9; kW2CopyCount and
// the laser substitute for Copy A come with the print settings).
const char* W2CopyName(int copy);  // nullptr outside 0-9

// The names of the 1099-MISC copy list (copy types 0-5); the apostrophe of
// "recipient's" is the typographic one of Windows-1252 (0x92).
const char* Form1099CopyName(int copy);  // nullptr outside 0-5

// The "Type" choice of the W-2 dialog.
enum class W2PaperChoice { Copy = 0, CopyASubstitute = 1, RedInk = 2 };

// What a dialog shows and what the user confirms (Windows-1252 texts).
struct PrintOptionsEntry {
  std::string horizontalOffset, verticalOffset;  // inches, without sign, as typed
  int horizontalDirection = 1;                   // 0 left, 1 right
  int verticalDirection = 1;                     // 0 up, 1 down
  int target = 0;                                // W-2 and 1099-MISC: 0 current person, 1 all
  // The "Type" choice: for the W-2 a W2PaperChoice; for the others the paper
  // type itself (W-3: 0 copy, 1 red-ink, 2 laser substitute; 1099-MISC and
  // 1096: 0 copy, 1 red-ink).
  int paper = 1;
  int copy = 0;               // the copy list's selection (W-2, 1099-MISC)
  std::string verticalSpace;  // W-2: inches between the top and bottom forms
  bool operator==(const PrintOptionsEntry&) const = default;
};

// The dialog as it opens: the sizes of the offsets and the vertical space
// printed with "%2.2lf", the directions, the target, the type and the list's
// entry from the form's block.
PrintOptionsEntry ShowPrintOptions(PrintForm form, const FormPrintSettings& settings);

// The offset fields (and the W-2's vertical space) are enabled only while the
// pre-printed red-ink form is chosen; the copy list only while "Print a
// copy:" is.
bool OffsetsEnabled(PrintForm form, const PrintOptionsEntry& entry);
bool CopyListEnabled(PrintForm form, const PrintOptionsEntry& entry);

// OK. A W-2 vertical space below 0.75 or above 1.75 inches is refused: the
// message is returned, 1.33 printed with "%f" is put back into the entry and
// the block is left as it was. Otherwise the block takes every choice (each
// field read with ParseMoney from at most its first 5 characters) and each
// offset its sign (negative for left or up), and nullopt is returned.
std::optional<std::string> ConfirmPrintOptions(PrintForm form, PrintOptionsEntry& entry,
                                               FormPrintSettings& settings);

// The refusals of the W-2 vertical space (Windows-1252).
std::string VerticalSpaceTooSmallMessage();
std::string VerticalSpaceTooLargeMessage();

}  // namespace formet
