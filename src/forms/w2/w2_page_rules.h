#pragma once
// The W-2 page's rules: the Form W-2 of one employee at a time. The
// employer's part (boxes b, c, d) and the employee's part (boxes a, e, f) are
// read-only copies of the company and employee records; every other box is
// the employee's W2Record, edited here and saved to the company file at once.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "forms/form_page_rules.h"
#include "records/tax_year.h"
#include "records/w2_list.h"
#include "store/records.h"

namespace formet {

// How far above a limit an amount may go before the limit is enforced.
inline constexpr int64_t kLimitTolerance = 9;                // $0.09

// The entry fields of the page in box order: boxes 1-11; for each of 12a-12d
// its code, year and amount; the three check boxes of 13; the three lines of
// 14; then the state and local lines: 15 state and state ID, 16, 17, 18, 19
// and 20 of line 1, then the same of line 2.
std::span<const FieldSpec<W2Record>> W2Fields();
size_t W2FieldIndex(TextMember<W2Record> member);
size_t W2FieldIndex(int32_t W2Record::*member);
// The 23 amounts (boxes 1-11, the four box 12 amounts, boxes 16-19 of both lines).
bool IsW2Amount(size_t field);
// The four box 12 code fields.
bool IsBox12CodeField(size_t field);

// The "Select Employee" list of the W-2 pages: first, middle and last name
// and SSN, sorted by last name, searched by the names and the SSN.
RowChoice W2EmployeeChoice(const std::vector<EmployeeRecord>& employees, const std::string& caption);

// The read-only parts of the W-2.
struct W2Parties {
  std::string employeeSsn;                                  // a
  std::string ein;                                          // b
  std::string employerName, employerAddress1, employerAddress2, employerCityLine;  // c
  std::string controlNumber;                                // d
  std::string firstNameAndInitial, lastName, suffix;        // e
  std::string address1, address2, cityLine;                 // f
  bool operator==(const W2Parties&) const = default;
};

class W2PageRules : public FormPageRules, public W2ListObserver {
 public:
  W2PageRules(CGlobalDoc& doc, UiServices& ui);

  const W2Parties& Parties() const { return parties_; }
  // The record as Save would build it from the page (the stored record's
  // columns the page does not show are kept), when there is a current form.
  std::optional<W2Record> PageRecord() const;

  // The help icon: the quick help note.
  void QuickHelp();
  static const std::string& QuickHelpText();

  // The employee list's links (W2ListObserver).
  void OnW2Added(bool reload) override { AfterFormAdded(reload); }
  void OnW2Deleted() override { AfterFormDeleted(); }

 protected:
  size_t PayeeCount() const override;
  int FindForm(int position) override;
  void FillParties(int position) override;
  PageValues FormValues(int form) const override;
  PageValues EmptyValues() const override;
  void OnLeave(size_t field) override;
  std::optional<std::string> SaveProblem() const override;
  SaveResult Store(int form) override;
  void ShowPayeePage() override;
  void OnActivated() override;
  RowChoice SelectChoice() const override;

 private:
  W2Parties parties_;
  FormLookup lookup_;
};

}  // namespace formet
