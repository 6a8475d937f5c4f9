#pragma once
// The 1096: the transmittal that sums every 1099-MISC of the company. Nothing
// of it is stored; the page, the print, the command line and the information
// return file all take its texts from here.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "store/records.h"

namespace formet {

class CGlobalDoc;
class UiServices;

struct Form1096Totals {
  int32_t formCount = 0;          // box 3
  int64_t federalTaxWithheld = 0; // box 4, in cents
  // Box 5, in cents: boxes 1, 2, 3, 5, 6, 7, 8, 10, 13 and 14 of every form
  // (not box 4, not 15a/15b, not the state boxes).
  int64_t totalReported = 0;
  // The boxes (4, 5) whose sum cannot be held (see CentsTotal); their cents
  // above are 0.
  std::vector<int> tooLarge;
  bool operator==(const Form1096Totals&) const = default;
};

Form1096Totals Compute1096Totals(const std::vector<Form1099Record>& forms);

// Every field of the 1096 page as shown (Windows-1252 texts).
struct Form1096Page {
  std::string filerName;          // Form1096FilerName, or EmployerName when that is empty
  std::string street;             // Address1
  std::string city, state, zip;
  std::string contactName, email, telephone, fax;
  std::string box1;               // employer identification number
  std::string box2;               // social security number
  std::string box3;               // "%d"
  std::string box4, box5;         // "%.2lf"
  bool finalReturn = false;
  // Printed in the bottom margin, below the form; empty for none.
  std::string marginLegend;
  // Empty, or why box 4 or 5 cannot be shown: it shows kTotalTooLargeText,
  // and the 1096 is not printed.
  std::string problem;
};

// Why the 1096 cannot be printed; nullopt when it can.
std::optional<std::string> Form1096PrintRefusal(const Form1096Page& page);

Form1096Page Build1096Page(const CompanyRecord& company, const Form1096Totals& totals);
inline Form1096Page Build1096Page(const CompanyRecord& company, const std::vector<Form1099Record>& forms) {
  return Build1096Page(company, Compute1096Totals(forms));
}

// The 1096 page's refresh (LoadSummary): every field recomputed from the
// document, under a wait cursor.
Form1096Page Refresh1096Page(CGlobalDoc& doc, UiServices& ui);
// The 1096 page was shown: a company without contractors is told so, and the
// main window is asked for the contractors page.
void On1096PageShown(CGlobalDoc& doc, UiServices& ui);

}  // namespace formet
