#pragma once
// The 1099-MISC page's rules: the Form 1099-MISC of one contractor at a time.
// The payer's part is a read-only copy of the company record, the
// recipient's part of the contractor record; the boxes are the contractor's
// Form1099Record, edited here and saved to the company file at once.
#include <optional>
#include <span>
#include <string>

#include "forms/form_page_rules.h"
#include "records/form1099_list.h"
#include "store/records.h"

namespace formet {

// The entry fields of the page in box order: 1-8, 9 (the check box), 10, 13,
// 14, 15a, 15b, then 16, 17 and 18 with their two lines each.
std::span<const FieldSpec<Form1099Record>> Form1099Fields();
size_t Form1099FieldIndex(TextMember<Form1099Record> member);
size_t Form1099FieldIndex(int32_t Form1099Record::*member);
// The 17 amounts (boxes 1-8, 10, 13, 14, 15a, 15b and both lines of 16 and 18).
bool Is1099Amount(size_t field);

// True when the 19 box texts and box 9 of two records are equal.
bool SameForm1099Boxes(const Form1099Record& a, const Form1099Record& b);

// The "1099 Form Type" message.
const std::string& FormTypeMessage();

// The read-only parts of the 1099-MISC.
struct Form1099Parties {
  std::string payerName, payerAddress1, payerAddress2, payerCity, payerState, payerZip, payerTelephone;
  std::string payerFederalId;  // the employer identification number, or the social security number
  std::string recipientId;
  std::string recipientName1, recipientName2;
  std::string recipientAddress1, recipientAddress2, recipientCity, recipientState, recipientZip;
  std::string accountNumber;
  bool secondTin = false;
  bool operator==(const Form1099Parties&) const = default;
};

class Form1099PageRules : public FormPageRules, public Form1099ListObserver {
 public:
  Form1099PageRules(CGlobalDoc& doc, UiServices& ui);

  const Form1099Parties& Parties() const { return parties_; }
  // The record as Save would build it from the page, when there is a current form.
  std::optional<Form1099Record> PageRecord() const;

  // "Select" of the "1099 Form Type" group.
  void SelectFormType();

  // The contractor list's links (Form1099ListObserver).
  void OnForm1099Added(bool reload) override { AfterFormAdded(reload); }
  void OnForm1099Deleted() override { AfterFormDeleted(); }

 protected:
  size_t PayeeCount() const override;
  int FindForm(int position) override;
  void FillParties(int position) override;
  PageValues FormValues(int form) const override;
  PageValues EmptyValues() const override;
  void OnLeave(size_t field) override;
  SaveResult Store(int form) override;
  void ShowPayeePage() override;
  RowChoice SelectChoice() const override;
  void KeepChoiceOrder(const RowChoiceAnswer& answer) override;

 private:
  Form1099Parties parties_;
  FormLookup lookup_;
  // The select dialog's order survives between openings.
  std::optional<int> sortColumn_;
  bool ascending_ = true;
};

}  // namespace formet
