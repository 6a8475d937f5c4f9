#pragma once
// The W-3: the transmittal that sums every W-2 of the company. Nothing of it
// is stored; the page, the print, the command line and the wage file all take
// its texts from here, so they always agree.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "store/records.h"

namespace formet {

class CGlobalDoc;
class UiServices;

// Kind of Payer (box b), as FormW3RadioKindOfPayer holds it.
inline constexpr int kKindOfPayerCount = 7;
// "941", "CT-1", "Mil.", "Hshld. emp.", "943", "Med. govt. emp.", "944" for
// 0-6; nullptr for any other value (which marks no box).
const char* KindOfPayerLabel(int32_t kind);

// The sums of all W-2s, in whole cents (exact, whatever the number of forms).
struct W3Totals {
  int32_t formCount = 0;                 // box c
  std::array<int64_t, 12> box{};         // box[1]..box[11]; box[0] unused
  int64_t deferredCompensation = 0;      // box 12: qualifying box 12 amounts only
  int64_t stateWages = 0;                // box 16: state wages lines 1 and 2
  int64_t stateIncomeTax = 0;            // box 17
  int64_t localWages = 0;                // box 18
  int64_t localIncomeTax = 0;            // box 19
  // The boxes (W-3 numbers 1-12, 16-19, in order) whose sum cannot be held:
  // an amount too large to be read or a sum beyond 64 bits. Their cents
  // above are 0 and mean nothing.
  std::vector<int> tooLarge;
  bool operator==(const W3Totals&) const = default;
};

// One pass over the W-2s in list order; amounts are read with ParseMoney.
W3Totals ComputeW3Totals(const std::vector<W2Record>& forms);

// Every field of the W-3 page as shown (Windows-1252 texts).
struct W3Page {
  std::string controlNumber;             // a
  int32_t kindOfPayer = 0;               // b: 0-6 marks one box
  bool thirdPartySickPay = false;        // b: "3rd-party sick pay"
  std::string totalForms;                // c, "%d"
  std::string establishmentNumber;       // d
  std::string ein;                       // e
  std::string employerName;              // f
  std::string address1, address2, city, state, zip;  // g
  std::string otherEin;                  // h
  std::array<std::string, 12> box;       // box[1]..box[11], "%.2lf"
  std::string box12;                     // deferred compensation
  std::string box13;                     // for third-party sick pay use only (company)
  std::string box14;                     // income tax withheld by payer of third-party sick pay (company)
  std::string box15State, box15StateId;  // the company's state and state ID
  std::string box16, box17, box18, box19;
  std::string contactName, telephone, email, fax;
  // Empty, or why some totals cannot be shown: their boxes show
  // kTotalTooLargeText, and the W-3 is not printed.
  std::string problem;
};

// Why the W-3 cannot be printed; nullopt when it can.
std::optional<std::string> W3PrintRefusal(const W3Page& page);

W3Page BuildW3Page(const CompanyRecord& company, const W3Totals& totals);
inline W3Page BuildW3Page(const CompanyRecord& company, const std::vector<W2Record>& forms) {
  return BuildW3Page(company, ComputeW3Totals(forms));
}

// The W-3 page's refresh: every field recomputed from the document, under a
// wait cursor.
W3Page RefreshW3Page(CGlobalDoc& doc, UiServices& ui);
// The W-3 page was shown: a company without employees is told so, and the
// main window is asked for the employees page.
void OnW3PageShown(CGlobalDoc& doc, UiServices& ui);

}  // namespace formet
