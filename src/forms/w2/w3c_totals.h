#pragma once
// Form W-3c, Transmittal of Corrected Wage and Tax Statements: the totals of
// the W-2c's that go to the SSA, each column apart. Nothing of it is stored.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "forms/w2/w2c_form.h"
#include "store/filed_forms.h"
#include "store/records.h"

namespace formet {

// Box c, Kind of Payer, as the W-3c names the kind FormW3RadioKindOfPayer
// holds (0-6 as on the W-3); nullptr for any other value.
const char* W3cKindOfPayerLabel(int32_t kind);

// One box's two totals, in cents.
struct W3cColumns {
  int64_t previously = 0, correct = 0;
  bool operator==(const W3cColumns&) const = default;
};

struct W3cTotals {
  int32_t formCount = 0;          // box d: the W-2c's sent to the SSA
  std::array<W3cColumns, 12> box{};  // box[1]..box[11]
  W3cColumns box12;               // deferred-compensation codes only
  W3cColumns box14;               // box 2 of the W-2c's of third-party sick pay
  W3cColumns box16, box17, box18, box19;  // both state and local lines
  bool operator==(const W3cTotals&) const = default;
};

// Sums the W-2c's whose toSsa is set; a box a W-2c leaves empty adds nothing.
W3cTotals ComputeW3cTotals(const std::vector<W2cForm>& forms);

struct W3cPage {
  std::string a = W2cTexts::kTaxYear;  // tax year / form corrected
  std::string employerName, address1, address2, cityLine;  // b
  int32_t kindOfPayer = 0;              // c
  bool thirdPartySickPay = false;       // c: "Third-party sick pay"
  std::string d;                        // number of W-2c's
  std::string e, f, g;                  // EIN, establishment number, state ID
  std::string h, i, j;                  // as previously reported, when it differs
  // Texts per box: [0] previously reported, [1] correct information;
  // "-0-" for a zero total.
  std::array<std::array<std::string, 2>, 12> box{};
  std::array<std::string, 2> box12, box14, box16, box17, box18, box19;
  // "Explain decreases here": the user's text when one was given, else each
  // box whose correct total is below the previously reported one, and the
  // SSN/name corrections.
  std::string explainDecreases;
  bool explainedByUser = false;
  std::string contactName, telephone, email, fax;
};

// `filed` supplies h-j: the employer's numbers of the latest filing, where
// they differ from the company's now; `explanation` the user's text for
// "Explain decreases here" (empty: the decreases as computed).
W3cPage BuildW3cPage(const CompanyRecord& company, const std::vector<W2cForm>& forms,
                     const std::vector<FiledW2>& filed, const std::string& explanation = {});

}  // namespace formet
