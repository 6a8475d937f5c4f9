#include "forms/print/print_options.h"

#include <cmath>
#include <cstdio>

#include "forms/money.h"

namespace formet {
namespace {

// The offset and space fields show two whole digits and two decimals; OK
// reads at most five characters of them.
constexpr size_t kFieldCharsRead = 5;

std::string Shown(double inches) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%2.2lf", std::fabs(inches));
  return buf;
}

double Read(const std::string& field) { return ParseMoney(std::string_view(field).substr(0, kFieldCharsRead)); }

bool HasTarget(PrintForm form) { return form == PrintForm::W2 || form == PrintForm::Form1099; }

}  // namespace

const char* W2CopyName(int copy) {
  static const char* const kNames[kW2CopyCount] = {
      "Copies B, C and 2 [4-Up Format]",
      "Copy 1-State",
      "Copy 2-Employee State",
      "Copy B-Employee Federal",
      "Copy C-Employee Records",
      "Copy D-Employer",
      "Instructions for Copy B",
      "Instructions for Copy C",
      "Instructions for Copy 2",
      "Instructions for Copy D",
  };
  return copy >= 0 && copy < kW2CopyCount ? kNames[copy] : nullptr;
}

const char* Form1099CopyName(int copy) {
  static const char* const kNames[kForm1099CopyCount] = {
      "Copy 1-For State Tax Department",
      "Copy B-For Recipient",
      "Copy 2-To be filed with recipient\x92s state income tax",
      "Copy C-For Payer",
      "Instructions for Copy B",
      "Instructions for Copy C",
  };
  return copy >= 0 && copy < kForm1099CopyCount ? kNames[copy] : nullptr;
}

std::string VerticalSpaceTooSmallMessage() {
  return "Vertical space between top and bottom forms can\x92t be less than .75 inches";
}

std::string VerticalSpaceTooLargeMessage() {
  return "Vertical space between top and bottom forms can\x92t be greater than 1.75 inches";
}

PrintOptionsEntry ShowPrintOptions(PrintForm form, const FormPrintSettings& s) {
  PrintOptionsEntry e;
  e.horizontalOffset = Shown(s.horizontalOffset);
  e.verticalOffset = Shown(s.verticalOffset);
  e.horizontalDirection = s.horizontalDirection;
  e.verticalDirection = s.verticalDirection;
  if (HasTarget(form)) e.target = s.printTarget;
  e.paper = s.paperType;
  switch (form) {
    case PrintForm::W2:
      e.verticalSpace = Shown(s.verticalSpace);
      if (s.paperType == 1) e.paper = static_cast<int>(W2PaperChoice::RedInk);
      else if (s.blankCopyType == kW2CopyASubstitute) e.paper = static_cast<int>(W2PaperChoice::CopyASubstitute);
      else e.paper = static_cast<int>(W2PaperChoice::Copy);
      // The list shows its first entry for the Copy A substitute (and for any
      // value it does not hold).
      e.copy = W2CopyName(s.blankCopyType) ? s.blankCopyType : 0;
      break;
    case PrintForm::Form1099:
      e.copy = Form1099CopyName(s.blankCopyType) ? s.blankCopyType : 0;
      break;
    case PrintForm::W3:
    case PrintForm::Form1096:
      break;
  }
  return e;
}

bool OffsetsEnabled(PrintForm form, const PrintOptionsEntry& e) {
  if (form == PrintForm::W2) return e.paper == static_cast<int>(W2PaperChoice::RedInk);
  return e.paper == 1;
}

bool CopyListEnabled(PrintForm form, const PrintOptionsEntry& e) {
  if (form == PrintForm::W2) return e.paper == static_cast<int>(W2PaperChoice::Copy);
  if (form == PrintForm::Form1099) return e.paper == 0;
  return false;
}

std::optional<std::string> ConfirmPrintOptions(PrintForm form, PrintOptionsEntry& e, FormPrintSettings& s) {
  const double horizontal = Read(e.horizontalOffset);
  const double vertical = Read(e.verticalOffset);
  if (form == PrintForm::W2) {
    // Compared in whole hundredths, so 0.75 and 1.75 themselves pass.
    const int64_t space = ParseMoneyCents(std::string_view(e.verticalSpace).substr(0, kFieldCharsRead));
    if (space < 75 || space > 175) {
      char reset[32];
      std::snprintf(reset, sizeof reset, "%f", 1.33);
      e.verticalSpace = reset;
      return space < 75 ? VerticalSpaceTooSmallMessage() : VerticalSpaceTooLargeMessage();
    }
    s.verticalSpace = Read(e.verticalSpace);
    s.blankCopyType = e.copy;
    switch (static_cast<W2PaperChoice>(e.paper)) {
      case W2PaperChoice::CopyASubstitute:
        s.paperType = 0;
        s.blankCopyType = kW2CopyASubstitute;
        break;
      case W2PaperChoice::Copy: s.paperType = 0; break;
      case W2PaperChoice::RedInk: s.paperType = 1; break;
    }
  } else {
    s.paperType = e.paper;
    if (form == PrintForm::Form1099) s.blankCopyType = e.copy;
  }
  if (HasTarget(form)) s.printTarget = e.target;
  s.horizontalDirection = e.horizontalDirection;
  s.verticalDirection = e.verticalDirection;
  s.horizontalOffset = e.horizontalDirection == 0 ? -horizontal : horizontal;
  s.verticalOffset = e.verticalDirection == 0 ? -vertical : vertical;
  return std::nullopt;
}

}  // namespace formet
