#pragma once
// Form W-2c, Corrected Wage and Tax Statement (Rev. 2006), described once:
// its lettered boxes (the lettering of the 2006 revision: a tax year, b the
// correct SSN, c "Corrected SSN and/or name", d the EIN, e the name, f the
// address, g the employer, h and i the SSN and name as previously reported)
// and its numbered boxes, each with a "Previously reported" and a "Correct
// information" column.
//
// A W-2c is the difference between what was reported (the W-2 as filed, the
// correct column of the last W-2c filed, or a column typed by hand) and the
// W-2 and employee now: only the boxes that changed are filled, in both
// columns, "-0-" where one side is zero.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "store/filed_forms.h"
#include "records/tax_year.h"
#include "store/records.h"

namespace formet {

// The texts of the form that no 2006 source confirmed are kept here, and
// only here.
struct W2cTexts {
  static constexpr const char* kTaxYear = TaxYear::kYear;
  static constexpr const char* kPreviously = "Previously reported";
  static constexpr const char* kCorrect = "Correct information";
  static constexpr const char* kZero = "-0-";
  static constexpr const char* kBoxH = "Employee's incorrect SSN";
  static constexpr const char* kBoxI = "Employee's name (as incorrectly shown on previous form)";
  static constexpr const char* kBoxC = "Corrected SSN and/or name";
  // The revision printed after the form's name on the W-2c and the W-3c.
  static constexpr const char* kRevision = "(Rev. 1-2006)";
  // The caption under each copy of the W-2c, by the copies' order: A, 1, B,
  // C, 2, D.
  static constexpr const char* kCopyCaptions[6] = {
      "Copy A\x97" "For Social Security Administration",
      "Copy 1\x97" "For State, City, or Local Tax Department",
      "Copy B\x97" "To Be Filed With Employee's FEDERAL Tax Return",
      "Copy C\x97" "For EMPLOYEE'S RECORDS",
      "Copy 2\x97" "To Be Filed With Employee's State, City, or Local Income Tax Return",
      "Copy D\x97" "For Employer"};
};

// What one column is made from: the employee and the W-2.
struct W2cSide {
  EmployeeRecord employee;
  W2Record form;
};

// A numbered box of the W-2c (every box but 12, whose lines pair codes).
enum class W2cBoxKind { Money, Text };
struct W2cBoxDef {
  const char* key;    // "1" ... "11", "14", "15" ... "20", line 2 as "15.2" ... "20.2"
  const char* label;  // as the W-2 names it
  int line;           // of the state and local boxes: 1 or 2; 0 for boxes 1-14
  W2cBoxKind kind;
  bool stateOrLocal;  // boxes 15-20: a change of these alone goes to the state, not the SSA
  std::string (*text)(const W2Record&);  // the box's value as held (an amount: MoneyText)
};
std::span<const W2cBoxDef> W2cBoxes();

// One filled box: the two columns as printed.
struct W2cBoxLine {
  const W2cBoxDef* box = nullptr;
  std::string previously, correct;
  int64_t previouslyCents = 0, correctCents = 0;  // Money boxes
};

// One line of box 12: a code whose amount changed, with the code in both
// columns.
struct W2cBox12Line {
  std::string code;  // as printed ("AA")
  std::string previously, correct;
  int64_t previouslyCents = 0, correctCents = 0;
  bool deferredCompensation = false;
};

// Box 13's three check boxes: statutory employee, retirement plan,
// third-party sick pay.
struct W2cBox13 {
  std::array<bool, 3> previously{}, correct{};
};

struct W2cForm {
  int32_t employeeId = 0;
  std::string a = W2cTexts::kTaxYear;  // box a: the tax year
  std::string formCorrected = "W-2";   // box a: "W-2", or "W-2c" when a W-2c is corrected
  std::string b;                       // the correct SSN, always
  bool c = false;                      // the SSN or the name changed
  std::string d;                       // the employer's EIN
  std::string eFirst, eLast, eSuffix;  // the correct name: first name and initial, last name, suffix
  std::string f1, f2, fCity;           // the correct address
  std::string gName, g1, g2, gCity;    // the employer
  std::string h, i;                    // with c: SSN and full name as previously reported
  EmployeeRecord iEmployee;            // with c: the employee as previously reported (h and i apart)
  std::vector<W2cBoxLine> boxes;       // only the boxes that changed, in box order
  std::vector<W2cBox12Line> box12;     // at most four per form
  std::optional<W2cBox13> box13;       // when one of its check boxes changed
  // False when only state or local boxes changed: the W-2c goes to the state
  // and the employee, not to the SSA, and the W-3c does not count it.
  bool toSsa = true;
  bool handMade = false;               // previously reported typed by hand
  // Box 13's third-party sick pay as the W-2 has it now: its box 2 is income
  // tax withheld by a payer of third-party sick pay (the W-3c's box 14).
  bool thirdPartySickPay = false;
  // A further form of the same employee's correction that carries only the
  // box 12 lines beyond the fourth.
  bool continuation = false;
  std::string previouslyFiledOn;       // "YYYY-MM-DD" of the filing corrected; empty for a hand-made one
  // Checks of the correct column that the W-2 page would make.
  std::vector<std::string> problems;
};

// An employee whose address alone changed: no W-2c goes to the SSA.
struct W2cAddressOnly {
  int32_t employeeId = 0;
  std::string name;
};

struct W2cList {
  std::vector<W2cForm> forms;
  std::vector<W2cAddressOnly> addressOnly;
  std::vector<std::string> notes;  // employees left out and why
};

// The text said for an address-only change: no W-2c, a reissued statement.
std::string AddressOnlyNotice(const std::string& employeeName);

// The W-2c's (more than one for an employee whose box 12 needs more than
// four lines) of one employee: `reported` is what was reported (filed or by
// hand), `now` the employee and W-2 as they are. Empty when nothing a W-2c
// shows changed; `addressOnly` is set when only the address did.
// `reported.as` tells whether a W-2 or a W-2c is corrected.
std::vector<W2cForm> CompareW2(const CompanyRecord& company, const FiledW2& reported, const W2cSide& now,
                               bool* addressOnly = nullptr);

// The W-2c's of the company: for every employee with a W-2 recorded as filed
// (its latest filing) or a hand-made previously reported column.
W2cList BuildW2cList(const CompanyRecord& company, const std::vector<EmployeeRecord>& employees,
                     const std::vector<W2Record>& forms, const std::vector<FiledW2>& filed,
                     const std::vector<FiledW2>& handMade);

// A hand-made previously reported column for `employee`, filled from the
// current W-2 for the user to change.
FiledW2 NewHandMadeW2c(const CompanyRecord& company, const EmployeeRecord& employee, const W2Record& form);

}  // namespace formet
